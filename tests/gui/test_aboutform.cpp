#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

#include "dialogs/qt/aboutform.h"
#include "gui/guitestutil.h"

namespace {

class AboutFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QGuiApplication::setApplicationDisplayName("Morvane");
    FOwner.setGeometry(200, 100, 613, 468);
    FOwner.show();
  }

  GuiTestUtil::TOpenRecorder FOpened{{"mailto", "https"}};
  QWidget FOwner;
};

QLabel* Label(QWidget* form, const char* name) { return form->findChild<QLabel*>(name); }

void Click(QWidget* target) {
  const QPointF at(2, 2);
  QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QApplication::sendEvent(target, &release);
}

void PressKey(QWidget* target, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
}

TEST_F(AboutFormTest, CaptionAndFixedClientArea) {
  TAboutForm form(&FOwner);
  EXPECT_EQ(form.windowTitle(), "About Morvane");
  EXPECT_EQ(form.size(), QSize(331, 216));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(AboutFormTest, LabelsShowTheirTextsAtTheirPlaces) {
  const struct {
    const char* Name;
    const char* Text;
    int Left;
    int Top;
  } labels[] = {
      {"Label2", "Developed by:", 24, 84},
      {"Label5", "https://morvane.example.org/", 128, 148},
      {"MailLbl", "mailto:morvane@example.org", 128, 116},
      {"Label6", "E-mail:", 124, 100},
      {"Label7", "Web site:", 124, 132},
      {"TitleLbl", "Morvane", 72, 16},
      {"VerLbl", "Ver. 3.3", 76, 52},
  };
  TAboutForm form(&FOwner);
  for (const auto& l : labels) {
    SCOPED_TRACE(l.Name);
    QLabel* label = Label(&form, l.Name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), l.Text);
    EXPECT_EQ(label->pos(), QPoint(l.Left, l.Top));
    EXPECT_GE(label->width(), label->sizeHint().width());  // the whole text shows
  }
  EXPECT_EQ(Label(&form, "TitleLbl")->font().pixelSize(), 29);
  EXPECT_EQ(form.findChild<QWidget*>("BrowserPanel")->geometry(), QRect(0, 0, 331, 216));
}

TEST_F(AboutFormTest, PicturesAreTheProgramsArtwork) {
  TAboutForm form(&FOwner);
  const struct {
    const char* Name;
    QRect Box;
    QSize Picture;
  } images[] = {
      {"Image2", QRect(36, 104, 65, 61), QSize(58, 58)},
      {"Image1", QRect(24, 16, 37, 37), QSize(32, 32)},
  };
  for (const auto& i : images) {
    SCOPED_TRACE(i.Name);
    QLabel* image = Label(&form, i.Name);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), i.Box);
    EXPECT_EQ(image->pixmap().deviceIndependentSize().toSize(), i.Picture);
  }
}

TEST_F(AboutFormTest, LinksLookLikeLinksAndOpenOnClick) {
  TAboutForm form(&FOwner);
  form.show();
  const QColor highlight = form.palette().color(QPalette::Highlight);
  for (const char* name : {"MailLbl", "Label5"}) {
    SCOPED_TRACE(name);
    QLabel* link = Label(&form, name);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), highlight);
    FOpened.Urls.clear();
    Click(link);
    Click(link);  // a second click opens it again
    ASSERT_EQ(FOpened.Urls.size(), 2u);
    EXPECT_EQ(FOpened.Urls[0], QUrl(link->text()));
    EXPECT_TRUE(form.isVisible());
  }
  FOpened.Urls.clear();
  Click(Label(&form, "Label6"));  // a plain label is no link
  EXPECT_TRUE(FOpened.Urls.empty());
}

TEST_F(AboutFormTest, OkButtonIsTheDefaultAndHasTheFocus) {
  TAboutForm form(&FOwner);
  bool focused = false;
  GuiTestUtil::OnNextModal([&](QWidget* dialog) {
    auto* ok = dialog->findChild<QPushButton*>("Button1");
    focused = dialog->focusWidget() == ok;
    EXPECT_EQ(ok->text(), "Ok");
    EXPECT_EQ(ok->geometry(), QRect(128, 184, 75, 25));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->cursor().shape(), Qt::PointingHandCursor);
    ok->click();
  });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_TRUE(focused);
}

TEST_F(AboutFormTest, EscapeKeepsItOpenAndEnterEndsIt) {
  TAboutForm form(&FOwner);
  bool openAfterEscape = false;
  GuiTestUtil::OnNextModal([&](QWidget* dialog) {
    QWidget* focus = dialog->focusWidget();
    PressKey(focus, Qt::Key_Escape);
    openAfterEscape = dialog->isVisible();
    PressKey(focus, Qt::Key_Return);
  });
  EXPECT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_TRUE(openAfterEscape);
}

TEST_F(AboutFormTest, CloseBoxEndsIt) {
  TAboutForm form(&FOwner);
  GuiTestUtil::OnNextModal([](QWidget* dialog) { dialog->close(); });
  EXPECT_EQ(form.exec(), QDialog::Rejected);
}

TEST_F(AboutFormTest, OpensCentredOverItsOwner) {
  TAboutForm form(&FOwner);
  QPoint centre;
  GuiTestUtil::OnNextModal([&](QWidget* dialog) {
    centre = dialog->frameGeometry().center();
    dialog->close();
  });
  form.exec();
  const QPoint expected = FOwner.frameGeometry().center();
  EXPECT_LE((centre - expected).manhattanLength(), 2);
}

}  // namespace
