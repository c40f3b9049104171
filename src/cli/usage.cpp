#include "cli/options.h"

namespace Cli {

namespace {

// The text of --help, kept as one constant so that it reads as it prints.
constexpr const char* Usage = R"(Usage: morvane-cli [OPTION]... DIR
  or:  morvane-cli [OPTION]... FILE...
Lists the files of DIR with the new names that Morvane would give them, one
line per file: the old name, a tab, the new name. With --apply, renames them.
Given files instead (all of one folder, as a file manager's selection), lists
and renames only those files; files of several folders are refused.

Files and order:
  --filter TEXT      extensions to list, separated by ";" (default "*": all
                     files; "jpg;png" lists .jpg and .png files, any case);
                     it also applies to the FILE arguments
  --sort ORDER       name, date, natural (digit runs by value: img2 before
                     img10, letter case ignored), taken (date a photo was
                     taken; files without one last), name-desc, date-desc,
                     natural-desc or taken-desc (default name); the FILE
                     arguments are listed in this order too
  --hidden           also list hidden files (names starting with "."); a
                     hidden FILE argument is listed without it

New names from parts (default: running number and old extension):
  --prefix TEXT      put TEXT before the name
  --name PART        original (old name without extension), number (1, 2,
                     ...; the default) or padded (00001, 00002, ...)
  --suffix TEXT      put TEXT after the name
  --ext TEXT         new extension; "txt" and ".txt" both give .txt, and an
                     empty TEXT gives no extension (default: keep the old one)
  --case CASE        upper or lower, for the whole new name

New names by search and replace (cannot be mixed with the options above):
  --search TEXT      replace the first occurrence of TEXT in each name
  --replace TEXT     the replacement (default empty: TEXT is deleted)
  --case-sensitive   match TEXT exactly (default: ignore the case of letters)
  --regex            TEXT is a Perl-compatible regular expression (UTF-8;
                     names that are not valid UTF-8 match too); the
                     replacement may name $0 to $9, ${N} and ${name} ($$ is
                     "$"), a group that took no part giving nothing
  --all              replace every occurrence instead of the first

New names from a template (cannot be mixed with the options above):
  --pattern TEMPLATE each new name is TEMPLATE with its fields filled in;
                     other text is kept, "{{" and "}}" are braces. Fields:
                     {name} old name without extension, {ext} old extension
                     with its dot, {n} running number, {n:W} the same with
                     zeros to width W; {taken} date taken, {taken:FMT} with a
                     strftime format (default %Y-%m-%d %H.%M.%S; no "/", %D,
                     %x, %c, widths or modifiers), {modified:FMT} file time in
                     local time, {camera}; {artist}, {album}, {title}, {year},
                     {track}, {track:W} from music tags
  --start N          the number of the first file (default 1)
  --step N           added for each further file (default 1)
A file without a field the template names keeps its name ("missing"); a "/"
or NUL that a field brings becomes "_". A template that cannot be read is
refused with the place of the fault.

Presets:
  --preset NAME      start from the choices saved in the window under NAME
                     ($XDG_CONFIG_HOME/morvane/presets/NAME.ini); the options
                     given override them

Output and action:
  --json             print a JSON array of objects instead of lines
  --apply            rename the files (without it nothing is changed); the
                     plan is recorded first so that --undo can reverse the
                     run, and nothing is renamed when it cannot be recorded
  --untangle         with --apply: move the files in an order that frees
                     every new name before it is taken, breaking cycles
                     (a to b, b to a) through a temporary name
  --no-undo          with --apply: rename even when the plan cannot be
                     recorded (there is then nothing to undo)
  --undo             reverse the last --apply (or window run) in DIR (or in
                     the folder of the FILE arguments)
  --wait             with --apply or --undo: wait while another run renames
                     in DIR (without it the command gives up at once)
  -h, --help         show this help and exit
  --version          show the version and exit

Preview lines carry a third column "!" when the move will fail, and a fourth
with the reason: taken (another file holds the name), chain (a listed file
holds it and moves only later), duplicate (an earlier file gets the same new
name), gone (the file is listed twice and already moved), empty, too-long,
folder (the folder it moves into does not exist), missing (the file lacks a
field of the template); "folder" with an empty third column warns that the
file moves into another folder. Renames go in list order and never replace a
file. In JSON the fields "conflict" (true/false) and "reason" (a word or null)
say the same.

The plan records each file by its identity (device, inode, size, times). Undo
moves a file back, last move first, only when the file under its new name is
the recorded file and its old name is free; it reports every other file with
the reason and leaves it alone. A damaged record is refused as a whole and
nothing is moved. Plans are kept private (0600) in $XDG_STATE_HOME/morvane
(default ~/.local/state/morvane), the last 10 runs by sequence number. One run
at a time renames in a folder: a second one (the window's too) gives up.

Names are printed so that each file stays on one line: a backslash is printed
as \\, a tab as \t, a newline as \n, other control characters as \xHH, and
characters that turn the text's direction or show nothing (U+202E, U+200B,
U+FEFF, ...) as <U+202E>; other bytes are printed as they are. JSON strings
follow RFC 8259, those characters written as \u202e; a byte that is not part
of valid UTF-8 is written as \udcXX, XX being its value.

With --apply, nothing is printed for files that were renamed (with --json, an
array with "status" and "error" for each file); each failure is reported on
standard error with both paths and the reason, and the run goes on. Where
the file system refuses both the atomic no-replace rename and links, files
are checked and then renamed, and one line on standard error says so.

Exit status: 0 when everything went well (with --apply: every file was
renamed); 1 when a file could not be renamed, DIR could not be read or the
output could not be written, the plan could not be recorded, another run was
renaming in DIR, or --undo found nothing to undo or could not undo everything;
2 when the command line is wrong, DIR is empty, a FILE does not exist or is a
folder, or the files lie in several folders.
)";

}  // namespace

const char* UsageText() { return Usage; }

}  // namespace Cli
