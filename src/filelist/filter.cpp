#include "filelist/filter.h"

#include <algorithm>

#include "platform/casemap.h"

namespace FileList {

std::vector<std::string> ParseFilter(const std::string& filterText) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t semicolon; (semicolon = filterText.find(';', start)) != std::string::npos;
       start = semicolon + 1)
    entries.push_back("." + filterText.substr(start, semicolon - start));
  entries.push_back("." + filterText.substr(start));
  return entries;
}

TFilter::TFilter(const std::vector<std::string>& entries) {
  FAllFiles = !entries.empty() && entries.front() == ".*";
  FFolded.reserve(entries.size());
  for (const std::string& entry : entries) FFolded.push_back(Platform::FoldCase(entry));
  std::sort(FFolded.begin(), FFolded.end());
  FFolded.erase(std::unique(FFolded.begin(), FFolded.end()), FFolded.end());
}

bool TFilter::AllFiles() const { return FAllFiles; }

bool TFilter::HasExtension(std::string_view ext) const {
  if (ext.empty()) return false;
  return std::binary_search(FFolded.begin(), FFolded.end(), Platform::FoldCase(ext));
}

}  // namespace FileList
