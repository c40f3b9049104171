# The checks the script tests share; source it after `set -uo pipefail`.
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() {  # title expected actual
  [[ "$2" == "$3" ]] ||
    fail "$1"$'\n'"  expected: $(printf '%q' "$2")"$'\n'"  actual:   $(printf '%q' "$3")"
}
# Ends the script: exit 1 when a check failed.
finish() {
  ((failures == 0)) || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "all checks passed"
}
