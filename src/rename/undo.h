#pragma once

#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/journal.h"

// The undo of a recorded run: which files go back and which are left alone,
// decided from the record's file identities and the disk as it is now.
namespace Rename {

// Why a recorded move is not undone.
enum class TUndoReason {
  NotThere,      // the file is under neither name
  OtherFile,     // another file is now under the new name
  OldNameTaken,  // the file is there, but another holds its old name
  NotInFolder,   // the move took the file into a subfolder
};

struct TUndoLeft {
  std::string OldName;  // as recorded
  std::string NewName;  // as recorded; empty for NotInFolder
  TUndoReason Reason = TUndoReason::NotThere;
};

struct TUndoPlan {
  FileList::TFileItems Moves;   // OldName: where the file is now; NewName: where it goes back
  std::vector<TUndoLeft> Left;  // the rows left alone, last move first
};

// Goes over the record last move first: a row goes back when the file under
// its new name is the recorded file and its old name is free at that turn.
// A row whose move never happened (its file still under the old name, or a
// move the preview saw fail whose file is elsewhere) is passed over; every
// other row is left alone with its reason. The moves are planned over the
// disk as dir reads it, as if each move back had been made.
TUndoPlan PlanUndo(const TJournal& journal, const Platform::TDirectory& dir);

}  // namespace Rename
