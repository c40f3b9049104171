#pragma once

#include <functional>
#include <string>

#include <QAbstractTableModel>
#include <QModelIndexList>
#include <QString>

#include "filelist/fileitem.h"

// The rows of FileList (old name, new name) for the report view. Names keep
// their exact bytes in the items; the view shows them decoded as UTF-8. A row
// whose move will fail (its Conflict) is drawn in the warning colours, a row
// whose move failed (its Status) in the error colours, each with the text of
// its mark as tooltip. Bidirectional controls and invisible characters are
// shown as markers ("<U+202E>", FileList::VisibleName) that TNameDelegate
// draws in a colour of their own.
class TFileListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Where the markers stand in the shown name: start, length, start, ...
  static constexpr int MarkerRole = Qt::UserRole + 1;

  explicit TFileListModel(QObject* parent = nullptr);

  // Replaces every row.
  void SetItems(FileList::TFileItems items);
  const FileList::TFileItems& Items() const;
  // Direct access for the preview; call NewNamesChanged() afterwards.
  FileList::TFileItems& MutableItems();
  // Every column and role of every row may have changed.
  void NewNamesChanged();
  // The tooltip of a marked row, asked for when it is shown (plain text).
  void SetMarkText(std::function<QString(const FileList::TFileItem&)> markText);
  // Takes the rows of the given indexes (any column) out, keeping the order.
  void RemoveRows(const QModelIndexList& selected);

  void SetColumnTitles(const QString& oldNameTitle, const QString& newNameTitle);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QVariant MarkData(const FileList::TFileItem& item, int role) const;
  static QVariant NameData(const std::string& name, int role);

  FileList::TFileItems FItems;
  QString FTitles[2];
  std::function<QString(const FileList::TFileItem&)> FMarkText;
};
