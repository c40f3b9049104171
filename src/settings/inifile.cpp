#include "settings/inifile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/casemap.h"
#include "platform/filesystem.h"

namespace Settings {

namespace {

// Longest text a read gives back.
constexpr size_t MaxTextLength = 2047;
// Size of the key listing, with one terminating byte per name and one more.
constexpr size_t KeyListingBytes = 16384;
constexpr size_t NoLine = static_cast<size_t>(-1);
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

enum class TLineKind { Other, Section, Entry };

struct TLineInfo {
  TLineKind Kind = TLineKind::Other;
  std::string_view Name;   // section name, or the key of an entry
  std::string_view Value;  // value of an entry, blanks removed
};

struct TSectionSpan {
  size_t Header = NoLine;  // NoLine when the section is missing
  size_t End = 0;          // first line after the section
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Cut(std::string_view s) { return std::string(s.substr(0, MaxTextLength)); }

// Lines end at LF; a CR right before it (or at the very end) belongs to the
// line end.
std::vector<std::string> SplitLines(const std::string& data) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < data.size()) {
    size_t lf = data.find('\n', start);
    size_t end = lf == std::string::npos ? data.size() : lf;
    size_t textEnd = (end > start && data[end - 1] == '\r') ? end - 1 : end;
    lines.emplace_back(data, start, textEnd - start);
    start = end + 1;
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string data;
  for (const std::string& line : lines) data += line + "\r\n";
  return data;
}

TLineInfo ClassifyLine(std::string_view line, bool firstLine) {
  if (firstLine && line.substr(0, Utf8Bom.size()) == Utf8Bom) line.remove_prefix(Utf8Bom.size());
  TLineInfo info;
  std::string_view text = Trim(line);
  if (text.empty() || text.front() == ';') return info;
  if (text.front() == '[') {
    size_t close = text.find(']');
    info.Kind = TLineKind::Section;
    info.Name = Trim(text.substr(1, close == std::string_view::npos ? close : close - 1));
    return info;
  }
  size_t eq = text.find('=');
  if (eq == std::string_view::npos) return info;
  info.Kind = TLineKind::Entry;
  info.Name = Trim(text.substr(0, eq));
  info.Value = Trim(text.substr(eq + 1));
  return info;
}

TLineInfo LineAt(const std::vector<std::string>& lines, size_t i) {
  return ClassifyLine(lines[i], i == 0);
}

// The first section of that name.
TSectionSpan FindSection(const std::vector<std::string>& lines, std::string_view section) {
  TSectionSpan span;
  std::string_view wanted = Trim(section);
  for (size_t i = 0; i < lines.size(); ++i) {
    TLineInfo info = LineAt(lines, i);
    if (info.Kind != TLineKind::Section) continue;
    if (span.Header != NoLine) {
      span.End = i;
      return span;
    }
    if (Platform::SameTextAscii(info.Name, wanted)) span.Header = i;
  }
  span.End = lines.size();
  return span;
}

// The first entry of key in the section, NoLine when there is none.
size_t FindEntry(const std::vector<std::string>& lines, TSectionSpan span, std::string_view key) {
  if (span.Header == NoLine) return NoLine;
  std::string_view wanted = Trim(key);
  for (size_t i = span.Header + 1; i < span.End; ++i) {
    TLineInfo info = LineAt(lines, i);
    if (info.Kind == TLineKind::Entry && Platform::SameTextAscii(info.Name, wanted)) return i;
  }
  return NoLine;
}

std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// A line break inside a name or value would split its line and could forge
// other entries or sections, so each one is written as a blank.
std::string OneLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

void SetEntry(std::vector<std::string>& lines, const std::string& section, const std::string& key,
              const std::string& value) {
  TSectionSpan span = FindSection(lines, section);
  if (span.Header == NoLine) {
    lines.push_back("[" + section + "]");
    lines.push_back(key + "=" + value);
    return;
  }
  size_t entry = FindEntry(lines, span, key);
  if (entry != NoLine) {
    lines[entry] = std::string(LineAt(lines, entry).Name) + "=" + value;
    return;
  }
  size_t insertAt = span.Header + 1;
  for (size_t i = span.Header + 1; i < span.End; ++i)
    if (LineAt(lines, i).Kind == TLineKind::Entry) insertAt = i + 1;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), key + "=" + value);
}

bool ParseHexDigits(std::string_view digits, int32_t& value) {
  if (digits.empty()) return false;
  uint32_t result = 0;
  int significant = 0;
  for (char c : digits) {
    int d = (c >= '0' && c <= '9')   ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : -1;
    if (d < 0) return false;
    if (result == 0 && d == 0) continue;
    if (++significant > 8) return false;
    result = result * 16 + static_cast<uint32_t>(d);
  }
  value = static_cast<int32_t>(result);
  return true;
}

bool ParseDecimal(std::string_view text, int32_t& value) {
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return false;
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  int64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + (c - '0');
    if (result > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -result : result);
  return true;
}

// Adds the keys of the section to list, in file order, as far as the
// 16,384-byte listing holds them.
void ListKeyNames(const std::vector<std::string>& lines, TSectionSpan span,
                  std::vector<std::string>& list) {
  if (span.Header == NoLine) return;
  size_t used = 0;  // bytes taken so far, terminators included
  for (size_t i = span.Header + 1; i < span.End; ++i) {
    TLineInfo info = LineAt(lines, i);
    if (info.Kind != TLineKind::Entry) continue;
    if (used + info.Name.size() + 2 <= KeyListingBytes) {
      list.emplace_back(info.Name);
      used += info.Name.size() + 1;
      continue;
    }
    size_t room = KeyListingBytes > used + 2 ? KeyListingBytes - used - 2 : 0;
    if (room > 0) list.emplace_back(info.Name.substr(0, room));
    return;
  }
}

