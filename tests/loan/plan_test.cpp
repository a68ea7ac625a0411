#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/errors.h"
#include "loan/plan.h"

namespace {

using loan::Date;
using loan::PlanIssueKind;
using loan::PlanRowKind;
using loan::PlanScheme;
using loan::PlanTerms;
using loan::PrepaymentMode;
using loan::RunPlan;
using loan::ScaledAmount;

ScaledAmount rub(long double units) {
    return loan::ToScaled(units);
}

// 1 000 000 at 12 % for 24 months from 31.01.2024, an annuity.
PlanTerms exampleLoan() {
    PlanTerms terms;
    terms.sum = rub(1000000);
    terms.annualRate = 12;
    terms.termMonths = 24;
    terms.loanDate = {2024, 1, 31};
    return terms;
}

struct RowFigures {
    Date date;
    PlanRowKind kind;
    long double balance, principal, interest, total;
};

void expectRows(const std::vector<loan::PlanRow>& rows, std::size_t first,
                const std::vector<RowFigures>& expected) {
    ASSERT_GE(rows.size(), first + expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const loan::PlanRow& row = rows[first + i];
        const RowFigures& want = expected[i];
        SCOPED_TRACE("row " + std::to_string(first + i + 1));
        EXPECT_EQ(row.date, want.date);
        EXPECT_EQ(row.kind, want.kind);
        EXPECT_EQ(row.balance, rub(want.balance));
        EXPECT_EQ(row.principal, rub(want.principal));
        EXPECT_EQ(row.interest, rub(want.interest));
        EXPECT_EQ(row.total, rub(want.total));
    }
}

const auto R = PlanRowKind::Regular;
const auto P = PlanRowKind::Prepayment;

TEST(Plan, TheWorkedExample) {
    PlanTerms terms = exampleLoan();
    EXPECT_EQ(loan::PlanAnnuity(terms.sum, 12, 24), rub(47073.47));
    const loan::PlanResult plain = RunPlan(terms);
    ASSERT_EQ(plain.rows.size(), 24u);
    // 31.01-29.02.2024: 29 days of a 366-day year.
    expectRows(plain.rows, 0, {{{2024, 2, 29}, R, 1000000, 37565.27, 9508.20, 47073.47}});
    EXPECT_EQ(plain.summary.principal, terms.sum);

    terms.prepayments = {{{2024, 3, 31}, rub(500000), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult lower = RunPlan(terms);
    // On a regular date it comes after that date's payment and carries no interest.
    expectRows(lower.rows, 1,
               {{{2024, 3, 31}, R, 962434.73, 37291.35, 9782.12, 47073.47},
                {{2024, 3, 31}, P, 925143.38, 500000, 0, 500000},
                {{2024, 4, 30}, R, 425143.38, 17442.63, 4181.74, 21624.37}});
    EXPECT_EQ(lower.summary.firstPayment, rub(47073.47));
    EXPECT_EQ(lower.summary.lastPayment, rub(21624.37));
    EXPECT_EQ(lower.summary.regularPayments, 24);

    terms.prepayments[0].mode = PrepaymentMode::ShortenTerm;
    const loan::PlanResult shorter = RunPlan(terms);
    EXPECT_EQ(shorter.summary.lastPaymentDate, (Date{2025, 1, 31}));
    EXPECT_EQ(shorter.summary.regularPayments, 12);
    expectRows(shorter.rows, shorter.rows.size() - 1,
               {{{2025, 1, 31}, R, 23974.81, 23974.81, 244.35, 24219.16}});
    EXPECT_EQ(shorter.summary.lastPayment, rub(47073.47));
}

TEST(Plan, APrepaymentBetweenTwoDatesCarriesTheInterestSinceTheLastPayment) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 3, 15}, rub(100000), PrepaymentMode::ShortenTerm, false}};
    const loan::PlanResult result = RunPlan(terms);
    // 15 days to it, then the next regular payment's interest runs from it (16 days).
    expectRows(result.rows, 1,
               {{{2024, 3, 15}, P, 962434.73, 95266.71, 4733.29, 100000},
                {{2024, 3, 31}, R, 867168.02, 42524.39, 4549.08, 47073.47},
                {{2024, 4, 30}, R, 824643.63, 38962.22, 8111.25, 47073.47}});
}

