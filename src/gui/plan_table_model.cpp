#include "gui/plan_table_model.h"

#include <algorithm>

#include <QColor>
#include <QFont>

#include "gui/fonts.h"
#include "printouts/planner_pages.h"

namespace gui {

int PlanTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, planner_.Table().rowCount() - 1);
}

int PlanTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : loan::ScheduleTable::kColumnCount;
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
    const int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(planner_.Table().cell(index.column(), row));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        case Qt::BackgroundRole:
            if (planner_.RowKind(row) == loan::PlanRowKind::Prepayment)
                return QColor(kPrepaymentRowRgb[0], kPrepaymentRowRgb[1], kPrepaymentRowRgb[2]);
            return {};
        case Qt::FontRole:
            if (isTotals(row)) {
                QFont bold = WindowFont();
                bold.setBold(true);
                return bold;
            }
            return {};
        default:
            return {};
    }
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QString::fromStdString(planner_.Table().cell(section, 0));
    return QAbstractTableModel::headerData(section, orientation, role);
}

void PlanTableModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace gui
