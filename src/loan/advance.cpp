#include "loan/advance.h"

#include "loan/date.h"
#include "loan/number_text.h"

namespace loan {

namespace {

Date paymentDate(const ScheduleTable& table, int row) {
    return ParseShortDate(table.cell(1, row));
}

}  // namespace

ScaledAmount AdvanceOverSchedule(const ScheduleTable& table, int rowCount, double monthlyPrincipal,
                                 const Locale& locale, double& monthDistance) {
    const Extended due = static_cast<Extended>(monthlyPrincipal) * kScale;
    // Shortfall against the schedule; the advance is its negation.
    ScaledAmount shortfall = 0;
    for (int row = 1; row <= rowCount; ++row) {
        const ScaledAmount paid = ParseAmount(table.cell(3, row), locale);
        if (row == 1) {
            shortfall = RoundToScaled(due - paid);
        } else if (SameMonth(paymentDate(table, row), paymentDate(table, row - 1), monthDistance)) {
            shortfall = SubtractAmounts(shortfall, paid);
        } else {
            shortfall = RoundToScaled(static_cast<Extended>(shortfall) + due - paid);
        }
    }
    return SubtractAmounts(0, shortfall);
}

int PaymentMonthCount(const ScheduleTable& table, int n, double& monthDistance) {
    int months = 1;
    for (int row = 2; row <= n; ++row) {
        if (!SameMonth(paymentDate(table, row), paymentDate(table, row - 1), monthDistance))
            ++months;
    }
    return months;
}

}  // namespace loan
