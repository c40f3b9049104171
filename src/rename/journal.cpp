#include "rename/journal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "filelist/parallel.h"
#include "platform/system.h"
#include "rename/conflicts.h"

namespace Rename {

namespace {

using FileList::TFileItem;

constexpr std::string_view Header = "morvane journal 2";
constexpr std::string_view EndLine = "end";
const char Prefix[] = "run-";
const char Suffix[] = ".journal";
constexpr std::size_t SequenceDigits = 20;
constexpr int WriteTries = 8;

// Names are bytes: only the separators of the format and the escape itself
// are escaped, everything else is kept as it is.
void AppendEscaped(std::string& out, std::string_view text) {
  if (text.find_first_of("\\\t\n\r") == std::string_view::npos) {
    out += text;  // the common case: nothing to escape
    return;
  }
  for (const char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '\t')
      out += "\\t";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else
      out += c;
  }
}

bool Unescape(std::string_view text, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i >= text.size()) return false;
    const char c = text[i];
    const std::size_t at = std::string_view("\\tnr").find(c);
    if (at == std::string_view::npos) return false;
    out += "\\\t\n\r"[at];
  }
  return true;
}

// The tab-separated fields of a line; false when there are not exactly n.
bool SplitFields(std::string_view line, std::string_view* fields, std::size_t n) {
  std::size_t count = 0;
  for (std::size_t start = 0;;) {
    const std::size_t end = line.find('\t', start);
    if (count == n) return false;
    fields[count++] = line.substr(start, end == std::string_view::npos ? end : end - start);
    if (end == std::string_view::npos) return count == n;
    start = end + 1;
  }
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  if (text.empty() || text.size() > SequenceDigits || text[0] == '+') return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseId(const std::string_view* f, Platform::TFileId& id) {
  return ParseNumber(f[0], id.Device) && ParseNumber(f[1], id.Inode) &&
         ParseNumber(f[2], id.Size) && ParseNumber(f[3], id.ModifiedNs) &&
         ParseNumber(f[4], id.BornNs);
}

// One row: kind, old name, new name, then the five numbers of the identity.
std::string ParseRow(std::string_view line, TJournalPair& pair) {
  std::string_view f[8];
  if (!SplitFields(line, f, 8)) return "a row without its eight fields";
  if (f[0] != "-" && f[0] != "!" && f[0] != "^") return "an unknown kind of row";
  pair.ExpectedToFail = f[0] == "!";
  pair.OutOfFolder = f[0] == "^";
  if (!Unescape(f[1], pair.OldName) || !Unescape(f[2], pair.NewName)) return "a bad escape";
  if (!IsComponent(pair.OldName)) return "a name that is not one path component";
  if (pair.OutOfFolder ? !pair.NewName.empty() : !IsComponent(pair.NewName))
    return "a name that is not one path component";
  if (!ParseId(f + 3, pair.Id)) return "a bad file identity";
  return {};
}

// The sequence number of a record's file name; false for other names.
bool SequenceOf(std::string_view name, uint64_t& sequence) {
  const std::size_t head = sizeof Prefix - 1;
  const std::size_t tail = sizeof Suffix - 1;
  if (name.size() != head + SequenceDigits + tail || !name.starts_with(Prefix) ||
      !name.ends_with(Suffix))
    return false;
  const std::string_view digits = name.substr(head, SequenceDigits);
  return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         ParseNumber(digits, sequence);
}

struct TRecordFile {
  uint64_t Sequence;
  std::string Name;
};

// The records of folder, oldest first by sequence.
std::vector<TRecordFile> RecordFiles(Platform::TFileSystem& fs, const std::string& folder) {
  std::vector<Platform::TDirEntry> entries;
  fs.ListDirectory(folder, entries);
  std::vector<TRecordFile> files;
  for (Platform::TDirEntry& entry : entries) {
    uint64_t sequence = 0;
    if (SequenceOf(entry.Name, sequence)) files.push_back({sequence, std::move(entry.Name)});
  }
  std::sort(files.begin(), files.end(),
            [](const TRecordFile& a, const TRecordFile& b) { return a.Sequence < b.Sequence; });
  return files;
}

std::string RecordName(uint64_t sequence) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%020llu%s", Prefix, static_cast<unsigned long long>(sequence),
                Suffix);
  return name;
}

