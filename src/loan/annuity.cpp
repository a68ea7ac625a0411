#include "loan/annuity.h"

#include <cmath>

#include "text/errors.h"
#include "loan/money.h"

namespace loan {

namespace {

// Base raised to a whole power by repeated squaring, every product rounded to Extended.
Extended wholePower(Extended base, std::int64_t exponent) {
    std::uint64_t remaining = static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent);
    Extended result = 1;
    while (remaining > 0) {
        while ((remaining & 1U) == 0) {
            remaining >>= 1;
            base = base * base;
        }
        --remaining;
        result = result * base;
    }
    return exponent < 0 ? 1 / result : result;
}

Extended power(Extended base, double exponent) {
    if (std::trunc(exponent) == exponent && std::fabs(exponent) < 2147483647.0) {
        return wholePower(base, static_cast<std::int64_t>(exponent));
    }
    return std::pow(base, static_cast<Extended>(exponent));
}

}  // namespace

double AnnuityAmount(double principal, double annualRate, double months) {
    const double monthlyRate = static_cast<double>(static_cast<Extended>(annualRate) / 100 / 12);
    const Extended growth = power(1 + static_cast<Extended>(monthlyRate), months);
    return static_cast<double>(static_cast<Extended>(principal) * monthlyRate / (1 - 1 / growth));
}

std::int64_t AnnuityPayment(double principal, double annualRate, double months) {
    const double rounded = std::ceil(AnnuityAmount(principal, annualRate, months));
    if (!(rounded > -9.2e18 && rounded < 9.2e18))
        throw AmountOverflow();
    return static_cast<std::int64_t>(rounded);
}

}  // namespace loan
