#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/fileitem.h"

namespace Cli {

// A name for one line of text output: backslash, tab and newline become \\, \t
// and \n, other control bytes (below 0x20, and 0x7f) \xHH, bidirectional
// controls and invisible characters <U+XXXX> (FileList::VisibleName); every
// other byte is kept as it is, so names that are not UTF-8 come out unchanged.
std::string EscapeText(std::string_view name);

// A name as a JSON string with its quotes (RFC 8259). Valid UTF-8 is copied,
// control characters, quote, backslash and the characters that VisibleName
// marks (\u202e) are escaped, and each byte that is
// not part of valid UTF-8 becomes \udcXX (XX its value), the "surrogateescape"
// form that Python's os.fsencode turns back into the original byte.
std::string JsonString(std::string_view name);

// The preview of rows whose conflicts are marked: one line per row,
// "old<TAB>new", then "<TAB>!<TAB>reason" on a row whose move will fail (a
// missing folder: "folder") and "<TAB><TAB>folder" on one that moves into
// another folder; with json an array
// of {"old", "new", "conflict", "reason"} objects (reason a word or null).
std::string FormatPreview(const FileList::TFileItems& items, bool json);

// The result of a run as a JSON array of {"old", "new", "status", "error"}
// objects; status is "renamed", "failed" or "skipped", error is the system's
// reason or null.
std::string FormatRunJson(const FileList::TFileItems& items);

// The failure line of one row: both paths and the system's reason for errno.
std::string FailureLine(const std::string& oldPath, const std::string& newPath, int error);

// Writes text to out; false when the write fails.
bool WriteAll(std::FILE* out, const std::string& text);

}  // namespace Cli
