#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "filelist/fileitem.h"
#include "rename/renamerun.h"

namespace Rename {

// One no-replace move of an untangled run; Row is the row it serves, Cycle
// groups the moves that break one cycle through a temporary name (-1: none).
struct TStep {
  std::string From;
  std::string To;
  std::size_t Row = 0;
  int Cycle = -1;
};

// The order of moves that frees every target before it is taken, for rows
// whose conflicts are marked: the rows that can move (no conflict, or only a
// chain) first, each once its target is free; a cycle (a to b, b to a) is
// broken by moving one file to a temporary name that isFree accepts. Rows that
// will fail for another reason, and later rows of a name already served,
// follow in list order.
std::vector<TStep> UntangleSteps(const FileList::TFileItems& rows,
                                 const std::function<bool(const std::string&)>& isFree);

// Runs the steps inside dir. A failed step of a cycle undoes that cycle's
// earlier steps, so that no file stays under a temporary name. Each row's
// Status and Error tell what became of it.
TRunOutcome RunSteps(const Platform::TDirectory& dir, const std::vector<TStep>& steps,
                     FileList::TFileItems& rows);

}  // namespace Rename
