#!/usr/bin/env bash
# Date taken of many photos: the metadata reader (all cores) against exiftool
# over the same folder; then the pattern below applied by morvane-cli against
# exiftool renaming by the same date, and morvane-cli's preview against
# `find | sort`. Each photo is a tiny JPEG with its own DateTimeOriginal,
# written once by exiftool and then copied with the date patched.
# Usage: bench_metadata.sh <Release build folder>   (BENCH_PHOTO_COUNT: photos)
set -euo pipefail
# shellcheck source=bench/timing.sh
. "$(dirname "$0")/timing.sh"
build="$(cd "$1" && pwd)"
bin="$build/bench/bench_metadata"
cli="$build/morvane-cli"
count="${BENCH_PHOTO_COUNT:-10000}"
pattern='{taken:%Y%m%d-%H%M%S}-{n}{ext}'
if ! command -v exiftool >/dev/null; then
  echo "exiftool not installed (libimage-exiftool-perl): no comparison"
  exit 0
fi
work="$(mktemp -d /tmp/morvane-bench-metadata.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"

now() { date +%s.%N; }
since() { awk -v a="$(now)" -v b="$1" 'BEGIN { printf "%.3f", a - b }'; }
find_sort() { find "$1" | sort; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", a / b }'; }
fresh() {  # a new folder of $count dated photos
  local dir="$work/$1"
  rm -rf "$dir" && mkdir "$dir" && "$bin" make "$dir" "$count" "$work/tagged.jpg" && sync
  echo "$dir"
}
check() {  # every photo renamed by its date, nothing lost
  local n
  n=$(find "$1" -maxdepth 1 -name '20??????-??????*.jpg' | wc -l)
  [[ "$n" == "$count" ]] || { echo "FAIL: $n of $count photos renamed in $1" >&2; exit 1; }
}

"$bin" jpeg "$work/tagged.jpg"
exiftool -q -q -overwrite_original '-DateTimeOriginal=2000:01:01 00:00:00' "$work/tagged.jpg"
dir=$(fresh photos)
ours=$("$bin" read "$dir")
start=$(now)
exiftool -q -q -DateTimeOriginal "$dir" >/dev/null
theirs=$(since "$start")
printf 'date taken of %d photos: ReadFacts on %d cores %.3f s, exiftool %.3f s: %sx faster\n' \
  "$count" "$(nproc)" "$ours" "$theirs" "$(ratio "$theirs" "$ours")"

if ! "$cli" --help 2>&1 | grep -q -- '--pattern'; then
  echo "morvane-cli has no --pattern yet: pattern renaming and preview not measured"
  exit 0
fi
preview=$(best "$cli" --pattern "$pattern" "$dir")
listing=$(best find_sort "$dir")
printf 'preview of %s: morvane-cli %.3f s on %d cores, find | sort %.3f s: %sx its time (goal 3x)\n' \
  "$pattern" "$preview" "$(nproc)" "$listing" "$(ratio "$preview" "$listing")"

dir=$(fresh morvane)
start=$(now)
"$cli" --apply --pattern "$pattern" "$dir" >/dev/null
ours=$(since "$start")
check "$dir"
dir=$(fresh exiftool)
start=$(now)
exiftool -q -q '-FileName<DateTimeOriginal' -d '%Y%m%d-%H%M%S%%-c.%%e' "$dir"
theirs=$(since "$start")
check "$dir"
printf 'rename %d photos by date taken: morvane-cli %.3f s, exiftool %.3f s: %sx faster (goal 50x)\n' \
  "$count" "$ours" "$theirs" "$(ratio "$theirs" "$ours")"
