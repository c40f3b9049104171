#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>

#include "filelist/fileitem.h"

// The rows of FileList (old name, new name) for the report view. Names keep
// their exact bytes in the items; the view shows them decoded as UTF-8.
class TFileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TFileListModel(QObject* parent = nullptr);

  // Replaces every row.
  void SetItems(FileList::TFileItems items);
  const FileList::TFileItems& Items() const;
  // Direct access for the preview; call NewNamesChanged() afterwards.
  FileList::TFileItems& MutableItems();
  void NewNamesChanged();
  // Takes the rows of the given indexes (any column) out, keeping the order.
  void RemoveRows(const QModelIndexList& selected);

  void SetColumnTitles(const QString& oldNameTitle, const QString& newNameTitle);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  FileList::TFileItems FItems;
  QString FTitles[2];
};
