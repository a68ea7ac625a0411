#pragma once

// The plan's table for a table view: row 0 of the planner's table is the header, the
// prepayment rows tinted, the totals row in bold. A last column shows the balance once a row
// is paid; a payment moved off a day off has its date marked "*" and says from where in its
// tooltip, and one that pays its interest alone is in red and says so.

#include <QAbstractTableModel>
#include <QString>

#include "app/planner_form.h"

namespace gui {

class PlanTableModel : public QAbstractTableModel {
  public:
    PlanTableModel(const app::PlannerForm& planner, QObject* parent)
        : QAbstractTableModel(parent), planner_(planner) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Shows the planner's table anew, after a plan was computed or cleared.
    void reload();

    // The column of the balance after the row, past those of the planner's table.
    static constexpr int kBalanceAfterColumn = loan::ScheduleTable::kColumnCount;
    static constexpr int kDateColumn = 1;

  private:
    QString text(int column, int row) const;
    QString toolTip(int row) const;
    bool isTotals(int row) const { return row == planner_.Table().rowCount() - 1; }

    const app::PlannerForm& planner_;
};

}  // namespace gui