void AppendRow(std::string& text, const TJournalPair& pair) {
  text += pair.OutOfFolder ? "^\t" : pair.ExpectedToFail ? "!\t" : "-\t";
  AppendEscaped(text, pair.OldName);
  text += '\t';
  AppendEscaped(text, pair.NewName);
  const Platform::TFileId& id = pair.Id;
  char numbers[128];
  char* end = numbers;
  const auto put = [&](auto value) {
    *end++ = '\t';
    end = std::to_chars(end, numbers + sizeof numbers, value).ptr;
  };
  for (const uint64_t value : {id.Device, id.Inode, id.Size}) put(value);
  for (const int64_t value : {id.ModifiedNs, id.BornNs}) put(value);
  *end++ = '\n';
  text.append(numbers, end);
}

// Reads the identity of each pair's file, spread over the cores for a large
// folder: every read is a lookup of its own in the directory. A pair whose
// file cannot be read is expected to fail.
void ReadIds(const Platform::TDirectory& dir, std::vector<TJournalPair>& pairs) {
  constexpr std::size_t RowsPerThread = 1024;
  FileList::ForEachIndex(
      pairs.size(),
      [&](std::size_t i) {
        TJournalPair& pair = pairs[i];
        if (dir.FileId(pair.OldName, pair.Id) != 0) pair.ExpectedToFail = !pair.OutOfFolder;
      },
      0, RowsPerThread);
}

}  // namespace

std::string JournalFolder() {
  std::string base = Platform::EnvironmentValue("XDG_STATE_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = Platform::EnvironmentValue("HOME");
    if (home.empty()) return {};
    base = home + "/.local/state";
  }
  return base + "/morvane";
}

