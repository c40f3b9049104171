#include "ui/plaintooltips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {

// The tooltip an item view's model gives for the item under pos of its
// viewport; null when widget is no viewport.
QString ItemToolTip(QWidget* widget, const QPoint& pos) {
  auto* view = qobject_cast<QAbstractItemView*>(widget->parentWidget());
  if (!view || view->viewport() != widget) return {};
  const QModelIndex index = view->indexAt(pos);
  const QString text = index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
  return text.isNull() ? QStringLiteral("") : text;
}

// Answers every tooltip request of a widget that has a tooltip text, and of an
// item view's viewport (the model's tooltip of the item), with that text
// escaped; requests of other widgets without one go on as usual.
class TPlainToolTipFilter : public QObject {
 public:
  explicit TPlainToolTipFilter(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("PlainToolTipFilter"));  // how Install finds it
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    const auto* help = static_cast<QHelpEvent*>(event);
    QString text = widget->toolTip();
    if (text.isEmpty()) text = ItemToolTip(widget, help->pos());
    if (text.isNull()) return false;
    if (text.isEmpty()) {
      QToolTip::hideText();
      return true;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpacePre), widget,
                       QRect(), widget->toolTipDuration());
    return true;
  }
};

}  // namespace

namespace PlainToolTips {

void Install() {
  QCoreApplication* app = QCoreApplication::instance();
  const QString name = QStringLiteral("PlainToolTipFilter");
  if (!app || app->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) return;
  app->installEventFilter(new TPlainToolTipFilter(app));
}

}  // namespace PlainToolTips
