#include "gui/plan_table_model.h"

#include <algorithm>

#include <QColor>
#include <QFont>
#include <QStringList>

#include "gui/fonts.h"
#include "gui/widget_factories.h"
#include "printouts/planner_pages.h"

namespace gui {

int PlanTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, planner_.Table().rowCount() - 1);
}

namespace {

// The text colour of a payment that pays its interest alone.
constexpr QRgb kInterestOnlyRgb = 0xa01818;

}  // namespace

int PlanTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kBalanceAfterColumn + 1;
}

QString PlanTableModel::text(int column, int row) const {
    const app::PlanRowMarks* marks = planner_.RowMarks(row);
    if (column == kBalanceAfterColumn)
        return marks ? QString::fromStdString(marks->balanceAfter) : QString();
    QString cell = QString::fromStdString(planner_.Table().cell(column, row));
    if (column == kDateColumn && marks && !marks->moved.empty())
        cell += '*';
    return cell;
}

QString PlanTableModel::toolTip(int row) const {
    const app::PlanRowMarks* marks = planner_.RowMarks(row);
    if (!marks)
        return {};
    QStringList lines;
    for (const std::string* line : {&marks->moved, &marks->interestOnly}) {
        if (!line->empty())
            lines << QString::fromStdString(*line);
    }
    return lines.join('\n');
}

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
    const int row = index.row() + 1;
    switch (role) {
        case Qt::DisplayRole:
            return text(index.column(), row);
        case Qt::ToolTipRole: {
            const QString tip = toolTip(row);
            return tip.isEmpty() ? QVariant() : QVariant(tip);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignCenter);
        case Qt::BackgroundRole:
            if (planner_.RowKind(row) == loan::PlanRowKind::Prepayment)
                return QColor(kPrepaymentRowRgb[0], kPrepaymentRowRgb[1], kPrepaymentRowRgb[2]);
            return {};
        case Qt::ForegroundRole: {
            const app::PlanRowMarks* marks = planner_.RowMarks(row);
            if (marks && !marks->interestOnly.empty())
                return QColor(kInterestOnlyRgb);
            return {};
        }
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
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == kBalanceAfterColumn)
            return TwoLineCaption(app::kBalanceAfterHeader);
        return TwoLineCaption(planner_.Table().cell(section, 0).c_str());
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void PlanTableModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace gui
