#!/usr/bin/env bash
# Installs what is missing, builds Korvane and makes its Debian package with CPack:
# build/korvane_<version>_<architecture>.deb. Its run-time dependencies are found by
# dpkg-shlibdeps, so `apt-get install ./build/korvane_*.deb` pulls in what the programs need.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}" dpkg-dev file
cmake --preset default >/dev/null
cmake --build --preset default
cd build
cpack -G DEB
