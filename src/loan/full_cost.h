#pragma once

// The full cost of credit (ПСК) as the consumer-credit law defines it. The loan sum is
// received at the loan date; each payment falls q_k whole base periods and a share e_k of
// one more after it. The base-period rate i is the root of
//
//     Σ ДП_k / ((1 + e_k·i) · (1 + i)^q_k) = 0
//
// over the flows ДП_k (the loan negative, the payments positive), and the cost is
// i × ЧБП × 100 percent a year, ЧБП being the number of base periods in a year.

#include <string>
#include <vector>

#include "text/locale.h"
#include "loan/money.h"

namespace loan {

struct LoanPayment {
    ScaledAmount amount = 0;
    int periods = 0;           // q_k, whole base periods after the loan date, not below 0
    Extended periodShare = 0;  // e_k, the part of a further period, from 0 to below 1
};

enum class FullCostStatus {
    Found,
    NoLoan,             // the loan sum is not above zero
    NegativePayment,    // a payment below zero: the rate would not be the only root
    PaymentBeforeLoan,  // a payment dated before the loan (or a period share outside [0, 1))
    PaymentsTooSmall,   // together the payments do not cover the loan sum
    NoFiniteRate,       // the payments on the loan date alone cover the loan sum
};

struct FullCostRate {
    FullCostStatus status = FullCostStatus::NoLoan;
    Extended percentPerYear = 0;  // i × ЧБП × 100, when found
};

// Solves for i by bisection on [0, upper bound] in extended precision: with the loan at the
// loan date and no payment below zero, the sum falls strictly as i grows, so the root is
// bracketed once and the bisection cannot diverge.
FullCostRate SolveFullCostRate(ScaledAmount loanSum, std::vector<LoanPayment> payments,
                               int periodsPerYear);

// The rate as lenders state it: three decimals, the locale's separator ("23,456").
std::string FormatFullCostPercent(Extended percentPerYear, const Locale& locale);

}  // namespace loan
