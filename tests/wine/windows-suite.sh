#!/usr/bin/env bash
# The Windows build's tests, run from the Linux suite: when MinGW-w64, Wine and Xvfb are here,
# builds korvane.exe's tests in build-windows/ (as scripts/windows.sh configures it) and runs them
# under Wine whenever a Windows-only source or a test changed since they last passed (the Windows
# build compiles most of the shared tests too). Product code shared with Linux is the Linux suite's
# to judge, so an unchanged Windows side costs nothing. Exit 77: skipped.
#
#   windows-suite.sh LINUX_BUILD
set -uo pipefail
cd "$(dirname "$0")/../.."
linux=$(realpath "$1")
for tool in x86_64-w64-mingw32-g++-posix wine xvfb-run; do
  command -v "$tool" >/dev/null || { echo "no $tool: the Windows tests are skipped"; exit 77; }
done

out=build-windows
stamp=$out/windows-tests-passed
# The top CMakeLists.txt chooses what the Windows build holds; cmake/ pins its third-party sources.
sources=$(find CMakeLists.txt toolkit/win32 app/win32 tests cmake -type f -print0 | sort -z |
  xargs -0 sha256sum | sha256sum)
[[ -f $stamp && $(cat "$stamp") == "$sources" ]] && { echo "Windows sources unchanged since they passed"; exit 0; }

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [[ ! -f $out/build.ninja ]]; then
  cmake -S . -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DKORVANE_WERROR=ON -DKORVANE_BUILD_BENCH=OFF "${launcher[@]}" \
    >/dev/null || exit 1
fi
rm -f "$stamp"
cmake --build "$out" || exit 1
KORVANE_LINUX_BUILD=$linux xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$out" --output-on-failure --timeout 120 || exit 1
echo "$sources" >"$stamp"
