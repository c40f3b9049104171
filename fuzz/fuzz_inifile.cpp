// The profile store on arbitrary file bytes. Input: a section name, a key and
// a value, one per line, then the file. Reads must stay within their limits;
// a write of a plain name and value must read back and leave every other
// entry of the section as it was.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fuzzutil.h"
#include "settings/inifile.h"

namespace {

const std::string IniPath = "/fuzz/profile.ini";
constexpr size_t MaxText = 2047;
constexpr size_t KeyListingBytes = 16384;
constexpr size_t MaxCompared = 64;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A name or value that a write stores on one line and a read gives back as
// it stands.
bool IsPlainText(const std::string& text) {
  if (text.empty() || text.size() > MaxText) return false;
  if (IsBlank(text.front()) || IsBlank(text.back())) return false;
  if (text.find_first_of("\r\n") != std::string::npos) return false;
  const char q = text.front();
  return !(text.size() >= 2 && (q == '"' || q == '\'') && text.back() == q);
}

bool IsPlainName(const std::string& name) {
  return IsPlainText(name) && name.front() != ';' && name.front() != '[' &&
         name.find_first_of("=]") == std::string::npos;
}

size_t ListingBytes(const std::vector<std::string>& names) {
  size_t bytes = 1;
  for (const std::string& name : names) bytes += name.size() + 1;
  return bytes;
}

void CheckReads(Settings::TIniFile& ini, const std::string& section, const std::string& key) {
  FUZZ_CHECK(ini.ReadText(section, key, std::string(3000, 'd')).size() <= MaxText);
  int32_t number = 0;
  const bool isNumber = Settings::ParseIniNumber(ini.ReadText(section, key, ""), number);
  FUZZ_CHECK(ini.ReadNumber(section, key, -7) == (isNumber ? number : -7));
  std::vector<std::string> names;
  ini.ReadKeyNames(section, names);
  FUZZ_CHECK(ListingBytes(names) <= KeyListingBytes);
  std::vector<std::string> lines;
  ini.ReadKeyValues(section, lines);
  FUZZ_CHECK(lines.size() <= names.size());
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    FUZZ_CHECK(eq != std::string::npos && eq + 1 < line.size());
  }
}

void CheckWrite(Settings::TIniFile& ini, const std::string& section, const std::string& key,
                const std::string& value) {
  std::vector<std::string> before;
  ini.ReadKeyNames(section, before);
  if (ListingBytes(before) + key.size() + 1 >= KeyListingBytes) return;  // listing cut
  if (before.size() > MaxCompared) before.resize(MaxCompared);
  std::vector<std::string> oldValues;
  for (const std::string& name : before) oldValues.push_back(ini.ReadText(section, name, "-"));
  ini.WriteText(section, key, value);
  FUZZ_CHECK(ini.ReadText(section, key, "") == value);
  std::vector<std::string> after;
  ini.ReadKeyNames(section, after);
  FUZZ_CHECK(after.size() >= before.size());
  for (size_t i = 0; i < before.size(); ++i) {
    FUZZ_CHECK(after[i] == before[i]);
    if (ini.ReadText(section, before[i], "-") != oldValues[i]) {
      // Only the written key itself (any letter case) may change.
      FUZZ_CHECK(ini.ReadText(section, before[i], "-") == value);
    }
  }
}

void CheckNumber(Settings::TIniFile& ini, const std::string& section, const std::string& key,
                 int32_t number) {
  ini.WriteNumber(section, key, number);
  FUZZ_CHECK(ini.ReadNumber(section, key, ~number) == number);
  ini.WriteFlag(section, key, number % 2 != 0);
  FUZZ_CHECK(ini.ReadFlag(section, key, number % 2 == 0) == (number % 2 != 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> fields = Fuzz::SplitFields(data, size, 4);
  const std::string& section = fields[0];
  const std::string& key = fields[1];
  const std::string& value = fields[2];
  Fuzz::TMemoryFileSystem fs;
  fs.Files[IniPath] = fields[3];
  Fuzz::TFileSystemScope scope(fs);
  Settings::TIniFile ini(IniPath);
  CheckReads(ini, section, key);
  if (!IsPlainName(section) || !IsPlainName(key)) return 0;
  if (IsPlainText(value)) CheckWrite(ini, section, key, value);
  CheckNumber(ini, section, key, static_cast<int32_t>(std::hash<std::string>()(value)));
  CheckReads(ini, section, key);
  return 0;
}
