#include "filelist/visiblename.h"

#include <cstdio>

#include "platform/casemap.h"

namespace FileList {

bool IsHiddenMark(char32_t cp) {
  return cp == 0x00AD || cp == 0x061C || cp == 0x180E || (cp >= 0x200B && cp <= 0x200F) ||
         (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2060 && cp <= 0x2064) ||
         (cp >= 0x2066 && cp <= 0x206F) || cp == 0xFEFF;
}

std::vector<TNamePart> VisibleParts(std::string_view name) {
  std::vector<TNamePart> parts;
  std::size_t plain = 0;  // start of the plain piece not yet added
  for (std::size_t i = 0; i < name.size();) {
    char32_t cp = 0;
    const std::size_t length = Platform::DecodeUtf8(name, i, cp);
    if (length <= 1 || !IsHiddenMark(cp)) {
      i += length > 0 ? length : 1;
      continue;
    }
    if (i > plain) parts.push_back({std::string(name.substr(plain, i - plain)), false});
    char marker[16];
    std::snprintf(marker, sizeof marker, "<U+%04X>", static_cast<unsigned>(cp));
    parts.push_back({marker, true});
    i += length;
    plain = i;
  }
  if (plain < name.size()) parts.push_back({std::string(name.substr(plain)), false});
  return parts;
}

std::string VisibleName(std::string_view name) {
  std::string shown;
  shown.reserve(name.size());
  for (const TNamePart& part : VisibleParts(name)) shown += part.Text;
  return shown;
}

}  // namespace FileList
