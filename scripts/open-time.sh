#!/usr/bin/env bash
# Times the real editor from launch to its first paint on the screen, a fresh process each round:
# once with no map (the empty editor's start-up) and once opening an 8192 x 8192 map named on the
# command line (random tiles of the sample sheet, 1 % of the cells holding an overlay object, as
# the load benchmark uses). Runs on one Xvfb screen started for all rounds; the editor is told by
# KORVANE_EXIT_AFTER_FIRST_PAINT=1 to print the time of its first paint and end. Prints every
# round and the medians, in milliseconds from just before the launch.
#
#   scripts/open-time.sh [ROUNDS, default 9]
#   KORVANE_BENCH_BUILD=dir (default build-bench, the Release build of scripts/bench.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

rounds="${1:-9}"
build="${KORVANE_BENCH_BUILD:-build-bench}"

mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}" xvfb xauth
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVANE_BUILD_TESTS=OFF \
  -DKORVANE_BUILD_BENCH=ON -DKORVANE_BUILD_GUI=ON >/dev/null
cmake --build "$build" --target korvane korvane_bench

scratch="$(mktemp -d)"
display=":$((100 + RANDOM % 800))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
"$build/bench/korvane_bench" --write-open-map "$scratch/big.map"
sleep 1

# Milliseconds from just before the launch to the first paint of one fresh editor.
first_paint() {
  local start line
  start=$(date +%s%N)
  line=$(DISPLAY="$display" KORVANE_EXIT_AFTER_FIRST_PAINT=1 timeout 60 "$build/korvane" "$@" 2>/dev/null |
    grep '^first-paint ')
  awk -v s="$start" -v l="$line" 'BEGIN { split(l, f, " "); printf "%.1f\n", f[2] - s / 1e6 }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
empty=() open=()
for ((i = 0; i < rounds; i++)); do
  empty+=("$(first_paint)")
  open+=("$(first_paint "$scratch/big.map")")
  echo "round $((i + 1)): empty editor ${empty[-1]} ms, opening the 8192 x 8192 map ${open[-1]} ms"
done
e=$(printf '%s\n' "${empty[@]}" | median)
o=$(printf '%s\n' "${open[@]}" | median)
echo "median: empty editor $e ms, opening the 8192 x 8192 map $o ms, difference $(awk -v a="$o" -v b="$e" 'BEGIN { printf "%.1f", a - b }') ms"
