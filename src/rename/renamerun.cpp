#include "rename/renamerun.h"

namespace Rename {

TRenameUi::~TRenameUi() = default;

std::size_t TRenameResult::Renamed() const { return 0; }

std::size_t TRenameResult::Failed() const { return 0; }

TRenameResult RunRename(FileList::TFileItems& items, TRenameRequest& request, TRenameUi& ui) {
  (void)items;
  (void)request;
  (void)ui;
  return {};
}

}  // namespace Rename
