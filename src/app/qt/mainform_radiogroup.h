#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A framed group of radio buttons in one column, chosen by index. Replacing
// the items leaves no item chosen; every change of the chosen item, by the
// user or from code, emits Click.
class TRadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(int Tag READ Tag WRITE SetTag)
  Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)

 public:
  explicit TRadioGroup(QWidget* parent);

  QStringList Items() const;
  void SetItems(const QStringList& items);
  int ItemIndex() const;  // -1 when no item is chosen
  void SetItemIndex(int index);
  QRadioButton* Button(int index) const;
  int Tag() const;
  void SetTag(int tag);

 signals:
  void Click();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ArrangeButtons();
  void UpdateTabStop();

  QButtonGroup* FButtons;
  int FTag = 0;
};
