#!/usr/bin/env bash
# morvane-cli against perl rename (Debian's "rename" package) on the same job:
# 100,000 files f000001.txt ... renamed to img_1.txt, img_2.txt, ... in name
# order, each tool on its own identical folder. The tools take turns going
# first over ROUNDS rounds (default 3), on fresh folders each round; the best
# time of each counts. Prints both times and the ratio.
# $1 is the Release build folder. COUNT overrides the number of files.
set -euo pipefail
CLI="$(cd "${1:?build folder}" && pwd)/morvane-cli"
COUNT="${COUNT:-100000}"
ROUNDS="${ROUNDS:-3}"
PERL_RENAME="$(command -v file-rename || command -v rename || true)"
[[ -x "$CLI" ]] || { echo "missing $CLI" >&2; exit 1; }
[[ -n "$PERL_RENAME" ]] || { echo "perl rename is missing (Debian package rename)" >&2; exit 1; }
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export XDG_STATE_HOME="$WORK/state"  # the journals of --apply
export LC_ALL=C  # byte order for the shell's sort, the same as the program's name order

make_files() {
  mkdir "$1"
  (cd "$1" && seq -f 'f%06g.txt' 1 "$COUNT" | xargs touch)
}
seconds() {  # runs "$@"; prints its wall-clock and its CPU seconds (user + system)
  local TIMEFORMAT='%R %U %S' t
  t=$({ time "$@" >/dev/null 2>&1; } 2>&1)
  awk -v t="$t" 'BEGIN { split(t, f, " "); printf "%.3f/%.3f", f[1], f[2] + f[3] }'
}
perl_job() {
  (cd "$1" && ls | "$PERL_RENAME" 'our $n; $_ = "img_" . ++$n . ".txt"')
}
morvane_job() {
  "$CLI" --apply --prefix img_ --name number "$1"
}
# Runs one round; prints the seconds of morvane-cli and of perl rename.
round() {
  local m="$WORK/morvane" p="$WORK/perl" tm tp
  rm -rf "$m" "$p"
  make_files "$m"
  make_files "$p"
  sync
  if (($1 % 2)); then
    tp=$(seconds perl_job "$p"); tm=$(seconds morvane_job "$m")
  else
    tm=$(seconds morvane_job "$m"); tp=$(seconds perl_job "$p")
  fi
  if ! diff <(ls "$m") <(ls "$p") >/dev/null; then
    echo "the two folders differ after the run" >&2
    return 1
  fi
  [[ -e "$m/img_$COUNT.txt" && ! -e "$m/f000001.txt" ]] || {
    echo "the files were not renamed" >&2
    return 1
  }
  echo "$tm $tp"
}

best_m="" best_p=""
for ((r = 0; r < ROUNDS; r++)); do
  read -r tm tp < <(round "$r") || exit 1
  [[ -n "$tm" ]] || exit 1
  echo "round $((r + 1)) (wall/CPU seconds): morvane-cli $tm, perl rename $tp"
  best_m=$(awk -v a="$tm" -v b="${best_m:-$tm}" 'BEGIN { print (a + 0 < b + 0 ? a : b) }')
  best_p=$(awk -v a="$tp" -v b="${best_p:-$tp}" 'BEGIN { print (a + 0 < b + 0 ? a : b) }')
done
echo "files: $COUNT, best wall time of $ROUNDS rounds (wall/CPU seconds)"
echo "morvane-cli --apply: $best_m"
echo "perl rename:         $best_p"
awk -v m="$best_m" -v p="$best_p" 'BEGIN {
  split(m, a, "/"); split(p, b, "/")
  printf "ratio perl/morvane:  %.2f wall, %.2f CPU (above 1: morvane-cli is faster)\n",
         b[1] / a[1], b[2] / a[2] }'
