#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "core/envguard.h"
#include "core/testutil.h"
#include "dialogs/displaypath.h"
#include "dialogs/qt/foldertreemodel.h"
#include "dialogs/qt/kvfolderdialog.h"
#include "platform/qt/desktop.h"
#include "ui/qttext.h"

namespace {

// What the open chooser showed.
struct TSeen {
  bool Opened = false;
  QString Title, Status;
  bool StatusVisible = false;
  std::string Selected;  // path of the current tree item, empty when none
  QRect Frame;
  bool Modal = false;
  QWidget* Parent = nullptr;
};

using TAction = std::function<void(QDialog*)>;

QPushButton* Button(QDialog* dialog, QDialogButtonBox::StandardButton which) {
  auto* box = dialog->findChild<QDialogButtonBox*>("ButtonBox");
  return box == nullptr ? nullptr : box->button(which);
}

void ClickOk(QDialog* dialog) { Button(dialog, QDialogButtonBox::Ok)->click(); }
void ClickCancel(QDialog* dialog) { Button(dialog, QDialogButtonBox::Cancel)->click(); }

TSeen Look(QDialog* dialog) {
  auto* status = dialog->findChild<QLabel*>("StatusLbl");
  return {true,
          dialog->findChild<QLabel*>("TitleLbl")->text(),
          status->text(),
          status->isVisible(),
          TFolderTreeModel::PathOf(dialog->findChild<QTreeView*>("FolderTree")->currentIndex()),
          dialog->frameGeometry(),
          dialog->isModal(),
          dialog->parentWidget()};
}

// Opens the chooser; once it is open, records what it shows and runs the
// action on it. A dialog still open after ten seconds is rejected.
bool RunChooser(TKvFolderDialog& chooser, TSeen& seen, const TAction& action) {
  const auto hook = QObject::connect(&chooser, &TKvFolderDialog::Initialized, [&](QWidget* w) {
    QPointer<QDialog> dialog = qobject_cast<QDialog*>(w);
    QTimer::singleShot(0, [&seen, action, dialog]() {
      if (dialog == nullptr) return;
      seen = Look(dialog);
      action(dialog);
    });
    QTimer::singleShot(10000, [dialog]() {
      if (dialog != nullptr) dialog->reject();
    });
  });
  const bool result = chooser.Execute();
  QObject::disconnect(hook);
  return result;
}

// Sets the user's locale for the length of a test.
struct TLocaleScope {
  explicit TLocaleScope(const char* name) {
    Messages.Set(nullptr);
    Lang.Set(nullptr);
    All.Set(name);
  }
  TestUtil::TEnvGuard All{"LC_ALL"}, Messages{"LC_MESSAGES"}, Lang{"LANG"};
};

class KvFolderDialogTest : public ::testing::Test {
 protected:
  // Opens a chooser on folder, runs action on it and returns the folder it
  // holds afterwards; Seen notes what it showed.
  std::string Choose(const std::string& folder, const TAction& action = ClickOk,
                     bool confirmed = true) {
    TKvFolderDialog chooser(&FOwner);
    chooser.SetFolder(folder);
    EXPECT_EQ(RunChooser(chooser, Seen, action), confirmed);
    return chooser.Folder();
  }
  QWidget FOwner;
  TestUtil::TTempDir FTemp;
  TSeen Seen;
};

// The root keeps its separator; a hidden folder can be preselected.
TEST_F(KvFolderDialogTest, ConfirmReturnsTheSelectedFolder) {
  const std::string hidden = FTemp.File(".cache");
  ASSERT_TRUE(std::filesystem::create_directory(hidden));
  const std::pair<std::string, std::string> cases[] = {
      {FTemp.Path(), Dialogs::MakeDisplayPath(FTemp.Path(), 50)},
      {"/", "/"},
      {hidden, Dialogs::MakeDisplayPath(hidden, 50)}};
  for (const auto& [folder, status] : cases) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(Choose(folder), folder);
    ASSERT_TRUE(Seen.Opened);
    EXPECT_EQ(Seen.Selected, folder);
    EXPECT_EQ(Seen.Status.toStdString(), status);
    EXPECT_TRUE(Seen.StatusVisible);
  }
  EXPECT_EQ(Choose(FTemp.Path() + "/"), FTemp.Path());  // the tree's path, without a separator
}

