#!/usr/bin/env bash
# The shell completions of morvane-cli parse in their shells and offer every
# option of --help and every word that --sort, --name and --case accept, as
# morvane-cli itself lists them; bash completes files and folders after them.
# $1 is the build folder.
set -uo pipefail
CLI="$(cd "${1:?build folder}" && pwd)/morvane-cli"
SRC="$(cd "$(dirname "$0")/../../packaging/completions" && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
. "$(dirname "$0")/checks.sh"

bash -n "$SRC/morvane-cli.bash" || fail "bash cannot parse the completion"
for shell in zsh:_morvane-cli fish:morvane-cli.fish; do
  if command -v "${shell%%:*}" >/dev/null; then
    "${shell%%:*}" -n "$SRC/${shell#*:}" || fail "${shell%%:*} cannot parse the completion"
  else
    echo "skipped: ${shell%%:*} is not installed (Debian package ${shell%%:*})"
  fi
done

# What bash offers for the words of a command line (the last one is completed).
bash_offers() {
  (cd "$WORK" && bash -c '. "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _morvane_cli; printf "%s\n" "${COMPREPLY[@]}" | sort' _ "$SRC/morvane-cli.bash" morvane-cli "$@")
}
fish_offers() {
  fish -c "source $SRC/morvane-cli.fish; complete -C 'morvane-cli $1'" | cut -f1 | sort
}
# Fails for each line of $2 (wanted) that $3 (offered) lacks.
offers_all() {
  local missing
  missing=$(comm -23 <(sort -u <<<"$2") <(sort -u <<<"$3"))
  [[ -z "$missing" ]] || fail "$1 does not offer: $(echo $missing)"
}

options=$("$CLI" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
[[ $(wc -l <<<"$options") -gt 10 ]] || fail "no options read from --help"
offers_all "bash, options" "$options" "$(bash_offers --)"
command -v fish >/dev/null && offers_all "fish, options" "$options" "$(fish_offers --)"
for word in $options; do
  grep -qE -- "(^|[^a-z-])$word([^a-z-]|$)" "$SRC/_morvane-cli" || fail "zsh does not offer $word"
done

# The words an option accepts, read from morvane-cli's own message for a bad one.
for option in --sort --name --case; do
  message=$("$CLI" "$option" '?' "$WORK" 2>&1)
  words=$(sed -n 's/.*(choose \(.*\)).*/\1/p' <<<"$message" | sed 's/, / /g; s/ or / /' | tr ' ' '\n')
  [[ -n "$words" ]] || fail "no choices in: $message"
  offers_all "bash, $option" "$words" "$(bash_offers "$option" "")"
  offers_all "bash, $option=" "$words" "$(bash_offers "$option" = "")"
  command -v fish >/dev/null && offers_all "fish, $option" "$words" "$(fish_offers "$option ")"
  grep -q -- "'$option=.*($(echo $words | cut -d' ' -f1) " "$SRC/_morvane-cli" ||
    fail "zsh does not offer the words of $option"
done

mkdir "$WORK/photos 1" "$WORK/music"
touch "$WORK/photo.jpg"
check "bash, files and folders" $'photo.jpg\nphotos 1' "$(bash_offers --apply ph)"
check "bash, no files for a text" "" "$(bash_offers --prefix ph)"
check "bash, files after --" $'--x' "$(touch "$WORK/--x"; bash_offers -- --)"
finish
