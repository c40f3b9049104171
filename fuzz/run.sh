#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a bounded time, one at a time,
# from the seeds kept in fuzz/corpus/<name> (a target without seeds starts
# from nothing). What a run adds to a corpus goes to <build>/fuzz/corpus/<name>;
# crashes go to <build>/fuzz/artifacts. Each target runs as one process (no
# -jobs, which would fork and log to files).
# Usage: fuzz/run.sh <build folder> [seconds per target] [target names...]
set -euo pipefail
build=${1:?usage: fuzz/run.sh <build folder> [seconds] [targets...]}
seconds=${2:-60}
shift $(($# >= 2 ? 2 : 1))
here=$(cd "$(dirname "$0")" && pwd)
if [[ $# -eq 0 ]]; then  # every target built, seeded or not
  for target in "$build"/fuzz/fuzz_*; do
    [[ -f "$target" && -x "$target" ]] && set -- "$@" "${target##*/fuzz_}"
  done
  [[ $# -gt 0 ]] || { echo "no fuzz targets in $build/fuzz" >&2; exit 1; }
fi
mkdir -p "$build/fuzz/artifacts"
for name in "$@"; do
  target="$build/fuzz/fuzz_$name"
  grown="$build/fuzz/corpus/$name"
  mkdir -p "$grown"
  args=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$build/fuzz/artifacts/$name-")
  [[ -f "$here/dict/$name.dict" ]] && args+=(-dict="$here/dict/$name.dict")
  echo "== fuzz_$name for ${seconds}s"
  seeds=()
  [[ -d "$here/corpus/$name" ]] && seeds=("$here/corpus/$name")
  "$target" "${args[@]}" "$grown" "${seeds[@]}"
done