TEST_F(KvFolderDialogTest, LongPathIsShortenedOnTheStatusLine) {
  std::string path = FTemp.Path();
  for (const char* part : {"customer reports", "quarterly figures", "final", "signed copies"}) {
    path += std::string("/") + part;
    ASSERT_TRUE(std::filesystem::create_directory(path));
  }
  EXPECT_EQ(Choose(path), path);
  EXPECT_EQ(Seen.Selected, path);
  EXPECT_EQ(Seen.Status.toStdString(), Dialogs::MakeDisplayPath(path, 50));
  EXPECT_LE(Seen.Status.size(), 50);
  EXPECT_TRUE(Seen.Status.startsWith("/..."));
  EXPECT_TRUE(Seen.Status.endsWith("/signed copies"));
}

// Folder names are untrusted: one that looks like markup is shown as it stands.
TEST_F(KvFolderDialogTest, FolderNamesThatLookLikeMarkupAreShownAsTheyStand) {
  for (const char* name : {"<img src=\"&#47;dev&#47;zero\">", "<b>bold", "<a href=\"x\">a"}) {
    SCOPED_TRACE(name);
    const std::string path = FTemp.File(name);
    ASSERT_TRUE(std::filesystem::create_directory(path));
    Qt::TextFormat format = Qt::AutoText;
    EXPECT_EQ(Choose(path,
                     [&format](QDialog* dialog) {
                       format = dialog->findChild<QLabel*>("StatusLbl")->textFormat();
                       ClickOk(dialog);
                     }),
              path);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(Seen.Status.toStdString(), Dialogs::MakeDisplayPath(path, 50));
  }
}

// Folder names are bytes: one that is not UTF-8 is shown with a replacement
// character, and each folder whose name reads the same is chosen by its own bytes.
TEST_F(KvFolderDialogTest, FoldersAreChosenByTheirExactBytes) {
  const std::vector<std::string> names = {"caf\xe9", "caf\xef\xbf\xbd", "caf\xc3"};
  std::set<std::string> paths;
  for (const std::string& name : names) {
    paths.insert(FTemp.File(name));
    ASSERT_TRUE(std::filesystem::create_directory(FTemp.File(name)));
  }
  for (const std::string& path : paths) {  // preselected, shown, returned
    SCOPED_TRACE(path);
    EXPECT_EQ(Choose(path), path);
    EXPECT_EQ(Seen.Selected, path);
    EXPECT_EQ(Seen.Status, QtText::FromUtf8(Dialogs::MakeDisplayPath(path, 50)));
  }
  std::set<std::string> chosen;
  for (int row = 0; row < static_cast<int>(names.size()); ++row) {  // picked in the tree
    QStringList shown;
    chosen.insert(Choose(FTemp.Path(), [&](QDialog* dialog) {
      auto* tree = dialog->findChild<QTreeView*>("FolderTree");
      const QModelIndex folder = tree->currentIndex();
      tree->expand(folder);
      for (int i = 0; i < tree->model()->rowCount(folder); ++i)
        shown << tree->model()->index(i, 0, folder).data().toString();
      tree->setCurrentIndex(tree->model()->index(row, 0, folder));
      ClickOk(dialog);
    }));
    EXPECT_EQ(shown, QStringList(3, QStringLiteral(u"caf\uFFFD")));
  }
  EXPECT_EQ(chosen, paths);
}

// True once the current item of the tree lies in its visible area; waits up
// to five seconds for the tree to read the branches in the background.
bool CurrentItemComesIntoView(QDialog* dialog) {
  auto* tree = dialog->findChild<QTreeView*>("FolderTree");
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    const QRect item = tree->visualRect(tree->currentIndex());
    if (!item.isEmpty() && tree->viewport()->rect().contains(item)) return true;
  }
  return false;
}

TEST_F(KvFolderDialogTest, SelectedFolderIsScrolledIntoView) {
  for (int i = 0; i < 80; ++i)
    ASSERT_TRUE(std::filesystem::create_directory(FTemp.File("d" + std::to_string(100 + i))));
  const std::string target = FTemp.File("d179");
  bool inView = false;
  EXPECT_EQ(Choose(target,
                   [&](QDialog* dialog) {
                     inView = CurrentItemComesIntoView(dialog);
                     ClickOk(dialog);
                   }),
            target);
  EXPECT_TRUE(inView);
}

