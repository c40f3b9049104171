// The failure text from an untrusted caption. Input: the old path and the new
// path, one per line, then the caption. Each text lies in a heap block of its
// own exact size, so a read beyond any of them is reported; the result fits
// the 1,024-byte message buffer with its terminating byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/visiblename.h"
#include "fuzzutil.h"
#include "rename/failtext.h"

namespace {

constexpr size_t MaxResult = Rename::FailTextBufferSize - 1;

// A copy of text in a heap block of exactly its size, without a terminator.
std::unique_ptr<char[]> ExactCopy(const std::string& text) {
  auto copy = std::make_unique<char[]>(text.size());
  text.copy(copy.get(), text.size());
  return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> fields = Fuzz::SplitFields(data, size, 3);
  const auto oldPath = ExactCopy(fields[0]);
  const auto newPath = ExactCopy(fields[1]);
  const auto format = ExactCopy(fields[2]);
  const std::string text =
      Rename::FormatFailText(std::string_view(format.get(), fields[2].size()),
                             std::string_view(oldPath.get(), fields[0].size()),
                             std::string_view(newPath.get(), fields[1].size()));
  FUZZ_CHECK(text.size() <= MaxResult);
  // The paths are shown with their hidden characters written out.
  const std::string oldShown = FileList::VisibleName(fields[0]);
  const std::string newShown = FileList::VisibleName(fields[1]);
  FUZZ_CHECK(text.size() <= oldShown.size() + newShown.size() + fields[2].size());
  if (fields[2].find('%') == std::string::npos) FUZZ_CHECK(text == fields[2].substr(0, MaxResult));
  if (fields[2] == "%s to %s")
    FUZZ_CHECK(text == (oldShown + " to " + newShown).substr(0, MaxResult));
  return 0;
}
