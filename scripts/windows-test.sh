#!/usr/bin/env bash
# Builds korvane.exe and the Windows tests (scripts/windows.sh), and the Linux programs they are
# compared with (the editor, korvane-cli, korvane_screen), then runs on a virtual screen under
# Wine every test of the Windows build (ctest: the headless suites, the Windows disk, the editor
# on a Wine desktop) and the same mouse and key strokes in the Linux editor and korvane.exe,
# whose saved maps must be equal (tests/wine/strokes.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

bash scripts/windows.sh
mapfile -t packages < scripts/build-packages.txt
bash scripts/install-deps.sh "${packages[@]}" xvfb xauth xdotool
[[ -f build/build.ninja ]] || cmake --preset default >/dev/null
cmake --build build --target korvane korvane-cli korvane_screen
cmake --build build-windows

screen=(xvfb-run -a -s "-screen 0 1280x1024x24")
"${screen[@]}" ctest --test-dir build-windows --output-on-failure
"${screen[@]}" bash tests/wine/strokes.sh build build-windows build-windows/strokes
echo "windows-test: $((SECONDS - start)) seconds"
