#pragma once

#include <cstdint>

namespace loan {

// Monthly annuity for a principal P (currency units) at an annual rate R (percent) over N
// months, rounded up to whole currency units.
std::int64_t AnnuityPayment(double principal, double annualRate, double months);

}  // namespace loan
