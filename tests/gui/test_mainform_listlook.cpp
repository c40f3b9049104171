// What the file list shows: selected rows in the platform's highlight, under
// the default style and the Windows style, with and without the focus.
#include <map>
#include <tuple>

#include <QApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include "gui/mainformfixture.h"

namespace {

// The colour most pixels of rect have: the cell's background.
QRgb Background(const QImage& image, const QRect& rect) {
  std::map<QRgb, int> counts;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x) ++counts[image.pixel(x, y) & 0xffffff];
  auto best = counts.begin();
  for (auto it = counts.begin(); it != counts.end(); ++it)
    if (it->second > best->second) best = it;
  return best->first;
}

int Distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
         std::abs(qBlue(a) - qBlue(b));
}

// Pixels of rect that stand out from its background: the text.
int TextPixels(const QImage& image, const QRect& rect) {
  const QRgb background = Background(image, rect);
  int count = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (Distance(image.pixel(x, y) & 0xffffff, background) > 120) ++count;
  return count;
}

// Style name ("" for the default one) and whether the list has the focus.
class MainFormListLook : public TMainFormFixture,
                         public ::testing::WithParamInterface<std::tuple<const char*, bool>> {
 protected:
  void SetUp() override {
    TMainFormFixture::SetUp();
    StartWithLanguageEntry();
  }
  const GuiTestUtil::TStyleScope FStyle{std::get<0>(GetParam())};
};

TEST_P(MainFormListLook, SelectedRowsShowTheHighlightAndTheirText) {
  ScanFiles({"alpha.txt", "bravo.txt", "charlie.txt"});
  Form->TestMnuClick();  // fills the new names too
  QTreeView* list = Ui(*Form).FileList;
  list->selectionModel()->select(list->model()->index(1, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  if (std::get<1>(GetParam()))
    list->setFocus();
  else
    Ui(*Form).Edit5->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(list->hasFocus(), std::get<1>(GetParam()));
  const QImage image = list->viewport()->grab().toImage();
  for (int column = 0; column < 2; ++column) {
    SCOPED_TRACE(column);
    // Inside the cell, clear of the grid lines.
    auto cell = [&](int row) {
      return list->visualRect(list->model()->index(row, column)).adjusted(2, 2, -2, -2);
    };
    const QRect selected = cell(1), plain = cell(0);
    ASSERT_FALSE(selected.isEmpty());
    EXPECT_GT(Distance(Background(image, selected), Background(image, plain)), 60);
    EXPECT_GT(TextPixels(image, selected), 10);
    EXPECT_GT(TextPixels(image, plain), 10);
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, MainFormListLook,
                         ::testing::Combine(::testing::Values("", "Windows"), ::testing::Bool()));

}  // namespace
