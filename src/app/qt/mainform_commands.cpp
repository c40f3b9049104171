// The commands of the main window.
#include "app/qt/mainform.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTreeView>

#include "app/helpfile.h"
#include "app/qt/mainform_radiogroup.h"
#include "dialogs/qt/aboutform.h"
#include "dialogs/qt/dialogseam.h"
#include "dialogs/qt/kvfolderdialog.h"
#include "filelist/facts.h"
#include "filelist/filter.h"
#include "filelist/qt/filelistmodel.h"
#include "filelist/scan.h"
#include "filelist/visiblename.h"
#include "platform/filesystem.h"
#include "platform/qt/desktop.h"
#include "rename/conflicts.h"
#include "rename/failtext.h"
#include "rename/journal.h"
#include "rename/qt/messageboxrenameui.h"
#include "rename/qt/threadedrenameui.h"
#include "rename/renamerun.h"
#include "rename/undorun.h"
#include "settings/paths.h"
#include "ui/mirror.h"
#include "ui/qttext.h"

namespace {

// Virtual-key codes of the key-down handler.
constexpr int VkTab = 9;
constexpr int VkReturn = 13;

using QtText::ToUtf8;

using QtText::FromUtf8;

// Marks the rows whose move will fail over the directory as it is now; the
// outcome of an earlier run is forgotten.
void MarkRows(FileList::TFileItems& items, const std::string& dirText) {
  for (FileList::TFileItem& item : items) {
    item.Status = FileList::TMoveStatus::Pending;
    item.Error = 0;
  }
  const Platform::TDirectory dir(Platform::FileSystem(), dirText);
  Rename::MarkConflicts(items, Rename::ViewOf(dir));
}

}  // namespace

// What both run commands read from the window; confirm is the text of the
// confirmation box.
Rename::TRenameRequest TMainForm::RunRequest(const QLabel* confirm) const {
  Rename::TRenameRequest request;
  request.Dir = DirectoryBytes();
  request.WarnBeforeRename = WarnRenameMnu->isChecked();
  request.ShowErrors = ShowErrorMnu->isChecked();
  request.Texts.RenameMsg = ToUtf8(confirm->text());
  request.Texts.CantRen = ToUtf8(CantRenLbl->text());
  request.Texts.Ren = ToUtf8(RenLbl->text());
  request.Texts.NoUndo = ToUtf8(NoUndoLbl->text());
  request.JournalFolder = Rename::JournalFolder();
  return request;
}

void TMainForm::GoBTnClick() {
  if (FModel->rowCount() == 0) return;
  Rename::TRenameRequest request = RunRequest(RenameMsgLbl);
  request.Preview = PreviewOptions();
  request.FactsReader = FactsReader();
  request.Untangle = UntangleMnu->isChecked();
  TMessageBoxRenameUi boxes(this, ActionLbl, ProgressBar1);
  boxes.SetTotal(static_cast<std::size_t>(FModel->rowCount()));
  TThreadedRenameUi ui(boxes, this, FStop);
  // The rows are copied on the worker too: the list only reads them meanwhile.
  FileList::TFileItems run;
  Rename::TRunOutcome result;
  if (!RunOffThread([&]() {
        run = FModel->Items();
        result = Rename::RunRename(Platform::FileSystem(), run, request, ui);
      }))
    return;
  if (result.FolderBusy) return ShowWarning(ToUtf8(BusyDirLbl->text()));
  ShowErrorMnu->setChecked(result.ShowErrors);
  if (!result.Ran) return;  // cancelled before anything changed
  FollowSelection(run);
  RefreshBtnClick();
  Rename::KeepFailures(FModel->MutableItems(), run);
  FModel->NewNamesChanged();
  ShowStranded(result);
  ShowUncheckedMoves(result);
}

void TMainForm::ShowStranded(const Rename::TRunOutcome& outcome) {
  std::string text;
  for (const auto& [temporary, home] : outcome.StrandedNames) {
    if (!text.empty()) text += "\n";
    text += Rename::FormatFailText(ToUtf8(CantRenLbl->text()),
                                   FileList::PathIn(DirectoryBytes(), temporary),
                                   FileList::PathIn(DirectoryBytes(), home));
  }
  if (!text.empty()) ShowWarning(text);
}

// Says how many moves were made by a check and a plain rename, where a file
// created in between under a new name would have been replaced.
void TMainForm::ShowUncheckedMoves(const Rename::TRunOutcome& outcome) {
  if (outcome.Unchecked == 0) return;
  ShowWarning(Rename::FillIn(ToUtf8(UncheckedLbl->text()), std::to_string(outcome.Unchecked)));
}

