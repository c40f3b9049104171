#include "ui/accessiblenames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace AccessibleNames {

namespace {

constexpr const char* KOwnName = "AccessibleName";
constexpr const char* KNamingLabel = "AccessibleNameLabel";

// The label that names control, if any.
const QLabel* NamingLabel(const QWidget& control) {
  return qobject_cast<const QLabel*>(control.property(KNamingLabel).value<QObject*>());
}

// Gives control the name it should have now, and its edit if it is an
// editable combo box.
void Rename(QWidget& control) {
  QString name = OwnName(control);
  const QLabel* label = NamingLabel(control);
  if (name.isEmpty() && label) name = Spoken(label->text());
  control.setAccessibleName(name);
  auto* combo = qobject_cast<QComboBox*>(&control);
  if (combo && combo->lineEdit()) combo->lineEdit()->setAccessibleName(name);
}

}  // namespace

void NameAfter(QLabel* label, QWidget* control) {
  label->setBuddy(control);
  control->setProperty(KNamingLabel, QVariant::fromValue<QObject*>(label));
  QObject::connect(label, &QObject::destroyed, control,
                   [control]() { control->setProperty(KNamingLabel, QVariant()); });
  Rename(*control);
}

void LabelChanged(const QLabel& label) {
  QWidget* control = label.buddy();
  if (control && NamingLabel(*control) == &label) Rename(*control);
}

QString OwnName(const QObject& control) { return control.property(KOwnName).toString(); }

void SetOwnName(QObject& control, const QString& name) {
  control.setProperty(KOwnName, name);
  if (auto* widget = qobject_cast<QWidget*>(&control)) Rename(*widget);
}

QString Spoken(const QString& caption) {
  QString spoken;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&') && ++i == caption.size()) break;
    spoken += caption[i];
  }
  spoken = spoken.trimmed();
  if (spoken.endsWith(QLatin1Char(':'))) spoken.chop(1);
  return spoken.trimmed();
}

}  // namespace AccessibleNames
