#include "rename/undorun.h"

#include <string_view>
#include <unordered_map>

#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/journal.h"

namespace Rename {

bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder) {
  // Only the journals' first lines are read: this runs after every scan.
  return !folder.empty() && dir.Handle() >= 0 && !FindLastJournal(folder, dir.RealPath()).empty();
}

TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts) {
  TUndoOutcome outcome;
  if (folder.empty() || dir.Handle() < 0) return outcome;
  const std::string file = FindLastJournal(folder, dir.RealPath());
  TJournal journal;
  if (file.empty() || !ReadJournal(file, journal)) return outcome;
  outcome.Found = true;
  TUndoPlan plan = PlanUndo(journal, ViewOf(dir));
  outcome.Moves = std::move(plan.Moves);
  outcome.Problems = std::move(plan.Problems);
  outcome.Run = MoveRows(dir, outcome.Moves, ui, showErrors, texts);
  const bool complete = !outcome.Run.Aborted && outcome.Run.Failed == 0 && outcome.Problems.empty();
  if (complete) Platform::RemoveFile(file);
  return outcome;
}

void KeepFailures(FileList::TFileItems& scanned, const FileList::TFileItems& run) {
  std::unordered_map<std::string_view, const FileList::TFileItem*> failed;
  for (const FileList::TFileItem& row : run)
    if (row.Status == FileList::TMoveStatus::Failed) failed.emplace(row.OldName, &row);
  if (failed.empty()) return;
  for (FileList::TFileItem& row : scanned) {
    const auto found = failed.find(row.OldName);
    if (found == failed.end()) continue;
    row.NewName = found->second->NewName;  // the name it did not get
    row.Status = FileList::TMoveStatus::Failed;
    row.Error = found->second->Error;
  }
}

}  // namespace Rename
