#!/usr/bin/env bash
# What the Win32 tests need from the Linux side, which a Windows program cannot make itself:
# symbolic links, a folder that nobody may write (root included: made immutable), a disk with no
# room left (a one-page tmpfs, where this system lets us mount one), and the demo
# map as korvane-cli renders it, as bitmaps, when the Linux build ($KORVANE_LINUX_BUILD, else
# build/) has korvane-cli and korvane_screen.
#
#   fixtures.sh make DIR     fresh fixtures in DIR
#   fixtures.sh check DIR    the links are still links; then DIR is removed
set -euo pipefail
dir=$2
source=$(cd "$(dirname "$0")/../.." && pwd)
linux=${KORVANE_LINUX_BUILD:-$source/build}

unlock() {
  mountpoint -q "$dir/full" 2>/dev/null && umount "$dir/full"
  [[ -d $dir/readonly ]] || return 0
  chattr -i "$dir/readonly" 2>/dev/null || true
  chmod u+w "$dir/readonly"
}

case $1 in
  make)
    unlock
    rm -rf "$dir"
    mkdir -p "$dir/links/real" "$dir/readonly"
    printf '\x09' >"$dir/links/real/map.map"
    ln -s real/map.map "$dir/links/link.map"
    ln -s link.map "$dir/links/chain.map"
    ln -s loop-b.map "$dir/links/loop-a.map"
    ln -s loop-a.map "$dir/links/loop-b.map"
    ln -s /dev/null "$dir/links/device.map"
    printf 'kept' >"$dir/readonly/kept.map"
    mkdir "$dir/full"
    if mount -t tmpfs -o size=4k korvane-full "$dir/full" 2>/dev/null; then
      printf 'kept' >"$dir/full/kept.map"  # its page fills the disk
    fi
    cli=$linux/app/cli/korvane-cli
    screen=$linux/tests/wine/korvane_screen
    if [[ -x $cli && -x $screen ]]; then
      "$cli" render "$source/examples/demo.map" -o "$dir/demo-zoom1.png"
      "$cli" render "$source/examples/demo.map" -o "$dir/demo-zoom2-grid.png" --zoom 2 --grid
      for picture in demo-zoom1 demo-zoom2-grid; do
        "$screen" bmp "$dir/$picture.png" "$dir/$picture.bmp"
      done
    fi
    if [[ $(id -u) -eq 0 ]]; then
      chattr +i "$dir/readonly"
    else
      chmod a-w "$dir/readonly"
    fi
    ;;
  check)
    status=0
    for link in link chain loop-a loop-b device; do
      [[ -L $dir/links/$link.map ]] || { echo "$link.map is no longer a link" >&2; status=1; }
    done
    unlock
    rm -rf "$dir"
    exit $status
    ;;
esac
