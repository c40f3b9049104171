#pragma once

#include <QTabBar>
#include <QTabWidget>

// The tab bar of the options pages: while no page is shown it shows no tab
// as the selected one, although Qt always keeps a current tab.
class TPageTabBar : public QTabBar {
  Q_OBJECT

 public:
  explicit TPageTabBar(QWidget* parent);
  void SetNoneSelected(bool none);
  bool NoneSelected() const;

 protected:
  void initStyleOption(QStyleOptionTab* option, int tabIndex) const override;

 private:
  bool FNoneSelected = false;
};

// The options pages' tab widget, with the tab bar above.
class TPageControl : public QTabWidget {
  Q_OBJECT

 public:
  explicit TPageControl(QWidget* parent);
  // The page area shows no page: neither the tabs nor the frame mark one.
  void SetNoPageShown(bool none);

 protected:
  void initStyleOption(QStyleOptionTabWidgetFrame* option) const override;

 private:
  TPageTabBar* FTabBar;
};
