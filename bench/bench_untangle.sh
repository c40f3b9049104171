#!/usr/bin/env bash
# The preview of a folder against find | sort; clever numbering of a folder of numbered files (2.dat ... N+1.dat to
# 00001.dat ...), where list order would fail at once because each new name is
# still held: morvane-cli --apply --untangle against the plain renameat2 loop
# of bench_rename on a folder of the same size, then --undo of that run.
# Usage: bench_untangle.sh <Release build folder>   (BENCH_RENAME_COUNT: files)
set -euo pipefail
build="$(cd "$1" && pwd)"
cli="$build/morvane-cli"
bin="$build/bench/bench_rename"
count="${BENCH_RENAME_COUNT:-100000}"
work="$(mktemp -d /tmp/morvane-bench-untangle.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state"

seconds() {  # runs "$@" quietly; prints its wall-clock seconds
  local TIMEFORMAT='%R' t
  t=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  echo "$t"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
numbered() {  # a new folder of numbered files that clever numbering shifts
  rm -rf "$work/n" && mkdir "$work/n"
  (cd "$work/n" && seq 2 $((count + 1)) | sed 's/$/.dat/' | xargs touch) && sync
}

rm -rf "$work/plain" && mkdir "$work/plain" && "$bin" make "$work/plain" "$count" && sync
plain=$("$bin" plain "$work/plain" "$count")
numbered
# The preview with its conflict check (every row is a chain here) against
# listing and sorting the same folder.
list=$(seconds sh -c "find '$work/n' -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort")
preview=$(seconds "$cli" --name padded "$work/n")
printf 'preview of %d files with the conflict check %.3f s, find | sort %.3f s, ratio %sx (aim 1x)\n' \
  "$count" "$preview" "$list" "$(ratio "$preview" "$list")"
untangle=$(seconds "$cli" --apply --untangle --name padded "$work/n")
done_count=$(find "$work/n" -maxdepth 1 -name '[0-9][0-9][0-9][0-9][0-9]*.dat' | wc -l)
[[ "$done_count" == "$count" && ! -e "$work/n/$((count + 1)).dat" ]] || {
  echo "FAIL: untangle renamed $done_count of $count files" >&2; exit 1; }
undo=$(seconds "$cli" --undo "$work/n")
[[ -e "$work/n/2.dat" && -e "$work/n/$((count + 1)).dat" ]] || { echo "FAIL: undo" >&2; exit 1; }
printf 'untangle %d files: plain renameat2 loop %.3f s, --untangle %.3f s, ratio %sx (aim 2x); --undo %.3f s\n' \
  "$count" "$plain" "$untangle" "$(ratio "$untangle" "$plain")" "$undo"
