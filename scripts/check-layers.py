#!/usr/bin/env python3
"""Checks that every include of src/ points down the layers of docs/ARCHITECTURE.md.

Usage: scripts/check-layers.py [src folder]; prints each include that points
upward and exits 1 when there is one.

Layers, top to bottom:
  app/qt        the window and the entry; nothing else includes it
  <sub>/qt      the Qt side of a subsystem: its own subsystem, lower
                subsystems (core or qt/), ui/ and platform/
  ui            Qt helpers shared by the qt/ folders: ui/, the cores, platform/
  <sub>         the Qt-free core: its own and lower cores, never Qt
  platform      the only code that calls the operating system: platform/ only
"""
import pathlib
import re
import sys

# Subsystems from the bottom up: a subsystem includes only itself and those
# before it. settings (settings store, paths, errors) serves all the others;
# app starts the program: its core decides what the command line and the
# desktop hand over, its qt/ folder, the window, is above everything.
SUBSYSTEMS = ["platform", "settings", "dialogs", "filelist", "lang", "rename", "app", "cli"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def layer_of(relative):
    """(subsystem, kind) of a path below src/; kind is core, qt or ui."""
    parts = relative.split("/")
    if parts[0] == "ui":
        return "ui", "ui"
    if parts[0] not in SUBSYSTEMS:
        return None
    return parts[0], "qt" if len(parts) > 2 and parts[1] == "qt" else "core"


def rank(subsystem):
    return SUBSYSTEMS.index(subsystem)


def upward(source, target, qt_header):
    """Why the include of target (or of a Qt header) by source points upward."""
    sub, kind = source
    if qt_header:
        return "the core includes no Qt" if kind == "core" else None
    tsub, tkind = target
    if (tsub, tkind) == ("app", "qt") and source != ("app", "qt"):
        return "nothing includes app/qt"
    if source == ("app", "qt"):
        return None
    if sub == "platform":
        return None if tsub == "platform" else "platform/ includes only platform/"
    if kind == "ui":
        return None if tkind != "qt" or tsub == "platform" else "ui/ includes no qt/ folder"
    if tkind == "ui":
        return "the core includes no Qt" if kind == "core" else None
    if kind == "core" and tkind == "qt":
        return "the core includes no Qt"
    if rank(tsub) > rank(sub):
        return f"{sub}/ is below {tsub}/"
    return None


def check(src):
    findings = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        relative = path.relative_to(src).as_posix()
        source = layer_of(relative)
        if source is None:
            findings.append(f"{relative}: folder has no place in the layers")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            quoted, name = match.group(1) == '"', match.group(2)
            qt_header = not quoted and name.startswith("Q")
            target = layer_of(name) if quoted else None
            if quoted and target is None:
                findings.append(f"{relative}:{number}: {name} is not a path below src/")
                continue
            if not quoted and not qt_header:
                continue  # the system's and the libraries' headers
            reason = upward(source, target, qt_header)
            if reason:
                findings.append(f"{relative}:{number}: includes {name}: {reason}")
    return findings


def main():
    src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "src")
    findings = check(src)
    for finding in findings:
        print(finding)
    if findings:
        print(f"check-layers: {len(findings)} include(s) point upward", file=sys.stderr)
        return 1
    print("check-layers: every include points down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
