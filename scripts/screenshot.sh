#!/usr/bin/env bash
# Takes a picture of the main window as a user sees it, on a virtual display of its own and
# with a fresh home, so the picture never shows the user's own watch list or logs. With xdotool
# at hand it first fills the window a little: two watch-list entries, one of them a copy of
# sleep that this script starts itself, then monitoring, which ends that copy and logs it.
# Usage: screenshot.sh <zentrav executable> <output png>
set -euo pipefail
exe=$(realpath "$1")
out=$2

for tool in Xvfb import xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshot: $tool is missing (Debian packages: xvfb, imagemagick, x11-utils)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb="" app="" child=""
cleanup() {
  for pid in $app $child $xvfb; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "screenshot: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache \
  QT_QPA_PLATFORM=xcb "$exe" >"$work/zentrav.log" 2>&1 &
app=$!

window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree | awk '/"Zentrav": \("zentrav"/ { print $1; exit }')
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; cat "$work/zentrav.log" >&2; exit 1; }
sleep 1

if command -v xdotool >/dev/null; then
  # The controller is 520 x 560; whatever the window has above that is the menu bar.
  height=$(xwininfo -id "$window" | awk '/Height:/ { print $2 }')
  top=$((height - 560))
  click() { xdotool mousemove --window "$window" "$1" $((top + $2)) click 1; sleep 0.3; }
  add() { click 190 65; xdotool type --delay 20 "$1"; xdotool key Return; sleep 0.3; }

  name="zvw-shot-$((RANDOM % 90000 + 10000))"
  cp /bin/sleep "$work/$name"
  "$work/$name" 300 &
  child=$!

  add "Chat Helper"
  click 408 65 # match mode: exact
  add "$name"
  click 474 22 # start
  sleep 2
  click 260 300 # background: ends editing
fi

import -window "$window" "$out"
echo "screenshot: $out"
