#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

// `ssudomer-cli register` with one automatic payment a month over a 1000-month loan; the
// second argument shows the forecast, rebuilt after every payment.
void BM_RegisterPayments(benchmark::State& state) {
    const auto payments = static_cast<int>(state.range(0));
    std::vector<std::string> args = {"register", "--sum", "1000000", "--rate",    "12",
                                     "--term",   "1000",  "--date",  "01.01.2000"};
    if (state.range(1) != 0)
        args.insert(args.end(), {"--forecast", "standard"});
    for (int k = 1; k <= payments; ++k) {
        char step[32];
        std::snprintf(step, sizeof step, "10.%02d.%04d:0:auto", (k % 12) + 1, 2000 + k / 12);
        args.insert(args.end(), {"--pay", step});
    }
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::RunCli(args, out, err) != 0) {
            state.SkipWithError("a payment was refused");
            break;
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_RegisterPayments)
    ->ArgNames({"payments", "forecast"})
    ->ArgsProduct({{100, 500, 1000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
