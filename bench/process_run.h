#pragma once

// Whole processes of ssudomer-cli for the benchmarks: spawned, their output thrown away, and
// waited for, so start-up and exit are measured with the work.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace bench_support {

// Runs `ssudomer-cli ARGS...` once per iteration; the state's best_ms counter gets the
// fastest run (on a busy machine the mean mostly measures waiting for a processor). Stops
// with an error when the program does not exit with status 0.
void RunCliProcesses(benchmark::State& state, const std::vector<std::string>& args);

}  // namespace bench_support
