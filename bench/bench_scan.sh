#!/usr/bin/env bash
# Scans a folder of 100,000 files with the program and with find | sort, best
# of three each, prints both times and their ratio; then times the sorts.
set -euo pipefail
build="$1"
count=100000
runs=3
dir="$(mktemp -d /tmp/morvane-bench-scan.XXXXXX)"
trap 'rm -rf "$dir"' EXIT

"$build/bench/bench_scan" make "$dir" "$count"

read -r scan rows < <("$build/bench/bench_scan" scan "$dir" "$runs")

best_find=""
TIMEFORMAT=%R
for ((run = 0; run < runs; run++)); do
  t=$({ time find "$dir" -maxdepth 1 -type f -printf '%T@ %f\n' | LC_ALL=C sort >/dev/null; } 2>&1)
  if [[ -z "$best_find" ]] || awk -v a="$t" -v b="$best_find" 'BEGIN { exit !(a < b) }'; then
    best_find="$t"
  fi
done

echo "files:            $count (rows listed: $rows)"
echo "ScanDirectory:    ${scan} s (best of $runs)"
echo "find | sort:      ${best_find} s (best of $runs)"
awk -v a="$scan" -v b="$best_find" 'BEGIN { printf "ratio scan/find:  %.2fx\n", (b > 0 ? a / b : 0) }'

"$build/bench/bench_sort"
