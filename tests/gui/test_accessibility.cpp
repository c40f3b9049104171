// A screen reader can name every control a user can reach or press: in the
// main window, in English and in every shipped language, and in the dialogs
// it opens. The names translate with the rest of the window.
#include <filesystem>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "dialogs/qt/aboutform.h"
#include "dialogs/qt/kvfolderdialog.h"
#include "gui/mainformfixture.h"
#include "rename/qt/messageboxrenameui.h"
#include "settings/inifile.h"
#include "ui/accessiblenames.h"

namespace {

bool Reachable(QAccessibleInterface& node) {
  const QAccessible::Role role = node.role();
  return node.state().focusable || role == QAccessible::Button || role == QAccessible::PushButton ||
         role == QAccessible::CheckBox || role == QAccessible::RadioButton;
}

// The shown controls below node that a user can reach or press and that have
// no name, as "class 'objectName'".
void CollectUnnamed(QAccessibleInterface* node, std::vector<std::string>& unnamed) {
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (!child || child->state().invisible) continue;
    auto* widget = qobject_cast<QWidget*>(child->object());  // items of lists are cells
    if (widget && Reachable(*child) && child->text(QAccessible::Name).trimmed().isEmpty())
      unnamed.push_back(std::string(widget->metaObject()->className()) + " '" +
                        widget->objectName().toStdString() + "'");
    CollectUnnamed(child, unnamed);
  }
}

std::vector<std::string> Unnamed(QWidget* window) {
  std::vector<std::string> unnamed;
  CollectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
  return unnamed;
}

std::vector<std::string> LanguageFiles() {
  std::vector<std::string> files = {""};
  for (const auto& entry : std::filesystem::directory_iterator(MORVANE_SOURCE_DIR "/lang"))
    if (entry.path().extension() == ".lng") files.push_back(entry.path().string());
  return files;
}

class WindowNames : public TMainFormFixture, public ::testing::WithParamInterface<std::string> {};

// Each page in turn (the other is hidden), the file list holding rows.
TEST_P(WindowNames, EveryControlHasANameInItsLanguage) {
  WriteSettings(GetParam().empty() ? LanguageEntry() + "\r\n"
                                   : "[Language]\r\nMainForm=" + GetParam() + "\r\n");
  TMainForm& form = StartShown();
  ScanFiles({"a.txt"});
  for (int page = 0; page < Ui(form).PageControl1->count(); ++page) {
    form.SetActivePageIndex(page);
    QApplication::processEvents();
    EXPECT_EQ(Unnamed(&form), std::vector<std::string>()) << "page " << page;
  }
  // Own names come from the language file, the others from their labels.
  Settings::TIniFile file(GetParam().empty() ? Dir.File("Language.lng") : GetParam());
  for (const char* name : {"RefreshBtn", "BrowseDirEdit", "Edit1", "Edit3", "Edit4"}) {
    auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
    const std::string key = std::string("MainForm.") + name + ".AccessibleName";
    EXPECT_EQ(control->accessibleName().toStdString(), file.ReadText("Translations", key, ""));
  }
  const std::pair<QLabel*, QWidget*> named[] = {
      {Ui(form).DirTitleLbl, Ui(form).DirEdit},
      {Ui(form).FilterLbl, Ui(form).FilterCmb->lineEdit()},
      {Ui(form).SortLbl, Ui(form).SortCmb},
      {Ui(form).FileBrowseTitleLbl, Ui(form).FileList}};
  for (const auto& [label, control] : named)
    EXPECT_EQ(control->accessibleName(), AccessibleNames::Spoken(label->text()));
  // An icon button's tooltip says more than its name.
  QAccessibleInterface* refresh = QAccessible::queryAccessibleInterface(Ui(form).RefreshBtn);
  EXPECT_EQ(refresh->text(QAccessible::Description), Ui(form).RefreshBtn->toolTip());
}

INSTANTIATE_TEST_SUITE_P(Shipped, WindowNames, ::testing::ValuesIn(LanguageFiles()),
                         [](const auto& info) {
                           std::string name = std::filesystem::path(info.param).stem().string();
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name.empty() ? std::string("BuiltIn") : name;
                         });

class AccessibleNamesTest : public TMainFormFixture {};

// A file without the names keeps the built-in ones; a label's change reaches
// its control, and a language file's own name wins over the label.
TEST_F(AccessibleNamesTest, FollowTheLanguageChosenAtRunTime) {
  StartWithLanguageEntry();
  ChooseLanguage("old.lng",
                 "MainForm.DirTitleLbl.Caption=Dossier &courant :\r\n"
                 "MainForm.FilterLbl.Caption=Fi&ltre:\r\n"
                 "MainForm.FileList.AccessibleName=Fichiers\r\n");
  EXPECT_EQ(Ui(*Form).RefreshBtn->accessibleName(), QStringLiteral("Refresh"));
  EXPECT_EQ(Ui(*Form).DirEdit->accessibleName(), QStringLiteral("Dossier courant"));
  EXPECT_EQ(Ui(*Form).FileList->accessibleName(), QStringLiteral("Fichiers"));
  EXPECT_EQ(Ui(*Form).FilterCmb->lineEdit()->accessibleName(), QStringLiteral("Filtre"));
  // A marked letter of a label moves to its control.
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  QTest::keyClick(Form.get(), Qt::Key_L, Qt::AltModifier);
  QWidget* focus = QApplication::focusWidget();
  EXPECT_TRUE(focus == Ui(*Form).FilterCmb || Ui(*Form).FilterCmb->isAncestorOf(focus));
}

TEST(Spoken, DropsMarksAndAFinalColon) {
  const std::pair<const char*, const char*> cases[] = {{"Sort order:", "Sort order"},
                                                       {"Dossier courant :", "Dossier courant"},
                                                       {"&Filter", "Filter"},
                                                       {"Drag && drop", "Drag & drop"},
                                                       {"a:b", "a:b"},
                                                       {"end&", "end"}};
  for (const auto& [caption, spoken] : cases)
    EXPECT_EQ(AccessibleNames::Spoken(QString::fromUtf8(caption)), QString::fromUtf8(spoken));
}

class DialogNames : public TMainFormFixture {
 protected:
  // Opens a modal dialog with open, and notes its unnamed controls.
  std::vector<std::string> UnnamedIn(const std::function<void()>& open) {
    std::vector<std::string> unnamed = {"no dialog"};
    GuiTestUtil::OnNextModal([&unnamed](QWidget* dialog) {
      unnamed = Unnamed(dialog);
      dialog->close();
    });
    open();
    return unnamed;
  }
};

TEST_F(DialogNames, TheFolderChooserTheAboutBoxAndTheBoxesOfTheRunNameEveryControl) {
  Seam.RealMessageBoxes = true;
  StartWithLanguageEntry();
  const std::vector<std::string> none;
  TKvFolderDialog chooser(Form.get());
  EXPECT_EQ(UnnamedIn([&chooser]() { chooser.Execute(); }), none);
  EXPECT_EQ(UnnamedIn([]() { TAboutForm(nullptr).exec(); }), none);
  TMessageBoxRenameUi boxes(Form.get(), nullptr, nullptr);
  EXPECT_EQ(UnnamedIn([&boxes]() { boxes.ConfirmRename("Really?"); }), none);
  EXPECT_EQ(UnnamedIn([&boxes]() { boxes.RenameFailed("Cannot rename a to b!"); }), none);
  EXPECT_EQ(UnnamedIn([this]() { ShowErrorDisplay(Form.get(), QStringLiteral("Failed")); }), none);
}

}  // namespace
