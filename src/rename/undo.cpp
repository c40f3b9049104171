#include "rename/undo.h"

#include <cerrno>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "filelist/parallel.h"

namespace Rename {

namespace {

using Platform::SameFile;
using Platform::TFileId;

// The files under each name as the undo goes on, over the disk at its start.
class TUndoState {
 public:
  explicit TUndoState(const Platform::TDirectory& dir) : FDir(dir) {}
  // Reads what is under every name of a large record at once, spread over the
  // cores (each read is a lookup of its own); a small one is read as asked.
  void ReadAhead(const TJournal& journal) {
    constexpr std::size_t RowsPerThread = 1024;
    if (journal.Pairs.size() < RowsPerThread) return;
    std::vector<const std::string*> names;
    names.reserve(2 * journal.Pairs.size());
    for (const TJournalPair& pair : journal.Pairs) {
      names.push_back(&pair.OldName);
      if (!pair.OutOfFolder) names.push_back(&pair.NewName);
    }
    std::vector<std::optional<TFileId>> ids(names.size());
    FileList::ForEachIndex(
        names.size(), [&](std::size_t i) { ids[i] = Read(*names[i]); }, 0, RowsPerThread);
    FNames.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) FNames.emplace(*names[i], ids[i]);
  }
  // The identity under name; nullopt when the name is free.
  std::optional<TFileId> At(const std::string& name) {
    const auto it = FNames.find(name);
    if (it != FNames.end()) return it->second;
    std::optional<TFileId> there = Read(name);
    FNames.emplace(name, there);
    return there;
  }
  bool Holds(const std::string& name, const TFileId& id) {
    const std::optional<TFileId> there = At(name);
    return there && SameFile(*there, id);
  }
  void Move(const std::string& from, const std::string& to) {
    FNames[to] = FNames[from];
    FNames[from] = std::nullopt;
  }

 private:
  // An entry that cannot be read counts as taken by an unknown file.
  std::optional<TFileId> Read(const std::string& name) const {
    TFileId id;
    const int err = FDir.FileId(name, id);
    return err == ENOENT ? std::nullopt : std::optional(id);
  }

  const Platform::TDirectory& FDir;
  // Keys are views of the record's names, which outlive the state.
  std::unordered_map<std::string_view, std::optional<TFileId>> FNames;
};

FileList::TFileItem MoveBack(const TJournalPair& pair) {
  FileList::TFileItem move;
  move.OldName = pair.NewName;
  move.NewName = pair.OldName;
  return move;
}

constexpr std::size_t NoRow = static_cast<std::size_t>(-1);

// For each row, the row before it that moves the same file (an untangled
// file's earlier step, a file listed twice); NoRow when there is none.
std::vector<std::size_t> EarlierRows(const TJournal& journal) {
  struct TKeyHash {
    std::size_t operator()(const std::pair<uint64_t, uint64_t>& key) const {
      return std::hash<uint64_t>()(key.first * 0x9e3779b97f4a7c15ULL ^ key.second);
    }
  };
  std::unordered_map<std::pair<uint64_t, uint64_t>, std::size_t, TKeyHash> last;
  std::vector<std::size_t> earlier(journal.Pairs.size(), NoRow);
  for (std::size_t k = 0; k < journal.Pairs.size(); ++k) {
    const TFileId& id = journal.Pairs[k].Id;
    if (id.Inode == 0) continue;
    auto [it, added] = last.try_emplace({id.Device, id.Inode}, k);
    if (!added) earlier[k] = std::exchange(it->second, k);
  }
  return earlier;
}

// Whether the file of row k is still under the old name of k or of an
// earlier row of the same file: then row k never moved it.
bool NeverMoved(const TJournal& journal, const std::vector<std::size_t>& earlier, std::size_t k,
                TUndoState& state) {
  const TFileId& id = journal.Pairs[k].Id;
  for (std::size_t j = k; j != NoRow; j = earlier[j]) {
    if (SameFile(journal.Pairs[j].Id, id) && state.Holds(journal.Pairs[j].OldName, id)) return true;
  }
  return false;
}

// The reason a row stays; nullopt for a row to move back or pass over.
std::optional<TUndoReason> Judge(const TJournalPair& pair, bool neverMoved, TUndoState& state,
                                 bool& back) {
  back = false;
  if (pair.OutOfFolder) {
    if (neverMoved) return std::nullopt;
    return TUndoReason::NotInFolder;
  }
  if (state.Holds(pair.NewName, pair.Id)) {
    if (state.At(pair.OldName)) return TUndoReason::OldNameTaken;
    back = true;
    return std::nullopt;
  }
  if (neverMoved || pair.ExpectedToFail) return std::nullopt;
  return state.At(pair.NewName) ? TUndoReason::OtherFile : TUndoReason::NotThere;
}

}  // namespace

TUndoPlan PlanUndo(const TJournal& journal, const Platform::TDirectory& dir) {
  TUndoPlan plan;
  TUndoState state(dir);
  state.ReadAhead(journal);
  const std::vector<std::size_t> earlier = EarlierRows(journal);
  for (std::size_t k = journal.Pairs.size(); k-- > 0;) {
    const TJournalPair& pair = journal.Pairs[k];
    bool back = false;
    const bool neverMoved = NeverMoved(journal, earlier, k, state);
    const std::optional<TUndoReason> reason = Judge(pair, neverMoved, state, back);
    if (reason) plan.Left.push_back({pair.OldName, pair.NewName, *reason});
    if (!back) continue;
    plan.Moves.push_back(MoveBack(pair));
    state.Move(pair.NewName, pair.OldName);
  }
  return plan;
}

}  // namespace Rename
