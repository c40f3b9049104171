#include "rename/undo.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "filelist/parallel.h"
#include "platform/system.h"
#include "rename/nametable.h"

namespace Rename {

namespace {

using Platform::SameFile;
using Platform::TFileId;

constexpr uint32_t NoRow32 = UINT32_MAX;

// The record's rows that carry an identity, sorted by file (device, inode),
// in row order within a file.
class TRecordFiles {
 public:
  explicit TRecordFiles(const TJournal& journal) : FPairs(journal.Pairs) {
    for (std::size_t k = 0; k < FPairs.size(); ++k)
      if (FPairs[k].Id.Inode != 0) FSorted.push_back(static_cast<uint32_t>(k));
    std::stable_sort(FSorted.begin(), FSorted.end(),
                     [this](uint32_t a, uint32_t b) { return FileOf(a) < FileOf(b); });
  }
  // The first row whose recorded file id is; NoRow32 for a file the record
  // does not hold.
  uint32_t RowOf(const TFileId& id) const {
    const auto key = std::pair(id.Device, id.Inode);
    auto it = std::lower_bound(FSorted.begin(), FSorted.end(), key,
                               [this](uint32_t k, const auto& file) { return FileOf(k) < file; });
    for (; it != FSorted.end() && FileOf(*it) == key; ++it)
      if (SameFile(FPairs[*it].Id, id)) return *it;
    return NoRow32;
  }
  // For each row, the row before it that moves the same file (an untangled
  // file's earlier step, a file listed twice); NoRow32 when there is none.
  std::vector<uint32_t> EarlierRows() const {
    std::vector<uint32_t> earlier(FPairs.size(), NoRow32);
    for (std::size_t i = 1; i < FSorted.size(); ++i)
      if (FileOf(FSorted[i]) == FileOf(FSorted[i - 1])) earlier[FSorted[i]] = FSorted[i - 1];
    return earlier;
  }

 private:
  std::pair<uint64_t, uint64_t> FileOf(uint32_t k) const {
    return {FPairs[k].Id.Device, FPairs[k].Id.Inode};
  }

  const std::vector<TJournalPair>& FPairs;
  std::vector<uint32_t> FSorted;
};

// The files under each name of the record as the undo goes on, over the disk
// at its start: each distinct name holds one word, the row of the record
// whose file is there or one of the marks below.
class TUndoState {
 public:
  TUndoState(const Platform::TDirectory& dir, const TJournal& journal, const TRecordFiles& files)
      : FDir(dir), FPairs(journal.Pairs), FFiles(files), FNames(FPairs.size(), {&FPairs}) {
    // A move out of the folder has no new name: "" takes one number, never asked.
    FNames.AddKeys(2 * FPairs.size(), [](uint32_t, uint32_t) {});
    FWords.assign(FNames.Size(), Unread);
  }
  // Reads what is under every name of a large record at once, spread over the
  // cores (each read is a lookup of its own); a small one is read as asked.
  void ReadAhead() {
    constexpr std::size_t RowsPerThread = 1024;
    if (FPairs.size() < RowsPerThread) return;
    FileList::ForEachIndex(
        FWords.size(),
        [this](std::size_t i) { FWords[i] = ReadName(FNames.Name(static_cast<uint32_t>(i))); }, 0,
        RowsPerThread);
  }
  // Whether a file is under name.
  bool Taken(const std::string& name) { return State(name) != Free; }
  // Whether the file under name is the file of row k.
  bool Holds(const std::string& name, std::size_t k) {
    const uint32_t there = State(name);
    return there < Other && FPairs[there].Id == FPairs[k].Id;
  }
  void Move(const std::string& from, const std::string& to) {
    const uint32_t file = State(from);
    State(to);  // read before it changes
    Word(to) = file;
    Word(from) = Free;
  }

 private:
  static constexpr uint32_t Unread = NoRow32 - 1;
  static constexpr uint32_t Free = NoRow32 - 2;
  static constexpr uint32_t Other = NoRow32 - 3;  // a file the record does not hold

  // The word of a name of the record (every name asked is one).
  uint32_t& Word(const std::string& name) { return FWords[FNames.Find(name)]; }
  uint32_t State(const std::string& name) {
    uint32_t& word = Word(name);
    if (word == Unread) word = ReadName(name);
    return word;
  }
  // An entry that cannot be read counts as taken by an unknown file.
  uint32_t ReadName(std::string_view name) const {
    TFileId id;
    const int err = FDir.FileId(std::string(name), id);
    if (err == ENOENT) return Free;
    if (err != 0) return Other;
    const uint32_t row = FFiles.RowOf(id);
    return row == NoRow32 ? Other : row;
  }

