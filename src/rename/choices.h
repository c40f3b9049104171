#pragma once

#include "filelist/order.h"
#include "rename/preview.h"

namespace Rename {

// Everything the user chooses for a rename, as typed values: the window's
// pages and order box, the command line, named presets and the settings file
// all fill and read this one record.
struct TChoices {
  TPreviewOptions Preview;
  FileList::TOrder Order = FileList::TOrder::Name;
  bool Untangle = false;  // an order of moves that frees every target first
};

}  // namespace Rename
