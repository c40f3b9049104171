#!/usr/bin/env bash
# Drives morvane-cli on real folders: name rules, search and replace, exit
# codes, conflict marks, escaping of odd names, and renames that must never
# overwrite a file. $1 is the build folder.
set -uo pipefail
CLI="$(cd "${1:?build folder}" && pwd)/morvane-cli"
[[ -x "$CLI" ]] || { echo "missing $CLI" >&2; exit 1; }
WORK="$(mktemp -d)"
# Journals of --apply stay in the test folder.
export HOME="$WORK/home" XDG_STATE_HOME="$WORK/state"
chmod 755 "$WORK"
trap 'chmod -R u+w "$WORK" 2>/dev/null; rm -rf "$WORK"' EXIT
n=0
. "$(dirname "$0")/checks.sh"
fresh() { n=$((n + 1)); D="$WORK/d$n"; mkdir "$D"; }
# Splits a comma-separated option list into the array OPTS (values may hold blanks).
split_opts() { OPTS=(); [[ -n "$1" ]] && IFS=',' read -r -a OPTS <<<"$1"; }

# --- Name builder: old name | running number | options | new name ---------------
# The number is the file's position: numbered files get pads that sort first.
while IFS='|' read -r old number opts expected; do
  [[ -z "$old" || "$old" == \#* ]] && continue
  fresh
  for ((k = 1; k < number; k++)); do touch "$D/#pad$k"; done
  touch "$D/$old"
  split_opts "$opts"
  line=$("$CLI" "${OPTS[@]}" "$D" | awk -F'\t' -v o="$old" '$1 == o')
  check "name builder: $old #$number [$opts]" "$old"$'\t'"$expected" "$line"
done <<'TABLE'
holiday.jpg|7||7.jpg
holiday.jpg|7|--name,padded|00007.jpg
holiday.jpg|12|--prefix,img_,--name,padded|img_00012.jpg
holiday.jpg|1|--name,original,--suffix,_s,--ext,png|holiday_s.png
holiday.jpg|1|--name,original,--ext,.png|holiday.png
holiday.jpg|1|--name,original,--ext=|holiday
archive.tar.gz|1|--name,original|archive.tar.gz
archive.tar.gz|1|--name,original,--ext,zip|archive.tar.zip
README|1|--name,original,--suffix,_old|README_old
.profile|1|--hidden,--name,original,--prefix,x|x.profile
.profile|1|--hidden,--name,original,--ext,txt|.txt
Photo.JPG|1|--name,original,--case,lower|photo.jpg
a.txt|1|--prefix,New ,--name,original,--case,upper|NEW A.TXT
song.mp3|3|--ext,..x|3..x
song.mp3|1|--ext,tar.gz|1.tar.gz
Été.txt|1|--name,original,--case,upper|ÉTÉ.TXT
TABLE

# --- Search and replace: old | search | replace | case sensitive | new -----------
while IFS='|' read -r old search replace sensitive expected; do
  [[ -z "$old" ]] && continue
  modes=(yes no)
  [[ "$sensitive" != either ]] && modes=("$sensitive")
  for mode in "${modes[@]}"; do
    fresh
    touch "$D/$old"
    extra=()
    [[ "$mode" == yes ]] && extra=(--case-sensitive)
    out=$("$CLI" --search "$search" --replace "$replace" "${extra[@]}" "$D" | cut -f1,2)
    check "replace: $old [$search -> $replace, sensitive $mode]" "$old"$'\t'"$expected" "$out"
  done
done <<'TABLE'
my photo 1.jpg| |_|either|my_photo 1.jpg
a.b.c|.|-|either|a-b.c
Photo.JPG|jpg|png|no|Photo.png
Photo.JPG|jpg|png|yes|Photo.JPG
IMG_0001.jpg|IMG_||either|0001.jpg
holiday.jpg||x|either|holiday.jpg
aaa|aa|b|either|ba
report.txt|report.txt||either|
ÉTÉ.txt|été|x|no|x.txt
TABLE

# --- Filter and order ----------------------------------------------------------------
fresh
touch -d '2001-01-01' "$D/B.txt"; touch -d '2003-01-01' "$D/a.txt"; touch -d '2002-01-01' "$D/_c.bmp"
while IFS='|' read -r opts expected; do
  split_opts "$opts"
  out=$("$CLI" "${OPTS[@]}" "$D" | cut -f1 | paste -sd' ')
  check "order and filter [$opts]" "$expected" "$out"
done <<'TABLE'
|a.txt B.txt _c.bmp
--sort,name-desc|_c.bmp B.txt a.txt
--sort,date|B.txt _c.bmp a.txt
--sort,date-desc|a.txt _c.bmp B.txt
--sort,taken-desc|a.txt B.txt _c.bmp
--filter,TXT|a.txt B.txt
--filter,*;bmp|a.txt B.txt _c.bmp _c.bmp
--filter,bmp;*|_c.bmp
--filter,.txt|
TABLE

# --- Exit codes and usage messages: expected code | stderr part | arguments -----
fresh
touch "$D/a.txt" "$D/plain"
while IFS='|' read -r code message opts; do
  split_opts "$opts"
  args=()
  for a in "${OPTS[@]}"; do args+=("${a//@D/$D}"); done
  err=$("$CLI" "${args[@]}" 2>&1 >/dev/null)
  got=$?
  check "exit code of [$opts]" "$code" "$got"
  [[ "$err" == *"$message"* ]] || fail "message of [$opts]: '$err' lacks '$message'"
done <<'TABLE'
0||@D
0||--json,@D
0||--help
0||--prefix=x,--,@D
2|unknown option '--frobnicate'|--frobnicate,@D
2|unknown option '-x'|-x,@D
2|missing directory|--prefix,a
2|option '--prefix' needs a value|@D,--prefix
2|bad value 'size' for '--sort'|--sort,size,@D
2|bad value 'roman' for '--name'|--name,roman,@D
2|bad value 'title' for '--case'|--case,title,@D
2|'--search' cannot be mixed with '--prefix'|--prefix,p,--search,a,@D
2|'--search' cannot be mixed with '--case'|--search,a,--case,upper,@D
2|'--replace' needs '--search'|--replace,b,@D
2|option '--json' takes no value|--json=1,@D
0||@D/plain
2|is a folder|@D/plain,@D
2|no such file|@D/plain,@D/missing
2|several folders|@D/plain,/etc/hostname
2|'--no-undo' needs '--apply'|--no-undo,@D
2|'--wait' needs '--apply' or '--undo'|--wait,@D
TABLE
check "help names the escapes" 1 "$("$CLI" --help | grep -c 'a tab as \\t')"

# --- Conflict marks ---------------------------------------------------------------
# 1.txt and 3.txt are listed and renamed later (3.txt -> 4), x -> 1 comes after 1 has moved.
fresh
touch "$D/1.txt" "$D/2.txt" "$D/3.txt" "$D/5.png" "$D/a.txt" "$D/same.txt"
while IFS='|' read -r title opts expected; do
  split_opts "$opts"
  check "conflicts: $title" "$(printf '%b' "$expected")" "$("$CLI" "${OPTS[@]}" "$D")"
done <<'TABLE'
target kept by a row that stays|--filter,txt,--sort,name-desc,--search,a,--replace,2|same.txt\ts2me.txt\na.txt\t2.txt\t!\ttaken\n3.txt\t3.txt\n2.txt\t2.txt\n1.txt\t1.txt
an empty new name cannot be had|--filter,txt,--search,same.txt|1.txt\t1.txt\n2.txt\t2.txt\n3.txt\t3.txt\na.txt\ta.txt\nsame.txt\t\t!\tempty
unlisted target and targets freed later|--filter,txt,--ext,png|1.txt\t1.png\n2.txt\t2.png\n3.txt\t3.png\na.txt\t4.png\nsame.txt\t5.png\t!\ttaken
chain in list order|--filter,txt|1.txt\t1.txt\n2.txt\t2.txt\n3.txt\t3.txt\na.txt\t4.txt\nsame.txt\t5.txt
reverse order takes names still held|--filter,txt,--sort,name-desc|same.txt\t1.txt\t!\tchain\na.txt\t2.txt\t!\tchain\n3.txt\t3.txt\n2.txt\t4.txt\n1.txt\t5.txt
no mark without a clash|--filter,txt,--search,.txt,--replace=|1.txt\t1\n2.txt\t2\n3.txt\t3\na.txt\ta\nsame.txt\tsame
TABLE
fresh
touch "$D/a.jpg" "$D/a.png" "$D/b.jpg"
out=$("$CLI" --name original --ext gif "$D" --json | python3 -c '
import json, sys
print(" ".join("%s>%s:%s:%s" % (r["old"], r["new"], r["conflict"], r["reason"]) for r in json.load(sys.stdin)))')
# The first row takes the name; the second finds it taken by then.
check "conflicts: two rows, one new name (JSON)" "a.jpg>a.gif:False:None a.png>a.gif:True:duplicate b.jpg>b.gif:False:None" "$out"

# --- Odd names: tab, newline, backslash, control byte, not UTF-8 -----------------
fresh
touch "$D/"$'a\tb.txt' "$D/"$'c\nd.txt' "$D/"'e\f.txt' "$D/"$'g\x01h.txt' "$D/"$'\xe9t\xe9.txt' "$D/"'q"uote.txt'
out=$("$CLI" --name original --suffix $'\t' "$D")
check "text escapes: lines" 6 "$(printf '%s\n' "$out" | wc -l)"
check "text escapes: tab in the old and the new name" "a\\tb.txt"$'\t'"a\\tb\\t.txt" "$(sed -n 1p <<<"$out")"
check "text escapes: newline" "c\\nd.txt"$'\t'"c\\nd\\t.txt" "$(sed -n 2p <<<"$out")"
check "text escapes: backslash" "e\\\\f.txt"$'\t'"e\\\\f\\t.txt" "$(sed -n 3p <<<"$out")"
check "text escapes: control byte" "g\\x01h.txt"$'\t'"g\\x01h\\t.txt" "$(sed -n 4p <<<"$out")"
check "text escapes: other bytes kept" $'\xe9t\xe9.txt\t\xe9t\xe9\\t.txt' "$(sed -n 6p <<<"$out")"
json=$("$CLI" --json --name original --suffix $'\t' "$D")
check "JSON: invalid byte as \\udcXX" 1 "$(grep -c '"\\udce9t\\udce9.txt"' <<<"$json")"
got=$(python3 -c '
import json, os, sys
rows = json.load(sys.stdin)
names = sorted(os.fsencode(r["old"]) for r in rows)
print("same" if names == sorted(os.listdir(os.fsencode(sys.argv[1]))) else "differ")
print(all(os.fsencode(r["new"]) == os.fsencode(r["old"])[:-4] + b"\t.txt" for r in rows))' "$D" <<<"$json")
check "JSON: valid, and names decode to the exact bytes" $'same\nTrue' "$got"
fresh  # near-UTF-8: overlong, encoded surrogate, cut short, beyond U+10FFFF; and real UTF-8
touch "$D/"$'\xc0\xaf' "$D/"$'\xed\xa0\x80' "$D/"$'x\xe2\x82' "$D/"$'\xf4\x90\x80\x80' "$D/"$'\xf0\x9f\x93\xb7.jpg'
got=$("$CLI" --json --name original "$D" | python3 -c '
import json, os, sys
rows = json.load(sys.stdin)
print(sorted(os.fsencode(r["old"]) for r in rows) == sorted(os.listdir(os.fsencode(sys.argv[1]))))
print([r["new"] for r in rows if r["new"].endswith(".jpg")])' "$D")
check "JSON: invalid sequences escaped byte by byte, valid ones kept" $'True\n[\'\xf0\x9f\x93\xb7.jpg\']' "$got"

fresh  # bidirectional controls and invisible characters are shown, JSON escapes them
touch "$D/"$'invoice\xe2\x80\xaefdp.exe' "$D/"$'zero\xe2\x80\x8bwidth\xef\xbb\xbf'  # UTF-8 bytes: \u needs a UTF-8 locale
out=$("$CLI" --name original "$D")
check "text: hidden characters visible" $'invoice<U+202E>fdp.exe\tinvoice<U+202E>fdp.exe\nzero<U+200B>width<U+FEFF>\tzero<U+200B>width<U+FEFF>' "$out"
json=$("$CLI" --json --name original "$D")
check "JSON: hidden characters as \\u escapes" 2 "$(grep -c '"invoice\\u202efdp.exe"\|"zero\\u200bwidth\\ufeff"' <<<"$json")"
got=$(python3 -c 'import json, os, sys; print(sorted(os.fsencode(r["old"]) for r in json.load(sys.stdin)) == sorted(os.listdir(os.fsencode(sys.argv[1]))))' "$D" <<<"$json")
check "JSON: hidden characters decode to the names on disk" True "$got"

fresh  # a move into a missing folder fails in the preview; into an existing one it is a warning
mkdir "$D/sub"; touch "$D/a.txt"
out=$("$CLI" --name original --suffix /nowhere --filter txt "$D"; "$CLI" --name original --prefix sub/ --filter txt "$D")
check "preview: missing folder fails, existing folder warns" $'a.txt\ta/nowhere.txt\t!\tfolder\na.txt\tsub/a.txt\t\tfolder' "$out"
out=$("$CLI" --json --name original --suffix /nowhere --filter txt "$D" | python3 -c 'import json, sys; r = json.load(sys.stdin)[0]; print(r["conflict"], r["reason"])')
check "preview: missing folder (JSON)" "True folder" "$out"

# Without the atomic no-replace rename a file moves by a link; where links are
# refused too, the run says that it renamed without an atomic check.
PRELOAD="$(cd "$1" && pwd)/tests/libmorvane_norenameat2.so"
if [[ -f "$PRELOAD" ]]; then
  for nolink in "" 1; do
    fresh
    touch "$D/a.txt" "$D/b.txt"
    MORVANE_NO_LINKAT=$nolink LD_PRELOAD="$PRELOAD" "$CLI" --apply --name original --prefix x "$D" 2>"$WORK/err"
    check "no atomic rename, links '$nolink': renamed" "xa.txt xb.txt" "$(ls "$D" | tr '\n' ' ' | sed 's/ $//')"
    expected=""
    [[ -n "$nolink" ]] && expected="morvane-cli: 2 renames in '$D' were made without an atomic check: the file system refuses both the no-replace rename and links"
    check "no atomic rename, links '$nolink': report" "$expected" "$(cat "$WORK/err")"
  done
fi

# --- Selections and hidden files -------------------------------------------------
# Named files are listed alone, in the --sort order, the filter on top; hidden
# files only with --hidden or when named.
fresh
for f in c.jpg a.jpg b.jpg .h.jpg d.png; do echo "$f" >"$D/$f"; done
while IFS='|' read -r title opts expected; do
  split_opts "$opts"
  args=()
  for a in "${OPTS[@]}"; do args+=("${a//@D/$D}"); done
  check "selection: $title" "$expected" "$("$CLI" "${args[@]}" | cut -f1 | paste -sd' ')"
done <<'TABLE'
folder hides dot files|@D|a.jpg b.jpg c.jpg d.png
--hidden lists them|--hidden,@D|.h.jpg a.jpg b.jpg c.jpg d.png
only the named files, sorted|@D/c.jpg,@D/a.jpg|a.jpg c.jpg
chosen order|--sort,name-desc,@D/a.jpg,@D/c.jpg|c.jpg a.jpg
a named dot file is listed|@D/.h.jpg,@D/c.jpg|.h.jpg c.jpg
filter on top|--filter,png,@D/a.jpg,@D/d.png|d.png
TABLE
(cd "$D" && "$CLI" --apply --prefix x_ c.jpg ./a.jpg)
check "selection apply: only the named files move" ".h.jpg b.jpg d.png x_1.jpg x_2.jpg" "$(ls -A "$D" | paste -sd' ')"
check "selection apply: contents follow" "a.jpg c.jpg" "$(cat "$D/x_1.jpg" "$D/x_2.jpg" | paste -sd' ')"
"$CLI" --undo "$D"
check "selection undo: back, nothing else moved" "0 .h.jpg a.jpg b.jpg c.jpg d.png" "$? $(ls -A "$D" | paste -sd' ')"
mkdir "$D/sub" && touch "$D/sub/e.jpg"
"$CLI" --apply "$D/a.jpg" "$D/sub/e.jpg" 2>"$WORK/err"
check "several folders: refused, nothing moved" "2 a.jpg e.jpg" "$? $(ls "$D" | grep jpg | head -1) $(ls "$D/sub")"
check "several folders: message" 1 "$(grep -c "several folders ('$D' and '$D/sub')" "$WORK/err")"

# --- Apply ------------------------------------------------------------------------
fresh
for f in c.jpg a.jpg b.jpg; do echo "$f" >"$D/$f"; done
"$CLI" --apply --prefix img_ --name padded "$D" >"$WORK/out" 2>"$WORK/err"
check "apply: exit code" 0 $?
check "apply: quiet" "" "$(cat "$WORK/out" "$WORK/err")"
check "apply: names" "img_00001.jpg img_00002.jpg img_00003.jpg" "$(ls "$D" | paste -sd' ')"
check "apply: contents follow" "a.jpg b.jpg c.jpg" "$(cat "$D"/img_* | paste -sd' ')"

fresh  # the target of a.jpg is held by a file the filter does not list
echo keep >"$D/1.png"; echo a >"$D/a.jpg"; echo b >"$D/b.jpg"
check "apply: preview marks it" $'a.jpg\t1.png\t!\ttaken\nb.jpg\t2.png' "$("$CLI" --filter jpg --ext png "$D")"
"$CLI" --apply --filter jpg --ext png "$D" >"$WORK/out" 2>"$WORK/err"
check "apply, target taken: exit code" 1 $?
check "apply, target taken: message" "morvane-cli: cannot rename '$D/a.jpg' to '$D/1.png': File exists" "$(cat "$WORK/err")"
check "apply, target taken: both files intact" "keep a b" "$(cat "$D/1.png" "$D/a.jpg" "$D/2.png" | paste -sd' ')"
json=$("$CLI" --apply --json --filter jpg --search a.jpg --replace 2.png "$D" 2>/dev/null)
check "apply JSON: failure and reason" "failed File exists" \
  "$(python3 -c 'import json,sys; r=json.load(sys.stdin)[0]; print(r["status"], r["error"])' <<<"$json")"

fresh  # a file listed twice: its second row finds no file left
touch "$D/a.bmp"
"$CLI" --apply --filter '*;bmp' "$D" 2>"$WORK/err"
check "apply, row listed twice: exit code" 1 $?
check "apply, row listed twice: reason" 1 "$(grep -c "'$D/a.bmp' to '$D/2.bmp': No such file or directory" "$WORK/err")"
check "apply, row listed twice: result" "1.bmp" "$(ls "$D")"

fresh  # no write permission in the folder: run as an unprivileged user when root
echo a >"$D/a.txt"
as_user=("$CLI")
if [[ $(id -u) -eq 0 ]]; then  # a copy and a home it can reach wherever the build is
  mkdir "$WORK/bin" "$WORK/nobody" && cp "$CLI" "$WORK/bin/" && chown 65534:65534 "$WORK/nobody"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$WORK/nobody"
    XDG_STATE_HOME="$WORK/nobody/state" XDG_CONFIG_HOME="$WORK/nobody/config"
    "$WORK/bin/morvane-cli")
else
  chmod 555 "$D"
fi
"${as_user[@]}" --apply "$D" 2>"$WORK/err"
check "apply, read-only folder: exit code" 1 $?
check "apply, read-only folder: message" "morvane-cli: cannot rename '$D/a.txt' to '$D/1.txt': Permission denied" "$(cat "$WORK/err")"
check "apply, read-only folder: file intact" "a.txt a" "$(ls "$D") $(cat "$D/a.txt")"

fresh  # a folder that cannot be read is reported, not shown as empty
touch "$D/a.txt"
chmod 311 "$D"
"${as_user[@]}" "$D" >"$WORK/out" 2>"$WORK/err"
check "unreadable folder: exit code" 1 $?
check "unreadable folder: message" "morvane-cli: cannot read the directory '$D'" "$(cat "$WORK/out" "$WORK/err")"
chmod 755 "$D"

# --- Undo and untangle --------------------------------------------------------------
fresh
for f in a b c; do echo "$f" >"$D/$f.txt"; done
"$CLI" --apply "$D"
check "undo: the run renamed" "1.txt 2.txt 3.txt" "$(ls "$D" | xargs)"
"$CLI" --undo --json "$D" >"$WORK/out"
check "undo: exit code" 0 $?
check "undo: names and contents back" "a.txt:a b.txt:b c.txt:c" "$(cd "$D" && for f in *; do printf '%s:%s ' "$f" "$(cat "$f")"; done | xargs)"
check "undo: JSON names the moves back" 3 "$(grep -c '"status": "renamed"' "$WORK/out")"
"$CLI" --undo "$D" 2>"$WORK/err"
check "undo twice: nothing left to undo" "1 morvane-cli: no run to undo in '$D'" "$? $(cat "$WORK/err")"
"$CLI" --undo --prefix x "$D" 2>/dev/null
check "undo: no new-name options" 2 $?
"$CLI" --untangle "$D" 2>/dev/null
check "untangle needs apply" 2 $?

fresh  # a swap: impossible in list order, done untangled through a temporary name
echo one >"$D/1"; echo two >"$D/2"
check "swap: preview marks it" $'2\t1\t!\tchain\n1\t2\t!\ttaken' "$("$CLI" --sort name-desc "$D")"
"$CLI" --apply --untangle --sort name-desc "$D"
check "swap: untangled" "0 two one" "$? $(cat "$D/1") $(cat "$D/2")"
check "swap: no temporary names left" "1 2" "$(ls -A "$D" | xargs)"
"$CLI" --undo "$D"
check "swap: undone" "0 one two" "$? $(cat "$D/1") $(cat "$D/2")"
# Clever numbering in reverse name order: 03000.dat -> 00001.dat, ... every new
# name is held by a file renamed later (chains and cycles).
fresh
for ((i = 1; i <= 3000; i++)); do printf -v name '%05d' "$i" && echo "$i" >"$D/$name.dat"; done
check "clever numbering: list order would fail" 3000 "$("$CLI" --name padded --sort name-desc "$D" | grep -c $'\t!')"
"$CLI" --apply --untangle --name padded --sort name-desc "$D" 2>"$WORK/err"
check "untangle: every file renamed" "0 3000" "$? $(ls "$D" | grep -c '^[0-9]\{5\}\.dat$')"
check "untangle: contents follow the order" "3000 1" "$(cat "$D/00001.dat") $(cat "$D/03000.dat")"
check "untangle: no temporary names left" 0 "$(ls -A "$D" | grep -c morvane)"
"$CLI" --undo "$D"
check "untangle undone" "0 1 3000" "$? $(cat "$D/00001.dat") $(cat "$D/03000.dat")"
fresh
printf 'b' >"$D/x1"; printf 'a' >"$D/x2"; printf 'c' >"$D/y"
"$CLI" --apply --untangle --search x1 --replace x2 "$D" 2>/dev/null
check "untangle: a target held by a file that stays still fails" "1 b a" "$? $(cat "$D/x1") $(cat "$D/x2")"

# --- Pattern: template | options | new names of a.jpg b.jpg c.txt --------------
while IFS='|' read -r template opts expected; do
  [[ -z "$template" ]] && continue
  fresh
  touch "$D/a.jpg" "$D/b.jpg" "$D/c.txt"
  split_opts "$opts"
  got=$("$CLI" --pattern "$template" "${OPTS[@]}" "$D" | cut -f2 | xargs)
  check "pattern: $template [$opts]" "$expected" "$got"
done <<'TABLE'
{name}-{n}{ext}||a-1.jpg b-2.jpg c-3.txt
{n:3}{ext}|--start,100,--step,10|100.jpg 110.jpg 120.txt
{n:2}_{{{name}}}|--start=-1|-1_{a} 00_{b} 01_{c}
TABLE
for bad in 'x{nme}' 'a{' '{taken:%D}' '{n:x}'; do
  "$CLI" --pattern "$bad" "$WORK" 2>"$WORK/err"
  check "pattern: '$bad' refused with its place" "2 1" "$? $(grep -c 'at character [0-9]' "$WORK/err")"
done
"$CLI" --pattern '{n}' --search x "$WORK" 2>/dev/null
check "pattern: not with --search" 2 $?
"$CLI" --step 2 "$WORK" 2>/dev/null
check "pattern: --step needs --pattern" 2 $?
fresh  # a file without the field stays, is reported, and the exit code says so
echo a >"$D/a.txt"
check "pattern: missing marked" $'a.txt\ta.txt\t!\tmissing' "$("$CLI" --pattern '{camera}{ext}' "$D")"
"$CLI" --apply --pattern '{camera}{ext}' "$D" 2>"$WORK/err"
check "pattern: missing left alone" "1 a.txt 1" "$? $(ls "$D") $(grep -c "not renamed '$D/a.txt'" "$WORK/err")"

# --- Natural order against sort -V on random plain names (letters, digits) -----
fresh
for ((k = 0; k < 300; k++)); do
  name=""
  for ((p = RANDOM % 4; p >= 0; p--)); do
    name+=$(printf '%s' "abc" | cut -c$((RANDOM % 3 + 1)))
    ((RANDOM % 2)) && name+=$((RANDOM % 3 ? RANDOM % 100 : RANDOM))
  done
  touch "$D/$name"
done
check "natural order agrees with sort -V" "$(ls "$D" | sort -V)" "$("$CLI" --sort natural "$D" | cut -f1)"
check "natural-desc reverses it" "$(ls "$D" | sort -rV)" "$("$CLI" --sort natural-desc "$D" | cut -f1)"

# --- Regular expressions: new names agree with perl's s{EXPR}{REPL}FLAGS -------
fresh
touch "$D/IMG_1234.jpg" "$D/a1b22.txt" "$D/2026-07-14.png"
while IFS='|' read -r expr repl opts flags; do
  [[ -z "$expr" ]] && continue
  split_opts "$opts"
  want=$(ls "$D" | E="$expr" perl -nle "s{\$ENV{E}}{$repl}$flags; print" | sort)
  check "regex: $expr -> $repl [$opts]" "$want" "$("$CLI" --search "$expr" --replace "$repl" --regex "${OPTS[@]}" "$D" | cut -f2 | sort)"
done <<'TABLE'
img_(\d+)|photo-$1||i
img_(\d+)|photo-$1|--case-sensitive|
\d+|#|--all|gi
(\d{4})-(\d\d)-(\d\d)|$3.$2.$1||i
(x)?(\d)|<$1$2>|--all|gi
TABLE
"$CLI" --search 'a(' --regex "$D" 2>"$WORK/err"
check "regex: bad expression refused with the library's message" "2 1" "$? $(grep -c "'a(': missing closing parenthesis" "$WORK/err")"
"$CLI" --regex "$D" 2>/dev/null
check "regex: needs --search" 2 $?

# --- Presets: saved choices, overridden by the options given --------------------
mkdir -p "$WORK/config/morvane/presets"
printf '[choices]\npage=1\nsearch="img_(\\d+)"\nreplace="photo-$1"\nregex=1\norder=4\n' >"$WORK/config/morvane/presets/ph.ini"
check "preset: its choices" "photo-1234.jpg" "$(XDG_CONFIG_HOME="$WORK/config" "$CLI" --preset ph "$D" | cut -f2 | grep photo)"
check "preset: options given override" "x1.png" "$(XDG_CONFIG_HOME="$WORK/config" "$CLI" --preset ph --prefix x "$D" | cut -f2 | head -1)"
XDG_CONFIG_HOME="$WORK/config" "$CLI" --preset none "$D" 2>/dev/null
check "preset: unknown name" 2 $?
# --- The undo record -----------------------------------------------------------------
fresh  # a record that cannot be written stops the run unless --no-undo is given
touch "$D/a.txt"
XDG_STATE_HOME="$D/a.txt" "$CLI" --apply "$D" 2>"$WORK/err"
check "unwritable record: nothing renamed" "1 a.txt" "$? $(ls "$D" | xargs)"
check "unwritable record: path and reason" 1 "$(grep -c "undo record '$D/a.txt/morvane'.*Not a directory" "$WORK/err")"
XDG_STATE_HOME="$D/a.txt" "$CLI" --apply --no-undo "$D"
check "--no-undo renames" "0 1.txt" "$? $(ls "$D" | xargs)"
check "records are private" "700 600" "$(stat -c %a "$WORK/state/morvane") $(stat -c %a "$WORK/state/morvane/"run-*.journal | head -1)"
fresh  # a file listed twice moves once, untangled or not; undo restores both
echo x >"$D/x.txt"; echo y >"$D/y.txt"
"$CLI" --apply --untangle --json --filter '*;txt' "$D" >"$WORK/out" 2>/dev/null
check "listed twice: statuses" "2 2" "$(grep -c '"renamed"' "$WORK/out") $(grep -c '"failed"' "$WORK/out")"
check "listed twice: planned names only" "1.txt:x 3.txt:y" "$(cd "$D" && for f in *; do printf '%s:%s ' "$f" "$(cat "$f")"; done | xargs)"
"$CLI" --undo "$D"
check "listed twice: undone" "0 x.txt:x y.txt:y" "$? $(cd "$D" && for f in *; do printf '%s:%s ' "$f" "$(cat "$f")"; done | xargs)"
fresh  # one run at a time in a folder
touch "$D/a"
flock "$D" sleep 2 &
sleep 0.5
"$CLI" --apply "$D" 2>"$WORK/err"
check "busy folder: nothing renamed" "1 a" "$? $(ls "$D" | xargs)"
check "busy folder: message" 1 "$(grep -c 'another run is renaming' "$WORK/err")"
"$CLI" --apply --wait "$D"
check "--wait renames after the other run" "0 1" "$? $(ls "$D" | xargs)"
wait
last=$(ls "$WORK/state/morvane/"run-*.journal | tail -1)
truncate -s -3 "$last"
"$CLI" --undo "$D" 2>"$WORK/err"
check "damaged record: nothing undone" "1 1" "$? $(ls "$D" | xargs)"
check "damaged record: named" 1 "$(grep -c "damaged: $last: .*cut short" "$WORK/err")"

finish
