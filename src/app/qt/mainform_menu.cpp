// The main menu, its access keys, and the binding of every control to its
// handler.
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
    const std::string& caption = marked[static_cast<std::size_t>(i)];
    actions[i]->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  }
}

}  // namespace

void TMainForm::CreateMainMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setFixedHeight(MenuBarHeight);
  setMenuBar(MainMenu1);
  Register(MainMenu1, "MainMenu1", "TMainMenu");
  File1 = MainMenu1->addMenu(QStringLiteral("File"));
  Register(File1, "File1", "TMenuItem");
  BrowseMnu = CreateMenuItem(File1, "BrowseMnu", "Select Directory", 2);
  N2 = CreateMenuSeparator(File1, "N2");
  TestMnu = CreateMenuItem(File1, "TestMnu", "Test", 1);
  RenameMnu = CreateMenuItem(File1, "RenameMnu", "Rename", 0);
  N1 = CreateMenuSeparator(File1, "N1");
  ExitMnu = CreateMenuItem(File1, "ExitMnu", "Exit", 5);
  Options1 = MainMenu1->addMenu(QStringLiteral("Options"));
  Register(Options1, "Options1", "TMenuItem");
  Language = CreateMenuItem(Options1, "Language", "Select Language", -1);
  N4 = CreateMenuSeparator(Options1, "N4");
  ShowErrorMnu = CreateMenuItem(Options1, "ShowErrorMnu", "Show error messages", -1);
  ShowErrorMnu->setCheckable(true);
  ShowErrorMnu->setChecked(true);
  WarnRenameMnu = CreateMenuItem(Options1, "WarnRenameMnu", "Warn before rename", -1);
  WarnRenameMnu->setCheckable(true);
  N3 = CreateMenuSeparator(Options1, "N3");
  RemoveMnu = CreateMenuItem(Options1, "RemoveMnu", "Remove selected file(s)", 3);
  ExploreMnu = CreateMenuItem(Options1, "ExploreMnu", "Explore folder", 2);
  Help1 = MainMenu1->addMenu(QStringLiteral("Help"));
  Register(Help1, "Help1", "TMenuItem");
  ContentsMnu = CreateMenuItem(Help1, "ContentsMnu", "Contents", -1);
  ContentsMnu->setShortcut(QKeySequence(Qt::Key_F1));
  addAction(ContentsMnu);  // F1 works while no menu is open
  AboutMnu = CreateMenuItem(Help1, "AboutMnu", "About", 4);
  AssignMenuBarKeys();
  for (QMenu* menu : {File1, Options1, Help1})
    connect(menu, &QMenu::aboutToShow, this, [this, menu]() { AssignMenuKeys(menu); });
}

QAction* TMainForm::CreateMenuItem(QMenu* menu, const char* name, const char* caption, int image) {
  QAction* action = menu->addAction(QString::fromUtf8(caption));
  if (image >= 0) action->setIcon(Artwork::ImageList1(image));
  Register(action, name, "TMenuItem");
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

void TMainForm::RunGuarded(const char* name, const std::function<void()>& handler) {
  if (FBindingProbe && FBindingProbe(name)) return;
  try {
    handler();
  } catch (const std::exception& error) {
    // An error that escapes a command is shown; the program carries on.
    ShowErrorDisplay(this, QString::fromUtf8(error.what()));
  }
}

std::function<void()> TMainForm::Bind(const char* name, void (TMainForm::*handler)()) {
  return [this, name, handler]() { RunGuarded(name, [this, handler]() { (this->*handler)(); }); };
}

void TMainForm::SetBindingProbe(std::function<bool(const char*)> probe) {
  FBindingProbe = std::move(probe);
}

void TMainForm::ConnectHandlers() {
  ConnectToolBar();
  ConnectMenus();
  ConnectBrowser();
  for (TRadioGroup* group : {RadioGroup1, RadioGroup2, RadioGroup3, RadioGroup4}) {
    connect(group, &TRadioGroup::Click, this, [this, group]() {
      RunGuarded("RadioEnableClick", [this, group]() { RadioEnableClick(group); });
    });
  }
  // Clicking a tab makes its page active, also while no page is.
  connect(PageControl1, &QTabWidget::tabBarClicked, this, [this](int index) {
    if (index >= 0) SetActivePageIndex(index);
  });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    if (FNoActivePage && index >= 0) SetActivePageIndex(index);
  });
}

