#include "filelist/facts.h"

#include <algorithm>
#include <exception>
#include <optional>

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

void OrderByTaken(TFileItems& rows, const std::string& dirText, const TFactsReader& reader,
                  bool descending) {
  Platform::TNeededFacts needed;
  needed.Taken = true;
  const std::vector<Platform::TFileFacts> facts = ReadRowFacts(dirText, rows, needed, reader);
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto taken = [&](std::size_t i) {
    return i < facts.size() ? facts[i].Taken : std::nullopt;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const std::optional<int64_t> x = taken(a), y = taken(b);
    if (!x || !y) return x.has_value() && !y.has_value();  // dated rows first
    return descending ? *x > *y : *x < *y;
  });
  TFileItems sorted;
  sorted.reserve(rows.size());
  for (const std::size_t i : order) sorted.push_back(std::move(rows[i]));
  rows = std::move(sorted);
}

}  // namespace FileList
