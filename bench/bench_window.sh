#!/usr/bin/env bash
# The window offscreen over a folder of BENCH_WINDOW_COUNT files (default
# 1,000,000): first drawing (goal under 1 s), the longest the window went
# unanswered while it read, previewed and renamed (goal under 250 ms), its
# memory per row above the names (goal under 200 bytes), and its run against
# morvane-cli --apply on a twin folder (goal within 1.2x).
# Usage: bench_window.sh <Release build folder>
set -euo pipefail
build="$(cd "$1" && pwd)"
count="${BENCH_WINDOW_COUNT:-1000000}"
[[ -x "$build/bench/bench_window" ]] || { echo "no window in this build: not measured"; exit 0; }
work="$(mktemp -d /tmp/morvane-bench-window.XXXXXX)"
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$work/app" "$work/gui" "$work/cli"
# Started as every run but the first: no language question, no questions
# before the run.
printf '[Language]\r\nMainForm=%s/Language.lng\r\n[option]\r\nwarnrename=0\r\nshowerrors=0\r\n' \
  "$work/app" >"$work/app/morvane.ini"
"$build/bench/bench_rename" make "$work/gui" "$count"
"$build/bench/bench_rename" make "$work/cli" "$count"
sync
read -r paint gap scan test run rows perrow < <(timeout 1800 "$build/bench/bench_window" "$work/gui" "$work/app")
TIMEFORMAT=%R
cli=$({ time "$build/morvane-cli" --apply "$work/cli" >/dev/null 2>&1; } 2>&1)
echo "files: $count (rows listed: $rows)"
echo "first drawing:             $paint ms (goal under 1000)"
echo "longest unanswered:        $gap ms while reading ($scan ms), previewing ($test ms) and renaming ($run ms) (goal under 250)"
echo "memory per row:            $perrow bytes above the names (goal under 200)"
awk -v g="$run" -v c="$cli" 'BEGIN {
  printf "run: window %.2f s, morvane-cli --apply %.2f s, ratio %.2fx (goal 1.2x)\n", g / 1000, c, g / 1000 / c }'
