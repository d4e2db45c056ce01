#!/usr/bin/env bash
# Under an X server (xvfb-run): opens the editor on MAP, waits for its main window to show the
# caption CAPTION, and closes it through the window manager as a user would, so the editor takes
# its normal close path. Fails when the window does not appear or the editor does not end.
#
#   scripts/close-editor.sh MAP CAPTION
set -euo pipefail

openbox >/dev/null 2>&1 &
wm=$!
korvane "$1" &
editor=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT

for ((i = 0; i < 300; ++i)); do
  wmctrl -F -c "$2" 2>/dev/null && break
  sleep 0.1
done
((i < 300)) || { echo "close-editor: no window called '$2'" >&2; exit 1; }
for ((i = 0; i < 300; ++i)); do
  kill -0 "$editor" 2>/dev/null || break
  sleep 0.1
done
((i < 300)) || { echo "close-editor: the editor did not end when closed" >&2; exit 1; }
wait "$editor"
