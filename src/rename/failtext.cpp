#include "rename/failtext.h"

#include "filelist/visiblename.h"

namespace Rename {

// The caption comes from a language file and is not trusted: only the first
// two "%s" take a text, and no other directive reads anything. "%%" is one
// sequence, so "%%s" stays as it is and takes no path. The paths are shown as
// a person must read them (FileList::VisibleName).
std::string FormatFailText(std::string_view format, std::string_view oldPath,
                           std::string_view newPath) {
  constexpr std::size_t limit = FailTextBufferSize - 1;
  std::string text;
  text.reserve(limit);
  int used = 0;
  std::size_t i = 0;
  while (i < format.size() && text.size() < limit) {
    if (format[i] != '%' || i + 1 >= format.size()) {
      text += format[i++];
      continue;
    }
    const char next = format[i + 1];
    if (next == 's' && used < 2) {
      text += FileList::VisibleName(used++ == 0 ? oldPath : newPath);
    } else {
      text += format.substr(i, 2);
    }
    i += 2;
  }
  if (text.size() > limit) text.resize(limit);
  return text;
}

}  // namespace Rename
