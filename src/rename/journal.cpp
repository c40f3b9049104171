#include "rename/journal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <functional>
#include <stdexcept>

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

// One row of a record: its kind ("-" a move, "!" one expected to fail, "^"
// one out of the folder), the two names, the five numbers of the identity.
void AppendRow(std::string& text, char kind, std::string_view oldName, std::string_view newName,
               const Platform::TFileId& id) {
  text += kind;
  text += '\t';
  AppendEscaped(text, oldName);
  text += '\t';
  AppendEscaped(text, newName);
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

char KindOf(bool outOfFolder, bool expectedToFail) {
  return outOfFolder ? '^' : expectedToFail ? '!' : '-';
}

using TAppendRow = std::function<void(std::size_t row, std::string& text)>;

// Appends the rows of a record read or made whole.
TAppendRow PairsOf(const TJournal& journal) {
  return [&journal](std::size_t i, std::string& text) {
    const TJournalPair& pair = journal.Pairs[i];
    AppendRow(text, KindOf(pair.OutOfFolder, pair.ExpectedToFail), pair.OldName, pair.NewName,
              pair.Id);
  };
}

// The text of a record in pieces of about 64 KiB, so that a record of a
// million rows is never held whole: the head, the rows, the end line, then
// an empty piece.
std::function<std::string_view()> RecordPieces(const std::string& dir, std::size_t rows,
                                               const TAppendRow& append, std::string& buffer) {
  constexpr std::size_t PieceBytes = 64 * 1024;
  return [&dir, rows, &append, &buffer, next = std::size_t{0}, stage = 0]() mutable {
    buffer.clear();
    if (stage == 0) {
      buffer = Header;
      buffer += "\ndir\t";
      AppendEscaped(buffer, dir);
      buffer += "\nrows\t" + std::to_string(rows) + "\n";
      stage = 1;
    } else if (next < rows) {
      while (next < rows && buffer.size() < PieceBytes) append(next++, buffer);
    } else if (stage == 1) {
      buffer = std::string(EndLine) + "\n";
      stage = 2;
    }
    return std::string_view(buffer);
  };
}

// Reads the identity of each planned move's file, spread over the cores for
// a large folder: every read is a lookup of its own in the directory. A move
// whose file cannot be read is expected to fail.
void ReadIds(const Platform::TDirectory& dir, TRowPlan& plan) {
  constexpr std::size_t RowsPerThread = 1024;
  FileList::ForEachIndex(
      plan.Moves.size(),
      [&](std::size_t i) {
        TPlannedMove& move = plan.Moves[i];
        if (dir.FileId((*plan.Rows)[move.Row].OldName, move.Id) != 0)
          move.ExpectedToFail = !move.OutOfFolder;
      },
      0, RowsPerThread);
}

// Writes a record of rows, each appended by append, as the newest of folder.
TJournalWrite WriteRecord(Platform::TFileSystem& fs, const std::string& folder,
                          const std::string& dir, std::size_t rows, const TAppendRow& append) {
  TJournalWrite result{ENOENT, folder};
  if (folder.empty()) return result;
  if ((result.Error = fs.MakePrivateDirectories(folder)) != 0) return result;
  const std::vector<TRecordFile> files = RecordFiles(fs, folder);
  uint64_t sequence = files.empty() ? 1 : files.back().Sequence + 1;
  std::string buffer;
  for (int attempt = 0; attempt < WriteTries; ++attempt, ++sequence) {
    result.Path = FileList::PathIn(folder, RecordName(sequence));
    result.Error =
        fs.WritePrivateFile(folder, RecordName(sequence), RecordPieces(dir, rows, append, buffer));
    if (result.Error != EEXIST) break;  // another run took that number first
  }
  if (result.Error != 0) return result;
  // Only the records listed before this one are pruned, oldest first.
  for (std::size_t i = 0; i + KeptJournals < files.size() + 1; ++i)
    fs.RemoveFile(FileList::PathIn(folder, files[i].Name));
  return result;
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

TRowPlan PlanOf(const Platform::TDirectory& dir, const FileList::TFileItems& rows) {
  if (rows.size() >= UINT32_MAX) throw std::length_error("too many files to record");
  TRowPlan plan{dir.RealPath(), &rows, {}};
  plan.Moves.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TFileItem& row = rows[i];
    const bool outOfFolder = row.NewName.find('/') != std::string::npos;
    if (row.NewName == row.OldName || !IsComponent(row.OldName) ||
        (!outOfFolder && !IsComponent(row.NewName)))
      continue;
    plan.Moves.push_back({static_cast<uint32_t>(i), WillFail(row.Conflict), outOfFolder, {}});
  }
  plan.Moves.shrink_to_fit();
  ReadIds(dir, plan);
  return plan;
}

std::string FormatJournal(const TJournal& journal) {
  std::string text, buffer;
  const TAppendRow append = PairsOf(journal);
  const auto pieces = RecordPieces(journal.Dir, journal.Pairs.size(), append, buffer);
  for (std::string_view piece; !(piece = pieces()).empty();) text += piece;
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
    if (FRead == FRows) return line == EndLine || Fail("more rows than the record declares");
    TJournalPair pair;
    const std::string what = ParseRow(line, pair);
    if (!what.empty()) return Fail(what);
    if (FSink) {
      FSink(FRead++, pair);
      return true;
    }
    ++FRead;
    // Room doubles as valid rows come, up to the count declared: a true count
    // ends with no slack, a false one costs no more than the rows read.
    std::vector<TJournalPair>& pairs = FJournal.Pairs;
    if (pairs.size() == pairs.capacity())
      pairs.reserve(std::min<uint64_t>(FRows, std::max<std::size_t>(4096, 2 * pairs.capacity())));
    pairs.push_back(std::move(pair));
    return true;
  }();
  if (ok && FLine > 3 && line == EndLine && FRead == FRows) FEnded = true;
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
  return WriteRecord(fs, folder, journal.Dir, journal.Pairs.size(), PairsOf(journal));
}

TJournalWrite WriteJournal(Platform::TFileSystem& fs, const std::string& folder,
                           const TRowPlan& plan) {
  return WriteRecord(fs, folder, plan.Dir, plan.Moves.size(),
                     [&plan](std::size_t i, std::string& out) {
                       const TPlannedMove& move = plan.Moves[i];
                       const TFileItem& row = (*plan.Rows)[move.Row];
                       AppendRow(out, KindOf(move.OutOfFolder, move.ExpectedToFail), row.OldName,
                                 move.OutOfFolder ? std::string_view() : row.NewName, move.Id);
                     });
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
