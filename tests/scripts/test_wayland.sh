#!/usr/bin/env bash
# The window renames a folder on a Wayland desktop: a headless weston with
# its own runtime folder, and the GUI test test_mainform_platform connected
# to it through Qt's Wayland platform plug-in. $1 is the build folder.
# Needs weston and qt6-wayland.
set -uo pipefail
GUITEST="$(cd "${1:?build folder}" && pwd)/tests/test_mainform_platform"
[[ -x "$GUITEST" ]] || { echo "skipped: built without the window"; exit 77; }
. "$(dirname "$0")/checks.sh"
command -v weston >/dev/null || { fail "weston is missing (Debian package weston)"; finish; }
compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-*.so" >/dev/null ||
  { fail "Qt's Wayland plug-in is missing (Debian package qt6-wayland)"; finish; }
WORK="$(mktemp -d)"
export XDG_RUNTIME_DIR="$WORK/runtime" WAYLAND_DISPLAY=morvane-test
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 --no-config \
  --log="$WORK/weston.log" &
WESTON=$!
trap 'kill $WESTON 2>/dev/null; wait $WESTON 2>/dev/null; rm -rf "$WORK"' EXIT
for _ in $(seq 100); do
  [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] && break
  kill -0 $WESTON 2>/dev/null || break
  sleep 0.1
done
if [[ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]]; then
  cat "$WORK/weston.log"
  echo "skipped: weston could not start a headless compositor here (its log is above)"
  exit 77
fi
# Under the sanitizers, Mesa's EGL leaves a block from a driver it unloads;
# only the full unwinder reaches the frames its suppression names.
[[ -n "${ASAN_OPTIONS:-}" ]] && export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
QT_QPA_PLATFORM=wayland timeout 120 "$GUITEST" || fail "the window did not rename under Wayland"
finish
