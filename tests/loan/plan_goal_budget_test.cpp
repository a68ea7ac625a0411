#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "loan/plan.h"
#include "loan/plan_goal.h"

namespace {

using loan::Date;
using loan::PlanBudget;
using loan::PlanGoal;
using loan::PlanGoalOutcome;
using loan::PlanRowKind;
using loan::PlanScheme;
using loan::PlanTerms;
using loan::PlanVariant;
using loan::PrepaymentMode;
using loan::RunPlan;
using loan::ScaledAmount;

ScaledAmount rub(long double units) {
    return loan::ToScaled(units);
}

// 1 000 000 at 12 % for 24 months from 31.01.2024.
PlanTerms exampleLoan(PlanScheme scheme) {
    PlanTerms terms;
    terms.sum = rub(1000000);
    terms.annualRate = 12;
    terms.termMonths = 24;
    terms.loanDate = {2024, 1, 31};
    terms.scheme = scheme;
    return terms;
}

// Saturdays and Sundays off.
bool weekday(const Date& date) {
    return ((loan::DaySerial(date) + 3) % 7 + 7) % 7 < 5;
}

// What the rows of each date pay together, in the order of the dates.
std::vector<std::pair<Date, ScaledAmount>> paidByDate(const std::vector<loan::PlanRow>& rows) {
    std::vector<std::pair<Date, ScaledAmount>> paid;
    for (const loan::PlanRow& row : rows) {
        if (paid.empty() || paid.back().first != row.date)
            paid.emplace_back(row.date, 0);
        paid.back().second += row.total;
    }
    return paid;
}

TEST(PlanBudget, EveryDateButTheLastPaysTheBudgetInEitherModeAndScheme) {
    for (const PlanScheme scheme : {PlanScheme::Annuity, PlanScheme::Differentiated}) {
        for (const PrepaymentMode mode : {PrepaymentMode::LowerPayment, PrepaymentMode::ShortenTerm}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(scheme)) + "/" +
                         std::to_string(static_cast<int>(mode)));
            PlanTerms terms = exampleLoan(scheme);
            terms.budget = PlanBudget{rub(80000), mode};
            const loan::PlanResult result = RunPlan(terms);
            const auto paid = paidByDate(result.rows);
            ASSERT_GT(paid.size(), 2u);
            for (std::size_t i = 0; i + 1 < paid.size(); ++i)
                EXPECT_EQ(paid[i].second, rub(80000)) << loan::FormatShortDate(paid[i].first);
            EXPECT_LE(paid.back().second, rub(80000));
            EXPECT_GT(paid.back().second, 0);
            // A regular row then the budget's on each date, the budget's of no source and
            // without interest (paid on the regular payment's date).
            for (std::size_t i = 0; i < result.rows.size(); ++i) {
                const loan::PlanRow& row = result.rows[i];
                if (row.kind == PlanRowKind::Prepayment) {
                    ASSERT_GT(i, 0u);
                    EXPECT_EQ(result.rows[i - 1].kind, PlanRowKind::Regular);
                    EXPECT_EQ(result.rows[i - 1].date, row.date);
                    EXPECT_EQ(row.source, -1);
                    EXPECT_EQ(row.interest, 0);
                }
            }
            EXPECT_EQ(result.rows.back().balance, result.rows.back().principal);
            EXPECT_LT(result.summary.lastPaymentDate, (Date{2025, 6, 1}));
            EXPECT_EQ(result.summary.principal, terms.sum);
            EXPECT_TRUE(result.issues.empty());
        }
    }
}

