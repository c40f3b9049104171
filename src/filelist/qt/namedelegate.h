#pragma once

#include "ui/owndirectiondelegate.h"

// Draws a name of the file list whose hidden characters the model shows as
// markers (TFileListModel::MarkerRole): the markers in a colour of their own,
// the rest as plain text, never as markup; each name in its own direction.
class TNameDelegate : public TOwnDirectionDelegate {
  Q_OBJECT

 public:
  using TOwnDirectionDelegate::TOwnDirectionDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

  // The colour of the markers, on an ordinary and on a selected row.
  static QColor MarkerColor(bool selected);
};
