// Printing figures: the print window building the pages of a long schedule, and
// ssudomer-cli as a whole process, with and without --pdf.

#include <QApplication>

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gui/print_window.h"
#include "print/preview.h"
#include "support/fake_port.h"

extern char** environ;

namespace {

// FormShow of the print window over a schedule of `term` months: the information lines
// and every row of the table laid out as pages.
void BM_PrintWindowFormShow(benchmark::State& state) {
    testing_support::FormFixture fixture;
    const auto term = static_cast<int>(state.range(0));
    fixture.enterLoan("1000000", "12", std::to_string(term));
    fixture.form.Button1Click();
    gui::TForm2 printWindow(fixture.form, nullptr);
    for (auto _ : state) {
        printWindow.FormShow();
        benchmark::DoNotOptimize(printWindow.PvPreview1->PageCount());
    }
    state.counters["pages"] = printWindow.PvPreview1->PageCount();
}
BENCHMARK(BM_PrintWindowFormShow)->Arg(120)->Arg(1000)->Unit(benchmark::kMillisecond);

// Runs ssudomer-cli with its output thrown away; the status it ended with.
int runCli(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    std::string program = SSUDOMER_CLI;
    argv.push_back(program.data());
    std::vector<std::string> words = arguments;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The whole process: start, "Расчет" over 1000 months, the table printed, and with the
// second argument set a PDF of every page written.
void BM_CliProcess(benchmark::State& state) {
    std::vector<std::string> arguments = {"schedule", "--sum",  "1000000", "--rate",
                                          "12",       "--term", "1000"};
    const std::string pdf = "/tmp/ssudomer-bench-" + std::to_string(getpid()) + ".pdf";
    if (state.range(0) != 0) {
        arguments.push_back("--pdf");
        arguments.push_back(pdf);
    }
    for (auto _ : state) {
        if (runCli(arguments) != 0)
            state.SkipWithError("ssudomer-cli failed");
    }
    std::remove(pdf.c_str());
}
BENCHMARK(BM_CliProcess)->ArgName("pdf")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
