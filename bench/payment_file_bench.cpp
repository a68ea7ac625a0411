#include <benchmark/benchmark.h>

#include <string>

#include "loan/date.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

// A loan of `count` months paid exactly by the plan, one line per month.
void writePaymentFile(const std::string& path, int count) {
    std::string text =
        std::to_string(count * 1000) + "\r\n12\r\n" + std::to_string(count) + "\r\n15.01.2005\r\n";
    loan::Date date{2005, 1, 15};
    for (int i = 1; i <= count; ++i) {
        date = loan::IncMonth(date);
        const long long rest = static_cast<long long>(count - i + 1) * 1000;
        text += std::to_string(i) + ";" + loan::FormatShortDate(date) + ";" + std::to_string(rest) +
                ",00;1000,00;10,00;1010,00;П+%;\r\n";
    }
    testing_support::WriteBytes(path, text);
}

// "Загрузить платежи..." of a file of `lines` payments, table and labels included.
void BM_LoadPaymentFile(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    testing_support::TempFolder folder;
    const std::string path = folder / "payments.crp";
    writePaymentFile(path, lines);
    testing_support::FormFixture fixture;
    for (auto _ : state) {
        fixture.form.LoadPaymentFile(path);
        benchmark::DoNotOptimize(fixture.form.Label15);
    }
    if (fixture.form.NextRow != lines + 1)
        state.SkipWithError("not every line was loaded");
    state.SetComplexityN(lines);
}
BENCHMARK(BM_LoadPaymentFile)
    ->ArgName("lines")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
