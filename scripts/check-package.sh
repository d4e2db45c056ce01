#!/usr/bin/env bash
# Makes the Debian package and tries it out on this machine as root, the way a user gets it:
# checks it with lintian and its manual pages with man, installs it with apt-get, runs both
# programs, validates the desktop entry and the AppStream metainfo, asks xdg-mime for a map's
# type, and opens the installed editor on the demo map under Xvfb as root and as an unprivileged
# user and closes it, which must leave the catalogue in that user's data folder and nothing new
# under /usr. Then it removes the package, which must leave nothing of it in /usr/bin, and every
# tool it installed for the checks.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive

version=$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
revision=$(sed -n 's/^set(KORVANE_DEBIAN_REVISION \([0-9]*\))/\1/p' packaging/Install.cmake)
deb="build/korvane_${version}-${revision}_$(dpkg --print-architecture).deb"
app=org.korvane.Korvane
maptype=application/x-korvane-map

# dpkg-shlibdeps (dpkg-dev, file) for the package; the checkers; an X server and a window manager
# to close the editor through.
tools=(dpkg-dev file lintian man-db desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl
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
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
echo "package: lintian finds no error or warning"

# The documents as the package holds them, whatever the machine's dpkg leaves out.
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
doc="$unpacked/usr/share/doc/korvane"
head -n 1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/' ||
  fail "the copyright file is not in Debian's machine-readable format"
zcat "$doc/changelog.gz" | cmp - CHANGELOG.md || fail "changelog.gz is not CHANGELOG.md"
for page in korvane korvane-cli; do
  file="$unpacked/usr/share/man/man1/$page.1.gz"
  [[ -f $file ]] || fail "no manual page for $page"
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man warns about $page.1: $warnings"
done
echo "package: copyright, changelog and manual pages in place; man prints no warning"

apt-get -qq install -y "./$deb" >/dev/null

[[ $(korvane --version) == "Korvane $version" ]] || fail "korvane --version: $(korvane --version)"
[[ $(korvane-cli --version) == "korvane-cli $version" ]] || fail "korvane-cli --version"
korvane-cli check /usr/share/korvane/demo.map
desktop-file-validate /usr/share/applications/$app.desktop
appstreamcli validate --no-net /usr/share/metainfo/$app.metainfo.xml
grep -q "<release version=\"$version\"" /usr/share/metainfo/$app.metainfo.xml ||
  fail "the metainfo does not carry version $version"

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

# The installed editor, opened and closed by root (who could write /usr/bin) and by an
# unprivileged user: each keeps the catalogue in their own data folder, starting from the
# installed one, and writes nothing under /usr.
cp scripts/close-editor.sh "$work/"
chmod 755 "$work"
stamp="$work/stamp"
touch "$stamp"
# close_editor USER HOME [XDG_DATA_HOME]: opens the demo map as USER and closes it again.
close_editor() {
  local user=$1 home=$2
  local environment=(PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/run")
  [[ -z ${3:-} ]] || environment+=(XDG_DATA_HOME="$3")
  mkdir -p "$home/run"
  chmod 700 "$home/run"
  chown -R "$user:" "$home"
  runuser -u "$user" -- env -i "${environment[@]}" \
    timeout 240 xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash "$work/close-editor.sh" /usr/share/korvane/demo.map "demo - Korvane"
}
for run in "root $work/root-home" "nobody $work/home $work/home/data"; do
  read -r user home data <<<"$run"
  close_editor "$user" "$home" "$data"
  catalogue="${data:-$home/.local/share}/korvane/Overlay.dat"
  [[ -f $catalogue ]] || fail "the editor run by $user wrote no catalogue to $catalogue"
  cmp "$catalogue" /usr/share/korvane/Overlay.dat ||
    fail "the catalogue of $user should start as the installed one"
  echo "package: the editor run by $user wrote its catalogue to ${catalogue#"$work"/}"
done
stray=$(find /usr -xdev -newer "$stamp")
[[ -z $stray ]] || fail "the editor wrote under /usr: $stray"
echo "package: the editor wrote nothing under /usr"

apt-get -qq remove -y korvane >/dev/null
[[ ! -e /usr/bin/korvane && ! -e /usr/share/korvane ]] || fail "apt-get remove left files behind"
owners=$(dpkg -S /usr/bin)
[[ $owners != *korvane* ]] || fail "dpkg still counts korvane among the owners of /usr/bin"
left=$(find /usr/bin -iname '*korvane*' -o -name 'Overlay.dat*')
[[ -z $left ]] || fail "apt-get remove left in /usr/bin: $left"
[[ $(xdg-mime query filetype "$work/level one.map") != "$maptype" ]] ||
  fail "the map type outlived the package"
echo "package: installed, checked and removed"
