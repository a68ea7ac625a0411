#pragma once

// Values read from the rows 1..n of the schedule table, kept from one call to the next, so
// that a row added below them costs one step instead of a pass over every row: the column
// sums (SumColumn), the advance over the schedule (AdvanceOverSchedule) and the number of
// payment months (PaymentMonthCount). Each is exactly the value of the pass over the table:
// the same steps over the same texts in the same order. When a row already read is written
// again (a deletion, a load, a cleared table) or fewer rows are asked for, the value is
// computed again from row 1.

#include <array>

#include "loan/advance.h"
#include "loan/schedule_table.h"

namespace loan {

class RunningTotals {
  public:
    ScaledAmount sumColumn(ScheduleTable& table, int column, int count, const Locale& locale);
    ScaledAmount advanceOverSchedule(ScheduleTable& table, int rowCount, double monthlyPrincipal,
                                     const Locale& locale, double& monthDistance);
    int paymentMonthCount(ScheduleTable& table, int n, double& monthDistance);

  private:
    // Drops every value that has read a row written since the last call.
    void forgetChangedRows(ScheduleTable& table);

    struct ColumnSum {
        int rows = 0;
        ScaledAmount sum = 0;
    };
    std::array<ColumnSum, ScheduleTable::kColumnCount> sums_{};
    AdvanceWalk advance_;
    PaymentMonthWalk months_;
};

}  // namespace loan
