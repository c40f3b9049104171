#include "app/qt/mainform_pagecontrol.h"

#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>

TPageTabBar::TPageTabBar(QWidget* parent) : QTabBar(parent) {}

void TPageTabBar::SetNoneSelected(bool none) {
  if (none == FNoneSelected) return;
  FNoneSelected = none;
  update();
}

bool TPageTabBar::NoneSelected() const { return FNoneSelected; }

void TPageTabBar::initStyleOption(QStyleOptionTab* option, int tabIndex) const {
  QTabBar::initStyleOption(option, tabIndex);
  if (!FNoneSelected) return;
  option->state &= ~QStyle::State_Selected;
  option->selectedPosition = QStyleOptionTab::NotAdjacent;
}

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent), FTabBar(new TPageTabBar(this)) {
  setTabBar(FTabBar);
}

void TPageControl::SetNoPageShown(bool none) {
  FTabBar->SetNoneSelected(none);
  update();
}

void TPageControl::initStyleOption(QStyleOptionTabWidgetFrame* option) const {
  QTabWidget::initStyleOption(option);
  if (FTabBar->NoneSelected()) option->selectedTabRect = QRect();
}
