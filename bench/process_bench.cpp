#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "support/sample_payment_file.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

// Runs the program with these arguments, its output going to /dev/null, and waits for it;
// true when it ended with status 0. `usage` gets the child's resource use.
bool runProcess(std::vector<std::string> args, rusage& usage) {
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = 0;
    const bool ran = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                     wait4(child, &status, 0, &usage) == child && WIFEXITED(status) &&
                     WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return ran;
}

// The whole `ssudomer-cli schedule --term T [--pdf FILE]` process, from spawning it to its
// exit, with its output going to /dev/null: start-up, the calculation, the printing and, with
// pdf:1, the PDF module loaded and every page written. On a busy machine the mean mostly
// measures waiting for a processor; best_ms, the fastest single run, is what the program
// itself takes.
void BM_CliScheduleProcess(benchmark::State& state) {
    const std::string term = std::to_string(state.range(0));
    const std::string pdf = "/tmp/ssudomer-bench-" + std::to_string(getpid()) + ".pdf";
    std::vector<std::string> args = {SSUDOMER_CLI_PATH, "schedule", "--sum",  "1000000",
                                     "--rate",          "12",       "--term", term};
    if (state.range(1) != 0) {
        args.push_back("--pdf");
        args.push_back(pdf);
    }
    double best = std::numeric_limits<double>::infinity();
    for (auto _ : state) {
        rusage usage{};
        const auto start = std::chrono::steady_clock::now();
        if (!runProcess(args, usage)) {
            state.SkipWithError("ssudomer-cli did not run");
            break;
        }
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    state.counters["best_ms"] = best;
    std::remove(pdf.c_str());
}
BENCHMARK(BM_CliScheduleProcess)
    ->ArgNames({"term", "pdf"})
    ->Args({12, 0})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// `ssudomer-cli show FILE --pdf OUT` on a file of `lines` daily payments, as a whole process:
// its time and its peak memory (the child's maximum resident size). The pages are written
// as they are laid out, so the peak follows the table, not the pages.
void BM_ShowPdfProcess(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    testing_support::TempFolder folder;
    const std::string file = folder / "payments.crp";
    testing_support::WriteSamplePaymentFile(file, lines, true);
    const std::vector<std::string> args = {SSUDOMER_CLI_PATH, "show", file, "--pdf",
                                           folder / "payments.pdf"};
    double peak = 0;
    for (auto _ : state) {
        rusage usage{};
        if (!runProcess(args, usage)) {
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
