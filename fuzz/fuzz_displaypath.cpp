// Shortened display paths. Input: four bytes of maximum length, then the path.
// The result is never longer than the maximum, a path that fits comes back
// unchanged, and a shortened one keeps the path's first part.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "dialogs/displaypath.h"
#include "fuzzutil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int32_t maxLength = 50;
  if (size >= sizeof maxLength) {
    std::memcpy(&maxLength, data, sizeof maxLength);
    data += sizeof maxLength;
    size -= sizeof maxLength;
    // Mostly lengths a window could ask for, now and then any number at all.
    if ((maxLength & 0x1000000) == 0) maxLength &= 0xff;
  }
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::string shown = Dialogs::MakeDisplayPath(path, maxLength);
  const size_t limit = maxLength < 0 ? 0 : static_cast<size_t>(maxLength);
  FUZZ_CHECK(shown.size() <= limit);
  if (path.size() <= limit) FUZZ_CHECK(shown == path);
  if (shown.compare(0, std::string::npos, path, 0, shown.size()) != 0) {
    // Not just cut short: the path's first part, then "..." for folders left out.
    const size_t dots = shown.find("...");
    FUZZ_CHECK(maxLength >= 6 && dots != std::string::npos);
    FUZZ_CHECK(path.compare(0, dots, shown, 0, dots) == 0);
  }
  return 0;
}
