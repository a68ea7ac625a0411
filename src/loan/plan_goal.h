#pragma once

// "Погасить к": the monthly prepayment that repays a plan by a chosen date. The answer is the
// smallest whole number of roubles X such that the plan, with X paid early every month from
// its first regular date shortening the term, makes its last payment on or before that date.
// It is found by bisection over the plan's own computation (RunPlanSummary), so it holds for
// whatever the plan has: the scheme, the payment day and days off, rate changes, the
// prepayments already listed and the budget.

#include "loan/date.h"
#include "loan/money.h"
#include "loan/plan.h"

namespace loan {

enum class PlanGoalOutcome {
    Found,            // X > 0 repays the loan by the date, X - 1 does not
    AlreadyMet,       // the plan as entered repays it by the date: X = 0
    BeforeFirstDate,  // the date is before the first regular payment: no X can do it
    NoPlan,           // no loan to repay (no sum or no term)
};

struct PlanGoal {
    PlanGoalOutcome outcome = PlanGoalOutcome::NoPlan;
    Date target;
    Date firstDate;            // the first regular date, where the monthly prepayment starts
    ScaledAmount monthly = 0;  // X, whole roubles
    // The last payment of the plan with X (of the plan as entered when X = 0).
    Date lastPaymentDate;
    // The interest the plan as entered pays less that of the plan with X.
    ScaledAmount interestSaved = 0;
};

// Throws AmountOverflow as RunPlan does.
PlanGoal FindPlanGoal(const PlanTerms& terms, const Date& target);

// The terms with the goal's prepayment added at the end of their list (the terms as they
// are when X = 0).
PlanTerms WithGoal(const PlanTerms& terms, const PlanGoal& goal);

// The goal's monthly prepayment, shortening the term from the first regular date.
Prepayment GoalPrepayment(const PlanGoal& goal);

}  // namespace loan
