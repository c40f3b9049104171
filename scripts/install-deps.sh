#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not yet
# installed. Nothing is installed (and no root is needed) when all are present.
set -euo pipefail
missing=()
for pkg in "$@"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# Another install may hold the package database for a while: wait for it.
LOCK=(-o DPkg::Lock::Timeout=600)
"${SUDO[@]}" apt-get "${LOCK[@]}" update -qq
"${SUDO[@]}" apt-get "${LOCK[@]}" install -y -qq --no-install-recommends "${missing[@]}"
