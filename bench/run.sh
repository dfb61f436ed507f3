#!/usr/bin/env bash
# Builds the benchmarks in release mode and runs each; every line printed is a ratio
# against a baseline measured in the same run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
status=0
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  "$b" || status=1
done
exit $status
