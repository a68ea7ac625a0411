#pragma once

#include <cstdint>

namespace loan {

// Monthly annuity for a principal P (currency units) at an annual rate R (percent) over N
// months, P x I / (1 - (1 + I)^-N) with I = R / 1200, in extended precision and rounded to
// a Double, before any rounding to money. Not finite for a rate of 0.
double AnnuityAmount(double principal, double annualRate, double months);

// AnnuityAmount rounded up to whole currency units.
std::int64_t AnnuityPayment(double principal, double annualRate, double months);

}  // namespace loan
