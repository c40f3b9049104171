#pragma once

#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "filelist/order.h"
#include "platform/filesystem.h"

namespace FileList {

// Reads the directory named by dirText (used unchanged; empty means "/") into
// rows: every file (not ".", "..", directories or system entries) once when
// the first filter entry is ".*", and once more when its extension is a filter
// entry. Ages are looked up by PathIn(dirText, name). The result is in the
// order chosen (see order.h). Failures give an empty list. With
// readAges false, ages are looked up only when the order compares them (the
// others stay -1), which saves one lstat per file.
TFileItems ScanDirectory(const std::string& dirText, const std::vector<std::string>& filterEntries,
                         TOrder order, bool readAges = true);

// The same rows from a listing already read (entries as ListDirectory gives
// them for dirText), for a caller that also needs the listing itself.
TFileItems ScanEntries(std::vector<Platform::TDirEntry> entries, const std::string& dirText,
                       const std::vector<std::string>& filterEntries, TOrder order, bool readAges);

}  // namespace FileList
