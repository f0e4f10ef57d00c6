#!/usr/bin/env bash
# Fails, naming the files, where a tracked C++ file is not as clang-format 14 (Debian 12's)
# writes it. `make format` rewrites them.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! report=$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror 2>&1); then
  echo "Not formatted as clang-format 14 writes it (make format rewrites them):" >&2
  grep -o '^[^:]*\.\(cpp\|h\)' <<<"$report" | sort -u | sed 's/^/  /' >&2
  exit 1
fi
