#include "ui/mirror.h"

#include <vector>

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QStyle>
#include <QTabWidget>
#include <QWidget>

namespace {

// The controls placed by coordinates directly inside container.
std::vector<QWidget*> PlacedChildren(const QWidget* container) {
  std::vector<QWidget*> children;
  if (container->layout()) return children;  // a layout mirrors by itself
  for (QObject* child : container->children())
    if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
      children.push_back(widget);
  return children;
}

bool IsPlainContainer(const QWidget* widget) {
  const QMetaObject* kind = widget->metaObject();
  return kind == &QWidget::staticMetaObject || kind == &QFrame::staticMetaObject ||
         kind == &QGroupBox::staticMetaObject;
}

}  // namespace

TMirror::TMirror(QWidget* root) : QObject(root), FRoot(root) {}

void TMirror::LayOut(const std::function<void()>& layout) {
  FLayingOut = true;
  for (auto& [widget, place] : FPlaces)
    if (place.Widget && place.Widget->geometry() == place.Shown)
      place.Widget->setGeometry(place.LeftToRight);
  FPlaces.clear();
  layout();
  FLayingOut = false;
  ReflectBelow(FRoot);
}

bool TMirror::eventFilter(QObject* watched, QEvent* event) {
  auto* container = qobject_cast<QWidget*>(watched);
  if (container && container != FRoot && !FLayingOut && event->type() == QEvent::Resize) {
    Restore(container);
    Reflect(container);
  }
  return QObject::eventFilter(watched, event);
}

void TMirror::Restore(const QWidget* container) {
  for (QWidget* child : PlacedChildren(container)) {
    const auto found = FPlaces.find(child);
    if (found == FPlaces.end()) continue;
    if (child->geometry() == found->second.Shown) child->setGeometry(found->second.LeftToRight);
    FPlaces.erase(found);
  }
}

void TMirror::Reflect(QWidget* container) {
  if (container->layoutDirection() != Qt::RightToLeft) return;
  container->installEventFilter(this);
  for (QWidget* child : PlacedChildren(container)) {
    const QRect leftToRight = child->geometry();
    const QRect shown = QStyle::visualRect(Qt::RightToLeft, container->rect(), leftToRight);
    child->setGeometry(shown);
    FPlaces[child] = {child, leftToRight, shown};
  }
}

// Parents first: reflecting a control moves it without changing its size, so
// what lies inside it keeps its figures.
void TMirror::ReflectBelow(QWidget* container) {
  Reflect(container);
  for (QWidget* child : PlacedChildren(container)) {
    if (IsPlainContainer(child)) ReflectBelow(child);
    if (auto* tabs = qobject_cast<QTabWidget*>(child))
      for (int i = 0; i < tabs->count(); ++i)
        if (IsPlainContainer(tabs->widget(i))) ReflectBelow(tabs->widget(i));
  }
}
