#!/usr/bin/env bash
# Installs what is missing, builds Korvane and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}"
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default
