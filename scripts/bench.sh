#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all. Each benchmark times the editor and its
# floor in the same run and prints their ratio next to the goal ("meets goal" / "MISSES GOAL");
# the figures also go to <build>/benchmarks.json. BENCHMARKS.md records a run and its machine.
#
#   scripts/bench.sh [Google Benchmark flags, e.g. --benchmark_filter=Load]
#   KORVANE_BENCH_BUILD=dir (default build-bench)   KORVANE_BENCH_GUI=OFF skips the Qt backend
set -euo pipefail
cd "$(dirname "$0")/.."

build="${KORVANE_BENCH_BUILD:-build-bench}"
gui="${KORVANE_BENCH_GUI:-ON}"

mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
  -DKORVANE_BUILD_BENCH=ON -DKORVANE_BUILD_GUI="$gui" >/dev/null
cmake --build "$build" --target korvane_bench

echo "Machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), $(free -g | awk '/^Mem:/ {print $2}') GiB," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$build/bench/korvane_bench" \
  --benchmark_counters_tabular=true --benchmark_out="$build/benchmarks.json" \
  --benchmark_out_format=json "$@"
