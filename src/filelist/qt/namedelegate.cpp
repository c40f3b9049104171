#include "filelist/qt/namedelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "filelist/qt/filelistmodel.h"

QColor TNameDelegate::MarkerColor(bool selected) {
  return selected ? QColor(0xff, 0xb4, 0xff) : QColor(0xb0, 0x00, 0xb0);
}

namespace {

// Draws text from the left edge of rect onwards; returns the new left edge.
int DrawPiece(QPainter* painter, const QRect& rect, int left, const QString& text,
              const QColor& color) {
  painter->setPen(color);
  const QRect room(left, rect.top(), rect.right() - left + 1, rect.height());
  painter->drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  return left + painter->fontMetrics().horizontalAdvance(text);
}

}  // namespace

void TNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  const QVariantList markers = index.data(TFileListModel::MarkerRole).toList();
  if (markers.isEmpty()) return QStyledItemDelegate::paint(painter, option, index);
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
  QRect rect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  rect.adjust(margin, 0, -margin, 0);
  const bool selected = (opt.state & QStyle::State_Selected) != 0;
  const QColor plain = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  painter->save();
  painter->setFont(opt.font);
  painter->setClipRect(rect);
  int left = rect.left();
  int done = 0;
  for (int i = 0; i + 1 < markers.size(); i += 2) {
    const int start = markers[i].toInt();
    const int length = markers[i + 1].toInt();
    left = DrawPiece(painter, rect, left, text.mid(done, start - done), plain);
    left = DrawPiece(painter, rect, left, text.mid(start, length), MarkerColor(selected));
    done = start + length;
  }
  DrawPiece(painter, rect, left, text.mid(done), plain);
  painter->restore();
}
