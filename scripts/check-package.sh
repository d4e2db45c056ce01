#!/usr/bin/env bash
# Makes the Debian package and tries it out on this machine as root, the way a user gets it:
# installs it with apt-get, runs both programs, validates the desktop entry and the AppStream
# metainfo, asks xdg-mime for a map's type, and opens the installed editor on the demo map under
# Xvfb as an unprivileged user and closes it, which must leave the catalogue in that user's data
# folder. Then it removes the package and every tool it installed for the checks.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive

version=$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/korvane_${version}_$(dpkg --print-architecture).deb"
app=org.korvane.Korvane
maptype=application/x-korvane-map

# dpkg-shlibdeps (dpkg-dev, file) for the package; the checkers; an X server and a window manager
# to close the editor through.
tools=(dpkg-dev file desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl
  shared-mime-info xvfb xauth openbox wmctrl)
added=()
for tool in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q "install ok installed" ||
    added+=("$tool")
done
work=$(mktemp -d)
cleanup() {
  apt-get -qq purge -y korvane >/dev/null 2>&1 || true
  if ((${#added[@]})); then
    apt-get -qq purge -y --auto-remove "${added[@]}" >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
if ((${#added[@]})); then
  echo "Installing ${added[*]} for the checks ..."
  apt-get -qq update
  apt-get -qq install -y --no-install-recommends "${added[@]}" >/dev/null
fi

bash scripts/package.sh

fail() {
  echo "package: $*" >&2
  exit 1
}

echo "== package: $deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
[[ $depends == *libqt6widgets6* && $depends != *-dev* ]] ||
  fail "the dependencies should be Qt's run-time libraries, without -dev packages"
apt-get -qq install -y "./$deb" >/dev/null

[[ $(korvane --version) == "Korvane $version" ]] || fail "korvane --version: $(korvane --version)"
[[ $(korvane-cli --version) == "korvane-cli $version" ]] || fail "korvane-cli --version"
korvane-cli check /usr/share/korvane/demo.map
desktop-file-validate /usr/share/applications/$app.desktop
appstreamcli validate --no-net /usr/share/metainfo/$app.metainfo.xml
grep -q "<release version=\"$version\"" /usr/share/metainfo/$app.metainfo.xml ||
  fail "the metainfo does not carry version $version"
[[ -f /usr/share/man/man1/korvane.1.gz && -f /usr/share/man/man1/korvane-cli.1.gz ]] ||
  fail "no manual pages"

# A Korvane map is known by its signature, whatever its name; another program's .map is not.
cp /usr/share/korvane/demo.map "$work/level one.map"
cp /usr/share/korvane/demo.map "$work/renamed.bin"
printf 'MAP other tool, not Korvane\n' >"$work/other.map"
for file in "level one.map" renamed.bin other.map; do
  type=$(xdg-mime query filetype "$work/$file")
  echo "xdg-mime: $file: $type"
  if [[ $file == other.map ]]; then [[ $type != "$maptype" ]]; else [[ $type == "$maptype" ]]; fi ||
    fail "$file has type $type"
done

# The installed editor, opened and closed by a user who cannot write /usr/bin.
user=nobody
home="$work/home"
mkdir -p "$home/run"
chmod 755 "$work"
chmod 700 "$home/run"
chown -R "$user:" "$home"
cp scripts/close-editor.sh "$work/"
runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" \
  XDG_RUNTIME_DIR="$home/run" \
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/close-editor.sh" \
  /usr/share/korvane/demo.map "demo - Korvane"
catalogue="$home/data/korvane/Overlay.dat"
[[ -f $catalogue ]] || fail "the editor wrote no catalogue to $catalogue"
cmp "$catalogue" /usr/share/korvane/Overlay.dat ||
  fail "the user's catalogue should start as the installed one"
[[ ! -e /usr/bin/Overlay.dat ]] || fail "the editor wrote its catalogue to /usr/bin"
echo "package: the editor wrote its catalogue to \$XDG_DATA_HOME/korvane/Overlay.dat"

apt-get -qq remove -y korvane >/dev/null
[[ ! -e /usr/bin/korvane && ! -e /usr/share/korvane ]] || fail "apt-get remove left files behind"
[[ $(xdg-mime query filetype "$work/level one.map") != "$maptype" ]] ||
  fail "the map type outlived the package"
echo "package: installed, checked and removed"
