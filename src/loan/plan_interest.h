#pragma once

// The planner's interest as a bank computes it: exact, rounded once to the kopeck.
//
// Interest on a period is balance x rate / 100 x (the period's days in each calendar year /
// that year's 365 or 366). The days of a period are those after its first date up to and
// including its last. The rate is taken as written, in millionths of a percent, and the
// product is formed in 128-bit integers: no binary fraction enters it.

#include <cstdint>

#include "loan/date.h"
#include "loan/money.h"

namespace loan {

// A rate in percent as the decimal it was written as: whole millionths of a percent (9,6 is
// read back as 9 600 000, not as the binary number nearest to it). Throws AmountOverflow
// for a rate that is not a number or beyond any loan.
std::int64_t RateMillionths(double annualRate);

// The days of (earlier, later] weighed by their years, over 365 x 366: a day of a 365-day
// year counts 366, one of a leap year 365. 0 when later is not after earlier.
std::int64_t YearShareWeight(const Date& earlier, const Date& later);

// The interest on `balance` at `rateMillionths` for days of the weight given, to the kopeck,
// a half kopeck away from zero (up, for the positive amounts a loan has). Throws
// AmountOverflow when it leaves 64 bits.
ScaledAmount InterestForWeight(ScaledAmount balance, std::int64_t rateMillionths,
                               std::int64_t weight);

// The same for the days between two dates at a rate in percent.
ScaledAmount ExactInterest(ScaledAmount balance, double annualRate, const Date& earlier,
                           const Date& later);

// `amount` split into `parts` equal shares, one share to the kopeck, a half kopeck up.
ScaledAmount EvenShare(ScaledAmount amount, int parts);

}  // namespace loan
