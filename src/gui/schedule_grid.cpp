#include "gui/schedule_grid.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace gui {

namespace {

constexpr int kGridLine = 1;
constexpr int kTextRightInset = 3;
constexpr const char* kPaymentModeButtonCaption = "Режим расчета";

QFont gridFont() {
    QFont font("Arial");
    font.setPixelSize(11);
    return font;
}

void drawCellText(QPainter* painter, QRect rect, const QString& text, const QColor& color) {
    rect.setRight(rect.right() - kTextRightInset);
    painter->setPen(color);
    painter->drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, text);
}

// Row 0 of the table: the header colour and black text, whatever the selection.
class HeaderRow : public QHeaderView {
  public:
    explicit HeaderRow(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override {
        if (!rect.isValid())
            return;
        painter->save();
        painter->fillRect(rect, kHeaderColor);
        painter->setPen(palette().color(QPalette::Mid));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        QRect textRect = rect.adjusted(0, 0, -kGridLine, -kGridLine);
        drawCellText(painter, textRect,
                     model()->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString(),
                     Qt::black);
        painter->restore();
    }
};

class CellPainter : public QStyledItemDelegate {
  public:
    CellPainter(const app::MainForm& form, QObject* parent)
        : QStyledItemDelegate(parent), form_(form) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row() + 1;
        const bool selected = row == form_.SelectedRow;
        painter->save();
        painter->fillRect(
            option.rect,
            selected ? option.palette.color(QPalette::Active, QPalette::Highlight) : kCellColor);
        painter->setFont(option.font);
        drawCellText(painter, option.rect, index.data().toString(),
                     CellTextColor(form_, row, selected));
        painter->restore();
    }

  private:
    const app::MainForm& form_;
};

}  // namespace

QColor CellTextColor(const app::MainForm& form, int row, bool selected) {
    if (row == 0)
        return Qt::black;
    if (selected)
        return Qt::white;
    if (form.Button2.Caption == kPaymentModeButtonCaption && row >= form.NextRow)
        return kGrayTextColor;
    return Qt::black;
}

ScheduleTableModel::ScheduleTableModel(const app::MainForm& form, QObject* parent)
    : QAbstractTableModel(parent), form_(form), shownRows_(form.StringGrid1.rowCount() - 1) {}

int ScheduleTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shownRows_;
}

int ScheduleTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : loan::ScheduleTable::kColumnCount;
}

QVariant ScheduleTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return QString::fromStdString(form_.StringGrid1.cell(index.column(), index.row() + 1));
}

QVariant ScheduleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    return QString::fromStdString(form_.StringGrid1.cell(section, 0));
}

void ScheduleTableModel::reload() {
    beginResetModel();
    shownRows_ = std::max(0, form_.StringGrid1.rowCount() - 1);
    endResetModel();
}

ScheduleGrid::ScheduleGrid(app::MainForm& form, QWidget* parent)
    : QTableView(parent), form_(form), model_(new ScheduleTableModel(form, this)) {
    setHorizontalHeader(new HeaderRow(this));
    setModel(model_);
    setItemDelegate(new CellPainter(form, this));
    setFont(gridFont());
    horizontalHeader()->setFont(gridFont());
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setFixedHeight(kDefaultRowHeight + kGridLine);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(kDefaultRowHeight + kGridLine);
    for (std::size_t column = 0; column < kColumnWidths.size(); ++column) {
        designedWidths_[column] = kColumnWidths[column] + kGridLine;
        setColumnWidth(static_cast<int>(column), designedWidths_[column]);
    }
    // Only a column widened for a very large figure makes the table wider than its panel.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kCellColor);
    setPalette(colours);
    verticalScrollBar()->setTracking(true);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                form_.SelectedRow = current.isValid() ? current.row() + 1 : -1;
                shownSelectedRow_ = form_.SelectedRow;
                viewport()->update();
            });
}

void ScheduleGrid::refresh() {
    // The reset loses the view's selection; the model's selected row comes back below.
    const int selected = form_.SelectedRow;
    const int rowsBefore = model_->rowCount();
    const QSignalBlocker quiet(selectionModel());
    model_->reload();
    fitColumnsToText();
    const bool cleared = form_.TableClearings != shownClearings_;
    shownClearings_ = form_.TableClearings;
    if (cleared)
        scrollToTop();
    if (selected >= 1 && selected - 1 < model_->rowCount()) {
        form_.SelectedRow = selected;
        const QModelIndex current = model_->index(selected - 1, 0);
        selectionModel()->setCurrentIndex(
            current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (cleared || selected != shownSelectedRow_ || model_->rowCount() != rowsBefore)
            scrollTo(current);
    } else {
        form_.SelectedRow = -1;  // a row the table no longer has is current no more
        selectionModel()->clear();
    }
    shownSelectedRow_ = form_.SelectedRow;
    viewport()->update();
}

void ScheduleGrid::useWideColumns() {
    QFont font = gridFont();
    font.setPointSize(7);
    setFont(font);
    horizontalHeader()->setFont(font);
    for (std::size_t column = 0; column < kColumnWidths.size(); ++column)
        designedWidths_[column] = kColumnWidths[column] + kWideColumnsExtra + kGridLine;
    fitColumnsToText();
}

void ScheduleGrid::fitColumnsToText() {
    constexpr int kTextMargin = 6;  // a few pixels of the cell's own beside the figure
    const QFontMetrics metrics(font());
    const loan::ScheduleTable& table = form_.StringGrid1;
    for (std::size_t column = 0; column < designedWidths_.size(); ++column) {
        int width = designedWidths_[column];
        for (int row = 1; row < table.rowCount(); ++row) {
            const std::string text = table.cell(static_cast<int>(column), row);
            if (text.size() < 12)
                continue;  // a figure this short fits every designed column
            width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(text)) +
                                        kTextMargin + kGridLine);
        }
        if (columnWidth(static_cast<int>(column)) != width)
            setColumnWidth(static_cast<int>(column), width);
    }
}

void ScheduleGrid::selectTableRow(int row) {
    if (row < 1 || row - 1 >= model_->rowCount())
        return;
    selectionModel()->setCurrentIndex(
        model_->index(row - 1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(model_->index(row - 1, 0));
}

void ScheduleGrid::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QTableView::wheelEvent(event);
        return;
    }
    // With nothing selected (or the header) the step down starts from the header row.
    const int current = std::max(form_.SelectedRow, 0);
    if (delta < 0) {
        selectTableRow(current + 1);
    } else if (current > 1) {
        selectTableRow(current - 1);
    }
    event->accept();
}

}  // namespace gui
