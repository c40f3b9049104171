#pragma once

#include <functional>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "platform/metadata.h"

namespace FileList {

// Reads the facts of one file (Platform::ReadFacts; tests give their own).
using TFactsReader =
    std::function<Platform::TFileFacts(const std::string& path, const Platform::TNeededFacts&)>;

// The facts of every row (same index), each file read once by PathIn(dirText,
// name), spread over up to threads workers (0: one per core). A reader that
// throws gives that row no facts. Nothing is read, and no row gets facts (the
// list is empty), when needed asks for nothing or reader is empty.
std::vector<Platform::TFileFacts> ReadRowFacts(const std::string& dirText, const TFileItems& rows,
                                               const Platform::TNeededFacts& needed,
                                               const TFactsReader& reader, unsigned threads = 0);

// Puts rows in the order of the dates their photos were taken (descending:
// latest first); rows without a date follow in the order they had. Reads
// only the dates, in parallel.
void OrderByTaken(TFileItems& rows, const std::string& dirText, const TFactsReader& reader,
                  bool descending);

// Whether needed asks for anything.
bool NeedsAny(const Platform::TNeededFacts& needed);

}  // namespace FileList
