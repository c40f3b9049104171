#include "rename/journal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_map>

#include "filelist/fileitem.h"
#include "platform/filesystem.h"
#include "platform/system.h"

namespace Rename {

namespace {

using FileList::TConflict;
using FileList::TFileItem;

const char Header[] = "morvane journal 1";
const char Prefix[] = "run-";
const char Suffix[] = ".journal";
constexpr std::size_t HeadBytes = 16 * 1024;  // the header line and the longest dir line
constexpr std::size_t MaxJournalBytes = std::size_t{1} << 30;  // far beyond any run

// Names are bytes: only the separators of the format and the escape itself
// are escaped, everything else is kept as it is.
std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
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
  return out;
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
    if (c == '\\')
      out += '\\';
    else if (c == 't')
      out += '\t';
    else if (c == 'n')
      out += '\n';
    else if (c == 'r')
      out += '\r';
    else
      return false;
  }
  return true;
}

std::vector<std::string_view> Split(std::string_view line, char separator) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(separator, start);
    parts.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// The directory of a journal's text, from its first two lines; false when the
// text does not start as a journal does.
bool ParseHead(std::string_view text, std::string& dir) {
  const std::string_view head = std::string_view(Header).substr(0, sizeof Header - 1);
  if (!text.starts_with(head) || !text.substr(head.size()).starts_with("\ndir\t")) return false;
  const std::size_t start = head.size() + 5;
  const std::size_t end = text.find('\n', start);
  return end != std::string_view::npos && Unescape(text.substr(start, end - start), dir);
}

bool ParsePair(std::string_view line, TJournalPair& pair) {
  const std::vector<std::string_view> fields = Split(line, '\t');
  if (fields.size() != 3 || (fields[0] != "-" && fields[0] != "!")) return false;
  pair.ExpectedToFail = fields[0] == "!";
  return Unescape(fields[1], pair.OldName) && Unescape(fields[2], pair.NewName);
}

// The journal files of folder, oldest first (their names sort by time).
std::vector<std::string> JournalFiles(const std::string& folder) {
  std::vector<Platform::TDirEntry> entries;
  Platform::ListDirectory(folder, entries);
  std::vector<std::string> names;
  for (const Platform::TDirEntry& entry : entries) {
    const std::string& name = entry.Name;
    if (name.starts_with(Prefix) && name.ends_with(Suffix)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string NewJournalName() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  char name[64];
  std::snprintf(
      name, sizeof name, "%s%020lld-%s%s", Prefix,
      static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
      Platform::ProcessId().c_str(), Suffix);
  return name;
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

TJournal PlanOf(const std::string& realDir, const FileList::TFileItems& rows) {
  TJournal journal;
  journal.Dir = realDir;
  journal.Pairs.reserve(rows.size());
  for (const TFileItem& row : rows)
    journal.Pairs.push_back({row.OldName, row.NewName, WillFail(row.Conflict)});
  return journal;
}

std::string FormatJournal(const TJournal& journal) {
  std::string text = std::string(Header) + "\ndir\t" + Escape(journal.Dir) + "\n";
  for (const TJournalPair& pair : journal.Pairs) {
    text += pair.ExpectedToFail ? "!\t" : "-\t";
    text += Escape(pair.OldName) + '\t' + Escape(pair.NewName) + '\n';
  }
  return text;
}

bool ParseJournal(const std::string& text, TJournal& journal) {
  journal = {};
  if (!ParseHead(text, journal.Dir)) return false;
  std::vector<std::string_view> lines = Split(text, '\n');
  if (!lines.back().empty()) return false;
  lines.pop_back();
  journal.Pairs.resize(lines.size() - 2);
  for (std::size_t i = 2; i < lines.size(); ++i) {
    if (!ParsePair(lines[i], journal.Pairs[i - 2])) return false;
  }
  return true;
}

int WriteJournal(const std::string& folder, const TJournal& journal) {
  if (folder.empty()) return ENOENT;
  if (!Platform::MakeDirectories(folder)) return EACCES;
  if (const int err =
          Platform::ReplaceFile(FileList::PathIn(folder, NewJournalName()), FormatJournal(journal)))
    return err;
  const std::vector<std::string> files = JournalFiles(folder);
  for (std::size_t i = 0; i + KeptJournals < files.size(); ++i)
    Platform::RemoveFile(FileList::PathIn(folder, files[i]));
  return 0;
}

bool ReadJournal(const std::string& file, TJournal& journal) {
  std::string text;
  return Platform::ReadFileHead(file, MaxJournalBytes, text) && ParseJournal(text, journal);
}

std::string FindLastJournal(const std::string& folder, const std::string& realDir) {
  if (folder.empty() || realDir.empty()) return {};
  const std::vector<std::string> files = JournalFiles(folder);
  for (auto it = files.rbegin(); it != files.rend(); ++it) {
    const std::string path = FileList::PathIn(folder, *it);
    std::string text;
    std::string dir;
    if (Platform::ReadFileHead(path, HeadBytes, text) && ParseHead(text, dir) && dir == realDir)
      return path;
  }
  return {};
}

namespace {

// Which names are there as the undo goes on, over the directory at its start.
class TUndoState {
 public:
  explicit TUndoState(const TDirectoryView& view) : FView(view) {}
  bool Has(const std::string& name) const {
    const auto it = FChanged.find(name);
    return it != FChanged.end() ? it->second : FView.Has(name);
  }
  void Move(const std::string& from, const std::string& to) {
    FChanged[from] = false;
    FChanged[to] = true;
  }

 private:
  const TDirectoryView& FView;
  std::unordered_map<std::string, bool> FChanged;
};

TFileItem Problem(const TJournalPair& pair, TConflict why) {
  TFileItem item;
  item.OldName = pair.OldName;
  item.NewName = pair.NewName;
  item.Conflict = why;
  return item;
}

}  // namespace

TUndoPlan PlanUndo(const TJournal& journal, const TDirectoryView& dir) {
  // The first pair that moves a file to each name, and away from each name.
  // When both names of a pair are there and one of them belongs to an
  // earlier pair, its move waited on that pair and never happened (a run
  // stopped early); otherwise the old name was taken after the run.
  std::unordered_map<std::string, std::size_t> firstTarget;
  std::unordered_map<std::string, std::size_t> firstSource;
  for (std::size_t i = 0; i < journal.Pairs.size(); ++i) {
    firstTarget.emplace(journal.Pairs[i].NewName, i);
    firstSource.emplace(journal.Pairs[i].OldName, i);
  }
  TUndoPlan plan;
  TUndoState state(dir);
  for (std::size_t k = journal.Pairs.size(); k-- > 0;) {
    const TJournalPair& pair = journal.Pairs[k];
    if (pair.OldName == pair.NewName) continue;
    const bool newThere = state.Has(pair.NewName);
    const bool oldThere = state.Has(pair.OldName);
    if (newThere && !oldThere) {
      TFileItem move;
      move.OldName = pair.NewName;
      move.NewName = pair.OldName;
      plan.Moves.push_back(std::move(move));
      state.Move(pair.NewName, pair.OldName);
      continue;
    }
    if (pair.ExpectedToFail || (!newThere && oldThere)) continue;
    const auto target = firstTarget.find(pair.OldName);
    const auto source = firstSource.find(pair.NewName);
    if (newThere && ((target != firstTarget.end() && target->second < k) ||
                     (source != firstSource.end() && source->second < k)))
      continue;
    plan.Problems.push_back(Problem(pair, newThere ? TConflict::Taken : TConflict::Gone));
  }
  return plan;
}

}  // namespace Rename
