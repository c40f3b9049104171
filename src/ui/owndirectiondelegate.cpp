#include "ui/owndirectiondelegate.h"

TOwnDirectionDelegate::TOwnDirectionDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void TOwnDirectionDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const Qt::Alignment side = option->direction == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft;
  option->displayAlignment =
      (option->displayAlignment & Qt::AlignVertical_Mask) | side | Qt::AlignAbsolute;
  option->direction = option->text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}
