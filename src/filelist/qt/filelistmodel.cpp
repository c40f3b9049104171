#include "filelist/qt/filelistmodel.h"

#include <utility>

#include <QBrush>
#include <QColor>

#include "filelist/order.h"
#include "filelist/visiblename.h"
#include "ui/qttext.h"

TFileListModel::TFileListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TFileListModel::SetItems(FileList::TFileItems items) {
  beginResetModel();
  FItems = std::move(items);
  endResetModel();
}

const FileList::TFileItems& TFileListModel::Items() const { return FItems; }

FileList::TFileItems& TFileListModel::MutableItems() { return FItems; }

void TFileListModel::NewNamesChanged() {
  if (FItems.empty()) return;
  const int last = static_cast<int>(FItems.size()) - 1;
  emit dataChanged(index(0, 0), index(last, 1));
}

void TFileListModel::SetMarkText(std::function<QString(const FileList::TFileItem&)> markText) {
  FMarkText = std::move(markText);
}

// Failure outweighs warning: a row that failed is drawn as failed. A move into
// a folder keeps its colours and only explains itself.
QVariant TFileListModel::MarkData(const FileList::TFileItem& item, int role) const {
  const bool failed = item.Status == FileList::TMoveStatus::Failed;
  const bool marked = failed || FileList::WillFail(item.Conflict);
  if (role == Qt::ToolTipRole && (marked || item.Conflict != FileList::TConflict::None))
    return FMarkText ? FMarkText(item) : QString();
  if (!marked) return {};
  switch (role) {
    case Qt::ForegroundRole:
      return QBrush(failed ? QColor(0x9c, 0x00, 0x06) : QColor(0x7a, 0x4a, 0x00));
    case Qt::BackgroundRole:
      return QBrush(failed ? QColor(0xff, 0xc7, 0xce) : QColor(0xff, 0xeb, 0x9c));
    default:
      return {};
  }
}

void TFileListModel::RemoveRows(const QModelIndexList& selected) {
  const int count = static_cast<int>(FItems.size());
  bool any = false;
  for (auto& item : FItems) item.Selected = false;
  for (const QModelIndex& idx : selected) {
    if (!idx.isValid() || idx.model() != this || idx.row() >= count) continue;
    FItems[static_cast<std::size_t>(idx.row())].Selected = true;
    any = true;
  }
  if (!any) return;
  beginResetModel();
  FileList::RemoveSelected(FItems);
  endResetModel();
}

void TFileListModel::SetColumnTitles(const QString& oldNameTitle, const QString& newNameTitle) {
  FTitles[0] = oldNameTitle;
  FTitles[1] = newNameTitle;
  emit headerDataChanged(Qt::Horizontal, 0, 1);
}

int TFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FItems.size());
}

int TFileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

// A name is shown with its hidden characters as markers; MarkerRole gives
// where the markers stand in that text, as start and length pairs.
QVariant TFileListModel::NameData(const std::string& name, int role) {
  QString shown;
  QVariantList markers;
  for (const FileList::TNamePart& part : FileList::VisibleParts(name)) {
    const QString text = QtText::FromUtf8(part.Text);
    if (part.Marker) markers << static_cast<int>(shown.size()) << static_cast<int>(text.size());
    shown += text;
  }
  if (role == MarkerRole) return markers;
  return shown;
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
  const auto& item = FItems[static_cast<std::size_t>(index.row())];
  if (role != Qt::DisplayRole && role != MarkerRole) return MarkData(item, role);
  return NameData(index.column() == 0 ? item.OldName : item.NewName, role);
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section < 0 || section > 1) return {};
  return FTitles[section];
}
