#!/usr/bin/env bash
# Starts the program, or says clearly why it cannot show its window here.
set -euo pipefail
exe=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Zentrav is built ($exe), but there is no display to show its window on."
  echo "Start it from a desktop session, or under Xvfb: xvfb-run -a $exe"
  exit 0
fi
exec "$exe"
