#include "dialogs/qt/kvfolderdialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "dialogs/folderpath.h"
#include "dialogs/qt/foldertreemodel.h"
#include "platform/filesystem.h"
#include "platform/locale.h"
#include "platform/qt/desktop.h"
#include "platform/system.h"
#include "ui/accessiblenames.h"
#include "ui/plaintooltips.h"
#include "ui/qttext.h"

namespace {

// The longest status text, in characters.
constexpr int StatusPathLength = 50;

// The widgets of one opening of the chooser; all owned by Dialog.
struct TChooser {
  QDialog* Dialog = nullptr;
  TFolderTreeModel* Model = nullptr;
  QTreeView* Tree = nullptr;
  QLabel* Status = nullptr;
};

// The window the chooser is modal to: the owner's window, else the active one.
QWidget* OwnerWindow(QWidget* owner) {
  if (owner != nullptr) return owner->window();
  return QApplication::activeWindow();
}

// The status line for an item: its path shortened to fit, else the name the
// tree shows for it.
QString StatusText(const QModelIndex& item) {
  const std::string path = TFolderTreeModel::PathOf(item);
  const std::string shown = Dialogs::MakeDisplayPath(path, StatusPathLength);
  if (!shown.empty()) return QtText::FromUtf8(shown);
  return item.data(Qt::DisplayRole).toString();
}

QTreeView* BuildTree(QDialog* dialog, TFolderTreeModel* model) {
  auto* tree = new QTreeView(dialog);
  tree->setObjectName(QStringLiteral("FolderTree"));
  tree->setModel(model);
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  return tree;
}

TChooser BuildChooser(QDialog* dialog, const QString& title, bool showPath) {
  TChooser chooser;
  chooser.Dialog = dialog;
  dialog->setObjectName(QStringLiteral("KvFolderDialog"));
  dialog->setWindowTitle(QStringLiteral("Browse for Folder"));
  dialog->resize(340, 420);

  // Folders only, hidden ones too, so that any existing folder can be chosen.
  chooser.Model = new TFolderTreeModel(dialog);
  chooser.Tree = BuildTree(dialog, chooser.Model);

  auto* titleLbl = new QLabel(title, dialog);
  titleLbl->setObjectName(QStringLiteral("TitleLbl"));
  titleLbl->setTextFormat(Qt::PlainText);
  AccessibleNames::NameAfter(titleLbl, chooser.Tree);  // a screen reader names the tree
  chooser.Status = new QLabel(dialog);
  chooser.Status->setObjectName(QStringLiteral("StatusLbl"));
  chooser.Status->setTextFormat(Qt::PlainText);  // folder names may look like markup
  chooser.Status->setVisible(showPath);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  buttons->setObjectName(QStringLiteral("ButtonBox"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);

  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(titleLbl);
  layout->addWidget(chooser.Status);
  layout->addWidget(chooser.Tree, 1);
  layout->addWidget(buttons);
  return chooser;
}

// Keeps the status line in step with the selection. OK stays enabled for
// every item, so nothing else changes.
void FollowSelection(const TChooser& chooser, bool showPath) {
  if (!showPath) return;
  QObject::connect(
      chooser.Tree->selectionModel(), &QItemSelectionModel::currentChanged, chooser.Status,
      [chooser](const QModelIndex& current) { chooser.Status->setText(StatusText(current)); });
}

void CentreOnScreen(QWidget* dialog) {
  const QSize screen = Platform::PrimaryScreenSize();
  const QRect frame = dialog->frameGeometry();
  dialog->move(screen.width() / 2 - frame.width() / 2, screen.height() / 2 - frame.height() / 2);
}

// Selects the folder and opens the branches above it.
void SelectFolder(const TChooser& chooser, const std::string& path) {
  const QModelIndex item =
      chooser.Model->Find(Dialogs::FolderPathParts(path, Platform::CurrentDirectory()));
  if (!item.isValid()) return;
  for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent()) {
    chooser.Tree->expand(parent);
  }
  chooser.Tree->setCurrentIndex(item);
  chooser.Tree->scrollTo(item, QAbstractItemView::PositionAtCenter);
}

// The chooser has opened: centre it and select the current folder if it exists.
void Opened(const TChooser& chooser, const std::string& folder) {
  CentreOnScreen(chooser.Dialog);
  if (!folder.empty() && Platform::IsDirectory(folder)) {
    SelectFolder(chooser, folder);
  }
}

}  // namespace

TKvFolderDialog::TKvFolderDialog(QWidget* owner)
    : QObject(owner), FOwner(owner), FLabelCaptions(Dialogs::DefaultLabelCaptions()) {
  SetLabelCaptions(FLabelCaptions);
}

TKvFolderDialog::~TKvFolderDialog() = default;

const std::string& TKvFolderDialog::Folder() const { return FFolder; }
void TKvFolderDialog::SetFolder(const std::string& folder) { FFolder = folder; }
bool TKvFolderDialog::ShowPath() const { return FShowPath; }
void TKvFolderDialog::SetShowPath(bool on) { FShowPath = on; }
bool TKvFolderDialog::NewFolderVisible() const { return FNewFolderVisible; }
void TKvFolderDialog::SetNewFolderVisible(bool on) { FNewFolderVisible = on; }
bool TKvFolderDialog::NewFolderEnabled() const { return FNewFolderEnabled; }
void TKvFolderDialog::SetNewFolderEnabled(bool on) { FNewFolderEnabled = on; }
const Dialogs::TLocaleTexts& TKvFolderDialog::LabelCaptions() const { return FLabelCaptions; }

void TKvFolderDialog::SetLabelCaptions(const Dialogs::TLocaleTexts& captions) {
  FLabelCaptions = captions;
  const std::string code = Dialogs::LangCodeText(Platform::SystemDefaultLangID());
  FTitleText = QtText::FromUtf8(Dialogs::LocaleText(FLabelCaptions, code));
}

const QString& TKvFolderDialog::TitleText() const { return FTitleText; }

bool TKvFolderDialog::Execute() {
  PlainToolTips::Install();
  QDialog dialog(OwnerWindow(FOwner));
  const TChooser chooser = BuildChooser(&dialog, FTitleText, FShowPath);
  FollowSelection(chooser, FShowPath);
  // Until the current folder is selected, the top of the tree is.
  chooser.Tree->setCurrentIndex(chooser.Model->Top());

  const std::string folder = FFolder;
  QTimer::singleShot(0, &dialog, [this, chooser, folder]() {
    Opened(chooser, folder);
    emit Initialized(chooser.Dialog);
  });
  if (dialog.exec() != QDialog::Accepted) return false;

  const QModelIndex chosen = chooser.Tree->currentIndex();
  FFolder = TFolderTreeModel::PathOf(chosen);
  return true;
}
