#!/usr/bin/env bash
# Renames the files of one folder (prefix and clever numbering) through the
# rename run and compares the time with a plain loop of the same no-replace
# renames and, where installed, with Perl's rename tool. Then times the preview.
# Usage: bench_rename.sh <Release build folder>   (BENCH_RENAME_COUNT: files)
set -euo pipefail
build="$1"
bin="$build/bench/bench_rename"
count="${BENCH_RENAME_COUNT:-100000}"
work="$(mktemp -d /tmp/morvane-bench-rename.XXXXXX)"
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

fresh() {  # a new folder of $count numbered files
  local dir="$work/$1"
  rm -rf "$dir" && mkdir "$dir" && "$bin" make "$dir" "$count" && sync
  echo "$dir"
}

check() {  # every file renamed, nothing lost
  local n
  n=$(find "$1" -maxdepth 1 -name 'img_*.jpg' | wc -l)
  [[ "$n" == "$count" ]] || { echo "FAIL: $n of $count files renamed in $1" >&2; exit 1; }
}

# Best of two rounds, the two programs alternating on identical folders.
best_plain="" best_engine=""
for round in 1 2; do
  dir=$(fresh plain); t=$("$bin" plain "$dir" "$count"); check "$dir"
  best_plain=$(awk -v a="$t" -v b="${best_plain:-$t}" 'BEGIN { print (a < b ? a : b) }')
  dir=$(fresh engine); t=$("$bin" engine "$dir" "$count"); check "$dir"
  best_engine=$(awk -v a="$t" -v b="${best_engine:-$t}" 'BEGIN { print (a < b ? a : b) }')
done
printf 'rename %d files: plain renameat2 loop %.3f s, rename run %.3f s, ratio %sx\n' \
  "$count" "$best_plain" "$best_engine" "$(ratio "$best_engine" "$best_plain")"

# Perl's rename (Debian package "rename"), fed the names on standard input.
if command -v rename >/dev/null && rename --version 2>&1 | grep -qi 'rename'; then
  dir=$(fresh perl)
  (cd "$dir" && find . -maxdepth 1 -name 'file_*' -printf '%f\n' | LC_ALL=C sort >"$work/list")
  start=$(now)
  (cd "$dir" && rename 'our $n; $_ = sprintf("img_%05d.jpg", ++$n)' <"$work/list")
  t=$(awk -v a="$(now)" -v b="$start" 'BEGIN { print a - b }')
  check "$dir"
  printf 'perl rename %.3f s: the rename run takes %sx its time\n' "$t" "$(ratio "$best_engine" "$t")"
else
  echo "perl rename not installed: no comparison"
fi

# morvane-cli --apply, which records every file's identity before its first
# move, and --undo of that run, which checks each identity before moving back.
seconds() {  # runs "$@" quietly; prints its wall-clock seconds
  local TIMEFORMAT='%R' t
  t=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$t"
}
export XDG_STATE_HOME="$work/state"
# Best of two rounds, as for the loop above.
apply="" undo=""
for round in 1 2; do
  dir=$(fresh cli)
  t=$(seconds "$build/morvane-cli" --apply --prefix img_ --name padded --ext jpg "$dir")
  check "$dir"
  apply=$(awk -v a="$t" -v b="${apply:-$t}" 'BEGIN { print (a < b ? a : b) }')
  t=$(seconds "$build/morvane-cli" --undo "$dir")
  [[ $(find "$dir" -maxdepth 1 -name 'file_*' | wc -l) == "$count" ]] || { echo "FAIL: undo" >&2; exit 1; }
  undo=$(awk -v a="$t" -v b="${undo:-$t}" 'BEGIN { print (a < b ? a : b) }')
done
printf 'morvane-cli --apply with the undo record %.3f s, ratio %sx (aim 1.2x); --undo %.3f s, ratio %sx (aim 1.5x)\n' \
  "$apply" "$(ratio "$apply" "$best_plain")" "$undo" "$(ratio "$undo" "$best_plain")"

"$build/bench/bench_preview" "$count"
