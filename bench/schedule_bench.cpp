#include <benchmark/benchmark.h>

#include <string>

#include "support/fake_port.h"

namespace {

// "Расчет" on a loan of `term` months; the second argument picks equal payments.
void BM_Button1Click(benchmark::State& state) {
    testing_support::FormFixture fixture;
    app::MainForm& form = fixture.form;
    const auto term = static_cast<int>(state.range(0));
    fixture.enterLoan("1000000", "12", std::to_string(term));
    if (state.range(1) != 0) {
        form.RadioButtonBClick();
        form.Button1Click();  // the first press puts the annuity into the field
    }
    for (auto _ : state) {
        form.Button1Click();
        benchmark::DoNotOptimize(form.Label15);
    }
    if (!fixture.port.messages.empty() && state.range(1) == 0)
        state.SkipWithError("refused");
    state.SetComplexityN(term);
}
BENCHMARK(BM_Button1Click)
    ->ArgNames({"term", "equal"})
    ->ArgsProduct({{12, 120, 1000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
