#include "loan/full_cost.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace loan {

namespace {

// Far beyond any real loan: a base-period rate of 10^30 means the payments on the loan
// date alone settle it.
constexpr Extended kHighestRate = 1e30L;
constexpr int kMaxBisections = 400;

constexpr int kLongestStepByMultiplying = 64;

// Present value, at the loan date, of the payments less the loan sum; falls as i grows. The
// payments come in order of their periods, so each power of (1 + i) grows from the one
// before: a multiplication a month instead of a power function call.
Extended netPresentValue(Extended i, ScaledAmount loanSum,
                         const std::vector<LoanPayment>& payments) {
    Extended sum = -static_cast<Extended>(loanSum);
    Extended growth = 1;  // (1 + i)^periods
    int periods = 0;
    for (const LoanPayment& payment : payments) {
        const int step = payment.periods - periods;
        if (step > kLongestStepByMultiplying) {
            growth *= std::pow(1 + i, static_cast<Extended>(step));
        } else {
            for (int k = 0; k < step; ++k) growth *= 1 + i;
        }
        periods = payment.periods;
        sum += static_cast<Extended>(payment.amount) / ((1 + payment.periodShare * i) * growth);
    }
    return sum;
}

}  // namespace

FullCostRate SolveFullCostRate(ScaledAmount loanSum, std::vector<LoanPayment> payments,
                               int periodsPerYear) {
    if (loanSum <= 0)
        return {FullCostStatus::NoLoan};
    std::stable_sort(
        payments.begin(), payments.end(),
        [](const LoanPayment& a, const LoanPayment& b) { return a.periods < b.periods; });
    Extended total = 0;
    Extended dueAtOnce = 0;  // what no rate discounts
    for (const LoanPayment& payment : payments) {
        if (payment.amount < 0)
            return {FullCostStatus::NegativePayment};
        if (payment.periods < 0 || payment.periodShare < 0 || payment.periodShare >= 1)
            return {FullCostStatus::PaymentBeforeLoan};
        total += static_cast<Extended>(payment.amount);
        if (payment.periods == 0 && payment.periodShare == 0)
            dueAtOnce += static_cast<Extended>(payment.amount);
    }
    if (total < static_cast<Extended>(loanSum))
        return {FullCostStatus::PaymentsTooSmall};
    if (total == static_cast<Extended>(loanSum))
        return {FullCostStatus::Found, 0};  // the payments return the sum and nothing more
    if (dueAtOnce >= static_cast<Extended>(loanSum))
        return {FullCostStatus::NoFiniteRate};

    Extended low = 0;
    Extended high = 1;
    while (netPresentValue(high, loanSum, payments) > 0) {
        low = high;
        high *= 2;
        if (high > kHighestRate)
            return {FullCostStatus::NoFiniteRate};
    }
    for (int step = 0; step < kMaxBisections; ++step) {
        const Extended middle = low + (high - low) / 2;
        if (middle <= low || middle >= high)
            break;  // the bracket is as narrow as the format allows
        if (netPresentValue(middle, loanSum, payments) > 0) {
            low = middle;
        } else {
            high = middle;
        }
    }
    const Extended i = low + (high - low) / 2;
    return {FullCostStatus::Found, i * periodsPerYear * 100};
}

std::string FormatFullCostPercent(Extended percentPerYear, const Locale& locale) {
    // to_chars rounds the exact binary value and ignores the C locale, which Qt sets.
    std::array<char, 64> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), percentPerYear,
                                   std::chars_format::fixed, 3)
                         .ptr;
    std::string result(text.data(), end);
    if (const auto point = result.find('.'); point != std::string::npos)
        result[point] = locale.decimalSeparator;
    return result;
}

}  // namespace loan
