#!/usr/bin/env bash
# Applies a language file of 10,000 texts to a window of as many labels and
# compares the time with a plain read of the same file.
# Usage: bench_language.sh <Release build folder>   (BENCH_LANGUAGE_KEYS: texts)
set -euo pipefail
build="$1"
keys="${BENCH_LANGUAGE_KEYS:-10000}"
work="$(mktemp -d /tmp/morvane-bench-language.XXXXXX)"
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_language" "$work/Many.lng" "$keys"
