#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in a Wine prefix of Korvane's own ($WINEPREFIX when
# set, else one in the user's cache folder). The first run makes the prefix, which takes a
# while; later runs reuse it. Mono and Gecko are never asked for: nothing here needs them.
#
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENTS]
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/korvane/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ ! -f $WINEPREFIX/korvane-ready ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # A first run here once failed with nothing said: try once more, then show what Wine said.
  boot_log=$(mktemp)
  if ! wine wineboot --init >"$boot_log" 2>&1; then
    wineserver --wait || true
    if ! wine wineboot --init >"$boot_log" 2>&1; then
      echo "wine-run: could not make the Wine prefix $WINEPREFIX:" >&2
      cat "$boot_log" >&2
      rm -f "$boot_log"
      exit 1
    fi
  fi
  rm -f "$boot_log"
  # Wine draws the windows' frames itself: with no window manager on the test display, hiding a
  # window would otherwise wait two seconds for one.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
    echo "wine-run: could not tell Wine to draw the window frames itself" >&2
  wineserver --wait
  touch "$WINEPREFIX/korvane-ready"
fi
exec wine "$@"
