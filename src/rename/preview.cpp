#include "rename/preview.h"

namespace Rename {

void Preview(FileList::TFileItems& items, const TPreviewOptions& options) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    FileList::TFileItem& item = items[i];
    item.NewName = options.RenamePage
                       ? SetNewName(options.Name, item.OldName, static_cast<int64_t>(i) + 1)
                       : CharSub(options.Replace, item.OldName);
  }
}

}  // namespace Rename