TEST_F(KvFolderDialogTest, CancelAndCloseLeaveTheFolderAlone) {
  const std::vector<std::pair<const char*, TAction>> endings = {
      {"Cancel", ClickCancel},
      {"close box", [](QDialog* dialog) { dialog->close(); }},
  };
  for (const auto& [name, ending] : endings) {
    SCOPED_TRACE(name);
    const auto toTheTop = [&](QDialog* dialog) {
      auto* tree = dialog->findChild<QTreeView*>("FolderTree");
      tree->setCurrentIndex(tree->model()->index(0, 0));  // the top, "/"
      ending(dialog);
    };
    EXPECT_EQ(Choose(FTemp.Path(), toTheTop, false), FTemp.Path());
    EXPECT_TRUE(Seen.Opened);
  }
}

TEST_F(KvFolderDialogTest, MissingFolderOrFileIsNotPreselected) {
  TestUtil::WriteFileBytes(FTemp.File("plain.txt"), "x");
  for (const std::string& folder :
       {FTemp.File("missing"), FTemp.File("plain.txt"), std::string()}) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(Choose(folder, ClickCancel, false), folder);
    ASSERT_TRUE(Seen.Opened);
    EXPECT_EQ(Seen.Selected, "/");  // the top of the tree, as it opens
  }
}

TEST_F(KvFolderDialogTest, OkStaysEnabledAfterSelectionChanges) {
  bool enabled = false;
  EXPECT_EQ(Choose(FTemp.Path(),
                   [&](QDialog* dialog) {
                     auto* tree = dialog->findChild<QTreeView*>("FolderTree");
                     tree->setCurrentIndex(tree->currentIndex().parent());
                     enabled = Button(dialog, QDialogButtonBox::Ok)->isEnabled();
                     ClickOk(dialog);
                   }),
            "/tmp");
  EXPECT_TRUE(enabled);
}

TEST_F(KvFolderDialogTest, OpensModalToItsOwnerAndCentredOnTheScreen) {
  TKvFolderDialog chooser(&FOwner);
  RunChooser(chooser, Seen, ClickCancel);
  ASSERT_TRUE(Seen.Opened);
  EXPECT_TRUE(Seen.Modal);
  EXPECT_EQ(Seen.Parent, &FOwner);
  const QSize screen = Platform::PrimaryScreenSize();
  EXPECT_EQ(Seen.Frame.x(), screen.width() / 2 - Seen.Frame.width() / 2);
  EXPECT_EQ(Seen.Frame.y(), screen.height() / 2 - Seen.Frame.height() / 2);
}

TEST_F(KvFolderDialogTest, StatusLineHiddenWithoutShowPath) {
  TKvFolderDialog chooser(&FOwner);
  chooser.SetShowPath(false);
  chooser.SetFolder(FTemp.Path());
  EXPECT_TRUE(RunChooser(chooser, Seen, ClickOk));
  EXPECT_FALSE(Seen.StatusVisible);
  EXPECT_EQ(chooser.Folder(), FTemp.Path());
}

TEST(KvFolderDialogTitle, FollowsTheUsersLanguage) {
  const struct {
    const char* Locale;
    const char* Title;
  } cases[] = {
      {"de_CH.UTF-8", "Ausgewählter Ordner:"},
      {"fr_BE.UTF-8", "Dossier Courant:"},
      {"pt_BR", "Pasta Atual:"},
      {"en_GB.UTF-8", "Current folder:"},
      {"ru_RU.UTF-8", "Current folder:"},
      {nullptr, "Current folder:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Locale == nullptr ? "(none)" : c.Locale);
    TLocaleScope locale(c.Locale);
    QWidget owner;
    TKvFolderDialog chooser(&owner);
    EXPECT_EQ(chooser.TitleText().toStdString(), c.Title);
    TSeen seen;
    RunChooser(chooser, seen, ClickCancel);
    EXPECT_EQ(seen.Title.toStdString(), c.Title);
  }
}

TEST(KvFolderDialogTitle, IsChosenAgainWhenTheCaptionsChange) {
  TLocaleScope locale("it_CH.UTF-8");
  TKvFolderDialog chooser(nullptr);
  EXPECT_EQ(chooser.TitleText().toStdString(), "Cartella selezionata:");
  chooser.SetLabelCaptions({{"0409", "Folder:"}, {"Default", "Fallback:"}});
  EXPECT_EQ(chooser.TitleText().toStdString(), "Fallback:");
  chooser.SetLabelCaptions({});
  EXPECT_TRUE(chooser.TitleText().isEmpty());
}

}  // namespace
