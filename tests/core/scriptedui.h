#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/renamerun.h"

namespace TestUtil {

// The one fake of the rename run's dialogs and progress: answers from a script
// (or a function), and records everything the run shows.
class TScriptedUi : public Rename::TRenameUi {
 public:
  bool ConfirmAnswer = true;
  bool NoUndoAnswer = false;                 // of ConfirmWithoutUndo
  std::vector<Rename::TFailAnswer> Answers;  // one per failure box, then Fallback
  Rename::TFailAnswer Fallback = Rename::TFailAnswer::Ignore;
  std::function<Rename::TFailAnswer(const std::string& text)> Answer;  // decides when set
  std::function<void()> BeforeAnswer;
  std::function<void(int position)> OnProgress;
  int MovesBeforeStop = -1;  // StopRequested holds after this many asks; -1: never
  const FileList::TFileItems* Items = nullptr;  // to see the new names at confirmation

  std::vector<std::string> Confirms;
  std::vector<std::string> NoUndoAsked;
  std::vector<std::string> NewNamesAtConfirm;
  std::vector<std::string> Failures;
  std::vector<std::pair<int, std::string>> Progress;
  std::vector<bool> Busy;

  bool ConfirmRename(const std::string& text) override;
  Rename::TFailAnswer RenameFailed(const std::string& text) override;
  void ShowProgress(int position, const std::string& status) override;
  void SetBusy(bool busy) override;
  bool ConfirmWithoutUndo(const std::string& text) override;
  bool StopRequested() override;
};

// The Status of every row.
std::vector<FileList::TMoveStatus> Statuses(const FileList::TFileItems& rows);

}  // namespace TestUtil
