// Printing figures: the print window building the pages of a long schedule. (ssudomer-cli
// with --pdf as a whole process is measured with the other processes in ssudomer_bench.)

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

#include "gui/print_window.h"
#include "print/preview.h"
#include "support/fake_port.h"

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
