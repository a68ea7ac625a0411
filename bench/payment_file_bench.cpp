#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <ostream>
#include <streambuf>
#include <string>

#include "cli/commands.h"
#include "support/fake_port.h"
#include "support/sample_payment_file.h"
#include "support/temp_folder.h"

namespace {

// "Загрузить платежи..." of a file of `lines` payments, table and labels included.
void BM_LoadPaymentFile(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    testing_support::TempFolder folder;
    const std::string path = folder / "payments.crp";
    testing_support::WriteSamplePaymentFile(path, lines);
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

// Output that goes nowhere, as `> /dev/null` does.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// `ssudomer-cli show FILE` on a file of `lines` daily payments: reading, the table, the
// summary and printing every row. The peak counter is the whole benchmark process's peak
// resident memory, so it means the file's load only when this case runs alone
// (--benchmark_filter=ShowPaymentFile/lines:1000000).
void BM_ShowPaymentFile(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    testing_support::TempFolder folder;
    const std::string path = folder / "payments.crp";
    testing_support::WriteSamplePaymentFile(path, lines, true);
    NullBuffer nowhere;
    std::ostream out(&nowhere);
    for (auto _ : state) {
        if (cli::RunCli({"show", path}, out, out) != 0) {
            state.SkipWithError("the file was refused");
            break;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.SetComplexityN(lines);
}
BENCHMARK(BM_ShowPaymentFile)
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
