#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/planner_form.h"
#include "loan/plan.h"
#include "process_run.h"
#include "support/fake_port.h"

namespace {

// 3 000 000 at 9,5 % for 360 months from 15.01.2024, equal payments, 2 000 paid early every
// month from 16.03.2024 lowering the payment (so all 360 regular payments stay, with 358
// prepayments between them: 718 rows), and the rate changed twice.
const std::vector<std::string> kPlanArguments = {"plan",
                                                 "--sum",
                                                 "3000000",
                                                 "--rate",
                                                 "9.5",
                                                 "--term",
                                                 "360",
                                                 "--date",
                                                 "15.01.2024",
                                                 "--equal",
                                                 "--prepay",
                                                 "16.03.2024:2000:payment:monthly",
                                                 "--rate-change",
                                                 "01.01.2027:11",
                                                 "--rate-change",
                                                 "01.01.2030:8",
                                                 "--decimal-separator",
                                                 "."};

loan::PlanTerms planTerms() {
    loan::PlanTerms terms;
    terms.sum = loan::ToScaled(3000000);
    terms.annualRate = 9.5;
    terms.termMonths = 360;
    terms.loanDate = {2024, 1, 15};
    terms.prepayments = {
        {{2024, 3, 16}, loan::ToScaled(2000), loan::PrepaymentMode::LowerPayment, true}};
    terms.rateChanges = {{{2027, 1, 1}, 11}, {{2030, 1, 1}, 8}};
    return terms;
}

// The arithmetic alone: the plan with its rows and the three other variants.
void BM_PlanWithFourVariants(benchmark::State& state) {
    const loan::PlanTerms terms = planTerms();
    for (auto _ : state) {
        const loan::PlanResult result = loan::RunPlan(terms);
        benchmark::DoNotOptimize(result.comparison);
    }
    if (loan::RunPlan(terms).rows.size() != 718)
        state.SkipWithError("not the plan meant");
}
BENCHMARK(BM_PlanWithFourVariants)->Unit(benchmark::kMicrosecond);

// What the planner window waits for after each change: the same, its table written as text.
void BM_PlannerCalculate(benchmark::State& state) {
    testing_support::FakePort port;
    app::PlannerForm planner(port, loan::Locale::withSeparator(','));
    planner.Sum.Text = "3000000";
    planner.Rate.Text = "9,5";
    planner.Term.Text = "360";
    planner.LoanDate.Date = {2024, 1, 15};
    planner.EqualPaymentsClick();
    planner.AddPrepayment({{2024, 3, 16}, "2000", loan::PrepaymentMode::LowerPayment, true});
    planner.AddRateChange({{2027, 1, 1}, "11"});
    planner.AddRateChange({{2030, 1, 1}, "8"});
    for (auto _ : state) {
        planner.Calculate();
        benchmark::DoNotOptimize(planner.Table());
    }
    if (!port.messages.empty() || planner.Table().rowCount() != 720)
        state.SkipWithError("refused");
}
BENCHMARK(BM_PlannerCalculate)->Unit(benchmark::kMicrosecond);

// The whole `ssudomer-cli plan` process of that plan (plan:1) beside a plain `schedule` of
// 360 months (plan:0), run one after the other in the same minutes.
void BM_CliPlanProcess(benchmark::State& state) {
    const std::vector<std::string> schedule = {"schedule", "--sum", "3000000", "--rate",    "9.5",
                                               "--term",   "360",   "--date",  "15.01.2024"};
    bench_support::RunCliProcesses(state, state.range(0) != 0 ? kPlanArguments : schedule);
}
BENCHMARK(BM_CliPlanProcess)
    ->ArgName("plan")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
