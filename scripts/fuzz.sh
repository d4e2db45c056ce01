#!/usr/bin/env bash
# Fuzzes the map file reader, the Overlay.dat reader and the Tiled map readers (.tmx, .tmj) with libFuzzer (clang, with the address
# and undefined-behaviour sanitizers). Replays the seed corpus first, then runs each target for
# SECONDS seconds (default 20). New inputs go to the build folder; findings stop the script.
#
#   scripts/fuzz.sh [SECONDS]          build folder: $KORVANE_FUZZ_BUILD (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
build="${KORVANE_FUZZ_BUILD:-build-fuzz}"

bash scripts/install-deps.sh cmake ninja-build clang libclang-rt-14-dev
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKORVANE_FUZZ=ON -DKORVANE_WERROR=OFF -DKORVANE_BUILD_GUI=OFF -DKORVANE_BUILD_TESTS=OFF \
  -DKORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target korvane_fuzz_map korvane_fuzz_overlay korvane_fuzz_tmx \
  korvane_fuzz_tmj

for reader in map overlay tmx tmj; do
  fuzzer="$build/fuzz/korvane_fuzz_$reader"
  seeds="fuzz/corpus/$reader"
  grown="$build/fuzz-corpus/$reader"
  findings="$build/fuzz-findings/$reader"
  mkdir -p "$grown" "$findings"
  log="$build/fuzz-$reader.log"

  echo "== $reader reader: replaying $(ls "$seeds" | wc -l) seeds"
  "$fuzzer" "$seeds"/* >"$log" 2>&1 || { cat "$log"; exit 1; }

  echo "== $reader reader: fuzzing for $seconds s"
  if ! "$fuzzer" "$grown" "$seeds" -max_total_time="$seconds" -dict="fuzz/$reader.dict" \
      -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: the $reader reader failed; the input is in $findings/" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz: $reader reader: $runs runs in $seconds s, no finding (corpus $(ls "$grown" | wc -l) grown inputs)"
done
