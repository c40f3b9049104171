#include "filelist/facts.h"

#include <exception>

#include "filelist/parallel.h"

namespace FileList {

bool NeedsAny(const Platform::TNeededFacts& needed) {
  return needed.Taken || needed.Camera || needed.Audio || needed.Modified;
}

std::vector<Platform::TFileFacts> ReadRowFacts(const std::string& dirText, const TFileItems& rows,
                                               const Platform::TNeededFacts& needed,
                                               const TFactsReader& reader, unsigned threads) {
  if (!NeedsAny(needed) || !reader || rows.empty()) return {};
  std::vector<Platform::TFileFacts> facts(rows.size());
  ForEachIndex(
      rows.size(),
      [&](std::size_t i) {
        try {
          facts[i] = reader(PathIn(dirText, rows[i].OldName), needed);
        } catch (const std::exception&) {
          facts[i] = {};
        }
      },
      threads);
  return facts;
}

}  // namespace FileList
