#pragma once

#include <functional>
#include <string>
#include <vector>

#include "filelist/fileitem.h"

namespace Rename {

// Answers whether an entry of the given name is in the directory before the
// run starts. Names may be empty or hold "/" (a path below the directory).
using TExistsFn = std::function<bool(const std::string& name)>;

// Marks, for each row, whether its new name is taken, so that a preview can
// show which moves of a rename run would fail for that reason. A row is marked
// when it shares its new name with another row, or when an entry of that name
// is there at its turn: it existed before the run and was not moved away by an
// earlier row, or an earlier row has moved a file there. The run goes in list
// order and a failed move frees nothing, exactly like RunRename. A row whose
// new name equals its old name is never marked. Runs in O(n).
std::vector<bool> FindConflicts(const FileList::TFileItems& items, const TExistsFn& exists);

}  // namespace Rename
