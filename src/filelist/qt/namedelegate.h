#pragma once

#include <QStyledItemDelegate>

// Draws a name of the file list whose hidden characters the model shows as
// markers (TFileListModel::MarkerRole): the markers in a colour of their own,
// the rest as plain text, never as markup.
class TNameDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // The colour of the markers, on an ordinary and on a selected row.
  static QColor MarkerColor(bool selected);
};
