#!/usr/bin/env bash
# Builds the program and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -x build/src/ssudomer ]; then
  exec build/src/ssudomer "$@"
fi
# Until the window exists, show a sample schedule from the command line.
exec build/src/ssudomer-cli schedule --sum 120000 --rate 12 --term 24 --fee 0.5 "$@"
