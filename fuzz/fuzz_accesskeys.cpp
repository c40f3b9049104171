// Menu access keys. Input: a byte of switches (bit 0 the double-byte rule),
// a byte per caption marking hidden entries, then the captions, one per line.
// Every marked key is unique in the level, skipped entries stay as they are,
// and apart from its "&" marks a caption changes only by the "(&X)" that the
// double-byte rule adds.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "app/accesskeys.h"
#include "fuzzutil.h"

namespace {

constexpr size_t MaxEntries = 64;

bool IsKey(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

char KeyOf(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// The key that the menu shows for a caption: the character after the first
// "&" that does not start a literal "&&"; 0 when it is none of the keys.
char MarkedKey(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return IsKey(caption[i + 1]) ? KeyOf(caption[i + 1]) : 0;
    ++i;
  }
  return 0;
}

std::string WithoutMarks(const std::string& caption) {
  std::string text;
  for (char c : caption)
    if (c != '&') text += c;
  return text;
}

size_t Marks(const std::string& caption) {
  size_t n = 0;
  for (char c : caption) n += c == '&' ? 1 : 0;
  return n;
}

bool HasAdditionAt(const std::string& shown, const std::string& plain, size_t at) {
  return shown.compare(0, at, plain, 0, at) == 0 && shown[at] == '(' && IsKey(shown[at + 1]) &&
         shown[at + 2] == ')' && shown.compare(at + 3, std::string::npos, plain, at) == 0;
}

// The caption without marks, less a "(X)" added at its end or before a final
// "..." (which a literal "&" after it may hide from the rule).
bool IsDoubleByteAddition(const std::string& result, const std::string& caption) {
  const std::string plain = WithoutMarks(caption);
  const std::string shown = WithoutMarks(result);
  if (shown.size() != plain.size() + 3) return false;
  const bool ellipsis = plain.size() >= 3 && plain.compare(plain.size() - 3, 3, "...") == 0;
  return HasAdditionAt(shown, plain, plain.size()) ||
         (ellipsis && HasAdditionAt(shown, plain, plain.size() - 3));
}

void CheckEntry(const std::string& caption, const std::string& result, bool farEast) {
  const size_t before = Marks(caption);
  const size_t after = Marks(result);
  FUZZ_CHECK(after <= before + 1);  // one inserted at most; removed marks may be many
  if (WithoutMarks(result) != WithoutMarks(caption)) {
    FUZZ_CHECK(farEast && IsDoubleByteAddition(result, caption));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const bool farEast = (data[0] & 1) != 0;
  const uint8_t hiddenBits = data[1];
  std::vector<std::string> captions =
      Fuzz::SplitLines(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
  if (captions.size() > MaxEntries) captions.resize(MaxEntries);
  std::vector<bool> hidden;
  for (size_t i = 0; i < captions.size(); ++i) hidden.push_back(((hiddenBits >> (i % 8)) & 1) != 0);
  const std::vector<std::string> result = App::AssignAccessKeys(captions, hidden, farEast);
  FUZZ_CHECK(result.size() == captions.size());
  std::set<char> keys;
  for (size_t i = 0; i < captions.size(); ++i) {
    if (hidden[i] || captions[i].empty() || captions[i] == "-") {
      FUZZ_CHECK(result[i] == captions[i]);
      continue;
    }
    CheckEntry(captions[i], result[i], farEast);
    const char key = MarkedKey(result[i]);
    if (key != 0) FUZZ_CHECK(keys.insert(key).second);
  }
  return 0;
}
