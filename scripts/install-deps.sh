#!/usr/bin/env bash
# Installs, with apt-get, whichever of the named Debian packages are missing. Asks for nothing.
set -euo pipefail

missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
((${#missing[@]} == 0)) && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: missing ${missing[*]}; run this as root to install them" >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing ${missing[*]} ..."
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq install -y "${missing[@]}" >/dev/null