  const Platform::TDirectory& FDir;
  const std::vector<TJournalPair>& FPairs;  // the record, which outlives the state
  const TRecordFiles& FFiles;
  TNameTable<TRowNames<std::vector<TJournalPair>>> FNames;  // over the record's names
  std::vector<uint32_t> FWords;  // per distinct name: the row whose file is there, or a mark
};

FileList::TFileItem MoveBack(TJournalPair& pair) {
  FileList::TFileItem move;
  move.OldName = std::move(pair.NewName);
  move.NewName = std::move(pair.OldName);
  return move;
}

// Whether the file of row k is still under the old name of k or of an
// earlier row of the same file: then row k never moved it.
bool NeverMoved(const TJournal& journal, const std::vector<uint32_t>& earlier, std::size_t k,
                TUndoState& state) {
  for (std::size_t j = k; j != NoRow32; j = earlier[j]) {
    if (SameFile(journal.Pairs[j].Id, journal.Pairs[k].Id) &&
        state.Holds(journal.Pairs[j].OldName, k))
      return true;
  }
  return false;
}

// The reason a row stays; nullopt for a row to move back or pass over.
std::optional<TUndoReason> Judge(const TJournalPair& pair, std::size_t k, bool neverMoved,
                                 TUndoState& state, bool& back) {
  back = false;
  if (pair.OutOfFolder) {
    if (neverMoved) return std::nullopt;
    return TUndoReason::NotInFolder;
  }
  if (state.Holds(pair.NewName, k)) {
    if (state.Taken(pair.OldName)) return TUndoReason::OldNameTaken;
    back = true;
    return std::nullopt;
  }
  if (neverMoved || pair.ExpectedToFail) return std::nullopt;
  return state.Taken(pair.NewName) ? TUndoReason::OtherFile : TUndoReason::NotThere;
}

// A checksum of a row's two names, to tell the row again on a second read.
uint64_t SumOf(const TJournalPair& pair) {
  const uint64_t a = std::hash<std::string_view>{}(pair.OldName);
  const uint64_t b = std::hash<std::string_view>{}(pair.NewName);
  return a * 0x9e3779b97f4a7c15ULL ^ b;
}

}  // namespace

TUndoDecision DecideUndo(const TJournal& journal, const Platform::TDirectory& dir) {
  if (journal.Pairs.size() >= UINT32_MAX / 4) throw std::length_error("too many rows to undo");
  const TRecordFiles files(journal);
  TUndoState state(dir, journal, files);
  state.ReadAhead();
  const std::vector<uint32_t> earlier = files.EarlierRows();
  TUndoDecision decision;
  for (std::size_t k = journal.Pairs.size(); k-- > 0;) {
    const TJournalPair& pair = journal.Pairs[k];
    bool back = false;
    const bool neverMoved = NeverMoved(journal, earlier, k, state);
    const std::optional<TUndoReason> reason = Judge(pair, k, neverMoved, state, back);
    if (reason) decision.Left.push_back({pair.OldName, pair.NewName, *reason});
    if (!back) continue;
    decision.Back.push_back(static_cast<uint32_t>(k));
    decision.Sums.push_back(SumOf(pair));
    state.Move(pair.NewName, pair.OldName);
  }
  return decision;
}

bool ReadMovesBack(Platform::TFileSystem& fs, const std::string& file,
                   const TUndoDecision& decision, FileList::TFileItems& moves, std::string& error) {
  moves.assign(decision.Back.size(), {});
  // Back runs from the last row to the first; the record is read first to last.
  std::size_t next = decision.Back.size();
  bool same = true;
  TJournalReader reader;
  reader.HandRowsTo([&](std::size_t row, TJournalPair& pair) {
    if (next == 0 || decision.Back[next - 1] != row) return;
    --next;
    same = same && decision.Sums[next] == SumOf(pair);
    moves[next] = MoveBack(pair);
  });
  const int err =
      fs.ReadPieces(file, [&reader](std::string_view piece) { return reader.Feed(piece); });
  if (err != 0 || !reader.Finish()) {
    error = err != 0 ? Platform::ErrorText(err) : reader.Error();
  } else if (next != 0 || !same) {
    error = "it changed while undo read it";
  }
  if (!error.empty()) moves.clear();
  return error.empty();
}

}  // namespace Rename
