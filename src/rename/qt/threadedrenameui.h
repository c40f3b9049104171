#pragma once

#include <atomic>
#include <string>

#include "rename/renamerun.h"

class QObject;

// The run's dialogs and progress for a run on a worker thread: each call is
// carried over to the thread of context (the window's) and waits for its
// answer there, so the boxes stay the window's own. StopRequested reads the
// flag the window sets when the user aborts.
class TThreadedRenameUi : public Rename::TRenameUi {
 public:
  TThreadedRenameUi(Rename::TRenameUi& inner, QObject* context, const std::atomic<bool>& stop);

  bool ConfirmRename(const std::string& text) override;
  Rename::TFailAnswer RenameFailed(const std::string& text) override;
  void ShowProgress(int position, const std::string& status) override;
  void SetBusy(bool busy) override;
  bool ConfirmWithoutUndo(const std::string& text) override;
  bool StopRequested() override;

 private:
  template <typename F>
  void OnUiThread(F call);

  Rename::TRenameUi& FInner;
  QObject* FContext;
  const std::atomic<bool>& FStop;
};
