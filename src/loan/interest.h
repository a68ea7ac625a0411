#pragma once

#include "loan/date.h"

namespace loan {

// Interest on `balance` (currency units) at `annualRate` percent per year for the whole days
// between two dates, in whole hundredths of the currency unit. The days are weighed against
// the length of their year: a span that meets a year of the other length (365 against 366)
// is split at 31 December of the earlier date's year, each part priced on its own.
double InterestBetween(double balance, double annualRate, const Date& laterDate,
                       const Date& earlierDate);

}  // namespace loan
