#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QWidget>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "dialogs/qt/dialogseam.h"
#include "gui/guitestutil.h"

namespace {

using GuiTestUtil::TRecordingSeam;

class DialogSeamTest : public ::testing::Test {
 protected:
  void SetUp() override { QGuiApplication::setApplicationDisplayName("Morvane"); }
  void TearDown() override { SetDialogSeam(nullptr); }
  QWidget FOwner;
};

TEST_F(DialogSeamTest, ATestSeamReplacesTheRealDialogsUntilRemoved) {
  TDialogSeam& real = DialogSeam();
  TRecordingSeam fake;
  SetDialogSeam(&fake);
  EXPECT_EQ(&DialogSeam(), &fake);
  SetDialogSeam(nullptr);
  EXPECT_EQ(&DialogSeam(), &real);
}

struct TErrorCase {
  const char* Message;
  const char* Shown;
};

class ErrorDisplay : public DialogSeamTest, public ::testing::WithParamInterface<TErrorCase> {};

TEST_P(ErrorDisplay, ShowsTheMessageWithItsFullStop) {
  TRecordingSeam seam;
  SetDialogSeam(&seam);
  ShowErrorDisplay(&FOwner, QString::fromUtf8(GetParam().Message));
  ASSERT_EQ(seam.Texts.size(), 1u);
  EXPECT_EQ(seam.Texts[0], QString::fromUtf8(GetParam().Shown));
  EXPECT_EQ(seam.Captions[0], "Morvane");
  EXPECT_EQ(seam.Buttons, QMessageBox::Ok);
  EXPECT_EQ(seam.Icons[0], QMessageBox::Critical);
}

INSTANTIATE_TEST_SUITE_P(Cases, ErrorDisplay,
                         ::testing::Values(TErrorCase{"Unable to write to /x",
                                                      "Unable to write to /x."},
                                           TErrorCase{"Already done.", "Already done."},
                                           TErrorCase{"Cannot rename!", "Cannot rename!"},
                                           TErrorCase{"Ends in a blank ", "Ends in a blank "},
                                           TErrorCase{"Ends in a dash -", "Ends in a dash -"},
                                           TErrorCase{"Ends in a slash /", "Ends in a slash /."},
                                           TErrorCase{"Datei \xc3\xa4", "Datei \xc3\xa4."}));

// Answers the next modal dialog, a message box, with button and records it.
void AnswerNextBox(QMessageBox::StandardButton button, QMessageBox** seen,
                   QString* text = nullptr) {
  GuiTestUtil::OnNextModal([=](QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    *seen = box;
    if (!box) {
      dialog->close();
      return;
    }
    if (text) *text = box->text();
    box->button(button)->click();
  });
}

TEST_F(DialogSeamTest, RealMessageBoxReturnsTheButtonClicked) {
  FOwner.show();
  QMessageBox* seen = nullptr;
  AnswerNextBox(QMessageBox::Cancel, &seen);
  const auto answer =
      DialogSeam().MessageBox(&FOwner, "Really?", "Morvane", QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Warning, QMessageBox::Ok);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(answer, QMessageBox::Cancel);
}

TEST_F(DialogSeamTest, EscapeOnOkCancelGivesCancel) {
  FOwner.show();
  GuiTestUtil::PressEscapeOnNextModal();
  const auto answer =
      DialogSeam().MessageBox(&FOwner, "Really?", "Morvane", QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Warning, QMessageBox::Ok);
  EXPECT_EQ(answer, QMessageBox::Cancel);
}

TEST_F(DialogSeamTest, RealErrorDisplayShowsTheText) {
  FOwner.show();
  QMessageBox* seen = nullptr;
  QString text;
  AnswerNextBox(QMessageBox::Ok, &seen, &text);
  ShowErrorDisplay(&FOwner, "Unable to write to /x");
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(text, "Unable to write to /x.");
}

TEST_F(DialogSeamTest, LanguageDialogOpensInTheFolderAndTakesANewName) {
  TestUtil::TTempDir dir;
  TestUtil::WriteFileBytes(dir.File("German.lng"), "[Translations]\n");
  FOwner.show();
  QString directory;
  QStringList filters;
  bool sizeGrip = false;
  QFileDialog::FileMode mode = QFileDialog::ExistingFile;
  // Notes the dialog's set-up, then types a new name into it and confirms.
  GuiTestUtil::OnNextModal([&](QWidget* dialog) {
    auto* files = qobject_cast<QFileDialog*>(dialog);
    if (!files) {
      dialog->close();
      return;
    }
    directory = files->directory().absolutePath();
    filters = files->nameFilters();
    sizeGrip = files->isSizeGripEnabled();
    mode = files->fileMode();
    if (auto* edit = files->findChild<QLineEdit*>("fileNameEdit")) edit->setText("Klingon.lng");
    // Any other mode would refuse a new name with a box of its own.
    QDialog* base = files;
    if (files->fileMode() == QFileDialog::AnyFile) base->accept();
    if (files->isVisible()) base->reject();  // the name was refused
  });
  QString path = "unchanged";
  const QString folder = QString::fromStdString(dir.Path());
  ASSERT_TRUE(DialogSeam().OpenLanguageFile(&FOwner, folder, path));
  EXPECT_EQ(path, QString::fromStdString(dir.File("Klingon.lng")));
  EXPECT_EQ(directory, QDir(folder).absolutePath());
  EXPECT_EQ(filters, QStringList{"Language Files (*.lng)"});
  EXPECT_TRUE(sizeGrip);
  EXPECT_EQ(mode, QFileDialog::AnyFile);
}

TEST_F(DialogSeamTest, CancelledLanguageDialogLeavesThePath) {
  FOwner.show();
  GuiTestUtil::OnNextModal([](QWidget* dialog) { dialog->close(); });
  QString path = "unchanged";
  EXPECT_FALSE(DialogSeam().OpenLanguageFile(&FOwner, QDir::tempPath(), path));
  EXPECT_EQ(path, "unchanged");
}

}  // namespace
