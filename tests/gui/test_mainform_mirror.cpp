// Right to left (morvane -reverse): the window is its left-to-right self
// reflected, control by control, and no control of a page hides another.
#include <map>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>

#include "app/qt/mainform_radiogroup.h"
#include "gui/mainformfixture.h"
#include "ui/owndirectiondelegate.h"

namespace {

struct TPlace {
  QRect Rect;
  int ParentWidth;
};
using TPlaces = std::map<std::string, TPlace>;

// The window's controls by name (radio items by group and index; Qt's own
// parts left out), each page shown once so that it is laid out.
TPlaces PlacesOf(TMainForm& form) {
  for (int page : {2, 1, 0}) {
    form.SetActivePageIndex(page);
    QApplication::processEvents();
  }
  TPlaces places;
  for (QWidget* widget : form.centralWidget()->findChildren<QWidget*>()) {
    std::string name = widget->objectName().toStdString();
    if (auto* group = qobject_cast<TRadioGroup*>(widget->parentWidget()))
      name = group->objectName().toStdString() + "/" + widget->metaObject()->className() +
             std::to_string(group->children().indexOf(widget));
    const bool qtPart = qobject_cast<QTabBar*>(widget->parentWidget()) || name.rfind("qt_", 0) == 0;
    if (name.empty() || qtPart) continue;
    places[name] = {widget->geometry(), widget->parentWidget()->width()};
  }
  return places;
}

// Sets the application's direction for the scope.
class TDirection {
 public:
  explicit TDirection(Qt::LayoutDirection direction) {
    QApplication::setLayoutDirection(direction);
  }
  ~TDirection() { QApplication::setLayoutDirection(Qt::LeftToRight); }
};

class MainFormMirror : public TMainFormFixture {
 protected:
  TPlaces Start(QSize counted) {
    Form.reset();
    StartWithLanguageEntry();
    Form->resize(counted - QSize(8, 27));
    QApplication::processEvents();
    return PlacesOf(*Form);
  }
};

TEST_F(MainFormMirror, RightToLeftReflectsEveryControlInsideItsParent) {
  for (QSize size : {QSize(621, 495), QSize(1021, 700)}) {
    const TPlaces leftToRight = Start(size);
    TDirection direction(Qt::RightToLeft);
    const TPlaces rightToLeft = Start(size);
    ASSERT_GT(leftToRight.size(), 90u);
    ASSERT_EQ(rightToLeft.size(), leftToRight.size());
    for (const auto& [name, ltr] : leftToRight) {
      const QRect& rtl = rightToLeft.at(name).Rect;
      const QRect reflected(ltr.ParentWidth - ltr.Rect.right() - 1, ltr.Rect.y(), ltr.Rect.width(),
                            ltr.Rect.height());
      EXPECT_EQ(rtl, reflected) << name << " at " << size.width();
    }
    // Back to left to right, the running window is as it was.
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QApplication::processEvents();
    for (const auto& [name, ltr] : PlacesOf(*Form))
      EXPECT_EQ(ltr.Rect, leftToRight.at(name).Rect) << name << " back";
  }
}

// What a choice shows: its indicator and its caption, in page figures.
QRect ShownPart(const QAbstractButton& button, bool radio) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QStyle* style = button.style();
  const QRect indicator = style->subElementRect(
      radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, &button);
  const QRect contents = style->subElementRect(
      radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, &button);
  const QSize text(button.fontMetrics().horizontalAdvance(button.text()), contents.height());
  return indicator.united(
      QStyle::alignedRect(option.direction, Qt::AlignLeft | Qt::AlignVCenter, text, contents));
}

class MainFormPageOverlap : public MainFormMirror,
                            public ::testing::WithParamInterface<Qt::LayoutDirection> {};

TEST_P(MainFormPageOverlap, NoVisibleControlOfAPageLiesOverAnother) {
  TDirection direction(GetParam());
  Start({621, 495});
  QTabWidget* pages = Ui(*Form).PageControl1;
  for (int index = 0; index < pages->count(); ++index) {
    QWidget* page = pages->widget(index);
    Form->SetActivePageIndex(index);
    QApplication::processEvents();
    std::vector<std::pair<QWidget*, QRect>> shown;
    for (QWidget* control : page->findChildren<QWidget*>()) {
      if (!control->isVisible() || qobject_cast<QGroupBox*>(control)) continue;  // frames hold
      QRect part = control->rect();
      if (auto* radio = qobject_cast<QRadioButton*>(control)) part = ShownPart(*radio, true);
      if (auto* box = qobject_cast<QCheckBox*>(control)) part = ShownPart(*box, false);
      part.moveTopLeft(control->mapTo(page, part.topLeft()));
      EXPECT_TRUE(page->rect().contains(part)) << control->objectName().toStdString();
      shown.emplace_back(control, part);
    }
    ASSERT_GT(shown.size(), 2u);
    for (std::size_t i = 0; i < shown.size(); ++i)
      for (std::size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(shown[i].second.intersects(shown[j].second))
            << shown[i].first->objectName().toStdString() << " "
            << shown[i].first->metaObject()->className() << " and "
            << shown[j].first->objectName().toStdString() << " "
            << shown[j].first->metaObject()->className() << " on page " << index;
  }
}

INSTANTIATE_TEST_SUITE_P(Directions, MainFormPageOverlap,
                         ::testing::Values(Qt::LeftToRight, Qt::RightToLeft), [](const auto& info) {
                           return info.param == Qt::LeftToRight ? "LeftToRight" : "RightToLeft";
                         });

class TDelegateProbe : public TOwnDirectionDelegate {
 public:
  TDelegateProbe() : TOwnDirectionDelegate(nullptr) {}
  using TOwnDirectionDelegate::initStyleOption;
};

// A name is drawn in its own direction, on the side the list reads from.
TEST(OwnDirectionDelegate, DrawsEachNameInItsOwnDirection) {
  QStandardItemModel model;
  const char* names[] = {"3.txt", "\u05E9\u05DC\u05D5\u05DD.txt", "2024-photo.jpg"};
  const Qt::LayoutDirection expected[] = {Qt::LeftToRight, Qt::RightToLeft, Qt::LeftToRight};
  for (const char* name : names) model.appendRow(new QStandardItem(QString::fromUtf8(name)));
  TDelegateProbe delegate;
  for (Qt::LayoutDirection list : {Qt::LeftToRight, Qt::RightToLeft})
    for (int row = 0; row < model.rowCount(); ++row) {
      QStyleOptionViewItem option;
      option.direction = list;
      delegate.initStyleOption(&option, model.index(row, 0));
      EXPECT_EQ(option.direction, expected[row]) << names[row];
      EXPECT_EQ(option.displayAlignment & Qt::AlignHorizontal_Mask,
                (list == Qt::RightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
    }
}

TEST_F(MainFormMirror, TheFileListDrawsNamesInTheirOwnDirection) {
  StartWithLanguageEntry();
  EXPECT_NE(dynamic_cast<TOwnDirectionDelegate*>(Ui(*Form).FileList->itemDelegate()), nullptr);
}

}  // namespace
