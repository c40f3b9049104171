#pragma once

#include <QStyledItemDelegate>

// Draws each text of an item view in its own direction: a file name such as
// "3.txt" reads as it is spelled in a right-to-left window, instead of being
// reordered as if it were Arabic or Hebrew. The cell keeps the alignment of
// the view's direction.
class TOwnDirectionDelegate : public QStyledItemDelegate {
 public:
  explicit TOwnDirectionDelegate(QObject* parent);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
