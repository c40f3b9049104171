#!/usr/bin/env bash
# morvane-cli against perl rename (Debian's "rename" package) on the same job:
# 100,000 files f000001.txt ... renamed to img_1.txt, img_2.txt, ... in name
# order, each tool on its own identical folder. Prints both times and the ratio.
# $1 is the Release build folder. COUNT overrides the number of files.
set -euo pipefail
CLI="$(cd "${1:?build folder}" && pwd)/morvane-cli"
COUNT="${COUNT:-100000}"
PERL_RENAME="$(command -v file-rename || command -v rename || true)"
[[ -x "$CLI" ]] || { echo "missing $CLI" >&2; exit 1; }
[[ -n "$PERL_RENAME" ]] || { echo "perl rename is missing (Debian package rename)" >&2; exit 1; }
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export LC_ALL=C  # byte order for the shell's sort, the same as the program's name order

make_files() {
  mkdir "$1"
  (cd "$1" && seq -f 'f%06g.txt' 1 "$COUNT" | xargs touch)
}
seconds() {  # runs "$@", prints the wall-clock seconds it took
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }'
}
perl_job() {
  (cd "$WORK/perl" && ls | "$PERL_RENAME" 'our $n; $_ = "img_" . ++$n . ".txt"')
}

make_files "$WORK/morvane"
make_files "$WORK/perl"
sync
t_morvane=$(seconds "$CLI" --apply --prefix img_ --name number "$WORK/morvane")
t_perl=$(seconds perl_job)

if ! diff <(ls "$WORK/morvane") <(ls "$WORK/perl") >/dev/null; then
  echo "the two folders differ after the run" >&2
  exit 1
fi
[[ -e "$WORK/morvane/img_$COUNT.txt" && ! -e "$WORK/morvane/f000001.txt" ]] || {
  echo "the files were not renamed" >&2
  exit 1
}
printf 'files: %d\n' "$COUNT"
printf 'morvane-cli --apply: %.3f s\n' "$t_morvane"
printf 'perl rename:         %.3f s\n' "$t_perl"
awk -v m="$t_morvane" -v p="$t_perl" \
  'BEGIN { printf "ratio perl/morvane:  %.2f (above 1: morvane-cli is faster)\n", p / m }'