void TMainForm::TestMnuClick() {
  FileList::TFileItems rows;
  const Rename::TPreviewOptions options = PreviewOptions();
  const std::string dir = DirectoryBytes();
  const FileList::TFactsReader reader = FactsReader();
  if (!RunOffThread([&]() {
        rows = FModel->Items();  // copied on the worker: the list only reads them meanwhile
        Rename::PreviewReading(rows, options, dir, reader);
        MarkRows(rows, dir);
      }))
    return;
  FModel->MutableItems() = std::move(rows);
  FModel->NewNamesChanged();
}

// A failed move names its cause (the system's, or the conflict that kept it
// from being tried) and both paths; a foreseen failure its reason. Reasons are
// read from the run-time texts when the tooltip is shown.
QString TMainForm::MarkText(const FileList::TFileItem& item) const {
  if (item.Status != FileList::TMoveStatus::Failed) return ConflictText(item.Conflict);
  const std::string dir = DirectoryBytes();
  const QString cause =
      item.Error != 0 ? FromUtf8(Platform::ErrorText(item.Error)) : ConflictText(item.Conflict);
  return cause + "\n" + FromUtf8(FileList::VisibleName(FileList::PathIn(dir, item.OldName))) +
         "\n" + FromUtf8(FileList::VisibleName(FileList::PathIn(dir, item.NewName)));
}

QString TMainForm::ConflictText(FileList::TConflict conflict) const {
  using FileList::TConflict;
  switch (conflict) {
    case TConflict::Taken:
      return TakenLbl->text();
    case TConflict::Chain:
      return ChainLbl->text();
    case TConflict::Duplicate:
      return DuplicateLbl->text();
    case TConflict::Gone:
      return GoneLbl->text();
    case TConflict::Empty:
      return EmptyLbl->text();
    case TConflict::TooLong:
      return TooLongLbl->text();
    case TConflict::Folder:
      return FolderLbl->text();
    case TConflict::NoFolder:
      return NoFolderLbl->text();
    case TConflict::Missing:
      return MissingLbl->text();
    case TConflict::None:
      break;
  }
  return {};
}

// Undo asks as Rename does, moves back what the last run of the directory
// moved, and shows the folder anew with the moves back that failed marked;
// then it lists the pairs it could not undo.
void TMainForm::UndoMnuClick() {
  TMessageBoxRenameUi boxes(this, ActionLbl, ProgressBar1);
  TThreadedRenameUi ui(boxes, this, FStop);
  const Rename::TRenameRequest request = RunRequest(UndoMsgLbl);
  Rename::TUndoOutcome outcome;
  if (!RunOffThread([&]() { outcome = Rename::RunUndo(Platform::FileSystem(), request, ui); }))
    return;
  if (!outcome.Found) return UpdateUndoMnu();
  if (outcome.FolderBusy) return ShowWarning(ToUtf8(BusyDirLbl->text()));
  if (!outcome.Run.Ran) return;
  if (!outcome.Damage.empty())
    return ShowWarning(Rename::FillIn(ToUtf8(DamagedLbl->text()), outcome.Damage));
  ShowErrorMnu->setChecked(outcome.Run.ShowErrors);
  FollowSelection(outcome.Moves);
  RefreshBtnClick();
  Rename::KeepFailures(FModel->MutableItems(), Rename::UndoFailures(outcome));
  FModel->NewNamesChanged();
  ShowUndoProblems(outcome.Left);
  ShowUncheckedMoves(outcome.Run);
}

// One box lists what could not be undone, the list shown behind it.
void TMainForm::ShowUndoProblems(const std::vector<Rename::TUndoLeft>& left) {
  if (left.empty()) return;
  Rename::TUndoTexts texts;
  texts.NotUndone = ToUtf8(NotUndoneLbl->text());
  texts.Taken = ToUtf8(UndoTakenLbl->text());
  texts.Gone = ToUtf8(UndoGoneLbl->text());
  texts.More = ToUtf8(MoreNotUndoneLbl->text());
  texts.Other = ToUtf8(UndoOtherLbl->text());
  texts.Folder = ToUtf8(UndoFolderLbl->text());
  ShowWarning(Rename::UndoProblemsText(DirectoryBytes(), left, texts));
}

void TMainForm::ShowWarning(const std::string& text) {
  DialogSeam().MessageBox(this, FromUtf8(text), QGuiApplication::applicationDisplayName(),
                          QMessageBox::Ok, QMessageBox::Warning, QMessageBox::Ok);
}

void TMainForm::UpdateUndoMnu() {
  const Platform::TDirectory dir(Platform::FileSystem(), DirectoryBytes());
  UndoMnu->setEnabled(Rename::HasRunToUndo(dir, Rename::JournalFolder()));
}

void TMainForm::ExploreBtnClick() { Platform::ShellOpen(DirEdit->text()); }