TEST(Plan, LowerPaymentOnTheLastButOneDateLeavesOneMonth) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2025, 12, 31}, rub(20000), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult result = RunPlan(terms);
    ASSERT_EQ(result.rows.size(), 25u);
    expectRows(result.rows, 22,
               {{{2025, 12, 31}, R, 92279.20, 46132.98, 940.49, 47073.47},
                {{2025, 12, 31}, P, 46146.22, 20000, 0, 20000},
                {{2026, 1, 31}, R, 26146.22, 26146.22, 266.48, 26412.70}});
    // The annuity over the one month left, by months; the last payment is the balance.
    EXPECT_EQ(result.summary.lastPayment, rub(26407.68));
}

TEST(Plan, APrepaymentAboveTheBalanceClosesTheLoanAndLaterOnesAreDropped) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 6, 10}, rub(2000000), PrepaymentMode::ShortenTerm, false},
                         {{2024, 7, 10}, rub(1000), PrepaymentMode::ShortenTerm, true},
                         {{2024, 8, 10}, rub(1000), PrepaymentMode::LowerPayment, false}};
    const loan::PlanResult result = RunPlan(terms);
    expectRows(result.rows, result.rows.size() - 1,
               {{{2024, 6, 10}, P, 849113.34, 849113.34, 2783.98, 851897.32}});
    EXPECT_EQ(result.summary.regularPayments, 4);
    EXPECT_EQ(result.summary.lastPaymentDate, (Date{2024, 6, 10}));
    // The monthly one is noted once, at its first date, not for every month.
    ASSERT_EQ(result.issues.size(), 2u);
    EXPECT_EQ(result.issues[0].kind, PlanIssueKind::LoanRepaid);
    EXPECT_EQ(result.issues[0].source, 1);
    EXPECT_EQ(result.issues[0].date, (Date{2024, 7, 10}));
    EXPECT_EQ(result.issues[1].source, 2);
}

TEST(Plan, APrepaymentNotAboveItsInterestIsRefusedAndChangesNothing) {
    PlanTerms terms = exampleLoan();
    const loan::PlanResult without = RunPlan(terms);
    for (long double amount : {4000.0L, 4733.29L}) {
        terms.prepayments = {{{2024, 3, 15}, rub(amount), PrepaymentMode::ShortenTerm, false}};
        const loan::PlanResult result = RunPlan(terms);
        ASSERT_EQ(result.issues.size(), 1u);
        EXPECT_EQ(result.issues[0].kind, PlanIssueKind::InterestNotCovered);
        EXPECT_EQ(result.issues[0].interest, rub(4733.29));
        EXPECT_EQ(result.rows.size(), without.rows.size());
        EXPECT_EQ(result.summary.interest, without.summary.interest);
    }
    // On a regular date nothing is due, so any amount above 0 is taken.
    terms.prepayments = {{{2024, 3, 31}, rub(0.01), PrepaymentMode::ShortenTerm, false}};
    EXPECT_TRUE(RunPlan(terms).issues.empty());
}

