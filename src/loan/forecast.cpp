#include "loan/forecast.h"

namespace loan {

ScaledAmount AverageMonthlyPayment(ScaledAmount totalPaid, int months) {
    const Extended perMonth = static_cast<Extended>(totalPaid) / months / kScale;
    return ToScaled(RoundFraction(100, static_cast<double>(perMonth)));
}

std::optional<std::vector<ForecastMonth>> ForecastMonths(const ForecastTerms& terms,
                                                         int maxMonths) {
    std::vector<ForecastMonth> months;
    ScaledAmount balance = terms.balance;
    ScaledAmount principalAmount = terms.monthlyAmount;
    while (balance > 0) {
        ForecastMonth month;
        month.balance = balance;
        month.interest = MonthlyInterest(balance, terms.annualRate);
        if (!terms.amountIsTotal) {
            if (principalAmount > balance)
                principalAmount = balance;
            month.principal = principalAmount;
            month.total = AddAmounts(principalAmount, month.interest);
        } else {
            ScaledAmount total = terms.monthlyAmount;
            if (terms.standardPrincipal > SubtractAmounts(total, month.interest))
                total = AddAmounts(terms.standardPrincipal, month.interest);
            const ScaledAmount rest = AddAmounts(balance, month.interest);
            if (total > rest)
                total = rest;
            month.principal = total - month.interest;
            month.total = total;
        }
        if (month.principal <= 0 || static_cast<int>(months.size()) >= maxMonths)
            return std::nullopt;
        balance -= month.principal;
        months.push_back(month);
    }
    return months;
}

}  // namespace loan
