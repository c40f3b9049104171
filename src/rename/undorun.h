#pragma once

#include <string>

#include "filelist/fileitem.h"
#include "rename/renamerun.h"

namespace Platform {
class TDirectory;
}

namespace Rename {

// Whether folder holds a journal of a run in dir (its header names dir).
bool HasRunToUndo(const Platform::TDirectory& dir, const std::string& folder);

struct TUndoOutcome {
  bool Found = false;  // false: no run of dir to undo
  TRunOutcome Run;     // of the moves back
  FileList::TFileItems Moves;
  FileList::TFileItems Problems;  // pairs that cannot be undone (PlanUndo)
};

// Undoes the last run in dir: plans the moves back from its journal in folder,
// moves them as MoveRows does, and removes the journal once nothing is left
// to undo; otherwise it is kept for another try.
TUndoOutcome UndoLastRun(const Platform::TDirectory& dir, const std::string& folder, TRenameUi& ui,
                         bool showErrors, const TRenameTexts& texts);

// After the rescan that follows a run: each row of scanned still under the
// old name of a move of run that failed takes that move's new name, Status
// and Error, so that the failure stays visible. O(n).
void KeepFailures(FileList::TFileItems& scanned, const FileList::TFileItems& run);

}  // namespace Rename
