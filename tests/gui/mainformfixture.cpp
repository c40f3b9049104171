#include "gui/mainformfixture.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTreeView>
#include <QWidget>

#include "dialogs/qt/kvfolderdialog.h"
#include "filelist/qt/filelistmodel.h"
#include "platform/filesystem.h"

TMainFormControls& TMainFormProbe::Controls(TMainForm& form) { return form; }

TMainFormControls& Ui(TMainForm& form) { return TMainFormProbe::Controls(form); }

bool TMainFormSeam::OpenLanguageFile(QWidget* owner, const QString& dir, QString& path) {
  ++LanguageOffers;
  OfferedWhileShown = OfferedWhileShown || (owner && owner->isVisible());
  OfferedDir = dir;
  if (LanguageFile.isEmpty()) return false;
  path = LanguageFile;
  return true;
}

bool TMainFormSeam::BrowseFolder(TKvFolderDialog& dialog) {
  ++FolderOffers;
  FolderOnEntry = dialog.Folder();
  if (!Folder) return false;
  dialog.SetFolder(*Folder);
  return true;
}

bool TMainFormSeam::AskText(QWidget*, const QString&, const QString& prompt, QString& text) {
  Prompts.append(prompt);
  if (!TextAnswer) return false;
  text = *TextAnswer;
  return true;
}

bool TMainFormSeam::ChooseItem(QWidget*, const QString&, const QString& prompt,
                               const QStringList& items, QString& chosen) {
  Prompts.append(prompt);
  Offered = items;
  if (!TextAnswer) return false;
  chosen = *TextAnswer;
  return true;
}

void TMainFormFixture::SetUp() {
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Morvane"));
  SetDialogSeam(&Seam);
}

void TMainFormFixture::TearDown() {
  Form.reset();
  SetDialogSeam(nullptr);
  Platform::SetFileSystem(nullptr);
}

TMainFormPaths TMainFormFixture::Paths() const {
  return {Dir.Path() + "/", Dir.File("morvane.ini")};
}

std::string TMainFormFixture::LanguageEntry() const {
  return "[Language]\r\nMainForm=" + Dir.File("Language.lng");
}

void TMainFormFixture::WriteSettings(const std::string& text) {
  TestUtil::WriteFileBytes(Paths().SettingsFile, text);
}

std::string TMainFormFixture::Settings() const {
  return TestUtil::ReadFileBytes(Paths().SettingsFile);
}

TMainForm& TMainFormFixture::Start() {
  Form = std::make_unique<TMainForm>(Paths());
  return *Form;
}

TMainForm& TMainFormFixture::StartShown() {
  Start().show();
  QApplication::processEvents();
  return *Form;
}

TMainForm& TMainFormFixture::StartWithLanguageEntry() {
  WriteSettings(LanguageEntry() + "\r\n");
  return StartShown();
}

void TMainFormFixture::ScanFiles(const std::vector<std::string>& names) {
  for (const std::string& name : names) TestUtil::WriteFileBytes(Files.File(name), name);
  Seam.Folder = Files.Path();
  Ui(*Form).BrowseMnu->trigger();
}

void TMainFormFixture::OfferLanguage(const std::string& name, const std::string& translations) {
  TestUtil::WriteFileBytes(Dir.File(name), "[Translations]\r\n" + translations);
  Seam.LanguageFile = QString::fromStdString(Dir.File(name));
}

void TMainFormFixture::ChooseLanguage(const std::string& name, const std::string& translations) {
  OfferLanguage(name, translations);
  Ui(*Form).Language->trigger();
}

void TMainFormFixture::SetReplace(const char* from, const char* to) {
  Form->SetActivePageIndex(1);
  Ui(*Form).Edit5->setText(QString::fromUtf8(from));
  Ui(*Form).Edit6->setText(QString::fromUtf8(to));
}

void TMainFormFixture::SelectRows(const std::set<int>& rows) {
  for (int row : rows)
    Ui(*Form).FileList->selectionModel()->select(
        Form->FileListModel()->index(row, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

TNames TMainFormFixture::OldNames() const {
  std::vector<std::string> names;
  for (const auto& item : Form->FileListModel()->Items()) names.push_back(item.OldName);
  return names;
}

TNames TMainFormFixture::NewNames() const {
  std::vector<std::string> names;
  for (const auto& item : Form->FileListModel()->Items()) names.push_back(item.NewName);
  return names;
}

TNames TMainFormFixture::FileNames() const { return TestUtil::ListNames(Files.Path()); }
