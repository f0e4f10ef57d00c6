#!/usr/bin/env bash
# Runs each fuzzer for a bounded time, from the seed corpus in the repository and a working
# corpus of its own in the build folder.
# Prints the executions of each; exits non-zero when one found a crash.
set -euo pipefail
build=$1
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

echo "each fuzzer for $seconds s:"
status=0
for name in watch_list kill_log day_file_append; do
  work="$build/fuzz/$name"
  mkdir -p "$work/corpus" "$work/crashes"
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
      -dict="$root/fuzz/json.dict" -artifact_prefix="$work/crashes/" \
      "$work/corpus" "$root/fuzz/corpus/$name" >"$work/log" 2>&1; then
    outcome="no crash"
  else
    outcome="CRASH: see $work/log and $work/crashes/"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/log")
  echo "  fuzz_$name: ${runs:-?} executions, $outcome"
done
exit $status