TEST(Plan, MonthlyPrepaymentsRepeatOnTheirDayUpToTheLastRegularDate) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 2, 29}, rub(10000), PrepaymentMode::ShortenTerm, true}};
    const loan::PlanResult result = RunPlan(terms);
    expectRows(result.rows, 0,
               {{{2024, 2, 29}, R, 1000000, 37565.27, 9508.20, 47073.47},
                {{2024, 2, 29}, P, 962434.73, 10000, 0, 10000},
                {{2024, 3, 29}, P, 952434.73, 944.06, 9055.94, 10000},
                {{2024, 3, 31}, R, 951490.67, 46449.54, 623.93, 47073.47},
                {{2024, 4, 29}, P, 905041.13, 1394.69, 8605.31, 10000}});
    EXPECT_EQ(result.summary.regularPayments, 20);
    EXPECT_EQ(result.summary.lastPaymentDate, (Date{2025, 9, 30}));

    // From the 31st the day is clipped in short months and comes back in long ones; the
    // repeats stop at the last regular date (31.01.2026), lowering the payment each time.
    terms.prepayments = {{{2025, 10, 31}, rub(100), PrepaymentMode::LowerPayment, true}};
    std::vector<Date> dates;
    for (const loan::PlanRow& row : RunPlan(terms).rows) {
        if (row.kind == P)
            dates.push_back(row.date);
    }
    EXPECT_EQ(dates, (std::vector<Date>{{2025, 10, 31}, {2025, 11, 30}, {2025, 12, 31}}));
}

TEST(Plan, ARateChangeTakesHoldAtTheFirstRegularDateOnOrAfterIt) {
    for (const Date changeDate : {Date{2024, 3, 10}, Date{2024, 3, 31}}) {
        PlanTerms terms = exampleLoan();
        terms.rateChanges = {{changeDate, 18}};
        const loan::PlanResult result = RunPlan(terms);
        // 31.03 still pays 12 %; from there on 18 % and the annuity over 22 months.
        expectRows(result.rows, 1,
                   {{{2024, 3, 31}, R, 962434.73, 37291.35, 9782.12, 47073.47},
                    {{2024, 4, 30}, R, 925143.38, 36033.61, 13649.66, 49683.27}});
        EXPECT_EQ(result.summary.lastPayment, rub(49683.27));
    }
    // A change after a prepayment that shortened the term takes the annuity again over the
    // regular dates left up to the last one that prepayment set, not the original ones.
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 3, 31}, rub(500000), PrepaymentMode::ShortenTerm, false}};
    terms.rateChanges = {{{2024, 6, 1}, 12}};
    const loan::PlanResult result = RunPlan(terms);
    EXPECT_EQ(result.summary.lastPaymentDate, (Date{2025, 1, 31}));
    EXPECT_EQ(result.summary.regularPayments, 12);
    // 30.06.2024 pays the old annuity; then 7 dates are left up to 31.01.2025.
    EXPECT_EQ(result.summary.lastPayment, loan::PlanAnnuity(result.rows[5].balance -
                                                                result.rows[5].principal,
                                                            12, 7));
}

TEST(Plan, RateChangesAndPrepaymentsOnOneDateComeInTheirOrder) {
    PlanTerms terms = exampleLoan();
    // The later change wins; the prepayment in mode "term" keeps the annuity the change set.
    terms.rateChanges = {{{2024, 3, 20}, 6}, {{2024, 3, 5}, 24}};
    terms.prepayments = {{{2024, 3, 31}, rub(100000), PrepaymentMode::ShortenTerm, false}};
    // 6 % on 825 143,38 for 30 days: 4 058,08; the annuity of 6 % on 925 143,38 over 22.
    expectRows(RunPlan(terms).rows, 3,
               {{{2024, 4, 30}, R, 825143.38, 40454.08, 4058.08, 44512.16}});
    // In mode "payment" the annuity is taken again on the balance after it, at the new rate.
    terms.prepayments[0].mode = PrepaymentMode::LowerPayment;
    expectRows(RunPlan(terms).rows, 3,
               {{{2024, 4, 30}, R, 825143.38, 35642.70, 4058.08, 39700.78}});
}

