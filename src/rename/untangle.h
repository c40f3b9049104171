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
};

// The order of moves that frees every target before it is taken: the rows
// that can move (a new name that is not empty or too long, the first row of
// its file and the first to want its new name) each once its target is free;
// a cycle (a to b, b to a) is broken by moving one file to a temporary name
// that isFree accepts. The other rows follow in list order.
std::vector<TStep> UntangleSteps(const FileList::TFileItems& rows,
                                 const std::function<bool(const std::string&)>& isFree);

// The journal of an untangled run: every step, temporary names included.
TJournal PlanOfSteps(const std::string& realDir, const std::vector<TStep>& steps);

// Runs the steps inside dir. A failed step of a cycle undoes that cycle's
// earlier steps, so that no file stays under a temporary name. Each row's
// Status and Error tell what became of it.
TRunOutcome RunSteps(const Platform::TDirectory& dir, const std::vector<TStep>& steps,
                     FileList::TFileItems& rows);

}  // namespace Rename
