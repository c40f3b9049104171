#include "rename/renamerun.h"

#include "platform/filesystem.h"
#include "rename/conflicts.h"
#include "rename/failtext.h"
#include "rename/journal.h"

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

}  // namespace

const char OkStatus[] = " Ok! ";

TRenameUi::~TRenameUi() = default;

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
  for (TFileItem& row : rows) {
    row.Status = TMoveStatus::Pending;
    row.Error = 0;
  }
  const std::size_t count = rows.size();
  int shownPercent = -1;
  for (std::size_t i = 0; i < count; ++i) {
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
  return outcome;
}

TRunOutcome RunRename(Platform::TFileSystem& fs, FileList::TFileItems& items,
                      const TRenameRequest& request, TRenameUi& ui) {
  TRunOutcome outcome;
  outcome.ShowErrors = request.ShowErrors;
  if (items.empty()) return outcome;
  if (request.WarnBeforeRename && !ui.ConfirmRename(request.Texts.RenameMsg)) return outcome;
  PreviewReading(items, request.Preview, request.Dir, request.FactsReader);
  const Platform::TDirectory dir(fs, request.Dir);
  MarkConflicts(items, ViewOf(dir));
  // Without a journal the run goes on all the same; there is then nothing to undo.
  if (!request.JournalFolder.empty())
    WriteJournal(request.JournalFolder, PlanOf(dir.RealPath(), items));
  TBusyScope busy(ui);
  outcome = MoveRows(dir, items, ui, request.ShowErrors, request.Texts);
  busy.End();
  ui.ShowProgress(100, OkStatus);
  return outcome;
}

}  // namespace Rename
