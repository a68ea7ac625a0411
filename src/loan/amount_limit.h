#pragma once

// The amount limit: the largest amount an input, a principal part, interest or a fee may
// hold. Below 2^39 units a Double errs by under half a ten-thousandth, so such an amount, and
// a row's total of three, reads back as itself from its text and from RoundFraction; a share
// (PercentOf) of 10^11 errs by under one ten-thousandth, so it rounds to the kopeck as exact
// arithmetic does; and 1000 rows of such figures sum far inside 64 bits. Past it a figure
// would lose kopecks, so inputs past it are refused, and so is a schedule whose rows pass it.

#include "loan/money.h"

namespace loan {

inline constexpr double kMaxAmountUnits = 1e11;
inline constexpr ScaledAmount kMaxScaledAmount = 1'000'000'000'000'000;  // kMaxAmountUnits

// Whether a figure already scaled is within the limit either way.
inline bool WithinAmountLimit(ScaledAmount amount) {
    return amount >= -kMaxScaledAmount && amount <= kMaxScaledAmount;
}

}  // namespace loan