TEST(PlanBudget, ABudgetNotAboveThePaymentChangesNothing) {
    PlanTerms terms = exampleLoan(PlanScheme::Annuity);
    const loan::PlanResult without = RunPlan(terms);
    // The annuity is 47 073,47: a budget of exactly that leaves nothing to prepay.
    terms.budget = PlanBudget{rub(47073.47), PrepaymentMode::LowerPayment};
    const loan::PlanResult with = RunPlan(terms);
    EXPECT_EQ(with.rows.size(), without.rows.size());
    EXPECT_EQ(with.summary.interest, without.summary.interest);
    // A kopeck more is prepaid every month.
    terms.budget->amount += rub(0.01);
    EXPECT_EQ(RunPlan(terms).rows.size(), 2 * without.rows.size() - 1);
}

TEST(PlanBudget, TheVariantsGiveTheBudgetTheirModeAndLeaveItOutWithoutPrepayments) {
    PlanTerms terms = exampleLoan(PlanScheme::Annuity);
    terms.isWorkingDay = weekday;
    terms.prepayments = {{{2024, 5, 15}, rub(100000), PrepaymentMode::LowerPayment, false}};
    terms.budget = PlanBudget{rub(60000), PrepaymentMode::LowerPayment};
    const loan::PlanResult result = RunPlan(terms);

    PlanTerms plain = terms;
    plain.prepayments.clear();
    plain.budget.reset();
    const auto& comparison = result.comparison;
    EXPECT_EQ(comparison[0].summary.interest, result.summary.interest);
    EXPECT_EQ(comparison[1].summary.interest, RunPlan(plain).summary.interest);
    for (const auto& [index, mode] : {std::pair{2, PrepaymentMode::ShortenTerm},
                                     std::pair{3, PrepaymentMode::LowerPayment}}) {
        PlanTerms all = terms;
        all.prepayments[0].mode = mode;
        all.budget->mode = mode;
        const loan::PlanSummary expected = RunPlan(all).summary;
        const loan::PlanSummary& variant = comparison[static_cast<std::size_t>(index)].summary;
        EXPECT_EQ(variant.interest, expected.interest) << index;
        EXPECT_EQ(variant.lastPaymentDate, expected.lastPaymentDate) << index;
        EXPECT_EQ(variant.regularPayments, expected.regularPayments) << index;
    }
    // All "payment" already: that variant is the plan itself. Under "term" the payment stays
    // and the budget's part is smaller, but every date pays the same in all: so the same
    // interest.
    EXPECT_EQ(comparison[3].summary.interest, result.summary.interest);
    EXPECT_EQ(comparison[2].summary.interest, result.summary.interest);
    EXPECT_EQ(comparison[2].summary.lastPayment, comparison[2].summary.firstPayment);
    EXPECT_LT(comparison[3].summary.lastPayment, comparison[3].summary.firstPayment);
    // The budget alone makes the plan differ from the one without prepayments too.
    PlanTerms budgetOnly = terms;
    budgetOnly.prepayments.clear();
    const loan::PlanResult alone = RunPlan(budgetOnly);
    EXPECT_GT(alone.comparison[0].interestSaved, 0);
    EXPECT_EQ(alone.comparison[1].summary.interest, RunPlan(plain).summary.interest);
}

// The date the plan with X roubles a month from the first regular date is repaid on.
Date repaidWith(const PlanTerms& terms, const PlanGoal& goal, ScaledAmount roubles) {
    PlanGoal trial = goal;
    trial.monthly = roubles * loan::kScale;
    return RunPlan(loan::WithGoal(terms, trial)).summary.lastPaymentDate;
}

