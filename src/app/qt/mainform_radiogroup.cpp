#include "app/qt/mainform_radiogroup.h"

#include <algorithm>

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>
#include <QStyle>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), FButtons(new QButtonGroup(this)) {
  FButtons->setExclusive(true);
  connect(FButtons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    UpdateTabStop();
    if (checked) emit Click();
  });
}

QStringList TRadioGroup::Items() const {
  QStringList items;
  for (QAbstractButton* button : FButtons->buttons()) items << button->text();
  return items;
}

void TRadioGroup::SetItems(const QStringList& items) {
  for (QAbstractButton* button : FButtons->buttons()) {
    FButtons->removeButton(button);
    delete button;
  }
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    FButtons->addButton(button, i);
    button->setVisible(true);
  }
  ArrangeButtons();
  UpdateTabStop();
}

int TRadioGroup::ItemIndex() const { return FButtons->checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = FButtons->button(index)) {
    button->setChecked(true);
    return;
  }
  // No item chosen: an exclusive group only lets go of its check this way.
  if (QAbstractButton* checked = FButtons->checkedButton()) {
    FButtons->setExclusive(false);
    checked->setChecked(false);
    FButtons->setExclusive(true);
  }
}

QRadioButton* TRadioGroup::Button(int index) const {
  return qobject_cast<QRadioButton*>(FButtons->button(index));
}

int TRadioGroup::Tag() const { return FTag; }

void TRadioGroup::SetTag(int tag) { FTag = tag; }

void TRadioGroup::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent* event) {
  QGroupBox::changeEvent(event);
  if (event->type() == QEvent::LayoutDirectionChange) ArrangeButtons();
}

// The items share the height below the title evenly, the first one level with
// the top of the free space; right to left, their places are reflected.
void TRadioGroup::ArrangeButtons() {
  const QList<QAbstractButton*> buttons = FButtons->buttons();
  if (buttons.isEmpty()) return;
  const int textHeight = QFontMetrics(font()).height();
  const int space = height() - textHeight - 5;
  const int count = static_cast<int>(buttons.size());
  const int itemHeight = std::max(1, space / count);
  const int top = textHeight + 1 + (space % count) / 2;
  for (int i = 0; i < count; ++i) {
    const QRect place(8, top + i * itemHeight, std::max(1, width() - 10 - 8), itemHeight);
    buttons[i]->setGeometry(QStyle::visualRect(layoutDirection(), rect(), place));
  }
}

// The group is one stop of the Tab key: its chosen item, or its first while
// none is chosen. The arrow keys move the choice within the group.
void TRadioGroup::UpdateTabStop() {
  const QList<QAbstractButton*> buttons = FButtons->buttons();
  QAbstractButton* stop = FButtons->checkedButton();
  if (!stop && !buttons.isEmpty()) stop = buttons.first();
  for (QAbstractButton* button : buttons)
    button->setFocusPolicy(button == stop ? Qt::StrongFocus : Qt::ClickFocus);
}
