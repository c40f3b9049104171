// The name builder, search and replace, and the case mapping under them, on
// arbitrary names and options. The case mapping never changes a length, is
// the same for every text on its ASCII letters and repeats itself; a case
// choice gives the case-mapped name of "unchanged".
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzzutil.h"
#include "platform/casemap.h"
#include "rename/charsub.h"
#include "rename/namebuilder.h"

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

void CheckCaseMapping(const std::string& text) {
  const std::string upper = Platform::UpperCase(text);
  const std::string lower = Platform::LowerCase(text);
  FUZZ_CHECK(upper.size() == text.size());
  FUZZ_CHECK(lower.size() == text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      FUZZ_CHECK(upper[i] == AsciiUpper(text[i]));
      FUZZ_CHECK(lower[i] == AsciiLower(text[i]));
    }
  }
  FUZZ_CHECK(Platform::UpperCase(upper) == upper);
  FUZZ_CHECK(Platform::LowerCase(lower) == lower);
}

Rename::TNameOptions NameOptions(FuzzedDataProvider& in) {
  Rename::TNameOptions options;
  options.Prefix = in.ConsumeBool();
  options.PrefixText = in.ConsumeRandomLengthString(64);
  options.NamePart = static_cast<Rename::TNamePart>(in.ConsumeIntegralInRange(-1, 3));
  options.Suffix = in.ConsumeBool();
  options.SuffixText = in.ConsumeRandomLengthString(64);
  options.Extension = in.ConsumeBool();
  options.ExtensionText = in.ConsumeRandomLengthString(64);
  return options;
}

void CheckNewName(Rename::TNameOptions options, const std::string& oldName, int64_t number) {
  options.NameCase = Rename::TNameCase::Unchanged;
  const std::string plain = Rename::SetNewName(options, oldName, number);
  options.NameCase = Rename::TNameCase::Upper;
  FUZZ_CHECK(Rename::SetNewName(options, oldName, number) == Platform::UpperCase(plain));
  options.NameCase = Rename::TNameCase::Lower;
  FUZZ_CHECK(Rename::SetNewName(options, oldName, number) == Platform::LowerCase(plain));
  options.NameCase = static_cast<Rename::TNameCase>(3);
  FUZZ_CHECK(Rename::SetNewName(options, oldName, number) == plain);
  if (!options.Prefix && !options.Suffix && !options.Extension &&
      options.NamePart == Rename::TNamePart::Original && oldName.find('/') == std::string::npos)
    FUZZ_CHECK(plain == oldName);
}

size_t CommonPrefix(const std::string& a, const std::string& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

size_t CommonSuffix(const std::string& a, const std::string& b) {
  size_t n = 0;
  while (n < a.size() && n < b.size() && a[a.size() - 1 - n] == b[b.size() - 1 - n]) ++n;
  return n;
}

// A changed name is the old one with one match of the search text, at some
// position, replaced by the replacement; the rest keeps its bytes.
void CheckReplace(const Rename::TReplaceOptions& options, const std::string& oldName) {
  const std::string result = Rename::CharSub(options, oldName);
  if (options.Search.empty()) FUZZ_CHECK(result == oldName);
  if (result == oldName) return;
  const std::string& search = options.Search;
  const std::string& with = options.Replace;
  FUZZ_CHECK(search.size() <= oldName.size());
  FUZZ_CHECK(result.size() == oldName.size() - search.size() + with.size());
  const size_t prefix = CommonPrefix(oldName, result);
  const size_t suffix = CommonSuffix(oldName, result);
  const size_t tail = oldName.size() - search.size();
  const std::string lowerName = Platform::LowerCase(oldName);
  const std::string lowerSearch = Platform::LowerCase(search);
  bool found = false;
  for (size_t at = tail > suffix ? tail - suffix : 0; at <= prefix && at <= tail && !found; ++at) {
    const bool matches = options.CaseSensitive
                             ? oldName.compare(at, search.size(), search) == 0
                             : lowerName.compare(at, search.size(), lowerSearch) == 0;
    found = matches && result.compare(at, with.size(), with) == 0;
  }
  FUZZ_CHECK(found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Rename::TNameOptions name = NameOptions(in);
  Rename::TReplaceOptions replace;
  replace.CaseSensitive = in.ConsumeBool();
  replace.Search = in.ConsumeRandomLengthString(64);
  replace.Replace = in.ConsumeRandomLengthString(64);
  const int64_t number = in.ConsumeIntegral<int64_t>();
  const std::string oldName = in.ConsumeRemainingBytesAsString();
  CheckCaseMapping(oldName);
  CheckCaseMapping(replace.Search);
  CheckNewName(name, oldName, number);
  CheckReplace(replace, oldName);
  return 0;
}
