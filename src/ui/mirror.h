#pragma once

#include <functional>
#include <map>

#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

// Right to left for windows that place their controls by coordinates. The
// placing code works in left-to-right figures; under Qt::RightToLeft every
// control below root is then shown reflected inside its parent: a control at
// x, w wide, in a parent W wide goes to W - x - w. The walk goes through the
// plain containers (QWidget, QFrame, QGroupBox, the pages of a tab widget,
// none with a layout of its own); any other control, such as a list, a combo
// box or a subclass that places its own parts, is reflected as a whole.
class TMirror : public QObject {
 public:
  explicit TMirror(QWidget* root);

  // Runs layout, which reads and sets left-to-right figures, and shows the
  // result as the direction asks. Every change of root's size or direction
  // goes through here.
  void LayOut(const std::function<void()>& layout);

 protected:
  // A container that changes size outside LayOut (a tab page laid out only
  // when first shown) reflects its controls again.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TPlace {
    QPointer<QWidget> Widget;
    QRect LeftToRight;
    QRect Shown;
  };

  // Puts each reflected control of container back in left-to-right figures,
  // unless it has been placed anew since.
  void Restore(const QWidget* container);
  void Reflect(QWidget* container);
  void ReflectBelow(QWidget* container);

  QWidget* FRoot;
  std::map<const QWidget*, TPlace> FPlaces;
  bool FLayingOut = false;
};