TEST(PlanGoal, TheSmallestWholeRoublesThatMeetTheDateInManyPlans) {
    std::map<std::string, PlanTerms> plans;
    plans["annuity"] = exampleLoan(PlanScheme::Annuity);
    plans["differentiated"] = exampleLoan(PlanScheme::Differentiated);
    PlanTerms busy = exampleLoan(PlanScheme::Annuity);
    busy.isWorkingDay = weekday;
    busy.paymentDay = 10;
    busy.prepayments = {{{2024, 6, 3}, rub(50000), PrepaymentMode::LowerPayment, false}};
    busy.rateChanges = {{{2024, 9, 1}, 15}};
    busy.budget = PlanBudget{rub(55000), PrepaymentMode::LowerPayment};
    plans["busy"] = busy;
    PlanTerms mortgage;
    mortgage.sum = rub(3000000);
    mortgage.annualRate = 9.5;
    mortgage.termMonths = 360;
    mortgage.loanDate = {2024, 1, 15};
    plans["mortgage"] = mortgage;

    const std::map<std::string, Date> targets = {{"annuity", {2024, 12, 31}},
                                                 {"differentiated", {2025, 3, 5}},
                                                 {"busy", {2024, 11, 20}},
                                                 {"mortgage", {2034, 1, 15}}};
    for (const auto& [name, terms] : plans) {
        SCOPED_TRACE(name);
        const Date target = targets.at(name);
        const PlanGoal goal = loan::FindPlanGoal(terms, target);
        ASSERT_EQ(goal.outcome, PlanGoalOutcome::Found);
        EXPECT_EQ(goal.firstDate, loan::PlanPaymentDates(terms).front());
        ASSERT_GT(goal.monthly, 0);
        EXPECT_EQ(goal.monthly % loan::kScale, 0);
        const ScaledAmount x = goal.monthly / loan::kScale;
        const loan::PlanResult with = RunPlan(loan::WithGoal(terms, goal));
        EXPECT_LE(with.summary.lastPaymentDate, target);
        EXPECT_EQ(with.summary.lastPaymentDate, goal.lastPaymentDate);
        EXPECT_GT(repaidWith(terms, goal, x - 1), target);
        EXPECT_EQ(goal.interestSaved,
                  RunPlan(terms).summary.interest - with.summary.interest);
        EXPECT_GT(goal.interestSaved, 0);
        // Every repetition is taken: none is refused or left past the repaid loan.
        EXPECT_TRUE(with.issues.size() == RunPlan(terms).issues.size() ||
                    with.issues.back().kind == loan::PlanIssueKind::LoanRepaid);
    }
}

TEST(PlanGoal, ADateTheLoanMeetsNeedsNothingAndOneBeforeTheFirstPaymentNoAmountCanMeet) {
    const PlanTerms terms = exampleLoan(PlanScheme::Annuity);
    const Date last = RunPlan(terms).summary.lastPaymentDate;  // 31.01.2026
    for (const Date& target : {last, Date{2030, 1, 1}}) {
        const PlanGoal goal = loan::FindPlanGoal(terms, target);
        EXPECT_EQ(goal.outcome, PlanGoalOutcome::AlreadyMet);
        EXPECT_EQ(goal.monthly, 0);
        EXPECT_EQ(goal.lastPaymentDate, last);
        EXPECT_EQ(loan::WithGoal(terms, goal).prepayments.size(), 0u);
    }
    // A day earlier needs a prepayment.
    EXPECT_EQ(loan::FindPlanGoal(terms, loan::DateFromSerial(loan::DaySerial(last) - 1)).outcome, PlanGoalOutcome::Found);

    // The first regular payment is on 29.02.2024: a day before it no amount helps; on it,
    // the whole balance after that payment is the answer.
    const PlanGoal before = loan::FindPlanGoal(terms, {2024, 2, 28});
    EXPECT_EQ(before.outcome, PlanGoalOutcome::BeforeFirstDate);
    EXPECT_EQ(before.monthly, 0);
    const PlanGoal onFirst = loan::FindPlanGoal(terms, {2024, 2, 29});
    ASSERT_EQ(onFirst.outcome, PlanGoalOutcome::Found);
    EXPECT_EQ(onFirst.monthly, rub(962435));  // the balance 962 434,73 after payment 1
    EXPECT_EQ(onFirst.lastPaymentDate, (Date{2024, 2, 29}));

    EXPECT_EQ(loan::FindPlanGoal(PlanTerms{}, {2024, 2, 29}).outcome, PlanGoalOutcome::NoPlan);
}

}  // namespace
