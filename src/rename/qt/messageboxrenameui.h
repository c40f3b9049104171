#pragma once

#include <cstddef>

#include <QElapsedTimer>

#include "rename/renamerun.h"

class QLabel;
class QProgressBar;
class QWidget;

// The rename run's dialogs as message boxes owned by the main window, and its
// progress in the status area (repainted at once, since the run does not
// return to the event loop between files).
class TMessageBoxRenameUi : public Rename::TRenameUi {
 public:
  TMessageBoxRenameUi(QWidget* owner, QLabel* actionLbl, QProgressBar* progressBar);

  bool ConfirmRename(const std::string& text) override;
  Rename::TFailAnswer RenameFailed(const std::string& text) override;
  void ShowProgress(int position, const std::string& status) override;
  void SetBusy(bool busy) override;
  bool ConfirmWithoutUndo(const std::string& text) override;
  // The rows of the run: the progress bar then also shows how many are done
  // and how many a second.
  void SetTotal(std::size_t rows);

 private:
  QWidget* FOwner;
  QLabel* FActionLbl;
  QProgressBar* FProgressBar;
  std::size_t FTotal = 0;
  QElapsedTimer FClock;
};
