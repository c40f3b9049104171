#include "rename/preview.h"

namespace Rename {

void Preview(FileList::TFileItems& items, const TPreviewOptions& options) {
  (void)items;
  (void)options;
}

}  // namespace Rename