TEST(Plan, RegularDatesKeepTheLoanDaysDayAndClipItInShortMonths) {
    struct DateCase {
        Date loanDate;
        std::vector<Date> dates;
    };
    const DateCase cases[] = {
        {{2023, 1, 31}, {{2023, 2, 28}, {2023, 3, 31}, {2023, 4, 30}, {2023, 5, 31}}},
        {{2023, 1, 30}, {{2023, 2, 28}, {2023, 3, 30}, {2023, 4, 30}, {2023, 5, 30}}},
        {{2024, 1, 29}, {{2024, 2, 29}, {2024, 3, 29}, {2024, 4, 29}, {2024, 5, 29}}},
        {{2023, 11, 30}, {{2023, 12, 30}, {2024, 1, 30}, {2024, 2, 29}, {2024, 3, 30}}},
    };
    for (const DateCase& c : cases) {
        PlanTerms terms = exampleLoan();
        terms.loanDate = c.loanDate;
        terms.termMonths = 4;
        std::vector<Date> dates;
        for (const loan::PlanRow& row : RunPlan(terms).rows) dates.push_back(row.date);
        EXPECT_EQ(dates, c.dates) << loan::FormatShortDate(c.loanDate);
    }
}

TEST(Plan, InterestIsSplitAtTheEndOfAYearOfTheOtherLength) {
    PlanTerms terms;
    terms.sum = rub(100000);
    terms.annualRate = 12;
    terms.termMonths = 3;
    terms.loanDate = {2023, 12, 15};
    const loan::PlanResult result = RunPlan(terms);
    // 16 days of 365 and 15 of 366; then whole months of the leap year.
    expectRows(result.rows, 0,
               {{{2024, 1, 15}, R, 100000, 32984.38, 1017.83, 34002.21},
                {{2024, 2, 15}, R, 67015.62, 33321.07, 681.14, 34002.21},
                {{2024, 3, 15}, R, 33694.55, 33694.55, 320.37, 34014.92}});
}

TEST(Plan, DifferentiatedPaymentsRepayEqualPartsAndTheLastTakesTheRest) {
    PlanTerms terms;
    terms.sum = rub(1000);
    terms.annualRate = 12;
    terms.termMonths = 3;
    terms.loanDate = {2005, 1, 10};
    terms.scheme = PlanScheme::Differentiated;
    const loan::PlanResult result = RunPlan(terms);
    expectRows(result.rows, 0,
               {{{2005, 2, 10}, R, 1000, 333.33, 10.19, 343.52},
                {{2005, 3, 10}, R, 666.67, 333.33, 6.14, 339.47},
                {{2005, 4, 10}, R, 333.34, 333.34, 3.40, 336.74}});
    EXPECT_EQ(result.summary.firstPayment, rub(343.52));
    EXPECT_EQ(result.summary.lastPayment, rub(336.74));

    // Mode "payment" spreads the new balance over the months left; "term" keeps the part.
    terms.sum = rub(1200);
    terms.termMonths = 12;
    terms.prepayments = {{{2005, 3, 10}, rub(300), PrepaymentMode::LowerPayment, false}};
    expectRows(RunPlan(terms).rows, 3, {{{2005, 4, 10}, R, 700, 70, 7.13, 77.13}});
    terms.prepayments[0].mode = PrepaymentMode::ShortenTerm;
    const loan::PlanResult shorter = RunPlan(terms);
    EXPECT_EQ(shorter.summary.regularPayments, 9);
    EXPECT_EQ(shorter.rows.back().principal, rub(100));
}

TEST(Plan, APaymentGivenByTheUserReplacesTheAnnuityAndNeverRepaysBelowZero) {
    PlanTerms terms;
    terms.sum = rub(100000);
    terms.annualRate = 12;
    terms.termMonths = 3;
    terms.loanDate = {2024, 1, 31};
    terms.payment = rub(500);
    const loan::PlanResult result = RunPlan(terms);
    expectRows(result.rows, 0,
               {{{2024, 2, 29}, R, 100000, 0, 950.82, 950.82},
                {{2024, 3, 31}, R, 100000, 0, 1016.39, 1016.39},
                {{2024, 4, 30}, R, 100000, 100000, 983.61, 100983.61}});
    EXPECT_EQ(result.summary.firstPayment, rub(500));

    // The contract's figure is used as it is: a kopeck above the computed one.
    PlanTerms contract = exampleLoan();
    contract.payment = rub(47073.48);
    EXPECT_EQ(RunPlan(contract).rows[0].principal, rub(37565.28));
}

