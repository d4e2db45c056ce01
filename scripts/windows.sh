#!/usr/bin/env bash
# Installs what is missing (the MinGW-w64 compiler, Wine, zip), builds korvane.exe for 64-bit
# Windows, statically linked, into build-windows/, and packs
# build-windows/korvane-VERSION-windows-x86_64.zip: korvane.exe, Overlay.dat, demo.map, LICENSE,
# README.txt and the licences of pugixml and zstd, which korvane.exe holds (built from Debian's
# source archives, cmake/WindowsThirdParty.cmake), in a folder korvane-VERSION. Checks that the
# program is at most 4 MB and uses only Windows' own DLLs.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t packages < scripts/windows-packages.txt
bash scripts/install-deps.sh "${packages[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DKORVANE_WERROR=ON -DKORVANE_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-windows --target korvane

version=$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
exe=build-windows/korvane.exe
fail() {
  echo "windows: $*" >&2
  exit 1
}

size=$(stat -c %s "$exe")
((size <= 4 * 1024 * 1024)) || fail "korvane.exe is $size bytes, more than 4 MB"
# Windows' own DLLs only: nothing of MinGW's run time (libstdc++, libgcc, winpthread).
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
system="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll user32.dll"
for dll in $imports; do
  [[ " $system " == *" $dll "* ]] || fail "korvane.exe needs $dll, which is not Windows' own"
done

name=korvane-$version
stage=build-windows/$name
rm -rf "$stage" "build-windows/$name-windows-x86_64.zip"
mkdir -p "$stage"
cp "$exe" examples/demo.map examples/Overlay.dat LICENSE "$stage/"
# Windows' line ends, for Notepad.
sed -e "s/@PROJECT_VERSION@/$version/" -e 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"
for licence in build-windows/licenses/*.txt; do
  sed 's/\r*$/\r/' "$licence" >"$stage/LICENSE-$(basename "$licence")"
done
sed -i 's/\r*$/\r/' "$stage/LICENSE"
(cd build-windows && zip -qrX "$name-windows-x86_64.zip" "$name")
echo "build-windows/$name-windows-x86_64.zip: korvane.exe $size bytes; imports" $imports
