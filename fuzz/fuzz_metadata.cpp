// The metadata reader on arbitrary file bytes. Input: one byte that picks the
// file's extension (which steers the music library's choice of format), then
// the file. Whatever the bytes, the reader returns, and what it gives is
// well formed: a camera without trailing blanks, a year of four digits, a
// positive track.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzzutil.h"
#include "platform/metadata.h"

namespace {

const char* const Extensions[] = {".jpg", ".tif",  ".png", ".webp", ".heic", ".cr2",
                                  ".mp3", ".flac", ".ogg", ".opus", ".m4a",  ".bin"};

// Outlives every static object, for the clean-up at exit.
char WorkName[] = "/tmp/morvane-fuzz-metadata.XXXXXX";

// The input file and its folder go when the run ends.
void RemoveWorkFolder() {
  for (const char* extension : Extensions) {
    ::unlink((std::string(WorkName) + "/input" + extension).c_str());
  }
  ::rmdir(WorkName);
}

const std::string& WorkFolder() {
  static const std::string folder = [] {
    if (!::mkdtemp(WorkName)) Fuzz::Fail("mkdtemp", __FILE__, __LINE__);
    std::atexit(RemoveWorkFolder);
    return std::string(WorkName);
  }();
  return folder;
}

void CheckFacts(const Platform::TFileFacts& facts) {
  if (facts.Camera) {
    FUZZ_CHECK(!facts.Camera->empty());
    FUZZ_CHECK(facts.Camera->back() != ' ' && facts.Camera->back() != '\0');
  }
  FUZZ_CHECK(!facts.Year || (*facts.Year >= 1 && *facts.Year <= 9999));
  FUZZ_CHECK(!facts.Track || *facts.Track >= 1);
  FUZZ_CHECK(!facts.Artist || !facts.Artist->empty());
  FUZZ_CHECK(!facts.Title || !facts.Title->empty());
  FUZZ_CHECK(facts.Modified.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t pick = data[0] % (sizeof Extensions / sizeof Extensions[0]);
  const std::string path = WorkFolder() + "/input" + Extensions[pick];
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) Fuzz::Fail("cannot write the input file", __FILE__, __LINE__);
  const size_t written = std::fwrite(data + 1, 1, size - 1, file);
  FUZZ_CHECK(std::fclose(file) == 0 && written == size - 1);
  CheckFacts(Platform::ReadFacts(path, {true, true, true, true}));
  return 0;
}
