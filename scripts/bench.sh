#!/usr/bin/env bash
# Runs every benchmark executable of a Release build; exits non-zero when any goal is missed
# or any benchmark fails.
set -euo pipefail
dir=$1
status=0
for b in "$dir"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" || status=1
done
exit $status
