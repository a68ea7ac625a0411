#include "loan/plan_goal.h"

#include <vector>

namespace loan {

Prepayment GoalPrepayment(const PlanGoal& goal) {
    return {goal.firstDate, goal.monthly, PrepaymentMode::ShortenTerm, true};
}

PlanTerms WithGoal(const PlanTerms& terms, const PlanGoal& goal) {
    PlanTerms with = terms;
    if (goal.monthly > 0)
        with.prepayments.push_back(GoalPrepayment(goal));
    return with;
}

PlanGoal FindPlanGoal(const PlanTerms& terms, const Date& target) {
    PlanGoal goal;
    goal.target = target;
    const std::vector<Date> dates = PlanPaymentDates(terms);
    if (terms.sum <= 0 || dates.empty())
        return goal;
    goal.firstDate = dates.front();
    const PlanSummary entered = RunPlanSummary(terms);
    goal.lastPaymentDate = entered.lastPaymentDate;
    if (entered.lastPaymentDate <= target) {
        goal.outcome = PlanGoalOutcome::AlreadyMet;
        return goal;
    }
    if (target < goal.firstDate) {
        goal.outcome = PlanGoalOutcome::BeforeFirstDate;
        return goal;
    }

    // One plan of the search: the terms with X roubles a month added as the last entry.
    PlanTerms trial = terms;
    trial.prepayments.push_back(GoalPrepayment(goal));
    const auto run = [&](ScaledAmount roubles) {
        trial.prepayments.back().amount = roubles * kScale;
        return RunPlanSummary(trial);
    };
    // X = the whole sum, paid right after the first regular payment, repays what is left then;
    // X = 0 does not meet the date. The bracket closes to two neighbours, the lower failing
    // and the upper meeting it.
    ScaledAmount failing = 0;
    ScaledAmount meeting = (terms.sum + kScale - 1) / kScale;
    PlanSummary met = run(meeting);
    while (meeting - failing > 1) {
        const ScaledAmount middle = failing + (meeting - failing) / 2;
        const PlanSummary summary = run(middle);
        if (summary.lastPaymentDate <= target) {
            meeting = middle;
            met = summary;
        } else {
            failing = middle;
        }
    }
    goal.outcome = PlanGoalOutcome::Found;
    goal.monthly = meeting * kScale;
    goal.lastPaymentDate = met.lastPaymentDate;
    goal.interestSaved = SubtractAmounts(entered.interest, met.interest);
    return goal;
}

}  // namespace loan
