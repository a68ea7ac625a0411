#include <benchmark/benchmark.h>

#include "loan/plan.h"
#include "loan/plan_goal.h"

namespace {

// Saturdays, Sundays and 1-8 January off.
bool workingDay(const loan::Date& date) {
    const auto weekday = ((loan::DaySerial(date) + 3) % 7 + 7) % 7;  // 0 = Monday
    return weekday < 5 && !(date.month == 1 && date.day <= 8);
}

// "Погасить к" 15.01.2034 on 3 000 000 at 9,5 % for 360 months from 15.01.2024, equal
// payments moved off days off, two rate changes; with budget:1 also "Платить в месяц всего"
// 30 000 lowering the payment. Each step of the search runs the whole plan.
void BM_PlanGoalSearch(benchmark::State& state) {
    loan::PlanTerms terms;
    terms.sum = loan::ToScaled(3000000);
    terms.annualRate = 9.5;
    terms.termMonths = 360;
    terms.loanDate = {2024, 1, 15};
    terms.isWorkingDay = workingDay;
    terms.rateChanges = {{{2027, 1, 1}, 11}, {{2030, 1, 1}, 8}};
    if (state.range(0) != 0)
        terms.budget = loan::PlanBudget{loan::ToScaled(30000), loan::PrepaymentMode::LowerPayment};
    const loan::Date target = {2034, 1, 15};
    for (auto _ : state) {
        const loan::PlanGoal goal = loan::FindPlanGoal(terms, target);
        benchmark::DoNotOptimize(goal.monthly);
    }
    const loan::PlanGoal goal = loan::FindPlanGoal(terms, target);
    state.counters["X"] = static_cast<double>(goal.monthly / loan::kScale);
    if (goal.outcome != loan::PlanGoalOutcome::Found)
        state.SkipWithError("no goal found");
}
BENCHMARK(BM_PlanGoalSearch)->ArgName("budget")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
