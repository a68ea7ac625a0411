#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for SECONDS (default 60).
# The corpus grows in build-fuzz/corpus/TARGET (seeded from fuzz/seeds/TARGET); an input
# that crashes, leaks, hangs or trips a sanitizer is kept in build-fuzz/findings/TARGET/
# and makes the script fail. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang libclang-rt-14-dev
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Every fuzz/NAME_fuzzer.cpp is a target.
  for source in fuzz/*_fuzzer.cpp; do
    name="${source#fuzz/}"
    targets+=("${name%_fuzzer.cpp}")
  done
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSSUDOMER_BUILD_FUZZERS=ON -DSSUDOMER_BUILD_TESTS=OFF -DSSUDOMER_BUILD_BENCHMARKS=OFF \
  -DSSUDOMER_BUILD_GUI=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz

status=0
for target in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$target"
  findings="build-fuzz/findings/$target"
  log="build-fuzz/$target.log"
  mkdir -p "$corpus" "$findings"
  if ! "build-fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
      -rss_limit_mb=2048 -print_final_stats=1 -dict="fuzz/dict/$target.dict" \
      -artifact_prefix="$findings/" "$corpus" "fuzz/seeds/$target" >"$log" 2>&1; then
    status=1
    echo "$target: FINDING, see $log and $findings/"
    continue
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: ${executions:-?} executions in $seconds s, no finding"
done
exit $status
