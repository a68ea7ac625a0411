#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "loan/full_cost.h"

namespace {

using loan::Extended;
using loan::FullCostStatus;
using loan::LoanPayment;
using loan::ScaledAmount;
using loan::SolveFullCostRate;

constexpr ScaledAmount kUnit = 10000;  // one currency unit

// Payments in whole kopecks falling one a month from the first month on.
std::vector<LoanPayment> monthly(const std::vector<ScaledAmount>& kopecks) {
    std::vector<LoanPayment> payments;
    for (std::size_t k = 0; k < kopecks.size(); ++k) {
        payments.push_back({kopecks[k] * 100, static_cast<int>(k) + 1});
    }
    return payments;
}

// Equal principal parts with interest of rate / 12 on the balance, as the schedule computes
// them when every amount comes out in whole kopecks.
std::vector<ScaledAmount> differentiated(ScaledAmount loanKopecks, int months, int feeKopecks = 0) {
    std::vector<ScaledAmount> payments;
    const ScaledAmount part = loanKopecks / months;
    for (ScaledAmount balance = loanKopecks; balance > 0; balance -= part) {
        payments.push_back(part + balance / 100 + feeKopecks);  // 1 % of the balance
    }
    return payments;
}

Extended solved(ScaledAmount loanUnits, const std::vector<LoanPayment>& payments) {
    const loan::FullCostRate rate = SolveFullCostRate(loanUnits * kUnit, payments, 12);
    EXPECT_EQ(rate.status, FullCostStatus::Found);
    return rate.percentPerYear;
}

TEST(FullCostRate, TwelvePercentSchedulesWithoutFeesCostTwelvePercent) {
    // Differentiated, 12000 at 12 % for 12 months: every month pays exactly 1 % on the rest.
    EXPECT_NEAR(solved(12000, monthly(differentiated(1'200'000, 12))), 12, 1e-12);
    // Equal payments: 1067,00 a month and a last one of 1056,67. The whole-unit annuity and
    // the kopecks of the interest move the exact rate to 12,000005 %, invisible in the
    // three decimals stated.
    std::vector<ScaledAmount> annuity(11, 106'700);
    annuity.push_back(105'667);
    const Extended percent = solved(12000, monthly(annuity));
    EXPECT_NEAR(percent, 12.000004968, 1e-8);
    EXPECT_EQ(loan::FormatFullCostPercent(percent, loan::Locale::withSeparator(',')), "12,000");
}

TEST(FullCostRate, AFeeRaisesTheCost) {
    // 0,5 % of the sum a month, 60,00 on top of every payment of the schedule above.
    const Extended percent = solved(12000, monthly(differentiated(1'200'000, 12, 6'000)));
    EXPECT_NEAR(percent, 22.7091578807, 1e-8);
    EXPECT_GT(solved(12000, monthly(differentiated(1'200'000, 12, 1))), 12.0);
}

TEST(FullCostRate, MatchesTheClosedFormOfASinglePayment) {
    // One payment P after n periods: i = (P / L)^(1/n) - 1.
    EXPECT_NEAR(solved(1000, {{1010 * kUnit, 1}}), 12, 1e-12);
    const Extended doubled = 1200 * (std::pow(2.0L, 1.0L / 12) - 1);
    EXPECT_NEAR(solved(1000, {{2000 * kUnit, 12}}), doubled, 1e-12);
    const Extended doubledInTenYears = 1200 * (std::pow(2.0L, 1.0L / 120) - 1);
    EXPECT_NEAR(solved(1000, {{2000 * kUnit, 120}}), doubledInTenYears, 1e-12);
    // Half a period on: 1000 × (1 + 0,5 i) = 1010 gives i = 2 %.
    EXPECT_NEAR(solved(1000, {{1010 * kUnit, 0, 0.5L}}), 24, 1e-12);
}

TEST(FullCostRate, AThousandMonthsAreSolvedExactlyAndQuickly) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<LoanPayment> payments = monthly(differentiated(1'200'000, 1000));
    EXPECT_NEAR(solved(12000, payments), 12, 1e-12);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    // The payments may come in any order.
    std::reverse(payments.begin(), payments.end());
    EXPECT_NEAR(solved(12000, payments), 12, 1e-12);
    // The highest rate the form takes, 100000 % a year, on a one-month loan.
    EXPECT_NEAR(solved(1000, {{(1000 + 83333) * kUnit, 1}}), 99999.6, 1e-8);
}

TEST(FullCostRate, RefusesWhereNoRateMeansAnything) {
    const struct {
        const char* what;
        ScaledAmount loanSum;
        std::vector<LoanPayment> payments;
        FullCostStatus expected;
    } cases[] = {
        {"payments short of the sum by a kopeck", 1000 * kUnit, monthly({33'333, 33'333, 33'333}),
         FullCostStatus::PaymentsTooSmall},
        {"no payments", 1000 * kUnit, {}, FullCostStatus::PaymentsTooSmall},
        {"no loan", 0, monthly({100}), FullCostStatus::NoLoan},
        {"a negative loan", -1000 * kUnit, monthly({100}), FullCostStatus::NoLoan},
        {"a payment below zero", 1000 * kUnit, monthly({200'000, -50'000}),
         FullCostStatus::NegativePayment},
        {"a payment before the loan",
         1000 * kUnit,
         {{1010 * kUnit, -1}},
         FullCostStatus::PaymentBeforeLoan},
        {"the loan repaid on its own date with more",
         1000 * kUnit,
         {{1001 * kUnit, 0}, {10 * kUnit, 1}},
         FullCostStatus::NoFiniteRate},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(loan::SolveFullCostRate(c.loanSum, c.payments, 12).status, c.expected) << c.what;
    }
    // Paying back exactly the sum costs nothing.
    const loan::FullCostRate free = SolveFullCostRate(1000 * kUnit, monthly({50'000, 50'000}), 12);
    EXPECT_EQ(free.status, FullCostStatus::Found);
    EXPECT_EQ(free.percentPerYear, 0);
}

TEST(FullCostRate, IsStatedWithThreeDecimals) {
    const loan::Locale comma = loan::Locale::withSeparator(',');
    EXPECT_EQ(loan::FormatFullCostPercent(23.4564L, comma), "23,456");
    EXPECT_EQ(loan::FormatFullCostPercent(23.4566L, comma), "23,457");
    EXPECT_EQ(loan::FormatFullCostPercent(0, comma), "0,000");
    EXPECT_EQ(loan::FormatFullCostPercent(999996.0004L, loan::Locale::withSeparator('.')),
              "999996.000");
}

}  // namespace
