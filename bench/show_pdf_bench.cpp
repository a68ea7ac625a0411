#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "support/sample_payment_file.h"
#include "support/temp_folder.h"

namespace {

// `ssudomer-cli show FILE --pdf OUT` on a file of `lines` daily payments, as a whole process:
// its time and its peak memory (the child's maximum resident size, peak_MB in MiB). The
// pages are written as they are laid out, so the peak follows the table, not the pages.
void BM_ShowPdfProcess(benchmark::State& state) {
    testing_support::TempFolder folder;
    const std::string file = folder / "payments.crp";
    const std::string pdf = folder / "payments.pdf";
    testing_support::WriteSamplePaymentFile(file, static_cast<int>(state.range(0)), true);
    double peak = 0;
    for (auto _ : state) {
        const pid_t child = fork();
        if (child == 0) {
            dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
            execl(SSUDOMER_CLI_PATH, SSUDOMER_CLI_PATH, "show", file.c_str(), "--pdf", pdf.c_str(),
                  nullptr);
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            state.SkipWithError("ssudomer-cli did not run");
            break;
        }
        peak = std::max(peak, static_cast<double>(usage.ru_maxrss) / 1024);
    }
    state.counters["peak_MB"] = peak;
}
BENCHMARK(BM_ShowPdfProcess)
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

}  // namespace
