#!/usr/bin/env bash
# Runs every benchmark script bench/bench_*.sh against the Release build folder
# given as $1. Each script measures the program against a baseline in the same
# run and prints ratios.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build-bench}" && pwd)"
status=0
for script in "$here"/bench_*.sh; do
  [[ -e "$script" ]] || continue
  echo "== $(basename "$script" .sh)"
  bash "$script" "$build" || status=1
done
exit $status
