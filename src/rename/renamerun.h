#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/preview.h"

namespace Platform {
class TDirectory;
class TFileSystem;
}  // namespace Platform

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
  // Asked when the run's record cannot be written (Yes/No, No the default):
  // true to rename all the same, without undo.
  virtual bool ConfirmWithoutUndo(const std::string& text);
  // Asked before each move: true ends the run there (the user's Abort while
  // the run goes on), as Abort in the failure box does.
  virtual bool StopRequested();
};

// The status text that ends a run (and an undo) at 100.
extern const char OkStatus[];

// Keeps the window busy while it lives: SetBusy(true) at once, SetBusy(false)
// at End() or, should the run end in an exception, when the scope is left.
class TBusyScope {
 public:
  explicit TBusyScope(TRenameUi& ui);
  ~TBusyScope();
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;
  void End();

 private:
  TRenameUi& FUi;
  bool FBusy = true;
};

// The run-time texts the run reads at the moment of use.
struct TRenameTexts {
  std::string RenameMsg;  // RenameMsgLbl: the confirmation text
  std::string CantRen;    // CantRenLbl: failure format, two "%s"
  std::string Ren;        // RenLbl: start of the progress text
  std::string NoUndo;     // NoUndoLbl: one "%s" for why the record failed
};

// text with its first "%s" replaced by value (as plain text), or with ": "
// and value added when it holds none.
std::string FillIn(const std::string& text, const std::string& value);

struct TRenameRequest {
  std::string Dir;  // DirEdit text; messages name PathIn(Dir, name)
  bool WarnBeforeRename = true;
  bool ShowErrors = true;
  TRenameTexts Texts;
  TPreviewOptions Preview;
  FileList::TFactsReader FactsReader;  // reads what a template's fields need
  std::string JournalFolder;           // where the run's plan is kept for undo; empty: nowhere
  bool WaitForFolder = false;          // wait while another run holds the folder
  bool Untangle = false;               // an order of moves that frees every target first
};

// What a run came to; each row's own outcome is on the row (Status, Error).
struct TRunOutcome {
  bool Ran = false;  // false: empty list or confirmation cancelled
  bool Aborted = false;
  bool ShowErrors = true;   // cleared when the user chose Ignore
  bool FolderBusy = false;  // another run held the folder: nothing was done
  std::size_t Renamed = 0;
  std::size_t Failed = 0;
  // Moves made by a check and a plain rename, where the file system refuses
  // both the atomic no-replace rename and links: a file created under a new
  // name in between would have been replaced.
  uint64_t Unchecked = 0;
  // Untangled runs: files a failed cycle could not move back, each left
  // under a temporary name (first) instead of its old name (second).
  std::vector<std::pair<std::string, std::string>> StrandedNames;
};

// Moves the rows as they stand, in list order, one no-replace move each,
// inside dir. A failure is reported while showErrors holds (Abort stops,
// Retry moves again, Ignore stops the reports); progress after each row.
// Sets every row's Status and Error; rows after an Abort stay Pending. A row
// marked Missing is not moved: it fails with Error 0.
TRunOutcome MoveRows(const Platform::TDirectory& dir, FileList::TFileItems& rows, TRenameUi& ui,
                     bool showErrors, const TRenameTexts& texts);

// The Rename command: asks for confirmation when WarnBeforeRename, takes the
// folder's lock (FolderBusy when another run holds it, unless WaitForFolder),
// previews again into items, marks the conflicts, records the plan (when
// that fails, ConfirmWithoutUndo decides), then moves the rows through fs
// (the directory opened once) with the window busy, and ends with " Ok! " at
// 100. With Untangle the moves go in the order that frees each target first,
// cycles broken through temporary names, every step in the record, and no
// failure is asked about. The caller rescans when Ran is true.
TRunOutcome RunRename(Platform::TFileSystem& fs, FileList::TFileItems& items,
                      const TRenameRequest& request, TRenameUi& ui);

}  // namespace Rename
