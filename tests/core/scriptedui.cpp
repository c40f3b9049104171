#include "core/scriptedui.h"

namespace TestUtil {

bool TScriptedUi::ConfirmRename(const std::string& text) {
  Confirms.push_back(text);
  if (Items)
    for (const FileList::TFileItem& item : *Items) NewNamesAtConfirm.push_back(item.NewName);
  return ConfirmAnswer;
}

Rename::TFailAnswer TScriptedUi::RenameFailed(const std::string& text) {
  Failures.push_back(text);
  if (BeforeAnswer) BeforeAnswer();
  if (Answer) return Answer(text);
  const std::size_t n = Failures.size() - 1;
  return n < Answers.size() ? Answers[n] : Fallback;
}

void TScriptedUi::ShowProgress(int position, const std::string& status) {
  Progress.emplace_back(position, status);
  if (OnProgress) OnProgress(position);
}

void TScriptedUi::SetBusy(bool busy) { Busy.push_back(busy); }

bool TScriptedUi::StopRequested() { return MovesBeforeStop >= 0 && MovesBeforeStop-- == 0; }

bool TScriptedUi::ConfirmWithoutUndo(const std::string& text) {
  NoUndoAsked.push_back(text);
  return NoUndoAnswer;
}

std::vector<FileList::TMoveStatus> Statuses(const FileList::TFileItems& rows) {
  std::vector<FileList::TMoveStatus> statuses;
  for (const FileList::TFileItem& row : rows) statuses.push_back(row.Status);
  return statuses;
}

}  // namespace TestUtil
