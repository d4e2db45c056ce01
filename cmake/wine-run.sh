#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in a Wine prefix of Korvane's own ($WINEPREFIX when
# set, else one in the user's cache folder). The first run creates the prefix, which takes a
# while; later runs reuse it. Mono and Gecko are never asked for: nothing here needs them.
#
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENTS]
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  wine wineboot --init >/dev/null 2>&1
  wineserver --wait
fi
exec wine "$@"