// The value that ReadText gives for each key of one section.
class TFirstValues {
 public:
  TFirstValues(const std::vector<std::string>& lines, TSectionSpan span) {
    if (span.Header == NoLine) return;
    for (size_t i = span.Header + 1; i < span.End; ++i) {
      TLineInfo info = LineAt(lines, i);
      if (info.Kind == TLineKind::Entry)
        FValues.emplace(Platform::AsciiLowerCase(info.Name), info.Value);
    }
  }
  std::string Find(std::string_view key) const {
    auto found = FValues.find(Platform::AsciiLowerCase(Trim(key)));
    return found == FValues.end() ? std::string() : Cut(WithoutQuotes(found->second));
  }

 private:
  std::unordered_map<std::string, std::string_view> FValues;  // first entry wins
};

// A list of "name=value" lines with the lines of each name (letter case
// aside) indexed, for ReadKeyValues' updates of the first such line.
class TLineIndex {
 public:
  explicit TLineIndex(std::vector<std::string>& lines) : FLines(std::move(lines)) {
    FDeleted.assign(FLines.size(), false);
    for (size_t i = 0; i < FLines.size(); ++i)
      FByName[Platform::AsciiLowerCase(std::string_view(FLines[i]).substr(0, FLines[i].find('=')))]
          .Lines.push_back(i);
  }
  void Set(const std::string& name, const std::string& value) {
    TNameLines& same = FByName[Platform::AsciiLowerCase(name)];
    const bool found = same.Front < same.Lines.size();
    if (value.empty()) {
      if (found) FDeleted[same.Lines[same.Front++]] = true;
    } else if (found) {
      FLines[same.Lines[same.Front]] = name + "=" + value;
    } else {
      same.Lines.push_back(FLines.size());
      FLines.push_back(name + "=" + value);
      FDeleted.push_back(false);
    }
  }
  void TakeLines(std::vector<std::string>& lines) {
    lines.clear();
    for (size_t i = 0; i < FLines.size(); ++i)
      if (!FDeleted[i]) lines.push_back(std::move(FLines[i]));
  }

 private:
  struct TNameLines {
    std::vector<size_t> Lines;  // ascending; those before Front are deleted
    size_t Front = 0;
  };
  std::vector<std::string> FLines;
  std::vector<bool> FDeleted;
  std::unordered_map<std::string, TNameLines> FByName;
};

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : EMorvaneError("Unable to write to " + path) {}

bool ParseIniNumber(const std::string& text, int32_t& value) {
  std::string_view t = text;
  std::string replaced;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    replaced = "$" + text.substr(2);
    t = replaced;
  }
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  if (t.empty()) return false;
  if (t.front() == '$' || t.front() == 'x' || t.front() == 'X')
    return ParseHexDigits(t.substr(1), value);
  if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
    return ParseHexDigits(t.substr(2), value);
  return ParseDecimal(t, value);
}

TCustomIniFile::TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

TCustomIniFile::~TCustomIniFile() = default;

const std::string& TCustomIniFile::FileName() const { return FFileName; }

int32_t TCustomIniFile::ReadNumber(const std::string& section, const std::string& key,
                                   int32_t defaultValue) {
  int32_t value = 0;
  return ParseIniNumber(ReadText(section, key, ""), value) ? value : defaultValue;
}

void TCustomIniFile::WriteNumber(const std::string& section, const std::string& key,
                                 int32_t value) {
  WriteText(section, key, std::to_string(value));
}

bool TCustomIniFile::ReadFlag(const std::string& section, const std::string& key,
                              bool defaultValue) {
  return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

TIniFile::TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultText) {
  std::string data;
  if (!Platform::FileSystem().ReadFile(FileName(), data)) return Cut(TrimRight(defaultText));
  std::vector<std::string> lines = SplitLines(data);
  size_t entry = FindEntry(lines, FindSection(lines, section), key);
  if (entry == NoLine) return Cut(TrimRight(defaultText));
  return Cut(WithoutQuotes(LineAt(lines, entry).Value));
}

void TIniFile::WriteText(const std::string& section, const std::string& key,
                         const std::string& value) {
  std::string data;
  // A file that is there but cannot be read is not overwritten: its content
  // would be lost.
  if (!Platform::FileSystem().ReadFile(FileName(), data) && Platform::PathExists(FileName()))
    throw EIniWriteError(FileName());
  std::vector<std::string> lines = SplitLines(data);
  SetEntry(lines, OneLine(section), OneLine(key), OneLine(value));
  if (Platform::FileSystem().ReplaceFile(FileName(), JoinLines(lines)) != 0)
    throw EIniWriteError(FileName());
}

void TIniFile::ReadKeyNames(const std::string& section, std::vector<std::string>& list) {
  list.clear();
  std::string data;
  if (!Platform::FileSystem().ReadFile(FileName(), data)) return;
  std::vector<std::string> lines = SplitLines(data);
  ListKeyNames(lines, FindSection(lines, section), list);
}

// The same result as one ReadText per listed name, from one read of the file:
// the first value of each key and the lines of the list are found through
// indexes, so a section of thousands of keys costs no more than reading it.
void TIniFile::ReadKeyValues(const std::string& section, std::vector<std::string>& list) {
  std::string data;
  if (!Platform::FileSystem().ReadFile(FileName(), data)) return;
  const std::vector<std::string> lines = SplitLines(data);
  const TSectionSpan span = FindSection(lines, section);
  std::vector<std::string> names;
  ListKeyNames(lines, span, names);
  const TFirstValues values(lines, span);
  TLineIndex target(list);
  for (const std::string& name : names) target.Set(name, values.Find(name));
  target.TakeLines(list);
}

}  // namespace Settings
