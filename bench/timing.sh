# shellcheck shell=bash
# Timing shared by the benchmark scripts; sourced, not run.

best() {  # best wall seconds of three runs of "$@", its output dropped
  local b="" t
  for _ in 1 2 3; do
    t=$({ TIMEFORMAT=%R; time "$@" >/dev/null; } 2>&1)
    b=$(awk -v a="$t" -v b="${b:-$t}" 'BEGIN { print (a < b ? a : b) }')
  done
  echo "$b"
}
