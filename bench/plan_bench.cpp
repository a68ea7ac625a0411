#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/planner_form.h"
#include "loan/plan.h"
#include "process_run.h"
#include "support/fake_port.h"

namespace {

// 3 000 000 at 9,5 % for 360 months from 15.01.2024, equal payments, 2 000 paid early every
// month from 16.03.2024 lowering the payment (so all 360 regular payments stay, with 358
// prepayments between them: 718 rows), and the rate changed twice. The payments stay on
// their nominal dates: moved off days off, some would fall after the 16th's prepayment,
// which would then face a month's interest and be refused (calendar:1 below times that).
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
                                                 "--shift",
                                                 "none",
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

// Saturdays, Sundays and 1-8 January off.
bool workingDay(const loan::Date& date) {
    const auto weekday = ((loan::DaySerial(date) + 3) % 7 + 7) % 7;  // 0 = Monday
    return weekday < 5 && !(date.month == 1 && date.day <= 8);
}

// The arithmetic alone: the plan with its rows and the three other variants; with calendar:1
// the payments falling on days off are moved to the next working day.
void BM_PlanWithFourVariants(benchmark::State& state) {
    loan::PlanTerms terms = planTerms();
    if (state.range(0) != 0)
        terms.isWorkingDay = workingDay;
    for (auto _ : state) {
        const loan::PlanResult result = loan::RunPlan(terms);
        benchmark::DoNotOptimize(result.comparison);
    }
    // Without a calendar all 358 prepayments are taken; with one, those dated before a
    // payment moved past them carry a month's interest and are refused.
    const std::size_t rows = loan::RunPlan(terms).rows.size();
    state.counters["rows"] = static_cast<double>(rows);
    if (state.range(0) == 0 ? rows != 718 : rows <= 360)
        state.SkipWithError("not the plan meant");
}
BENCHMARK(BM_PlanWithFourVariants)
    ->ArgName("calendar")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

// What the planner window waits for after each change: the same, its table written as text.
void BM_PlannerCalculate(benchmark::State& state) {
    testing_support::FakePort port;
    app::PlannerForm planner(port, loan::Locale::withSeparator(','));
    planner.Sum.Text = "3000000";
    planner.Rate.Text = "9,5";
    planner.Term.Text = "360";
    planner.LoanDate.Date = {2024, 1, 15};
    planner.EqualPaymentsClick();
    planner.Shift = loan::PaymentShift::None;
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

namespace {

// 10 000 000 at 9,5 % for 1000 months from 15.01.2024 with `entries` monthly prepayments of
// 20 each from 15.02.2024, shortening the term: on the regular dates, so each is taken, and
// 5 000 of them repay the loan in about eight years (some 400 000 rows).
loan::PlanTerms manyMonthlyPrepayments(int entries) {
    loan::PlanTerms terms;
    terms.sum = loan::ToScaled(10000000);
    terms.annualRate = 9.5;
    terms.termMonths = 1000;
    terms.loanDate = {2024, 1, 15};
    for (int i = 0; i < entries; ++i) {
        terms.prepayments.push_back(
            {{2024, 2, 15}, loan::ToScaled(20), loan::PrepaymentMode::ShortenTerm, true});
    }
    return terms;
}

// The maximum resident size of a forked child, in MiB, that runs `work` (or nothing).
template <typename Work>
double childPeakMiB(Work work) {
    const pid_t child = fork();
    if (child == 0) {
        work();
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// The plan of that many monthly entries with its variants, in a child process of its own:
// peak_MB is the child's maximum resident size, base_MB that of a child doing nothing (the
// benchmark program's own pages), so their difference is what the plan took.
void BM_PlanManyMonthlyPrepayments(benchmark::State& state) {
    const loan::PlanTerms terms = manyMonthlyPrepayments(static_cast<int>(state.range(0)));
    double peak = 0;
    for (auto _ : state) {
        peak = std::max(peak, childPeakMiB([&] {
                            const loan::PlanResult result = loan::RunPlan(terms);
                            benchmark::DoNotOptimize(result.rows.data());
                        }));
        if (peak < 0) {
            state.SkipWithError("the child failed");
            break;
        }
    }
    state.counters["peak_MB"] = peak;
    state.counters["base_MB"] = childPeakMiB([] {});
}
BENCHMARK(BM_PlanManyMonthlyPrepayments)
    ->ArgName("entries")
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
