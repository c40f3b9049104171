#include "ui/plaintooltips.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWidget>

namespace {

// Answers every tooltip request of a widget that has a tooltip text with that
// text escaped; requests of widgets without one (item views asking their
// model) go on as usual.
class TPlainToolTipFilter : public QObject {
 public:
  explicit TPlainToolTipFilter(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("PlainToolTipFilter"));  // how Install finds it
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    QString text = widget->toolTip();
    if (text.isEmpty()) return false;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const auto* help = static_cast<QHelpEvent*>(event);
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
