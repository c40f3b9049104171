#include "rename/renamerun.h"

#include <algorithm>

#include "platform/filesystem.h"
#include "rename/failtext.h"

namespace Rename {

namespace {

const char OkStatus[] = " Ok! ";

// Moves one row, asking the user after each failure while errors are shown.
// Returns false when the user chose Abort.
bool RenameRow(const FileList::TFileItem& item, TRenameRequest& request, TRenameUi& ui,
               TRowResult& row) {
  const std::string oldPath = request.Dir + "/" + item.OldName;
  const std::string newPath = request.Dir + "/" + item.NewName;
  for (;;) {
    const int error = Platform::FileSystem().RenameNoReplace(oldPath, newPath);
    row.Status = error == 0 ? TRowStatus::Renamed : TRowStatus::Failed;
    row.Error = error;
    if (error == 0) return true;
    if (!request.ShowErrors) return true;
    switch (ui.RenameFailed(FormatFailText(request.Texts.CantRen, oldPath, newPath))) {
      case TFailAnswer::Abort:
        return false;
      case TFailAnswer::Ignore:
        request.ShowErrors = false;
        return true;
      case TFailAnswer::Retry:
        break;  // the same move once more
    }
  }
}

}  // namespace

TRenameUi::~TRenameUi() = default;

std::size_t TRenameResult::Renamed() const {
  return std::count_if(Rows.begin(), Rows.end(),
                       [](const TRowResult& r) { return r.Status == TRowStatus::Renamed; });
}

std::size_t TRenameResult::Failed() const {
  return std::count_if(Rows.begin(), Rows.end(),
                       [](const TRowResult& r) { return r.Status == TRowStatus::Failed; });
}

TRenameResult RunRename(FileList::TFileItems& items, TRenameRequest& request, TRenameUi& ui) {
  TRenameResult result;
  if (items.empty()) return result;
  if (request.WarnBeforeRename && !ui.ConfirmRename(request.Texts.RenameMsg)) return result;
  Preview(items, request.Preview);
  result.Ran = true;
  result.Rows.resize(items.size());
  ui.SetBusy(true);
  const std::size_t count = items.size();
  int shownPercent = -1;
  for (std::size_t i = 0; i < count; ++i) {
    if (!RenameRow(items[i], request, ui, result.Rows[i])) {
      result.Aborted = true;
      break;
    }
    const int percent = static_cast<int>(i * 100 / count);
    if (percent != shownPercent) {
      shownPercent = percent;
      ui.ShowProgress(percent, request.Texts.Ren + " " + std::to_string(percent) + "%");
    }
  }
  ui.SetBusy(false);
  ui.ShowProgress(100, OkStatus);
  return result;
}

}  // namespace Rename
