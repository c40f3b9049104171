// The template parser and formatter on arbitrary templates, names and facts:
// a refusal names a place inside the template; a name never holds a NUL or
// a "/" that the template's own text (or the old name) does not hold, and
// stays bounded.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzzutil.h"
#include "rename/pattern.h"

namespace {

Platform::TFileFacts Facts(FuzzedDataProvider& in) {
  Platform::TFileFacts facts;
  if (in.ConsumeBool()) facts.Taken = in.ConsumeIntegral<int64_t>();
  if (in.ConsumeBool()) facts.Modified = in.ConsumeIntegral<int64_t>();
  if (in.ConsumeBool()) facts.Camera = in.ConsumeRandomLengthString(64);
  if (in.ConsumeBool()) facts.Artist = in.ConsumeRandomLengthString(64);
  if (in.ConsumeBool()) facts.Title = in.ConsumeRandomLengthString(64);
  if (in.ConsumeBool()) facts.Track = in.ConsumeIntegral<int>();
  if (in.ConsumeBool()) facts.Year = in.ConsumeIntegral<int>();
  return facts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string text = in.ConsumeRandomLengthString(256);
  const std::string oldName = in.ConsumeRandomLengthString(64);
  const int64_t number = in.ConsumeIntegral<int64_t>();
  const Platform::TFileFacts facts = Facts(in);
  Rename::TTemplate parsed;
  Rename::TTemplateError error;
  if (!Rename::ParseTemplate(text, parsed, error)) {
    FUZZ_CHECK(error.Offset <= text.size() && !error.Message.empty());
    FUZZ_CHECK(Rename::CharacterAt(text, error.Offset) <= text.size() + 1);
    return 0;
  }
  std::string name;
  if (!Rename::FormatTemplate(parsed, oldName, number, facts, name)) return 0;
  const bool givenNul =
      text.find('\0') != std::string::npos || oldName.find('\0') != std::string::npos;
  if (!givenNul) FUZZ_CHECK(name.find('\0') == std::string::npos);
  if (text.find('/') == std::string::npos) FUZZ_CHECK(name.find('/') == std::string::npos);
  FUZZ_CHECK(name.size() <= text.size() * 1100 + 64);
  return 0;
}
