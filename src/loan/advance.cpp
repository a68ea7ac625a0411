#include "loan/advance.h"

#include "loan/number_text.h"

namespace loan {

namespace {

Date paymentDate(const ScheduleTable& table, int row) {
    return ParseShortDate(table.cellText(1, row));
}

}  // namespace

PaymentDateSteps::Step PaymentDateSteps::compare(const ScheduleTable& table, int row,
                                                 double& monthDistance) const {
    const Date earlier =
        previous_ && previousRow_ == row - 1 ? *previous_ : paymentDate(table, row - 1);
    Step step;
    step.date = paymentDate(table, row);
    step.sameMonth = SameMonth(step.date, earlier, monthDistance);
    step.monthDistance = monthDistance;
    return step;
}

void PaymentDateSteps::keep(int row, const Step& step) {
    previous_ = step.date;
    previousRow_ = row;
    previousDistance_ = step.monthDistance;
}

void PaymentDateSteps::restoreDistance(int row, double& monthDistance) const {
    if (row >= 2 && previousRow_ == row)
        monthDistance = previousDistance_;
}

AdvanceWalk::AdvanceWalk(double monthlyPrincipal)
    : monthlyPrincipal_(monthlyPrincipal), due_(static_cast<Extended>(monthlyPrincipal) * kScale) {}

void AdvanceWalk::extend(const ScheduleTable& table, int rowCount, const Locale& locale,
                         double& monthDistance) {
    dates_.restoreDistance(rows_, monthDistance);
    for (int row = rows_ + 1; row <= rowCount; ++row) {
        const ScaledAmount paid = ParseAmount(table.cellText(3, row), locale);
        if (row == 1) {
            shortfall_ = RoundToScaled(due_ - paid);
        } else {
            const PaymentDateSteps::Step step = dates_.compare(table, row, monthDistance);
            shortfall_ = step.sameMonth
                             ? SubtractAmounts(shortfall_, paid)
                             : RoundToScaled(static_cast<Extended>(shortfall_) + due_ - paid);
            dates_.keep(row, step);
        }
        rows_ = row;
    }
}

void PaymentMonthWalk::extend(const ScheduleTable& table, int n, double& monthDistance) {
    dates_.restoreDistance(rows_, monthDistance);
    for (int row = rows_ + 1; row <= n; ++row) {
        if (row == 1) {
            months_ = 1;
        } else {
            const PaymentDateSteps::Step step = dates_.compare(table, row, monthDistance);
            if (!step.sameMonth)
                ++months_;
            dates_.keep(row, step);
        }
        rows_ = row;
    }
}

ScaledAmount AdvanceOverSchedule(const ScheduleTable& table, int rowCount, double monthlyPrincipal,
                                 const Locale& locale, double& monthDistance) {
    AdvanceWalk walk(monthlyPrincipal);
    walk.extend(table, rowCount, locale, monthDistance);
    return walk.advance();
}

int PaymentMonthCount(const ScheduleTable& table, int n, double& monthDistance) {
    PaymentMonthWalk walk;
    walk.extend(table, n, monthDistance);
    return n >= 1 ? walk.months() : 1;
}

}  // namespace loan
