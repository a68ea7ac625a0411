#include "loan/monthly_amounts.h"

namespace loan {

ScaledAmount RoundToHundredths(ScaledAmount amount) {
    return ToScaled(RoundFraction(100, ToUnitsDouble(amount)));
}

ScaledAmount StandardPrincipal(ScaledAmount loanSum, std::int32_t termMonths) {
    return RoundToHundredths(RoundToScaled(static_cast<Extended>(loanSum) / termMonths));
}

ScaledAmount MonthlyInterest(ScaledAmount balance, double annualRate) {
    return RoundToHundredths(ToScaled(PercentOf(ToUnitsDouble(balance), annualRate, 1.0 / 12)));
}

}  // namespace loan
