#pragma once

#include "filelist/fileitem.h"
#include "rename/charsub.h"
#include "rename/namebuilder.h"

namespace Rename {

struct TPreviewOptions {
  bool RenamePage = true;  // page 0 active: SetNewName; otherwise CharSub
  TNameOptions Name;
  TReplaceOptions Replace;
};

// Writes the new name of every row, numbering rows from 1 in list order.
void Preview(FileList::TFileItems& items, const TPreviewOptions& options);

}  // namespace Rename