bool IsComponent(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

TJournal PlanOf(const Platform::TDirectory& dir, const FileList::TFileItems& rows) {
  TJournal journal;
  journal.Dir = dir.RealPath();
  journal.Pairs.reserve(rows.size());
  for (const TFileItem& row : rows) {
    const bool outOfFolder = row.NewName.find('/') != std::string::npos;
    if (row.NewName == row.OldName || !IsComponent(row.OldName) ||
        (!outOfFolder && !IsComponent(row.NewName)))
      continue;
    TJournalPair pair{row.OldName,
                      outOfFolder ? std::string() : row.NewName,
                      WillFail(row.Conflict),
                      {},
                      outOfFolder};
    journal.Pairs.push_back(std::move(pair));
  }
  ReadIds(dir, journal.Pairs);
  return journal;
}

std::string FormatJournal(const TJournal& journal) {
  std::string text(Header);
  std::size_t size = 0;
  for (const TJournalPair& pair : journal.Pairs)
    size += pair.OldName.size() + pair.NewName.size() + 112;  // flag, tabs, five numbers
  text.reserve(size + journal.Dir.size() + 64);
  text += "\ndir\t";
  AppendEscaped(text, journal.Dir);
  text += "\nrows\t" + std::to_string(journal.Pairs.size()) + "\n";
  for (const TJournalPair& pair : journal.Pairs) AppendRow(text, pair);
  text += EndLine;
  text += '\n';
  return text;
}

bool TJournalReader::Fail(const std::string& what) {
  if (FError.empty()) FError = "line " + std::to_string(FLine) + ": " + what;
  FPending.clear();
  return false;
}

bool TJournalReader::Head(std::string_view line) {
  if (FLine == 1) return line == Header || Fail("not a Morvane undo record of this version");
  if (FLine == 2) {
    if (!line.starts_with("dir\t") || !Unescape(line.substr(4), FJournal.Dir) ||
        FJournal.Dir.empty() || FJournal.Dir.front() != '/')
      return Fail("no directory");
    return true;
  }
  if (!line.starts_with("rows\t") || !ParseNumber(line.substr(5), FRows) || FRows > MaxJournalRows)
    return Fail("no row count");
  FJournal.Pairs.reserve(std::min<uint64_t>(FRows, 4096));
  return true;
}

bool TJournalReader::Line(std::string_view line) {
  if (FEnded) return Fail("text after the end");
  const bool ok = [&] {
    if (FLine <= 3) return Head(line);
    if (FJournal.Pairs.size() == FRows)
      return line == EndLine || Fail("more rows than the record declares");
    TJournalPair pair;
    const std::string what = ParseRow(line, pair);
    if (!what.empty()) return Fail(what);
    FJournal.Pairs.push_back(std::move(pair));
    return true;
  }();
  if (ok && FLine > 3 && line == EndLine && FJournal.Pairs.size() == FRows) FEnded = true;
  ++FLine;
  return ok;
}

bool TJournalReader::Feed(std::string_view piece) {
  if (!FError.empty()) return false;
  while (!piece.empty()) {
    const std::size_t end = piece.find('\n');
    const std::string_view part = piece.substr(0, end);
    if (FPending.size() + part.size() > MaxJournalLine)
      return Fail("a line longer than any name can make it");
    if (end == std::string_view::npos) {
      FPending.append(part);
      return true;
    }
    bool ok = true;
    if (FPending.empty()) {
      ok = Line(part);
    } else {
      FPending.append(part);
      ok = Line(FPending);
      FPending.clear();
    }
    if (!ok) return false;
    piece.remove_prefix(end + 1);
  }
  return true;
}

bool TJournalReader::Finish() {
  if (!FError.empty()) return false;
  if (!FPending.empty() || !FEnded) return Fail("the record is cut short");
  return true;
}

bool ParseJournal(std::string_view text, TJournal& journal, std::string& error) {
  TJournalReader reader;
  const bool ok = reader.Feed(text) && reader.Finish();
  error = reader.Error();
  journal = ok ? std::move(reader.Journal()) : TJournal{};
  return ok;
}

TJournalWrite WriteJournal(Platform::TFileSystem& fs, const std::string& folder,
                           const TJournal& journal) {
  TJournalWrite result{ENOENT, folder};
  if (folder.empty()) return result;
  if ((result.Error = fs.MakePrivateDirectories(folder)) != 0) return result;
  const std::vector<TRecordFile> files = RecordFiles(fs, folder);
  const std::string text = FormatJournal(journal);
  uint64_t sequence = files.empty() ? 1 : files.back().Sequence + 1;
  for (int attempt = 0; attempt < WriteTries; ++attempt, ++sequence) {
    result.Path = FileList::PathIn(folder, RecordName(sequence));
    result.Error = fs.WritePrivateFile(folder, RecordName(sequence), text);
    if (result.Error != EEXIST) break;  // another run took that number first
  }
  if (result.Error != 0) return result;
  // Only the records listed before this one are pruned, oldest first.
  for (std::size_t i = 0; i + KeptJournals < files.size() + 1; ++i)
    fs.RemoveFile(FileList::PathIn(folder, files[i].Name));
  return result;
}

bool ReadJournal(Platform::TFileSystem& fs, const std::string& file, TJournal& journal,
                 std::string& error) {
  TJournalReader reader;
  const int err =
      fs.ReadPieces(file, [&reader](std::string_view piece) { return reader.Feed(piece); });
  const bool ok = reader.Finish() && err == 0;
  error = err != 0 ? Platform::ErrorText(err) : reader.Error();
  journal = ok ? std::move(reader.Journal()) : TJournal{};
  return ok;
}

TFoundJournal FindLastJournal(Platform::TFileSystem& fs, const std::string& folder,
                              const std::string& realDir) {
  if (folder.empty() || realDir.empty()) return {};
  const std::vector<TRecordFile> files = RecordFiles(fs, folder);
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    const std::string path = FileList::PathIn(folder, it->Name);
    TJournalReader reader;
    const int err = fs.ReadPieces(path, [&reader](std::string_view piece) {
      return reader.Feed(piece) && !reader.HeadDone();
    });
    if (err != 0) return {path, Platform::ErrorText(err)};
    if (!reader.HeadDone()) return {path, reader.Finish() ? "" : reader.Error()};
    if (reader.Journal().Dir == realDir) return {path, {}};
  }
  return {};
}

}  // namespace Rename
