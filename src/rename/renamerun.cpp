#include "rename/renamerun.h"

#include <functional>

#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/failtext.h"
#include "rename/journal.h"
#include "rename/untangle.h"

namespace Rename {

namespace {

using FileList::TFileItem;
using FileList::TMoveStatus;

// Moves one row, asking the user after each failure while errors are shown.
// Returns false when the user chose Abort. A row without a new name of its own
// (Missing) fails untried.
bool MoveRow(const Platform::TDirectory& dir, TFileItem& row, TRenameUi& ui, bool& showErrors,
             const TRenameTexts& texts) {
  if (row.Conflict == FileList::TConflict::Missing) {
    row.Status = TMoveStatus::Failed;
    row.Error = 0;
    return true;
  }
  for (;;) {
    row.Error = dir.Rename(row.OldName, row.NewName);
    row.Status = row.Error == 0 ? TMoveStatus::Renamed : TMoveStatus::Failed;
    if (row.Error == 0 || !showErrors) return true;
    const std::string text =
        FormatFailText(texts.CantRen, FileList::PathIn(dir.Path(), row.OldName),
                       FileList::PathIn(dir.Path(), row.NewName));
    switch (ui.RenameFailed(text)) {
      case TFailAnswer::Abort:
        return false;
      case TFailAnswer::Ignore:
        showErrors = false;
        return true;
      case TFailAnswer::Retry:
        break;  // the same move once more
    }
  }
}

// Writes the run's record; when that fails, the user decides whether to
// rename without undo (the window asks, the default is No).
bool RecordOrConfirm(const std::function<TJournalWrite(const std::string&)>& write,
                     const TRenameRequest& request, TRenameUi& ui) {
  if (request.JournalFolder.empty()) return true;  // no record asked for
  const TJournalWrite written = write(request.JournalFolder);
  if (written.Error == 0) return true;
  const std::string why = written.Path + ": " + Platform::ErrorText(written.Error);
  return ui.ConfirmWithoutUndo(FillIn(request.Texts.NoUndo, why));
}

// The steps of an untangled run; the files a failed cycle left under a
// temporary name are named on the outcome.
TRunOutcome MoveUntangled(const Platform::TDirectory& dir, const std::vector<TStep>& steps,
                          FileList::TFileItems& items) {
  const uint64_t uncheckedBefore = Platform::MovesWithoutAtomicCheck();
  TStepsOutcome run = RunSteps(dir, steps, items);
  TRunOutcome outcome = run;
  outcome.Unchecked = Platform::MovesWithoutAtomicCheck() - uncheckedBefore;
  for (const TStranded& file : run.Stranded)
    outcome.StrandedNames.emplace_back(file.Name, file.Home);
  return outcome;
}

}  // namespace

const char OkStatus[] = " Ok! ";

TRenameUi::~TRenameUi() = default;

bool TRenameUi::ConfirmWithoutUndo(const std::string&) { return false; }

bool TRenameUi::StopRequested() { return false; }

std::string FillIn(const std::string& text, const std::string& value) {
  const std::size_t at = text.find("%s");
  if (at == std::string::npos) return text + ": " + value;
  return text.substr(0, at) + value + text.substr(at + 2);
}

TBusyScope::TBusyScope(TRenameUi& ui) : FUi(ui) { FUi.SetBusy(true); }

TBusyScope::~TBusyScope() {
  if (FBusy) FUi.SetBusy(false);
}

void TBusyScope::End() {
  FBusy = false;
  FUi.SetBusy(false);
}

TRunOutcome MoveRows(const Platform::TDirectory& dir, FileList::TFileItems& rows, TRenameUi& ui,
                     bool showErrors, const TRenameTexts& texts) {
  TRunOutcome outcome;
  outcome.Ran = true;
  const uint64_t uncheckedBefore = Platform::MovesWithoutAtomicCheck();
  for (TFileItem& row : rows) {
    row.Status = TMoveStatus::Pending;
    row.Error = 0;
  }
  const std::size_t count = rows.size();
  int shownPercent = -1;
  for (std::size_t i = 0; i < count; ++i) {
    if (ui.StopRequested()) {
      outcome.Aborted = true;
      break;
    }
    const bool goOn = MoveRow(dir, rows[i], ui, showErrors, texts);
    ++(rows[i].Status == TMoveStatus::Renamed ? outcome.Renamed : outcome.Failed);
    if (!goOn) {
      outcome.Aborted = true;
      break;
    }
    const int percent = static_cast<int>(i * 100 / count);
    if (percent != shownPercent) {
      shownPercent = percent;
      ui.ShowProgress(percent, texts.Ren + " " + std::to_string(percent) + "%");
    }
  }
  outcome.ShowErrors = showErrors;
  outcome.Unchecked = Platform::MovesWithoutAtomicCheck() - uncheckedBefore;
  return outcome;
}

TRunOutcome RunRename(Platform::TFileSystem& fs, FileList::TFileItems& items,
                      const TRenameRequest& request, TRenameUi& ui) {
  TRunOutcome outcome;
  outcome.ShowErrors = request.ShowErrors;
  if (items.empty()) return outcome;
  if (request.WarnBeforeRename && !ui.ConfirmRename(request.Texts.RenameMsg)) return outcome;
  const Platform::TDirectory dir(fs, request.Dir);
  const Platform::TDirLock lock(fs, dir, request.WaitForFolder);
  if (lock.Busy()) {
    outcome.FolderBusy = true;
    return outcome;
  }
  PreviewReading(items, request.Preview, request.Dir, request.FactsReader);
  const TDirectoryView view = ViewOf(dir);
  MarkConflicts(items, view);
  std::vector<TStep> steps;
  if (request.Untangle)
    steps = UntangleSteps(items, [&view](const std::string& name) { return !view.Has(name); });
  const auto write = [&](const std::string& folder) {
    return request.Untangle ? WriteJournal(fs, folder, PlanOfSteps(dir, items, steps))
                            : WriteJournal(fs, folder, PlanOf(dir, items));
  };
  if (!RecordOrConfirm(write, request, ui)) return outcome;
  TBusyScope busy(ui);
  outcome = request.Untangle ? MoveUntangled(dir, steps, items)
                             : MoveRows(dir, items, ui, request.ShowErrors, request.Texts);
  busy.End();
  ui.ShowProgress(100, OkStatus);
  return outcome;
}

}  // namespace Rename
