// The window shown on the platform the test runs under renames a folder:
// offscreen in ctest, a headless Wayland compositor in test_wayland.sh.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QToolButton>

#include "gui/mainformfixture.h"

namespace {

class TMainFormPlatform : public TMainFormFixture {};

TEST_F(TMainFormPlatform, ShownWindowRenamesAFolderThroughItsRealBox) {
  EXPECT_EQ(QGuiApplication::platformName().toStdString(),
            qgetenv("QT_QPA_PLATFORM").toStdString());
  Seam.RealMessageBoxes = true;
  StartWithLanguageEntry();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get(), 10000));
  ScanFiles({"b.txt", "a.txt"});
  bool boxShown = false;
  GuiTestUtil::OnNextModal([&boxShown](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    ASSERT_NE(box, nullptr);
    boxShown = QTest::qWaitForWindowExposed(box, 10000);
    box->button(QMessageBox::Ok)->click();
  });
  Ui(*Form).GoBTn->click();
  QElapsedTimer clock;
  clock.start();
  while (FileNames() != TNames{"1.txt", "2.txt"} && clock.elapsed() < 10000) QTest::qWait(20);
  EXPECT_TRUE(boxShown);
  EXPECT_EQ(FileNames(), (TNames{"1.txt", "2.txt"}));
  EXPECT_EQ(TestUtil::ReadFileBytes(Files.File("1.txt")), "a.txt");
}

}  // namespace
