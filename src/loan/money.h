#pragma once

// Money is a signed 64-bit count of ten-thousandths of the currency unit (ScaledAmount).
// A number becomes one by multiplying by 10000 in 80-bit extended precision and rounding
// to the nearest integer, an exact half to the even neighbour. A result that does not fit
// in 64 bits (or is not a finite number) throws AmountOverflow: nothing ever wraps.

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "text/locale.h"

namespace loan {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "amounts need the 80-bit extended format with a 64-bit significand");

using ScaledAmount = std::int64_t;
constexpr ScaledAmount kScale = 10000;

// An amount that does not fit in a ScaledAmount.
class AmountOverflow : public std::overflow_error {
  public:
    AmountOverflow() : std::overflow_error("Сумма слишком велика для расчета.") {}
};

// Round half to even to a whole ScaledAmount.
ScaledAmount RoundToScaled(Extended value);
// Currency units to a ScaledAmount: units x 10000 in Extended, rounded half to even.
inline ScaledAmount ToScaled(Extended units) {
    return RoundToScaled(units * kScale);
}
// A ScaledAmount as currency units in Extended (exact conversion, one division).
inline Extended ToUnits(ScaledAmount amount) {
    return static_cast<Extended>(amount) / kScale;
}
// The same rounded to a Double, the form routines taking a Double receive.
inline double ToUnitsDouble(ScaledAmount amount) {
    return static_cast<double>(ToUnits(amount));
}
// Whether a number of currency units is within the amount limit (loan/amount_limit.h).
bool FitsScaled(double units);

ScaledAmount AddAmounts(ScaledAmount a, ScaledAmount b);
ScaledAmount SubtractAmounts(ScaledAmount a, ScaledAmount b);

// Percent / 100 x Base x Factor, in Extended and in that order, rounded to a Double.
double PercentOf(double base, double percent, double factor);

// X with its fractional part rounded to a multiple of 1/N, halves away from zero, on the
// binary value of X.
double RoundFraction(int n, double x);

// Below 10^11 units (10^15 ten-thousandths) an amount has at most 15 significant digits,
// so its text is its own digits, and the text reads back as exactly the amount.
inline bool FormatsExactly(ScaledAmount amount) {
    constexpr ScaledAmount kLimit = 1'000'000'000'000'000;
    return amount > -kLimit && amount < kLimit;
}

// Text of A / 10000 with at least two decimals and the locale's separator, every digit.
std::string FormatMoney(ScaledAmount amount, const Locale& locale);
// The same built from the general number text of A / 10000: the reference that FormatMoney
// matches character for character below 10^11 units (above, it keeps 15 digits only).
std::string FormatMoneyFromGeneralText(ScaledAmount amount, const Locale& locale);

}  // namespace loan
