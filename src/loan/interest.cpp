#include "loan/interest.h"

#include "loan/money.h"

namespace loan {

namespace {

// The interest for `days` of a year of `yearDays`, as a ScaledAmount.
ScaledAmount interestForDays(double balance, double annualRate, std::int64_t days, int yearDays) {
    const double share = static_cast<double>(static_cast<Extended>(days) / yearDays);
    return ToScaled(PercentOf(balance, annualRate, share));
}

}  // namespace

double InterestBetween(double balance, double annualRate, const Date& laterDate,
                       const Date& earlierDate) {
    const int earlierYearDays = DaysInYear(earlierDate.year);
    const int laterYearDays = DaysInYear(laterDate.year);
    ScaledAmount total = 0;
    if (earlierYearDays == laterYearDays) {
        total = interestForDays(balance, annualRate, DaysBetween(laterDate, earlierDate),
                                earlierYearDays);
    } else {
        const Date yearEnd{earlierDate.year, 12, 31};
        total = interestForDays(balance, annualRate, DaysBetween(yearEnd, earlierDate),
                                earlierYearDays);
        const std::int64_t daysAfter = DaysBetween(laterDate, yearEnd);
        if (daysAfter != 0) {
            total =
                AddAmounts(total, interestForDays(balance, annualRate, daysAfter, laterYearDays));
        }
    }
    return RoundFraction(100, static_cast<double>(ToUnits(total)));
}

}  // namespace loan
