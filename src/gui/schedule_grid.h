#pragma once

// The schedule grid (StringGrid1): a table view over the main form's ScheduleTable. Row 0
// of the table is the view's header, so it stays in place while the rows scroll; the data
// rows 1.. are the view's rows 0... Every cell is drawn centred; the selected row, the grey
// rows of the payment-input mode and the header take the colours below.

#include <array>

#include <QAbstractTableModel>
#include <QColor>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include "app/main_form.h"
#include "printouts/grid_geometry.h"

namespace gui {

// Header background (an inactive caption gradient) and the cell background (button face).
inline const QColor kHeaderColor{kHeaderRgb[0], kHeaderRgb[1], kHeaderRgb[2]};
inline const QColor kCellColor{240, 240, 240};
inline const QColor kGrayTextColor{109, 109, 109};

// The text colour of a cell in table row `row` (0 = header): the selection is white, the
// rows from NextRow on are grey in the payment-input mode, the header and all else black.
QColor CellTextColor(const app::MainForm& form, int row, bool selected);

class ScheduleTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ScheduleTableModel(const app::MainForm& form, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The table changed behind the model's back (a handler ran): show it again.
    void reload();

  private:
    const app::MainForm& form_;
    int shownRows_;
};

class ScheduleGrid : public QTableView {
    Q_OBJECT

  public:
    ScheduleGrid(app::MainForm& form, QWidget* parent = nullptr);

    // Redraws the table and the selection from the model. The view follows the model: a
    // table cleared since the last refresh is shown from its top, and a current row that
    // is new, or whose table changed size, is scrolled into view.
    void refresh();
    // The 120-dots-per-inch adjustment: a smaller font, every column 12 pixels wider.
    void useWideColumns();

  protected:
    // A turn down of the wheel moves the selection one row down; with no row selected it
    // selects the first data row. A turn up moves it one row up, never onto the header.
    void wheelEvent(QWheelEvent* event) override;

  private:
    void selectTableRow(int row);
    // Each column at its designed width, or wider where a figure needs it: a figure is
    // shown whole, never cut at the cell's edges.
    void fitColumnsToText();

    app::MainForm& form_;
    ScheduleTableModel* model_;
    std::array<int, kColumnWidths.size()> designedWidths_{};
    // What the view showed at its last refresh.
    unsigned shownClearings_ = 0;
    int shownSelectedRow_ = -1;
};

}  // namespace gui
