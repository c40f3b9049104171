#pragma once

#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/preview.h"

namespace Rename {

enum class TFailAnswer { Abort, Retry, Ignore };

// How the run talks to the user. The window answers with message boxes, tests
// with fakes.
class TRenameUi {
 public:
  virtual ~TRenameUi();
  // The confirmation box (OK/Cancel, warning icon): true for OK.
  virtual bool ConfirmRename(const std::string& text) = 0;
  // The failure box (Abort, Retry, Ignore; error icon; Abort the default).
  virtual TFailAnswer RenameFailed(const std::string& text) = 0;
  // Position of the progress bar and the status text; called when the percent
  // value changes and once at the end (100, " Ok! ").
  virtual void ShowProgress(int position, const std::string& status) = 0;
  // The window is disabled (true) for the run and enabled again after it.
  virtual void SetBusy(bool busy) = 0;
};

// The run-time texts the run reads at the moment of use.
struct TRenameTexts {
  std::string RenameMsg;  // RenameMsgLbl: the confirmation text
  std::string CantRen;    // CantRenLbl: failure format, two "%s"
  std::string Ren;        // RenLbl: start of the progress text
};

struct TRenameRequest {
  std::string Dir;  // DirEdit text; paths are Dir + "/" + name
  bool WarnBeforeRename = true;
  bool ShowErrors = true;  // in and out: Ignore clears it
  TRenameTexts Texts;
  TPreviewOptions Preview;
};

enum class TRowStatus { NotTried, Renamed, Failed };

// What became of one row; Error is the errno value of the failed move, 0 once
// a move (a retry included) has succeeded.
struct TRowResult {
  TRowStatus Status = TRowStatus::NotTried;
  int Error = 0;
};

struct TRenameResult {
  bool Ran = false;  // false: empty list or confirmation cancelled
  bool Aborted = false;
  std::vector<TRowResult> Rows;  // one per row when Ran
  std::size_t Renamed() const;
  std::size_t Failed() const;
};

// The Rename command: asks for confirmation when WarnBeforeRename, previews
// again into items, then moves every row through the no-replace rename of the
// current Platform::FileSystem(), reporting failures when ShowErrors. The
// caller rescans afterwards when Ran is true.
TRenameResult RunRename(FileList::TFileItems& items, TRenameRequest& request, TRenameUi& ui);

}  // namespace Rename
