#include "filelist/filter.h"

#include <algorithm>

#include "platform/casemap.h"

namespace FileList {

namespace {

std::string Folded(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = Platform::AsciiUpper(c);
  return result;
}

// Orders an already folded entry against a text that is folded on the fly, so
// that a look-up needs no copy of the extension.
bool FoldedLess(std::string_view folded, std::string_view text) {
  size_t common = std::min(folded.size(), text.size());
  for (size_t i = 0; i < common; ++i) {
    auto a = static_cast<unsigned char>(folded[i]);
    auto b = static_cast<unsigned char>(Platform::AsciiUpper(text[i]));
    if (a != b) return a < b;
  }
  return folded.size() < text.size();
}

bool FoldedEqual(std::string_view folded, std::string_view text) {
  if (folded.size() != text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (folded[i] != Platform::AsciiUpper(text[i])) return false;
  return true;
}

}  // namespace

std::vector<std::string> ParseFilter(const std::string& filterText) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t semicolon; (semicolon = filterText.find(';', start)) != std::string::npos;
       start = semicolon + 1)
    entries.push_back("." + filterText.substr(start, semicolon - start));
  entries.push_back("." + filterText.substr(start));
  return entries;
}

std::string_view ExtractExt(std::string_view name) {
  size_t last = name.find_last_of("./");
  if (last == std::string_view::npos || name[last] != '.') return {};
  return name.substr(last);
}

std::string_view ExtractNameWithoutExt(std::string_view name) {
  return name.substr(0, name.size() - ExtractExt(name).size());
}

TFilter::TFilter(const std::vector<std::string>& entries) {
  FAllFiles = !entries.empty() && entries.front() == ".*";
  FFolded.reserve(entries.size());
  for (const std::string& entry : entries) FFolded.push_back(Folded(entry));
  std::sort(FFolded.begin(), FFolded.end(),
            [](const std::string& a, const std::string& b) { return FoldedLess(a, b); });
  FFolded.erase(std::unique(FFolded.begin(), FFolded.end()), FFolded.end());
}

bool TFilter::AllFiles() const { return FAllFiles; }

bool TFilter::HasExtension(std::string_view ext) const {
  if (ext.empty()) return false;
  auto found = std::lower_bound(
      FFolded.begin(), FFolded.end(), ext,
      [](const std::string& entry, std::string_view text) { return FoldedLess(entry, text); });
  return found != FFolded.end() && FoldedEqual(*found, ext);
}

}  // namespace FileList
