#!/usr/bin/env bash
# Draws which of the program's libraries links which (docs/images/dependencies.svg), from
# CMake's own --graphviz output: the project's libraries, the programs and the PDF module
# only; no Qt, no system libraries, no tests. Run it after a change to the layers and look
# at the picture before committing it.
#
#   scripts/dependency-graph.sh [OUTPUT.svg]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/images/dependencies.svg}
"$root/scripts/install-deps.sh" graphviz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CMake reads the graph's options from the build folder.
cat > "$work/CMakeGraphVizOptions.cmake" <<'OPTIONS'
set(GRAPHVIZ_GRAPH_NAME "ssudomer")
set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_INTERFACE_LIBS FALSE)
set(GRAPHVIZ_OBJECT_LIBS FALSE)
set(GRAPHVIZ_CUSTOM_TARGETS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
OPTIONS

cmake -S "$root" -B "$work" -G Ninja -DSSUDOMER_BUILD_TESTS=OFF \
  -DSSUDOMER_BUILD_BENCHMARKS=OFF --graphviz="$work/targets.dot" > "$work/configure.log" ||
  { cat "$work/configure.log"; exit 1; }

# CMake's legend names every kind of target there is; the page says what the three shapes
# here are (ovals the programs, octagons the libraries, the triple octagon the module).
sed '/^subgraph clusterLegend {/,/^}/d' "$work/targets.dot" |
  dot -Grankdir=BT -Nfontname=sans -Nfontsize=11 -Tsvg -o "$output"
echo "$output"
