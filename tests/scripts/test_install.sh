#!/usr/bin/env bash
# Installs the build folder $1 into a temporary prefix and checks what a Linux
# desktop expects there: executables in bin/ and nothing else, help and
# language files in share/morvane/, a valid desktop entry and AppStream file,
# the icon, the copyright file and compressed manual pages.
# Needs desktop-file-utils and appstream.
set -uo pipefail
BUILD="$(cd "${1:?build folder}" && pwd)"
PREFIX="$(mktemp -d)"
chmod 755 "$PREFIX"
trap 'rm -rf "$PREFIX"' EXIT
. "$(dirname "$0")/checks.sh"
APP=org.example.morvane

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null || fail "cmake --install"

SERVICEMENU="share/kio/servicemenus/$APP.servicemenu.desktop"
expected=(bin/morvane-cli "share/applications/$APP.desktop" "share/metainfo/$APP.metainfo.xml"
  "$SERVICEMENU"
  share/icons/hicolor/scalable/apps/morvane.svg share/man/man1/morvane-cli.1.gz
  share/man/man1/morvane.1.gz share/doc/morvane/copyright
  share/bash-completion/completions/morvane-cli share/zsh/vendor-completions/_morvane-cli
  share/fish/vendor_completions.d/morvane-cli.fish)
for lng in "$(dirname "$0")"/../../lang/*.lng; do
  [[ -e "$lng" ]] && expected+=("share/morvane/lang/$(basename "$lng")")
done
[[ -e "$BUILD/morvane" ]] && expected+=(bin/morvane)
[[ -e "$BUILD/help.chm" ]] && expected+=(share/morvane/help.chm share/morvane/html/index.html)
for f in "${expected[@]}"; do
  [[ -s "$PREFIX/$f" ]] || fail "not installed: $f"
done
[[ -x "$PREFIX/bin/morvane-cli" ]] || fail "bin/morvane-cli is not executable"
extra=$(ls "$PREFIX/bin" | grep -vx -e morvane -e morvane-cli)
[[ -z "$extra" ]] || fail "bin/ holds more than the executables: $extra"

for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream; do
  command -v "${tool%%:*}" >/dev/null || fail "${tool%%:*} is missing (Debian package ${tool##*:})"
done
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$PREFIX/share/applications/$APP.desktop" 2>&1)
  [[ $? -eq 0 && -z "$out" ]] || fail "desktop-file-validate: $out"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
fi
desktop="$PREFIX/share/applications/$APP.desktop"
for line in "Exec=morvane %F" "MimeType=inode/directory;" Icon=morvane Categories=Utility\;FileTools\;; do
  grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
# Dolphin's service menu is a KDE service, not an application: the validator's
# complaints about its type and KDE's all/allfiles are expected, any other
# finding (syntax, field codes of Exec) is not.
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$PREFIX/$SERVICEMENU" 2>&1 |
    grep -v -e 'but the type is "Service"' -e '"all/allfiles" which is an invalid MIME type')
  [[ -z "$out" ]] || fail "desktop-file-validate (service menu): $out"
fi
for line in Type=Service MimeType=all/allfiles\; "Exec=morvane %F" "Actions=renameWithMorvane;" \
  "[Desktop Action renameWithMorvane]"; do
  grep -qxF "$line" "$PREFIX/$SERVICEMENU" || fail "service menu lacks $line"
done
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' \
  "$PREFIX/share/icons/hicolor/scalable/apps/morvane.svg" || fail "the icon is not well-formed XML"
grep -q '<launchable type="desktop-id">'"$APP"'.desktop</launchable>' \
  "$PREFIX/share/metainfo/$APP.metainfo.xml" || fail "metainfo does not launch the desktop entry"

# The installed command runs from its new place and finds nothing missing.
version=$("$PREFIX/bin/morvane-cli" --version) || fail "installed morvane-cli does not run"
[[ "$version" == "morvane-cli "[0-9]* ]] || fail "version line: $version"
if command -v groff >/dev/null; then
  for page in morvane-cli morvane; do
    out=$(gzip -dc "$PREFIX/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [[ -z "$out" ]] || fail "manual page $page: $out"
  done
fi

# An installed window keeps its files in $XDG_CONFIG_HOME/morvane/ and never
# writes beside its executable, whoever runs it: first as a user who cannot
# write there, then (when the test runs as root) as root, who can.
run_installed() {  # $1: home folder; the rest: the command that switches user
  local home=$1
  shift
  "$@" env -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$home" \
    QT_QPA_PLATFORM=offscreen timeout 3 "$PREFIX/bin/morvane" 2>/dev/null
  [[ $? -eq 124 ]] || fail "the installed window did not keep running ($*)"
  [[ -s "$home/.config/morvane/Language.lng" ]] || fail "no Language.lng in ~/.config/morvane ($*)"
  [[ -s "$home/.config/morvane/morvane.ini" ]] || fail "no morvane.ini in ~/.config/morvane ($*)"
  [[ -L "$home/.config/morvane/German.lng" && -s "$home/.config/morvane/German.lng" ]] ||
    fail "the shipped German.lng is not offered beside Language.lng ($*)"
  extra=$(ls "$PREFIX/bin" | grep -vx -e morvane -e morvane-cli)
  [[ -z "$extra" ]] || fail "written beside the executable ($*): $extra"
}
if [[ -x "$PREFIX/bin/morvane" ]]; then
  for who in user root; do
    HOMEDIR="$PREFIX/home-$who"
    mkdir -p "$HOMEDIR/.config/morvane"
    printf '[Language]\nMainForm=%s\n' "$PREFIX/share/morvane/lang/German.lng" \
      >"$HOMEDIR/.config/morvane/morvane.ini"
    if [[ $who == user && $(id -u) -eq 0 ]]; then
      chown -R 65534:65534 "$HOMEDIR"
      run_installed "$HOMEDIR" setpriv --reuid=65534 --regid=65534 --clear-groups
    elif [[ $who == user ]]; then
      chmod 555 "$PREFIX/bin"
      run_installed "$HOMEDIR"
      chmod 755 "$PREFIX/bin"
    elif [[ $(id -u) -eq 0 ]]; then
      run_installed "$HOMEDIR"
    fi
  done
fi

finish
