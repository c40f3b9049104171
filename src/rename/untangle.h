#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/journal.h"
#include "rename/renamerun.h"

namespace Rename {

// One no-replace move of an untangled run; Row is the row it serves, Cycle
// groups the moves that break one cycle through a temporary name (-1: none).
struct TStep {
  std::string From;
  std::string To;
  std::size_t Row = 0;
  int Cycle = -1;
  bool ExpectedToFail = false;  // its target is held by a file that does not move
  // Not tried: the row lists a file that an earlier row moves (preview: gone).
  bool Untried = false;
};

// The order of moves that frees every target before it is taken: the rows
// that can move (a new name that is not empty or too long, the first row of
// its file and the first to want its new name) each once its target is free;
// a cycle (a to b, b to a) is broken by moving one file to a temporary name
// that isFree accepts. The other rows follow in list order; a row whose file
// another row already moves is never tried (Untried), since its old name may
// by then hold another file.
std::vector<TStep> UntangleSteps(const FileList::TFileItems& rows,
                                 const std::function<bool(const std::string&)>& isFree);

// The record of an untangled run: every step tried, temporary names
// included, each with the identity (read in dir) of the row's file.
TJournal PlanOfSteps(const Platform::TDirectory& dir, const FileList::TFileItems& rows,
                     const std::vector<TStep>& steps);

// A file that a failed cycle could not move back: it stays under Name
// instead of Home (its old name); the run's record lets undo put it back.
struct TStranded {
  std::string Name;
  std::string Home;
  int Error = 0;  // of the move back
};

struct TStepsOutcome : TRunOutcome {
  std::vector<TStranded> Stranded;
};

// Runs the steps inside dir. A failed step of a cycle moves that cycle's
// earlier steps back, last first, so that every file ends under its old name
// or its new one; a move back that fails is listed in Stranded. Each row's
// Status and Error tell what became of it.
TStepsOutcome RunSteps(const Platform::TDirectory& dir, const std::vector<TStep>& steps,
                       FileList::TFileItems& rows);

}  // namespace Rename
