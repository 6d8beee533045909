#!/usr/bin/env bash
# make bench: builds the benchmark programs in the default preset (RelWithDebInfo) and
# prints one table of start-up, handler latency, peak memory and file work against
# their targets (docs/performance.md explains each figure).
#
#   scripts/bench.sh [decisiontree-bench options]    e.g. --quick, --calls 2000,
#                                                    --benchmark_filter=handler/
#   BENCH_BUILD_DIR=/tmp/b scripts/bench.sh          builds there instead of build/default
#
# The table is also kept in <build>/bench/last-table.md, Google Benchmark's own report
# of the in-process benchmarks in <build>/bench/last-run.json.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --bench

if [ -n "${BENCH_BUILD_DIR:-}" ]; then
  build=$BENCH_BUILD_DIR
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
else
  build=build/default
  # Configures again every time: a build folder made before Google Benchmark was
  # installed finds it now.
  cmake --preset default >/dev/null
fi
if ! grep -q 'bench-programs' "$build/build.ninja"; then
  echo "Google Benchmark was not found by CMake in $build; scripts/setup.sh --bench installs libbenchmark-dev." >&2
  exit 1
fi
cmake --build "$build" --target bench-programs

# A workstation's screen, large enough for the layout (the offscreen default is 800 x 800).
export QT_QPA_PLATFORM="offscreen:configfile=$PWD/tests/support/screens/workstation.json"
# Qt asks for a runtime folder in every probe it starts; give it one rather than a warning.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
out="$build/bench"
"$out/decisiontree-bench" --benchmark_out="$out/last-run.json" --benchmark_out_format=json "$@" \
  | tee "$out/last-table.md"
