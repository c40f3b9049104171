#include "dialogs/qt/foldertreemodel.h"

#include <algorithm>

#include <QApplication>
#include <QCollator>
#include <QStyle>

#include "dialogs/folderpath.h"
#include "platform/filesystem.h"
#include "ui/qttext.h"

namespace {

// Set on an item once its branch has been read.
constexpr int FetchedRole = Qt::UserRole + 2;

struct TFolderName {
  std::string Bytes;
  QString Shown;
};

// The folders of dir, ordered by name as people read it (numbers by value,
// letter case ignored); names that read the same keep their byte order.
std::vector<TFolderName> FoldersOf(const std::string& dir) {
  std::vector<Platform::TDirEntry> entries;
  Platform::ListDirectory(dir, entries);
  std::vector<TFolderName> folders;
  for (const Platform::TDirEntry& entry : entries) {
    if ((entry.Attributes & Platform::faDirectory) == 0) continue;
    if (entry.Name == "." || entry.Name == "..") continue;
    folders.push_back({entry.Name, QtText::FromUtf8(entry.Name)});
  }
  QCollator collator;
  collator.setNumericMode(true);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::sort(folders.begin(), folders.end(), [&collator](const auto& a, const auto& b) {
    const int order = collator.compare(a.Shown, b.Shown);
    return order != 0 ? order < 0 : a.Bytes < b.Bytes;
  });
  return folders;
}

}  // namespace

TFolderTreeModel::TFolderTreeModel(QObject* parent)
    : QStandardItemModel(parent),
      FFolderIcon(QApplication::style()->standardIcon(QStyle::SP_DirIcon)) {
  appendRow(NewFolderItem(QStringLiteral("/"), "/"));
}

QStandardItem* TFolderTreeModel::NewFolderItem(const QString& shown,
                                               const std::string& path) const {
  auto* item = new QStandardItem(FFolderIcon, shown);
  item->setData(QByteArray::fromStdString(path), PathRole);
  item->setEditable(false);
  return item;
}

bool TFolderTreeModel::Fetched(const QModelIndex& item) const {
  return item.data(FetchedRole).toBool();
}

// A folder not read yet may have folders inside; reading it tells.
bool TFolderTreeModel::hasChildren(const QModelIndex& parent) const {
  if (parent.isValid() && !Fetched(parent)) return true;
  return QStandardItemModel::hasChildren(parent);
}

bool TFolderTreeModel::canFetchMore(const QModelIndex& parent) const {
  return parent.isValid() && !Fetched(parent);
}

void TFolderTreeModel::fetchMore(const QModelIndex& parent) {
  QStandardItem* item = itemFromIndex(parent);
  if (item == nullptr || Fetched(parent)) return;
  item->setData(true, FetchedRole);
  const std::string dir = PathOf(parent);
  QList<QStandardItem*> rows;
  for (const TFolderName& folder : FoldersOf(dir)) {
    rows.append(NewFolderItem(folder.Shown, Dialogs::JoinFolderPath(dir, folder.Bytes)));
  }
  item->appendRows(rows);
}

std::string TFolderTreeModel::PathOf(const QModelIndex& item) {
  return item.isValid() ? item.data(PathRole).toByteArray().toStdString() : std::string();
}

QModelIndex TFolderTreeModel::Top() const { return index(0, 0); }

QModelIndex TFolderTreeModel::Find(const std::vector<std::string>& names) {
  QModelIndex item = Top();
  for (const std::string& name : names) {
    if (canFetchMore(item)) fetchMore(item);
    const std::string wanted = Dialogs::JoinFolderPath(PathOf(item), name);
    QModelIndex found;
    for (int row = 0; row < rowCount(item) && !found.isValid(); ++row) {
      const QModelIndex child = index(row, 0, item);
      if (PathOf(child) == wanted) found = child;
    }
    if (!found.isValid()) return {};
    item = found;
  }
  return item;
}