TEST(Plan, EntriesOnOrBeforeTheLoanDateTakeNoPart) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 1, 31}, rub(1000), PrepaymentMode::ShortenTerm, false}};
    terms.rateChanges = {{{2023, 12, 1}, 5}};
    const loan::PlanResult result = RunPlan(terms);
    ASSERT_EQ(result.issues.size(), 2u);
    for (const loan::PlanIssue& issue : result.issues)
        EXPECT_EQ(issue.kind, PlanIssueKind::NotAfterLoanDate);
    EXPECT_EQ(result.summary.interest, RunPlan(exampleLoan()).summary.interest);
}

TEST(Plan, AZeroRateSpreadsTheSumEvenly) {
    EXPECT_EQ(loan::PlanAnnuity(rub(1000), 0, 3), rub(333.33));
    PlanTerms terms = exampleLoan();
    terms.rateChanges = {{{2024, 2, 1}, 0}};
    const loan::PlanResult result = RunPlan(terms);
    EXPECT_EQ(result.rows[1].interest, 0);
    EXPECT_EQ(result.rows[1].total, loan::PlanAnnuity(rub(962434.73), 0, 23));
}

TEST(Plan, AmountsBeyondSixtyFourBitsThrowInsteadOfWrapping) {
    PlanTerms terms = exampleLoan();
    terms.sum = rub(1e14);
    terms.annualRate = 100000;
    terms.termMonths = 1000;
    EXPECT_THROW(RunPlan(terms), loan::AmountOverflow);
}

TEST(PlanComparison, FourVariantsAndTheInterestEachSaves) {
    PlanTerms terms = exampleLoan();
    terms.prepayments = {{{2024, 3, 31}, rub(500000), PrepaymentMode::LowerPayment, false}};
    terms.rateChanges = {{{2024, 3, 1}, 10}};
    const loan::PlanComparison comparison = loan::RunPlan(terms).comparison;
    const auto& [entered, without, term, payment] = comparison;
    EXPECT_EQ(entered.variant, loan::PlanVariant::AsEntered);
    EXPECT_EQ(without.variant, loan::PlanVariant::WithoutPrepayments);
    EXPECT_EQ(term.variant, loan::PlanVariant::AllShortenTerm);
    EXPECT_EQ(payment.variant, loan::PlanVariant::AllLowerPayment);

    EXPECT_EQ(without.interestSaved, 0);
    EXPECT_EQ(without.summary.regularPayments, 24);
    const loan::PlanResult withoutRows = loan::RunVariant(terms, without.variant);
    EXPECT_EQ(withoutRows.summary.interest, without.summary.interest);
    EXPECT_EQ(withoutRows.rows.size(), 24u);
    EXPECT_EQ(loan::RunVariant(terms, loan::PlanVariant::AllShortenTerm).rows.back().date,
              term.summary.lastPaymentDate);
    // The plan as entered is the plan with every prepayment lowering the payment.
    EXPECT_EQ(entered.summary.interest, payment.summary.interest);
    EXPECT_GT(payment.interestSaved, 0);
    // Shortening the term saves more interest than lowering the payment, in fewer months.
    EXPECT_GT(term.interestSaved, payment.interestSaved);
    EXPECT_LT(term.summary.regularPayments, 24);
    EXPECT_EQ(term.summary.firstPayment, rub(47073.47));
    for (const loan::VariantFigures& figures : comparison) {
        EXPECT_EQ(figures.interestSaved, without.summary.interest - figures.summary.interest);
        EXPECT_EQ(figures.summary.total, figures.summary.interest + terms.sum);
    }
}

}  // namespace
