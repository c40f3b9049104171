#!/usr/bin/env bash
# The layering check: the tree passes it, and each include planted in a copy
# of the tree is caught or let through as the layers say. $1 (the build
# folder) is not used.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
CHECK="$ROOT/scripts/check-layers.py"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
. "$(dirname "$0")/checks.sh"

python3 "$CHECK" "$ROOT/src" >/dev/null || fail "the tree breaks its layers"

# file that gets the include | the include line | expected exit status
while IFS='|' read -r file include expected; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  rm -rf "$WORK/src" && cp -r "$ROOT/src" "$WORK/src"
  printf '%s\n' "$include" >>"$WORK/src/$file"
  python3 "$CHECK" "$WORK/src" >/dev/null 2>&1
  check "$file + $include: exit status" "$expected" "$?"
done <<'TABLE'
dialogs/qt/aboutform.cpp|#include "app/qt/mainform.h"|1
ui/qttext.cpp|#include "lang/qt/qtformmodel.h"|1
ui/qttext.cpp|#include "platform/qt/desktop.h"|0
ui/artwork.cpp|#include "rename/preview.h"|0
rename/preview.cpp|#include <QString>|1
rename/preview.cpp|#include "ui/qttext.h"|1
rename/preview.cpp|#include "filelist/qt/filelistmodel.h"|1
filelist/scan.cpp|#include "rename/preview.h"|1
platform/fileio.cpp|#include "settings/paths.h"|1
settings/inifile.cpp|#include "filelist/scan.h"|1
lang/tovlanguage.cpp|#include "app/startdir.h"|1
rename/presets.cpp|#include "settings/inifile.h"|0
cli/main.cpp|#include "app/startdir.h"|0
platform/qt/desktop.cpp|#include "ui/qttext.h"|1
dialogs/qt/aboutform.cpp|#include "rename/qt/messageboxrenameui.h"|1
rename/qt/messageboxrenameui.cpp|#include "dialogs/qt/aboutform.h"|0
lang/qt/qtformmodel.cpp|#include "ui/artwork.h"|0
app/qt/mainform.cpp|#include "rename/qt/messageboxrenameui.h"|0
rename/qt/messageboxrenameui.cpp|#include "nowhere.h"|1
TABLE

rm -rf "$WORK/src" && cp -r "$ROOT/src" "$WORK/src" && mkdir "$WORK/src/extra" && touch "$WORK/src/extra/x.cpp"
python3 "$CHECK" "$WORK/src" >/dev/null 2>&1 && fail "a folder outside the layers passed"
finish
