#include "loan/running_totals.h"

namespace loan {

void RunningTotals::forgetChangedRows(ScheduleTable& table) {
    const int changed = table.takeLowestWrittenRow();
    for (ColumnSum& sum : sums_) {
        if (sum.rows >= changed)
            sum = {};
    }
    if (advance_.rows() >= changed)
        advance_ = AdvanceWalk(advance_.monthlyPrincipal());
    if (months_.rows() >= changed)
        months_ = {};
}

ScaledAmount RunningTotals::sumColumn(ScheduleTable& table, int column, int count,
                                      const Locale& locale) {
    if (column < 0 || column >= ScheduleTable::kColumnCount)
        return SumColumn(table, column, count, locale);
    forgetChangedRows(table);
    ColumnSum& kept = sums_[static_cast<std::size_t>(column)];
    if (count < kept.rows)
        kept = {};
    // Row by row, so that a row that fails leaves the rows before it counted.
    for (int row = kept.rows + 1; row <= count; ++row) {
        kept.sum = AddCellAmount(kept.sum, table.cellText(column, row), locale);
        kept.rows = row;
    }
    return kept.sum;
}

ScaledAmount RunningTotals::advanceOverSchedule(ScheduleTable& table, int rowCount,
                                                double monthlyPrincipal, const Locale& locale,
                                                double& monthDistance) {
    forgetChangedRows(table);
    if (rowCount < advance_.rows() || monthlyPrincipal != advance_.monthlyPrincipal())
        advance_ = AdvanceWalk(monthlyPrincipal);
    advance_.extend(table, rowCount, locale, monthDistance);
    return rowCount >= 1 ? advance_.advance() : 0;
}

int RunningTotals::paymentMonthCount(ScheduleTable& table, int n, double& monthDistance) {
    forgetChangedRows(table);
    if (n < months_.rows())
        months_ = {};
    months_.extend(table, n, monthDistance);
    return n >= 1 ? months_.months() : 1;
}

}  // namespace loan
