#pragma once

#include <string>
#include <vector>

#include <QIcon>
#include <QStandardItemModel>

// The folder chooser's tree: "/" at the top, each branch read from the file
// system the first time it is opened. Every item holds its folder's full path
// as the exact bytes the file system gave (PathRole) and shows its name
// decoded as UTF-8, with replacement characters where the bytes are not.
class TFolderTreeModel : public QStandardItemModel {
  Q_OBJECT

 public:
  static constexpr int PathRole = Qt::UserRole + 1;

  explicit TFolderTreeModel(QObject* parent);

  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

  // The exact path of an item; empty for none.
  static std::string PathOf(const QModelIndex& item);
  // The top of the tree, "/".
  QModelIndex Top() const;
  // The item of the folder reached through names from the top, reading the
  // branches on the way; invalid when one of them is not there.
  QModelIndex Find(const std::vector<std::string>& names);

 private:
  QIcon FFolderIcon;

  QStandardItem* NewFolderItem(const QString& shown, const std::string& path) const;
  bool Fetched(const QModelIndex& item) const;
};
