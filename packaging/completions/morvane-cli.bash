# bash completion for morvane-cli: options, the words some of them take, and
# files and folders for the rest.

_morvane_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local option=$prev
  # "--sort=da" reaches us as the words "--sort", "=", "da".
  if [[ $cur == = ]]; then
    option=$prev cur=
  elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
    option=${COMP_WORDS[COMP_CWORD - 2]}
  fi
  local words=
  case $option in
    --sort) words="name date name-desc date-desc natural natural-desc taken taken-desc" ;;
    --name) words="original number padded" ;;
    --case) words="upper lower" ;;
    --filter | --prefix | --suffix | --ext | --search | --replace | --pattern | --start | \
      --step | --preset)
      COMPREPLY=()
      return
      ;;
  esac
  if [[ -n $words ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return
  fi
  local i
  for ((i = 1; i < COMP_CWORD; i++)); do
    [[ ${COMP_WORDS[i]} == -- ]] && break
  done
  if [[ $cur == -* && $i -eq $COMP_CWORD ]]; then
    mapfile -t COMPREPLY < <(compgen -W "--filter --sort --prefix --name --suffix --ext --case
      --pattern --start --step --search --replace --case-sensitive --regex --all --hidden
      --preset --json --apply --untangle --undo --wait --no-undo --help --version" -- "$cur")
    return
  fi
  compopt -o filenames 2>/dev/null
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
}
complete -F _morvane_cli morvane-cli