void TMainForm::ConnectToolBar() {
  connect(GoBTn, &QToolButton::clicked, this, Bind("GoBTnClick", &TMainForm::GoBTnClick));
  connect(TestBtn, &QToolButton::clicked, this, Bind("TestMnuClick", &TMainForm::TestMnuClick));
  connect(ExploreBtn, &QToolButton::clicked, this,
          Bind("ExploreBtnClick", &TMainForm::ExploreBtnClick));
  connect(RemoveBtn, &QToolButton::clicked, this,
          Bind("RemoveBtnClick", &TMainForm::RemoveBtnClick));
  connect(AboutBtn, &QToolButton::clicked, this, Bind("AboutBtnClick", &TMainForm::AboutBtnClick));
  connect(ExitBtn, &QToolButton::clicked, this, Bind("ExitBtnClick", &TMainForm::ExitBtnClick));
}

void TMainForm::ConnectMenus() {
  connect(BrowseMnu, &QAction::triggered, this, Bind("BrowseMnuClick", &TMainForm::BrowseMnuClick));
  connect(TestMnu, &QAction::triggered, this, Bind("TestMnuClick", &TMainForm::TestMnuClick));
  connect(RenameMnu, &QAction::triggered, this, Bind("GoBTnClick", &TMainForm::GoBTnClick));
  connect(ExitMnu, &QAction::triggered, this, Bind("ExitBtnClick", &TMainForm::ExitBtnClick));
  connect(Language, &QAction::triggered, this, Bind("LanguageClick", &TMainForm::LanguageClick));
  connect(RemoveMnu, &QAction::triggered, this, Bind("RemoveBtnClick", &TMainForm::RemoveBtnClick));
  connect(ExploreMnu, &QAction::triggered, this,
          Bind("ExploreBtnClick", &TMainForm::ExploreBtnClick));
  connect(ContentsMnu, &QAction::triggered, this,
          Bind("ContentsMnuClick", &TMainForm::ContentsMnuClick));
  connect(AboutMnu, &QAction::triggered, this, Bind("AboutBtnClick", &TMainForm::AboutBtnClick));
  // A checkable action flips its own check before it reports the click; the
  // handler owns the inversion, so the flip is taken back first.
  connect(ShowErrorMnu, &QAction::triggered, this, [this](bool checked) {
    ShowErrorMnu->setChecked(!checked);
    Bind("ShowErrorMnuClick", &TMainForm::ShowErrorMnuClick)();
  });
  connect(WarnRenameMnu, &QAction::triggered, this, [this](bool checked) {
    WarnRenameMnu->setChecked(!checked);
    Bind("WarnRenameMnuClick", &TMainForm::WarnRenameMnuClick)();
  });
}

void TMainForm::ConnectBrowser() {
  connect(BrowseDirEdit, &QToolButton::clicked, this,
          Bind("BrowseMnuClick", &TMainForm::BrowseMnuClick));
  connect(RefreshBtn, &QToolButton::clicked, this,
          Bind("RefreshBtnClick", &TMainForm::RefreshBtnClick));
  connect(FilterCmb, &QComboBox::editTextChanged, this,
          Bind("FilterCmbExit", &TMainForm::FilterCmbExit));
  // Leaving the box and keys pressed in it arrive through eventFilter.
  FilterCmb->installEventFilter(this);
  FilterCmb->lineEdit()->installEventFilter(this);
}
