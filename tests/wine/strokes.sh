#!/usr/bin/env bash
# The same strokes in the Linux editor and in korvane.exe under Wine, on the X display in
# $DISPLAY, driven by xdotool as a user's mouse and keyboard: each editor opens a copy of the
# demo map from its command line, tile 9 is picked in the palette, three cells are painted, and
# File > Save Map is chosen with its access keys (Alt+F, S). Both saved maps must be the same
# bytes, and differ from the demo map in exactly those three cells. On the way, each editor's map
# display must show korvane-cli's render of the demo map pixel for pixel, which is how the map
# is found on the screen.
#
#   strokes.sh LINUX_BUILD WINDOWS_BUILD WORK_FOLDER
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
linux=$(cd "$1" && pwd) windows=$(cd "$2" && pwd)
rm -rf "$3"
mkdir -p "$3"
work=$(cd "$3" && pwd)
cli=$linux/app/cli/korvane-cli
screen=$linux/tests/wine/korvane_screen

fail() {
  echo "strokes: $*" >&2
  "$screen" shot "$work/failed.png" 2>/dev/null && echo "strokes: the screen is in $work/failed.png" >&2
  exit 1
}

"$cli" render "$source/examples/demo.map" -o "$work/demo.png"
"$cli" export "$source/examples/demo.map" -o "$work/demo.tmj"  # and demo-sheet.png
readonly tile=9 columns=18 pitch=17  # the sample sheet: 16-pixel tiles 1 apart, 18 a row
readonly cells=("1 1" "2 1" "20 27")

# Where a picture (or its part) shows on the screen, waiting for it up to 60 seconds.
await() {
  for ((tries = 0; tries < 120; ++tries)); do
    "$screen" find "$@" 2>/dev/null && return 0
    sleep 0.5
  done
  return 1
}

# run SIDE COMMAND...: the editor started in WORK/SIDE on demo.map, driven, its saved map kept.
run() {
  local side=$1
  shift
  mkdir -p "$work/$side"
  cp "$source/examples/demo.map" "$work/$side/demo.map"
  (cd "$work/$side" && exec "$@" demo.map >"$work/$side.log" 2>&1) &
  local editor=$!
  local map palette
  map=$(await "$work/demo.png") || { kill "$editor"; fail "$side: the demo map never showed as rendered"; }
  read -r mapX mapY <<<"$map"
  # The palette, right of the map display.
  palette=$(await "$work/demo-sheet.png" $((tile % columns * pitch)) $((tile / columns * pitch)) 16 16 \
    within $((mapX + 640)) 0 2000 2000) || { kill "$editor"; fail "$side: no tile $tile in the palette"; }
  read -r tileX tileY <<<"$palette"
  xdotool mousemove $((tileX + 8)) $((tileY + 8)) click 1
  sleep 0.5
  for cell in "${cells[@]}"; do
    read -r c r <<<"$cell"
    xdotool mousemove $((mapX + c * 16 + 8)) $((mapY + r * 16 + 8)) click 1
    sleep 0.3
  done
  xdotool key alt+f
  sleep 0.5
  xdotool key s
  for ((tries = 0; tries < 100; ++tries)); do
    cmp -s "$work/$side/demo.map" "$source/examples/demo.map" || break
    sleep 0.2
  done
  kill "$editor" 2>/dev/null || true
  wait "$editor" 2>/dev/null || true
  cmp -s "$work/$side/demo.map" "$source/examples/demo.map" && fail "$side: the map was not saved"
  echo "strokes: $side saved $(stat -c %s "$work/$side/demo.map") bytes"
}

run linux "$linux/korvane"
run windows "$source/cmake/wine-run.sh" "$windows/korvane.exe"
WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/wine} wineserver -k 2>/dev/null || true

cmp "$work/linux/demo.map" "$work/windows/demo.map" ||
  fail "the map korvane.exe saved differs from the Linux editor's"
diff=$("$cli" diff "$source/examples/demo.map" "$work/windows/demo.map" || true)
[[ $diff == *"tiles: 3 cells changed"* ]] || fail "unexpected change: $diff"
row=$("$cli" dump "$work/windows/demo.map" --rows 1..1 | tail -n 1)
[[ $row == "row 1: 18 $tile $tile "* ]] || fail "the cells do not hold tile $tile: $row"
echo "strokes: both editors saved the same $(stat -c %s "$work/linux/demo.map") bytes: $diff"
