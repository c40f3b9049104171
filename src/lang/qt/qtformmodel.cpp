#include "lang/qt/qtformmodel.h"

#include <utility>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include "ui/accessiblenames.h"
#include "ui/qttext.h"

namespace {

constexpr const char* KCaptionProperty = "Caption";
constexpr const char* KHintProperty = "Hint";

using QtText::FromUtf8;

using QtText::ToUtf8;

// The tab widget that shows page as one of its tabs, and the tab's index.
QTabWidget* TabOf(const QObject* page, int& tabIndex) {
  const QWidget* widget = qobject_cast<const QWidget*>(page);
  if (!widget) return nullptr;
  for (QObject* up = page->parent(); up; up = up->parent()) {
    if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
      tabIndex = tabs->indexOf(const_cast<QWidget*>(widget));
      if (tabIndex >= 0) return tabs;
    }
  }
  return nullptr;
}

// An action shown as a dividing line has no visible text of its own.
const QAction* CaptionAction(const QObject* object) {
  auto* action = qobject_cast<const QAction*>(object);
  return action && !action->isSeparator() ? action : nullptr;
}

QString GetCaption(const QObject* object) {
  if (auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(object)) return group->title();
  if (auto* action = CaptionAction(object)) return action->text();
  int tab = -1;
  if (QTabWidget* tabs = TabOf(object, tab)) return tabs->tabText(tab);
  return object->property(KCaptionProperty).toString();
}

void SetCaption(QObject* object, const QString& value) {
  if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(value);
    return AccessibleNames::LabelChanged(*label);  // the control it names follows
  }
  if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->setText(value);
  if (auto* group = qobject_cast<QGroupBox*>(object)) return group->setTitle(value);
  if (CaptionAction(object)) return static_cast<QAction*>(object)->setText(value);
  int tab = -1;
  if (QTabWidget* tabs = TabOf(object, tab)) return tabs->setTabText(tab, value);
  object->setProperty(KCaptionProperty, value);
}

// What QAction::toolTip() gives for an action without a tooltip of its own.
QString DefaultActionToolTip(const QAction* action) {
  QString text = action->text();
  text.remove(QStringLiteral("..."));
  text.remove(QLatin1Char('&'));
  return text.trimmed();
}

QString GetHint(const QObject* object) {
  if (auto* widget = qobject_cast<const QWidget*>(object)) return widget->toolTip();
  const QString stored = object->property(KHintProperty).toString();
  auto* action = qobject_cast<const QAction*>(object);
  if (!action) return stored;
  // An action reports its text as tooltip when it has none; only a tooltip
  // that differs from that was set on purpose.
  const QString tip = action->toolTip();
  return tip == DefaultActionToolTip(action) ? stored : tip;
}

void SetHint(QObject* object, const QString& value) {
  object->setProperty(KHintProperty, value);
  if (auto* widget = qobject_cast<QWidget*>(object)) widget->setToolTip(value);
  if (auto* action = qobject_cast<QAction*>(object)) action->setToolTip(value);
}

QString GetEditText(const QObject* object) {
  if (auto* edit = qobject_cast<const QLineEdit*>(object)) return edit->text();
  if (auto* combo = qobject_cast<const QComboBox*>(object)) {
    if (combo->isEditable()) return combo->currentText();
    const int current = combo->currentIndex();
    return current >= 0 ? combo->itemText(current) : QString();
  }
  return object->property("Text").toString();
}

void SetEditText(QObject* object, const QString& value) {
  if (auto* edit = qobject_cast<QLineEdit*>(object)) return edit->setText(value);
  if (auto* combo = qobject_cast<QComboBox*>(object)) {
    if (combo->isEditable()) return combo->setEditText(value);
    const int found = combo->findText(value, Qt::MatchExactly);
    if (found >= 0) combo->setCurrentIndex(found);
    return;
  }
  object->setProperty("Text", value);
}

class TQtComponent : public Lang::TFormComponent {
 public:
  TQtComponent(QObject* object, std::string name, std::string className)
      : FObject(object), FName(std::move(name)), FClassName(std::move(className)) {}

  std::string Name() const override { return FName; }
  std::string ClassName() const override { return FClassName; }
  std::string GetText(const std::string& property) const override;
  void SetText(const std::string& property, const std::string& value) override;

 private:
  QPointer<QObject> FObject;
  std::string FName;
  std::string FClassName;
};

std::string TQtComponent::GetText(const std::string& property) const {
  if (!FObject) return {};
  if (property == "Caption") return ToUtf8(GetCaption(FObject));
  if (property == "Hint") return ToUtf8(GetHint(FObject));
  if (property == "Text") return ToUtf8(GetEditText(FObject));
  if (property == "AccessibleName") return ToUtf8(AccessibleNames::OwnName(*FObject));
  return {};
}

void TQtComponent::SetText(const std::string& property, const std::string& value) {
  if (!FObject) return;
  const QString text = FromUtf8(value);
  if (property == "Caption") SetCaption(FObject, text);
  if (property == "Hint") SetHint(FObject, text);
  if (property == "Text") SetEditText(FObject, text);
  if (property == "AccessibleName") AccessibleNames::SetOwnName(*FObject, text);
}

}  // namespace

TQtFormModel::TQtFormModel(std::string formName) : FName(std::move(formName)) {}

TQtFormModel::~TQtFormModel() = default;

void TQtFormModel::Add(QObject* component, const std::string& name, const std::string& className) {
  // A drop-down menu is an entry of its parent menu: its caption is its action's.
  if (auto* menu = qobject_cast<QMenu*>(component)) component = menu->menuAction();
  FComponents.push_back(std::make_unique<TQtComponent>(component, name, className));
}

std::string TQtFormModel::Name() const { return FName; }

std::size_t TQtFormModel::ComponentCount() const { return FComponents.size(); }

Lang::TFormComponent& TQtFormModel::Component(std::size_t index) { return *FComponents.at(index); }
