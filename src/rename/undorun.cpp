#include "rename/undorun.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/journal.h"

namespace Rename {

namespace {

// The journal of the last run in dir; empty when there is none. Only the
// journals' first lines are read: this runs after every scan.
std::string LastJournalOf(const Platform::TDirectory& dir, const std::string& folder) {
  if (folder.empty() || dir.Handle() < 0) return {};
  return FindLastJournal(folder, dir.RealPath());
}

// Undoes the run of journal, read from file; the file is removed once nothing
// is left to undo.
void UndoJournal(const Platform::TDirectory& dir, const std::string& file, const TJournal& journal,
                 TRenameUi& ui, bool showErrors, const TRenameTexts& texts, TUndoOutcome& outcome) {
  TUndoPlan plan = PlanUndo(journal, ViewOf(dir));
  outcome.Moves = std::move(plan.Moves);
  outcome.Problems = std::move(plan.Problems);
  outcome.Run = MoveRows(dir, outcome.Moves, ui, showErrors, texts);
  const bool complete = !outcome.Run.Aborted && outcome.Run.Failed == 0 && outcome.Problems.empty();
  if (complete) Platform::RemoveFile(file);
}

}  // namespace

bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder) {
  return !LastJournalOf(dir, folder).empty();
}

TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts) {
  TUndoOutcome outcome;
  const std::string file = LastJournalOf(dir, folder);
  TJournal journal;
  if (file.empty() || !ReadJournal(file, journal)) return outcome;
  outcome.Found = true;
  UndoJournal(dir, file, journal, ui, showErrors, texts, outcome);
  return outcome;
}

TUndoOutcome RunUndo(Platform::TFileSystem& fs, const TRenameRequest& request, TRenameUi& ui) {
  TUndoOutcome outcome;
  outcome.Run.ShowErrors = request.ShowErrors;
  const Platform::TDirectory dir(fs, request.Dir);
  const std::string file = LastJournalOf(dir, request.JournalFolder);
  outcome.Found = !file.empty();
  if (!outcome.Found) return outcome;
  if (request.WarnBeforeRename && !ui.ConfirmRename(request.Texts.RenameMsg)) return outcome;
  TBusyScope busy(ui);
  TJournal journal;
  if (ReadJournal(file, journal))
    UndoJournal(dir, file, journal, ui, request.ShowErrors, request.Texts, outcome);
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
  for (const FileList::TFileItem& pair : outcome.Problems) {
    if (pair.Conflict != FileList::TConflict::Taken) continue;
    FileList::TFileItem back;
    back.OldName = pair.NewName;  // where the file still is
    back.NewName = pair.OldName;
    back.Conflict = FileList::TConflict::Taken;
    back.Status = FileList::TMoveStatus::Failed;
    rows.push_back(std::move(back));
  }
  return rows;
}

std::string UndoProblemsText(const std::string& dirText, const FileList::TFileItems& problems,
                             const TUndoTexts& texts, std::size_t listed) {
  if (problems.empty()) return {};
  constexpr const char* arrow = " \xe2\x86\x92 ";  // U+2192 in UTF-8
  std::string text = texts.NotUndone;
  const std::size_t shown = std::min(listed, problems.size());
  for (std::size_t i = 0; i < shown; ++i) {
    const FileList::TFileItem& pair = problems[i];
    text += "\n" + FileList::PathIn(dirText, pair.NewName) + arrow +
            FileList::PathIn(dirText, pair.OldName) + ": " +
            (pair.Conflict == FileList::TConflict::Taken ? texts.Taken : texts.Gone);
  }
  if (shown < problems.size())
    text += "\n" + texts.More + " " + std::to_string(problems.size() - shown);
  return text;
}

}  // namespace Rename
