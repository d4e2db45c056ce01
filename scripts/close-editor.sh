#!/usr/bin/env bash
# Under an X server (xvfb-run): opens the editor on MAP, waits until its main window shows the
# title TITLE and has settled, and closes it through the window manager as a user would, so the
# editor takes its normal close path. Fails when the window does not appear or the editor does
# not end.
#
#   scripts/close-editor.sh MAP TITLE
set -euo pipefail

openbox >/dev/null 2>&1 &
wm=$!
# Started before the window manager is up, the editor's windows may never be managed.
for ((tenths = 0; tenths < 300; ++tenths)); do
  wmctrl -m >/dev/null 2>&1 && break
  sleep 0.1
done
korvane "$1" &
editor=$!
trap 'kill "$wm" "$editor" 2>/dev/null || true' EXIT

# Up to two minutes: on a busy machine (a CI runner, or builds beside it) the start can be slow.
for ((tenths = 0; tenths < 1200; ++tenths)); do
  wmctrl -l 2>/dev/null | grep -q " $2\$" && break
  sleep 0.1
done
((tenths < 1200)) || { echo "close-editor: no window called '$2'" >&2; exit 1; }
# The title is set while the map loads; a user's close comes after the editor is idle.
sleep 1
wmctrl -F -c "$2"
for ((tenths = 0; tenths < 300; ++tenths)); do
  kill -0 "$editor" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$editor" 2>/dev/null; then
  echo "close-editor: the editor did not end on closing '$2'; its windows:" >&2
  wmctrl -l >&2
  exit 1
fi
wait "$editor"
