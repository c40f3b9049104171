#!/usr/bin/env bash
# A folder of a million files (BENCH_MILLION_COUNT): the peak memory of
# morvane-cli's preview, --apply and --undo, as bytes per file above the old
# and new names themselves, and the preview's time against ls -f | sort -f,
# the same listing in the same case-blind order.
# Usage: bench_million.sh <Release build folder>
set -euo pipefail
# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"
build="$1"
count="${BENCH_MILLION_COUNT:-1000000}"
cli="$build/morvane-cli"
work="$(mktemp -d /tmp/morvane-bench-million.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$work/empty"
dir="$work/files"
mkdir "$dir"
"$build/bench/bench_rename" make "$dir" "$count"
sync

run() {  # runs "$@" with its output dropped; prints wall seconds and peak KiB
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>"$work/err" ||
    { cat "$work/err" >&2; return 1; }
  cat "$work/time"
}
# Old names plus new names ("img_" and six or seven digits and ".jpg").
names=$(ls -f "$dir" | awk '$0 != "." && $0 != ".." { n += 2 * length($0) - 1 } END { print n }')
read -r _ base < <(run "$cli" "$work/empty")
per_file() {  # bytes per file of a peak (KiB) above the start-up and the names
  awk -v p="$1" -v b="$base" -v n="$names" -v c="$count" 'BEGIN { printf "%.0f", ((p - b) * 1024 - n) / c }'
}
report() {
  printf '%-8s %6.2f s, peak %4d MB, %s bytes per file above the names (aim 150)\n' \
    "$1" "$2" "$(($3 / 1024))" "$(per_file "$3")"
}

echo "files: $count; names: $((names / count)) bytes per file (old and new)"
read -r t kib < <(run "$cli" --prefix img_ --name padded --ext jpg "$dir")
report preview "$t" "$kib"
read -r t kib < <(run "$cli" --apply --prefix img_ --name padded --ext jpg "$dir")
report --apply "$t" "$kib"
read -r t kib < <(run "$cli" --undo "$dir")
report --undo "$t" "$kib"
[[ $(find "$dir" -maxdepth 1 -name 'file_*' | wc -l) == "$count" ]] || { echo "FAIL: undo" >&2; exit 1; }

preview=$(best "$cli" "$dir")
listing=$(best sh -c 'ls -f "$1" | LC_ALL=C sort -f' sh "$dir")
awk -v a="$preview" -v b="$listing" 'BEGIN {
  printf "preview in name order %.2f s, ls -f | sort -f %.2f s, ratio %.2fx (aim under 1x)\n", a, b, a / b }'
