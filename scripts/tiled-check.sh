#!/usr/bin/env bash
# Checks Korvane's Tiled maps against real Tiled: Debian's tiled package (tiled and
# tmxrasterizer, on Qt's offscreen platform). For four maps (the demo map; a sheet of the user's
# own with spacing and margin; 1-pixel tiles; a 512 x 512 random map with 300 objects, on a
# sheet of 2-pixel tiles)
# tmxrasterizer must draw the .tmx and .tmj exports pixel for pixel as korvane-cli render draws
# the map (the overlay layer hidden: render draws no markers without --overlay), and
# `tiled --export-map` must turn the .tmx into a .tmj and the .tmj into a .tmx that import to
# the same .map bytes. (Maps saved by Tiled in each layer format are tests/cli/tiled/, read by
# tests/formats/TiledFilesTest.cpp on Linux and under Wine.)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh tiled imagemagick gawk
[[ -f build/build.ninja ]] || cmake --preset default >/dev/null
cmake --build build --target korvane-cli
cli=build/app/cli/korvane-cli
export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A Tiled JSON map of WIDTH x HEIGHT cells with random tile ids up to MAXID and OBJECTS objects
# on distinct cells, made with awk from SEED; imported, it is the map checked.
random_map() {
  awk -v w="$1" -v h="$2" -v maxid="$3" -v objects="$4" -v seed="$5" 'BEGIN {
    srand(seed)
    printf "{\"orientation\": \"orthogonal\", \"width\": %d, \"height\": %d, ", w, h
    printf "\"tilewidth\": 1, \"tileheight\": 1, \"tilesets\": [{\"firstgid\": 1}], "
    printf "\"layers\": [{\"type\": \"tilelayer\", \"width\": %d, \"height\": %d, \"data\": [", w, h
    for (i = 0; i < w * h; i++) printf "%s%d", (i ? "," : ""), int(rand() * (maxid + 1))
    printf "]}, {\"type\": \"objectgroup\", \"objects\": ["
    for (n = 0; n < objects; n++) {
      do cell = int(rand() * w * h); while (cell in used)
      used[cell] = 1
      printf "%s{\"x\": %d, \"y\": %d, \"properties\": {\"id\": %d}}", (n ? "," : ""),
        cell % w, int(cell / w), 1 + int(rand() * 20)
    }
    printf "]}]}\n"
  }'
}

same_pixels() {
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  if [[ "$differ" != 0 ]]; then
    echo "tiled-check: $1 and $2 differ in $differ pixels" >&2
    exit 1
  fi
}

check() {  # NAME MAP [SHEET OPTIONS...]
  local name=$1 map=$2
  shift 2
  "$cli" render "$map" -o "$work/$name-korvane.png" "$@"
  for format in tmx tmj; do
    "$cli" export "$map" -o "$work/$name.$format" "$@"
    tmxrasterizer --hide-layer Overlay "$work/$name.$format" "$work/$name-$format.png" 2>/dev/null
    same_pixels "$work/$name-korvane.png" "$work/$name-$format.png"
  done
  tiled --export-map json "$work/$name.tmx" "$work/$name-by-tiled.tmj" 2>/dev/null
  tiled --export-map tmx "$work/$name.tmj" "$work/$name-by-tiled.tmx" 2>/dev/null
  for saved in "$work/$name-by-tiled.tmj" "$work/$name-by-tiled.tmx"; do
    "$cli" import "$saved" -o "$work/$name-back.map"
    cmp "$map" "$work/$name-back.map"
  done
  echo "tiled-check: $name: drawn alike by tmxrasterizer, round trip through tiled gives the same map"
}

check demo examples/demo.map

convert -size 53x37 gradient:red-blue -fill yellow -draw "point 4,4" "BMP3:$work/own.bmp"
random_map 20 12 15 5 1 >"$work/own.tmj"
"$cli" import "$work/own.tmj" -o "$work/own.map"
check own-sheet "$work/own.map" --sheet "$work/own.bmp" --tile-size 8 --spacing 2 --offset 3

convert -size 4x4 plasma:fractal -seed 3 "BMP3:$work/pixels.bmp"
random_map 30 20 16 3 2 >"$work/pixels.tmj"
"$cli" import "$work/pixels.tmj" -o "$work/pixels.map"
check one-pixel "$work/pixels.map" --sheet "$work/pixels.bmp" --tile-size 1 --spacing 0

random_map 512 512 270 300 3 >"$work/random.tmj"
"$cli" import "$work/random.tmj" -o "$work/random.map"
# Two-pixel tiles keep the picture at 1024 x 1024, within ImageMagick's default limits.
convert -size 52x36 gradient:green-white "BMP3:$work/small.bmp"
check random-512 "$work/random.map" --sheet "$work/small.bmp" --tile-size 2 --spacing 0