void TMainForm::RemoveBtnClick() { FModel->RemoveRows(FileList->selectionModel()->selectedRows()); }

void TMainForm::AboutBtnClick() {
  TAboutForm about(this);
  about.exec();
}

void TMainForm::ExitBtnClick() { close(); }

void TMainForm::BrowseMnuClick() {
  DirDlg->SetFolder(DirectoryBytes());
  if (!DialogSeam().BrowseFolder(*DirDlg)) return;
  SetDirectoryText(DirDlg->Folder());
  RefreshBtnClick();
}

void TMainForm::RefreshBtnClick() {
  std::vector<std::string> entries;
  for (int i = 0; i < HidFilterList->count(); ++i)
    entries.push_back(ToUtf8(HidFilterList->item(i)->text()));
  const FileList::TOrder order = ReadChoices().Order;
  const std::string dir = DirectoryBytes();
  const FileList::TScanOptions options = ScanOptions();
  const FileList::TFactsReader reader = FactsReader();
  FileList::TFileItems rows;
  if (!RunOffThread([&]() {
        rows = FileList::ScanDirectory(dir, entries, order, true, options);
        if (FileList::OrderUsesTaken(order))
          FileList::OrderByTaken(rows, dir, reader, order == FileList::TOrder::TakenDesc);
      }))
    return;
  FModel->SetItems(std::move(rows));
  FileList->scrollToTop();  // a new list is shown from its first row
  UpdateUndoMnu();
}

void TMainForm::FilterCmbExit() {
  HidFilterList->clear();
  for (const std::string& entry : FileList::ParseFilter(ToUtf8(FilterCmb->currentText())))
    HidFilterList->addItem(FromUtf8(entry));
}

// Enter parses the filter and goes no further; it does not scan.
void TMainForm::FilterCmbKeyDown(int& key) {
  if (key != VkReturn) return;
  key = VkTab;
  FilterCmbExit();
}

void TMainForm::ShowErrorMnuClick() { ShowErrorMnu->setChecked(!ShowErrorMnu->isChecked()); }

void TMainForm::WarnRenameMnuClick() { WarnRenameMnu->setChecked(!WarnRenameMnu->isChecked()); }

// Once a folder has been opened, its list follows the choice at once.
void TMainForm::HiddenMnuClick() {
  HiddenMnu->setChecked(!HiddenMnu->isChecked());
  if (!FDirBytes.empty()) RefreshBtnClick();
}

FileList::TScanOptions TMainForm::ScanOptions() const {
  FileList::TScanOptions options;
  options.ShowHidden = HiddenMnu->isChecked();
  options.Selection = FSelection;
  return options;
}

void TMainForm::FollowSelection(const FileList::TFileItems& rows) {
  if (FSelection) FileList::FollowRenames(*FSelection, rows);
}

void TMainForm::ContentsMnuClick() { Platform::ShellOpen(FromUtf8(App::HelpFileToOpen())); }

void TMainForm::RadioEnableClick(TRadioGroup* sender) {
  QLineEdit* edit = nullptr;
  switch (sender->Tag()) {
    case 1:
      edit = Edit1;
      break;
    case 3:
      edit = Edit3;
      break;
    case 4:
      edit = Edit4;
      break;
    default:
      return;
  }
  edit->setEnabled(sender->ItemIndex() == 0);
}

std::string TMainForm::DirectoryBytes() const {
  if (!FDirShown.isNull() && DirEdit->text() == FDirShown) return FDirBytes;
  return ToUtf8(DirEdit->text());
}

// Keeps the exact bytes: a name that is not valid UTF-8 would not survive
// the edit box's text.
void TMainForm::SetDirectoryText(const std::string& bytes) {
  FSelection.reset();  // a selection belongs to the folder it was opened with
  FDirBytes = bytes;
  DirEdit->setText(FromUtf8(bytes));
  FDirShown = DirEdit->text();
}

TFileListModel* TMainForm::FileListModel() const { return FModel; }

const TMainFormPaths& TMainForm::Paths() const { return FPaths; }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const bool relayout =
      event->type() == QEvent::Resize || event->type() == QEvent::LayoutDirectionChange;
  if (watched == FClient && relayout)
    FMirror->LayOut([this]() {
      AlignControls();
      FormResize();
    });
  const bool filterBox = FilterCmb && (watched == FilterCmb || watched == FilterCmb->lineEdit());
  if (filterBox && event->type() == QEvent::FocusOut) Bind (&TMainForm::FilterCmbExit)();
  if (filterBox && event->type() == QEvent::KeyPress) {
    const int qtKey = static_cast<QKeyEvent*>(event)->key();
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter) {
      int key = VkReturn;
      RunGuarded([this, &key]() { FilterCmbKeyDown(key); });
      if (key != VkReturn) return true;  // the box sees no Enter
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
