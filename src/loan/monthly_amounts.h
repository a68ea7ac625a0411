#pragma once

// The two monthly amounts every mode shares, each in whole hundredths of the currency unit.

#include <cstdint>

#include "loan/money.h"

namespace loan {

// An amount rounded to whole hundredths (RoundFraction with N = 100).
ScaledAmount RoundToHundredths(ScaledAmount amount);

// The regular principal part: the loan over the term, in whole hundredths.
ScaledAmount StandardPrincipal(ScaledAmount loanSum, std::int32_t termMonths);

// A twelfth of the annual rate on the balance, in whole hundredths, whatever the month's days.
ScaledAmount MonthlyInterest(ScaledAmount balance, double annualRate);

}  // namespace loan
