#include "loan/plan_interest.h"

#include <cmath>

#include "text/errors.h"

namespace loan {

namespace {

using Wide = __int128;

constexpr std::int64_t kCommonYear = 365;
constexpr std::int64_t kLeapYear = 366;
constexpr std::int64_t kKopeck = kScale / 100;
// Interest in kopecks = balance (ten-thousandths) x rate (millionths of a percent) x weight
// over this: 10^4 x 10^6 x 100 / 100 (percent, then units to kopecks) x 365 x 366.
constexpr std::int64_t kInterestDivisor = 10'000'000'000LL * kCommonYear * kLeapYear;

// numerator / divisor (divisor > 0) to the nearest integer, a half away from zero.
Wide roundedQuotient(Wide numerator, Wide divisor) {
    const Wide magnitude = numerator < 0 ? -numerator : numerator;
    Wide quotient = magnitude / divisor;
    if (2 * (magnitude % divisor) >= divisor)
        ++quotient;
    return numerator < 0 ? -quotient : quotient;
}

ScaledAmount kopecksToScaled(Wide kopecks) {
    constexpr Wide kLimit = INT64_MAX / kKopeck;
    if (kopecks > kLimit || kopecks < -kLimit)
        throw AmountOverflow();
    return static_cast<ScaledAmount>(kopecks) * kKopeck;
}

}  // namespace

std::int64_t RateMillionths(double annualRate) {
    const double millionths = std::round(annualRate * 1e6);
    if (!(std::fabs(millionths) < 9e18))
        throw AmountOverflow();
    return static_cast<std::int64_t>(millionths);
}

std::int64_t YearShareWeight(const Date& earlier, const Date& later) {
    if (!(earlier < later))
        return 0;
    const std::int64_t last = DaySerial(later);
    std::int64_t counted = DaySerial(earlier);  // the days after this one are weighed
    std::int64_t weight = 0;
    for (int year = earlier.year;; ++year) {
        const std::int64_t yearEnd = year < later.year ? DaySerial({year, 12, 31}) : last;
        weight += (yearEnd - counted) * (DaysInYear(year) == kCommonYear ? kLeapYear : kCommonYear);
        if (year >= later.year)
            return weight;
        counted = yearEnd;
    }
}

ScaledAmount InterestForWeight(ScaledAmount balance, std::int64_t rateMillionths,
                               std::int64_t weight) {
    if (balance == 0 || rateMillionths == 0 || weight == 0)
        return 0;
    Wide product = 0;
    if (__builtin_mul_overflow(static_cast<Wide>(balance), static_cast<Wide>(rateMillionths),
                               &product) ||
        __builtin_mul_overflow(product, static_cast<Wide>(weight), &product))
        throw AmountOverflow();
    return kopecksToScaled(roundedQuotient(product, kInterestDivisor));
}

ScaledAmount ExactInterest(ScaledAmount balance, double annualRate, const Date& earlier,
                           const Date& later) {
    return InterestForWeight(balance, RateMillionths(annualRate), YearShareWeight(earlier, later));
}

ScaledAmount EvenShare(ScaledAmount amount, int parts) {
    if (parts <= 0)
        return amount;
    return kopecksToScaled(roundedQuotient(amount, static_cast<Wide>(parts) * kKopeck));
}

}  // namespace loan
