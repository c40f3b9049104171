#!/bin/sh
# The two commands of a fresh clone on Debian 12, as root or as a user with
# sudo, with nothing but git installed:
#   ./morvane.sh run    builds the program and starts the window
#   ./morvane.sh test   builds it and runs every test
# Whatever is missing, make included, is installed first (through sudo when
# not root). Any other target of the Makefile works too: ./morvane.sh package
set -eu
cd "$(dirname "$0")"
if [ $# -eq 0 ]; then
  echo "usage: ./morvane.sh run | test | TARGET... (a target of the Makefile)" >&2
  exit 2
fi
command -v make >/dev/null 2>&1 || scripts/install-deps.sh make
exec make "$@"
