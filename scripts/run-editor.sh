#!/usr/bin/env bash
# Installs what is missing, builds Korvane and opens the editor on the demo map (or on the map
# given as arguments).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}" xvfb xauth
cmake --preset default >/dev/null
cmake --build --preset default

if (($# == 0)); then set -- examples/demo.map; fi
exec build/korvane "$@"
