// Start-up, the settings file, the language files and the program's entry.
#include "app/qt/mainform.h"

#include <exception>
#include <memory>
#include <string>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QString>
#include <QTimer>

#include "app/qt/mainform_radiogroup.h"
#include "dialogs/qt/dialogseam.h"
#include "dialogs/qt/kvfolderdialog.h"
#include "filelist/qt/filelistmodel.h"
#include "lang/qt/qtformmodel.h"
#include "lang/tovlanguage.h"
#include "settings/inifile.h"
#include "ui/qttext.h"

namespace {

// The open-file dialog of the language component, owned by the main window.
class TFormLanguageChooser : public Lang::TLanguageFileChooser {
 public:
  explicit TFormLanguageChooser(QWidget* owner) : FOwner(owner) {}

  bool ChooseLanguageFile(const std::string& initialDir, std::string& path) override {
    QString chosen;
    if (!DialogSeam().OpenLanguageFile(FOwner, QtText::FromUtf8(initialDir), chosen)) return false;
    path = QtText::ToUtf8(chosen);
    return true;
  }

 private:
  QWidget* FOwner;
};

}  // namespace

void TMainForm::CreateComponents() {
  ImageList1 = new QObject(this);
  Register(ImageList1, "ImageList1", "TImageList");
  DirDlg = new TKvFolderDialog(this);
  DirDlg->SetShowPath(true);
  DirDlg->SetNewFolderVisible(false);
  DirDlg->SetNewFolderEnabled(false);
  Register(DirDlg, "DirDlg", "TKvFolderDialog");
  FLanguageChooser = std::make_unique<TFormLanguageChooser>(this);
  FLanguage =
      std::make_unique<Lang::TtovLanguage>(*FLanguageChooser, FPaths.AppDir, FPaths.SettingsFile);
  tovLanguage1 = FLanguage.get();
  Register(new QObject(this), "tovLanguage1", "TtovLanguage");
}

void TMainForm::StartUp() {
  setWindowTitle(ApplicationTitle());
  ReadSettings();
  tovLanguage1->InitLanguage(*FFormModel);
  AssignMenuBarKeys();
  SetAllLangEl();
  FilterCmb->setCurrentIndex(0);
  FilterCmbExit();
  BuildSortChoices();
}

// Steps 2 to 7: the store object lives until all settings are read.
void TMainForm::ReadSettings() {
  Settings::TIniFile ini(FPaths.SettingsFile);
  if (ini.ReadText("Language", "MainForm", "").empty()) {
    tovLanguage1->ChangeLanguage(*FFormModel);
    AssignMenuBarKeys();
  }
  QRect b = CountedBounds();
  SetCountedBounds(b.x(), ini.ReadNumber("form", "t", b.y()), b.width(), b.height());
  b = CountedBounds();
  SetCountedBounds(ini.ReadNumber("form", "l", b.x()), b.y(), b.width(), b.height());
  b = CountedBounds();
  SetCountedBounds(b.x(), b.y(), ini.ReadNumber("form", "w", b.width()), b.height());
  b = CountedBounds();
  SetCountedBounds(b.x(), b.y(), b.width(), ini.ReadNumber("form", "h", b.height()));
  ShowErrorMnu->setChecked(ini.ReadFlag("option", "showerrors", true));
  WarnRenameMnu->setChecked(ini.ReadFlag("option", "warnrename", true));
  SetActivePageIndex(ini.ReadNumber("option", "activepage", 0));
  HiddenMnu->setChecked(ini.ReadFlag("option", "showhidden", false));
  UntangleMnu->setChecked(ini.ReadFlag("option", "untangle", false));
}

void TMainForm::BuildSortChoices() {
  SortCmb->clear();
  const QString inverse = QStringLiteral(" ") + InverseLbl->text();
  SortCmb->addItems({AlphaLbl->text(), DateTimeLbl->text(), AlphaLbl->text() + inverse,
                     DateTimeLbl->text() + inverse, NaturalLbl->text(),
                     NaturalLbl->text() + inverse, DateTakenLbl->text(),
                     DateTakenLbl->text() + inverse});
  SortCmb->setCurrentIndex(0);
}

void TMainForm::SetAllLangEl() {
  const QStringList yesNo = {YesLbl->text(), NoLbl->text()};
  RadioGroup1->SetItems(yesNo);
  RadioGroup1->SetItemIndex(1);
  RadioGroup2->SetItems({OriginalNameLbl->text(), NumberLbl->text(), CleverNumberLbl->text()});
  RadioGroup2->SetItemIndex(1);
  RadioGroup3->SetItems(yesNo);
  RadioGroup3->SetItemIndex(1);
  RadioGroup4->SetItems(yesNo);
  RadioGroup4->SetItemIndex(1);
  RadioGroup6->SetItems({DontChangeLbl->text(), UpperCaseLbl->text(), LowerCaseLbl->text()});
  RadioGroup6->SetItemIndex(0);
  FModel->SetColumnTitles(OldNameLbl->text(), NewNameLbl->text());
  ApplyTabOrder();
}

// The run-time texts follow also when the user cancels the choice.
void TMainForm::LanguageClick() {
  tovLanguage1->ChangeLanguage(*FFormModel);
  AssignMenuBarKeys();
  SetAllLangEl();
}

void TMainForm::FormClose() {
  Settings::TIniFile ini(FPaths.SettingsFile);
  const QRect bounds = CountedBounds();
  ini.WriteNumber("form", "t", bounds.y());
  ini.WriteNumber("form", "l", bounds.x());
  ini.WriteNumber("form", "w", bounds.width());
  ini.WriteNumber("form", "h", bounds.height());
  ini.WriteFlag("option", "showerrors", ShowErrorMnu->isChecked());
  ini.WriteFlag("option", "warnrename", WarnRenameMnu->isChecked());
  ini.WriteNumber("option", "activepage", ActivePageIndex());
  ini.WriteFlag("option", "showhidden", HiddenMnu->isChecked());
  ini.WriteFlag("option", "untangle", UntangleMnu->isChecked());
}

// Settings that cannot be saved keep the window open.
void TMainForm::closeEvent(QCloseEvent* event) {
  if (FBusy) return event->ignore();  // the work in progress ends first
  try {
    FormClose();
  } catch (const std::exception& error) {
    ShowErrorDisplay(this, QtText::FromUtf8(error.what()));
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

int RunApplication(const TMainFormPaths& paths, const App::TStartFolder& start) {
  QGuiApplication::setApplicationDisplayName(TMainForm::ApplicationTitle());
  std::unique_ptr<TMainForm> form;
  try {
    form = std::make_unique<TMainForm>(paths);
  } catch (const std::exception& error) {
    ShowErrorDisplay(nullptr, QtText::FromUtf8(error.what()));
    return 0;
  }
  form->show();
  // The folder asked for is read once the window is on screen, so that a
  // large one never delays its first drawing.
  QTimer::singleShot(0, form.get(), [&form, &start]() {
    try {
      form->OpenStart(start);
    } catch (const std::exception& error) {
      ShowErrorDisplay(form.get(), QtText::FromUtf8(error.what()));
    }
  });
  QApplication::exec();
  return 0;
}
