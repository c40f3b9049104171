#include "rename/undorun.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "filelist/visiblename.h"
#include "platform/filesystem.h"
#include "rename/journal.h"

namespace Rename {

namespace {

// The newest record of dir; empty when there is none. Only the records'
// first lines are read: this runs after every scan.
TFoundJournal LastJournalOf(const Platform::TDirectory& dir, const std::string& folder) {
  if (folder.empty() || dir.Handle() < 0) return {};
  return FindLastJournal(dir.Fs(), folder, dir.RealPath());
}

// Decides the undo from the record read whole, lets the record go, and
// reads again only the moves back; a damaged record moves nothing.
bool DecideAndReadMoves(const Platform::TDirectory& dir, const TFoundJournal& found,
                        TUndoOutcome& outcome) {
  std::string error = found.Error;
  TUndoDecision decision;
  {
    TJournal journal;
    if (error.empty() && ReadJournal(dir.Fs(), found.Path, journal, error) &&
        journal.Dir != dir.RealPath())
      error = "it belongs to another folder";
    if (error.empty()) decision = DecideUndo(journal, dir);
  }
  if (error.empty()) ReadMovesBack(dir.Fs(), found.Path, decision, outcome.Moves, error);
  if (!error.empty()) {
    outcome.Damage = found.Path + ": " + error;
    return false;
  }
  outcome.Left = std::move(decision.Left);
  return true;
}

// Undoes the run of the record found; the record is removed once nothing is
// left to undo.
void UndoFound(const Platform::TDirectory& dir, const TFoundJournal& found, TRenameUi& ui,
               bool showErrors, const TRenameTexts& texts, TUndoOutcome& outcome) {
  if (!DecideAndReadMoves(dir, found, outcome)) {
    outcome.Run.ShowErrors = showErrors;
    return;
  }
  outcome.Run = MoveRows(dir, outcome.Moves, ui, showErrors, texts);
  const bool complete = !outcome.Run.Aborted && outcome.Run.Failed == 0 && outcome.Left.empty();
  if (complete) dir.Fs().RemoveFile(found.Path);
}

}  // namespace

bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder) {
  return !LastJournalOf(dir, folder).Path.empty();
}

TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts) {
  TUndoOutcome outcome;
  const TFoundJournal found = LastJournalOf(dir, folder);
  outcome.Found = !found.Path.empty();
  if (outcome.Found) UndoFound(dir, found, ui, showErrors, texts, outcome);
  return outcome;
}

TUndoOutcome RunUndo(Platform::TFileSystem& fs, const TRenameRequest& request, TRenameUi& ui) {
  TUndoOutcome outcome;
  outcome.Run.ShowErrors = request.ShowErrors;
  const Platform::TDirectory dir(fs, request.Dir);
  const TFoundJournal found = LastJournalOf(dir, request.JournalFolder);
  outcome.Found = !found.Path.empty();
  if (!outcome.Found) return outcome;
  if (request.WarnBeforeRename && !ui.ConfirmRename(request.Texts.RenameMsg)) return outcome;
  const Platform::TDirLock lock(fs, dir, request.WaitForFolder);
  if (lock.Busy()) {
    outcome.FolderBusy = true;
    return outcome;
  }
  TBusyScope busy(ui);
  UndoFound(dir, found, ui, request.ShowErrors, request.Texts, outcome);
  outcome.Run.Ran = true;
  busy.End();
  ui.ShowProgress(100, OkStatus);
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
    row.Conflict = found->second->Conflict;
  }
}

FileList::TFileItems UndoFailures(const TUndoOutcome& outcome) {
  FileList::TFileItems rows;
  for (const FileList::TFileItem& move : outcome.Moves)
    if (move.Status == FileList::TMoveStatus::Failed) rows.push_back(move);
  for (const TUndoLeft& left : outcome.Left) {
    if (left.Reason != TUndoReason::OldNameTaken) continue;
    FileList::TFileItem back;
    back.OldName = left.NewName;  // where the file still is
    back.NewName = left.OldName;
    back.Conflict = FileList::TConflict::Taken;
    back.Status = FileList::TMoveStatus::Failed;
    rows.push_back(std::move(back));
  }
  return rows;
}

const std::string& ReasonText(TUndoReason reason, const TUndoTexts& texts) {
  switch (reason) {
    case TUndoReason::OldNameTaken:
      return texts.Taken;
    case TUndoReason::OtherFile:
      return texts.Other;
    case TUndoReason::NotInFolder:
      return texts.Folder;
    case TUndoReason::NotThere:
      break;
  }
  return texts.Gone;
}

std::string UndoProblemsText(const std::string& dirText, const std::vector<TUndoLeft>& left,
                             const TUndoTexts& texts, std::size_t listed) {
  if (left.empty()) return {};
  constexpr const char* arrow = " \xe2\x86\x92 ";  // U+2192 in UTF-8
  std::string text = texts.NotUndone;
  const std::size_t shown = std::min(listed, left.size());
  for (std::size_t i = 0; i < shown; ++i) {
    const TUndoLeft& row = left[i];
    text += "\n";
    if (!row.NewName.empty())
      text += FileList::VisibleName(FileList::PathIn(dirText, row.NewName)) + arrow;
    text += FileList::VisibleName(FileList::PathIn(dirText, row.OldName)) + ": " +
            ReasonText(row.Reason, texts);
  }
  if (shown < left.size()) text += "\n" + texts.More + " " + std::to_string(left.size() - shown);
  return text;
}

}  // namespace Rename
