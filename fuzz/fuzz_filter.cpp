// The extension filter. Input: the filter text, then one file name per line.
// The parse keeps every character of the text; the compiled filter answers
// exactly as a plain search of the entries (letters compared as the case
// map folds them).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/filter.h"
#include "fuzzutil.h"
#include "platform/casemap.h"
#include "platform/pathname.h"

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return Platform::FoldCase(a) == Platform::FoldCase(b);
}

bool Listed(const std::vector<std::string>& entries, std::string_view ext) {
  for (const std::string& entry : entries)
    if (SameText(entry, ext)) return true;
  return false;
}

void CheckParse(const std::string& text, const std::vector<std::string>& entries) {
  FUZZ_CHECK(!entries.empty());
  std::string joined;
  for (size_t i = 0; i < entries.size(); ++i) {
    FUZZ_CHECK(!entries[i].empty() && entries[i][0] == '.');
    FUZZ_CHECK(entries[i].find(';') == std::string::npos);
    if (i > 0) joined += ';';
    joined += entries[i].substr(1);
  }
  FUZZ_CHECK(joined == text);
}

void CheckName(const FileList::TFilter& filter, const std::vector<std::string>& entries,
               const std::string& name) {
  const std::string_view ext = Platform::ExtractExt(name);
  const std::string_view stem = Platform::ExtractNameWithoutExt(name);
  FUZZ_CHECK(std::string(stem) + std::string(ext) == name);
  if (!ext.empty()) {
    FUZZ_CHECK(ext[0] == '.');
    FUZZ_CHECK(ext.find_first_of("./", 1) == std::string_view::npos);
  } else {
    FUZZ_CHECK(name.empty() || name.find('.') == std::string::npos ||
               name.find('/', name.rfind('.')) != std::string::npos);
  }
  FUZZ_CHECK(filter.HasExtension(ext) == (!ext.empty() && Listed(entries, ext)));
  FUZZ_CHECK(filter.HasExtension(name) == Listed(entries, name) || name.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines =
      Fuzz::SplitLines(std::string(reinterpret_cast<const char*>(data), size));
  const std::vector<std::string> entries = FileList::ParseFilter(lines[0]);
  CheckParse(lines[0], entries);
  const FileList::TFilter filter(entries);
  FUZZ_CHECK(filter.AllFiles() == (entries[0] == ".*"));
  for (size_t i = 1; i < lines.size(); ++i) CheckName(filter, entries, lines[i]);
  for (const std::string& entry : entries) FUZZ_CHECK(filter.HasExtension(entry));
  return 0;
}
