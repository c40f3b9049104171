// The main menu, its access keys, and the guard every handler runs under.
#include "app/qt/mainform.h"

#include <exception>
#include <string>
#include <vector>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include "app/accesskeys.h"
#include "app/qt/mainform_radiogroup.h"
#include "dialogs/qt/dialogseam.h"
#include "platform/locale.h"
#include "ui/artwork.h"
#include "ui/qttext.h"

namespace {

// Height of the menu bar, so that the area below it is the design's client
// area.
constexpr int MenuBarHeight = 19;

using QtText::ToUtf8;

// Gives the entries of one menu level their access keys.
void AssignKeys(const QList<QAction*>& actions) {
  std::vector<std::string> captions;
  std::vector<bool> hidden;
  for (const QAction* action : actions) {
    captions.push_back(action->isSeparator() ? std::string("-") : ToUtf8(action->text()));
    hidden.push_back(!action->isVisible());
  }
  const bool farEast = Platform::IsFarEastLocale(Platform::UserLocaleName());
  const std::vector<std::string> marked = App::AssignAccessKeys(captions, hidden, farEast);
  for (int i = 0; i < actions.size(); ++i) {
    if (actions[i]->isSeparator()) continue;
    actions[i]->setText(QtText::FromUtf8(marked[static_cast<std::size_t>(i)]));
  }
}

}  // namespace

void TMainForm::CreateMainMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setFixedHeight(MenuBarHeight);
  setMenuBar(MainMenu1);
  Register(MainMenu1, "MainMenu1", "TMainMenu");
  CreateFileMenu();
  CreateOptionsMenu();
  Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
  Register(Help1, "Help1", "TMenuItem");
  ContentsMnu = CreateMenuItem(Help1, "ContentsMnu", "Contents", -1, &TMainForm::ContentsMnuClick);
  ContentsMnu->setShortcut(QKeySequence(Qt::Key_F1));
  addAction(ContentsMnu);  // F1 works while no menu is open
  AboutMnu = CreateMenuItem(Help1, "AboutMnu", "About", 4, &TMainForm::AboutBtnClick);
  AssignMenuBarKeys();
  for (QMenu* menu : {File1, Options1, Help1})
    connect(menu, &QMenu::aboutToShow, this, [this, menu]() { AssignMenuKeys(menu); });
}

void TMainForm::CreateFileMenu() {
  File1 = MainMenu1->addMenu(QStringLiteral("File"));
  Register(File1, "File1", "TMenuItem");
  BrowseMnu = CreateMenuItem(File1, "BrowseMnu", "Select Directory", 2, &TMainForm::BrowseMnuClick);
  N2 = CreateMenuSeparator(File1, "N2");
  TestMnu = CreateMenuItem(File1, "TestMnu", "Test", 1, &TMainForm::TestMnuClick);
  RenameMnu = CreateMenuItem(File1, "RenameMnu", "Rename", 0, &TMainForm::GoBTnClick);
  UndoMnu = CreateMenuItem(File1, "UndoMnu", "Undo Rename", -1, &TMainForm::UndoMnuClick);
  UndoMnu->setEnabled(false);
  N5 = CreateMenuSeparator(File1, "N5");
  SavePresetMnu = CreateMenuItem(File1, "SavePresetMnu", "Save choices as\u2026", -1,
                                 &TMainForm::SavePresetMnuClick);
  LoadPresetMnu =
      CreateMenuItem(File1, "LoadPresetMnu", "Load choices", -1, &TMainForm::LoadPresetMnuClick);
  N1 = CreateMenuSeparator(File1, "N1");
  ExitMnu = CreateMenuItem(File1, "ExitMnu", "Exit", 5, &TMainForm::ExitBtnClick);
}

void TMainForm::CreateOptionsMenu() {
  Options1 = MainMenu1->addMenu(QStringLiteral("Options"));
  Register(Options1, "Options1", "TMenuItem");
  Language = CreateMenuItem(Options1, "Language", "Select Language", -1, &TMainForm::LanguageClick);
  N4 = CreateMenuSeparator(Options1, "N4");
  ShowErrorMnu = CreateMenuItem(Options1, "ShowErrorMnu", "Show error messages", -1,
                                &TMainForm::ShowErrorMnuClick);
  ShowErrorMnu->setCheckable(true);
  ShowErrorMnu->setChecked(true);
  WarnRenameMnu = CreateMenuItem(Options1, "WarnRenameMnu", "Warn before rename", -1,
                                 &TMainForm::WarnRenameMnuClick);
  WarnRenameMnu->setCheckable(true);
  HiddenMnu =
      CreateMenuItem(Options1, "HiddenMnu", "Show hidden files", -1, &TMainForm::HiddenMnuClick);
  HiddenMnu->setCheckable(true);
  HiddenMnu->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  addAction(HiddenMnu);  // Ctrl+H works while no menu is open
  UntangleMnu = CreateMenuItem(Options1, "UntangleMnu", "Untangle chains and swaps", -1,
                               &TMainForm::UntangleMnuClick);
  UntangleMnu->setCheckable(true);
  N3 = CreateMenuSeparator(Options1, "N3");
  RemoveMnu = CreateMenuItem(Options1, "RemoveMnu", "Remove selected file(s)", 3,
                             &TMainForm::RemoveBtnClick);
  ExploreMnu =
      CreateMenuItem(Options1, "ExploreMnu", "Explore folder", 2, &TMainForm::ExploreBtnClick);
}

// A checkable entry flips its own check before it reports the click; the
// handlers own the inversion, so the flip is taken back first.
QAction* TMainForm::CreateMenuItem(QMenu* menu, const char* name, const char* caption, int image,
                                   THandler handler) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  if (image >= 0) action->setIcon(Artwork::ImageList1(image));
  Register(action, name, "TMenuItem");
  connect(action, &QAction::triggered, this, [this, action, handler](bool checked) {
    if (action->isCheckable()) action->setChecked(!checked);
    Bind(handler)();
  });
  return action;
}

QAction* TMainForm::CreateMenuSeparator(QMenu* menu, const char* name) {
  QAction* separator = menu->addSeparator();
  separator->setProperty("Caption", QStringLiteral("-"));
  Register(separator, name, "TMenuItem");
  return separator;
}

void TMainForm::AssignMenuBarKeys() { AssignKeys(MainMenu1->actions()); }

void TMainForm::AssignMenuKeys(QMenu* menu) { AssignKeys(menu->actions()); }

// While long work goes on, the window draws and scrolls but starts nothing.
void TMainForm::RunGuarded(const std::function<void()>& handler) {
  if (FBusy) return;
  try {
    handler();
  } catch (const std::exception& error) {
    // An error that escapes a command is shown; the program carries on.
    ShowErrorDisplay(this, QtText::FromUtf8(error.what()));
  }
}

std::function<void()> TMainForm::Bind(THandler handler) {
  return [this, handler]() { RunGuarded([this, handler]() { (this->*handler)(); }); };
}
