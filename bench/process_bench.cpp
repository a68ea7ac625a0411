#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// The whole `ssudomer-cli schedule --term T` process, from spawning it to its exit, with
// its output going to /dev/null: start-up, the calculation and the printing.
void BM_CliScheduleProcess(benchmark::State& state) {
    const std::string term = std::to_string(state.range(0));
    std::vector<std::string> args = {SSUDOMER_CLI_PATH, "schedule", "--sum",  "1000000",
                                     "--rate",          "12",       "--term", term};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("ssudomer-cli did not run");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CliScheduleProcess)
    ->ArgName("term")
    ->Arg(12)
    ->Arg(1000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
