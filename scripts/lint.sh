#!/usr/bin/env bash
# Static analysis of src/: clang-tidy with the checks of .clang-tidy, then
# cppcheck. Both read the compile commands of a configured build folder.
# Usage: scripts/lint.sh <build folder>; exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/lint.sh <build folder>}
db="$build/compile_commands.json"
[[ -f "$db" ]] || { echo "lint: $db is missing; configure $build first" >&2; exit 1; }
jobs=${JOBS:-$(nproc)}
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)

mapfile -t sources < <(find src -name '*.cpp' | sort)
echo "lint: clang-tidy on ${#sources[@]} files"
status=0
printf '%s\n' "${sources[@]}" |
  xargs -P "$jobs" -n 1 "$tidy" -p "$build" --quiet 2>/dev/null || status=1

echo "lint: cppcheck"
cppcheck --quiet --std=c++20 --language=c++ --library=qt --inline-suppr --error-exitcode=1 \
  --enable=warning,performance,portability --suppress=missingIncludeSystem \
  --suppress=unknownMacro -I src "${sources[@]}" || status=1

[[ $status -eq 0 ]] && echo "lint: clean"
exit $status
