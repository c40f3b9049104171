#!/usr/bin/env bash
# Starts the window program with the toolkit's own options that read a file
# or load a plugin: what would hang or abort the start is refused at once
# with a message and exit code 2. $1 is the build folder.
set -uo pipefail
APP="$(cd "${1:?build folder}" && pwd)/morvane"
[[ -x "$APP" ]] || { echo "skipped: no window program in $1"; exit 0; }
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
. "$(dirname "$0")/checks.sh"
mkfifo "$WORK/fifo"
head -c 2000000 /dev/zero >"$WORK/big.qss"
echo 'QWidget { color: black; }' >"$WORK/ok.qss"

# options (@ the work folder) | start of the first line on stderr
while IFS='|' read -r opts expected; do
  [[ -z "$opts" ]] && continue
  read -r -a args <<<"${opts//@/$WORK}"
  timeout 20 "$APP" "${args[@]}" >/dev/null 2>"$WORK/err"
  check "$opts: exit code" 2 $?
  expected="${expected//@/$WORK}"  # the start of the first line on stderr
  check "$opts: message" "$expected" "$(head -n 1 "$WORK/err" | head -c "${#expected}")"
done <<'TABLE'
-stylesheet /dev/zero|morvane: cannot use -stylesheet '/dev/zero': not a regular file
-stylesheet @/fifo|morvane: cannot use -stylesheet '@/fifo': not a regular file
--stylesheet=@/big.qss|morvane: cannot use -stylesheet '@/big.qss': larger than 1 MiB
-qwindowicon @/fifo|morvane: cannot use -qwindowicon '@/fifo': not a regular file
-platform x|morvane: no platform plugin named 'x' (available: 
TABLE

# The message lists the plugins found; a known one with a sane style sheet starts
# the window, which still runs when the timeout ends it.
check "plugins found" 1 "$(grep -c "available: .*offscreen" "$WORK/err")"
timeout 5 "$APP" -platform offscreen -stylesheet "$WORK/ok.qss" "$WORK" >/dev/null 2>"$WORK/err"
check "sane options start the window" 124 $?
finish
