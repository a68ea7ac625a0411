#pragma once

// The forecast of the months that remain after the recorded payments: one month after
// another until the balance reaches zero.

#include <optional>
#include <vector>

#include "loan/money.h"
#include "loan/monthly_amounts.h"

namespace loan {

struct ForecastTerms {
    ScaledAmount balance = 0;            // owed after the last recorded payment
    ScaledAmount standardPrincipal = 0;  // the regular monthly principal
    double annualRate = 0;               // percent
    // With `amountIsTotal` false, the principal of every month (capped by the balance);
    // otherwise the total of every month, whose principal never falls below the regular one.
    ScaledAmount monthlyAmount = 0;
    bool amountIsTotal = false;
};

struct ForecastMonth {
    ScaledAmount balance = 0;  // at the start of the month
    ScaledAmount principal = 0;
    ScaledAmount interest = 0;
    ScaledAmount total = 0;
};

// The total paid over `months` payment months, per month, in whole hundredths.
ScaledAmount AverageMonthlyPayment(ScaledAmount totalPaid, int months);

// A thousand years: a balance out of all proportion to the monthly principal (a payment
// file edited by hand can hold one) would otherwise keep the forecast running for ages.
inline constexpr int kMaxForecastMonths = 12000;

// The months until the balance is repaid; none when nothing is owed. Empty (no value) when
// some month would repay no principal, or when the loan would not be repaid within
// `maxMonths`: such a loan is never paid off this way.
std::optional<std::vector<ForecastMonth>> ForecastMonths(const ForecastTerms& terms,
                                                         int maxMonths = kMaxForecastMonths);

}  // namespace loan
