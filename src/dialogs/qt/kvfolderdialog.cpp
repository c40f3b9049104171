#include "dialogs/qt/kvfolderdialog.h"

#include <memory>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/filesystem.h"
#include "platform/locale.h"
#include "platform/qt/desktop.h"
#include "ui/plaintooltips.h"
#include "ui/qttext.h"

namespace {

// The longest status text, in characters.
constexpr int StatusPathLength = 50;

// The widgets of one opening of the chooser; all owned by Dialog.
struct TChooser {
  QDialog* Dialog = nullptr;
  QFileSystemModel* Model = nullptr;
  QTreeView* Tree = nullptr;
  QLabel* Status = nullptr;
};

// The window the chooser is modal to: the owner's window, else the active one.
QWidget* OwnerWindow(QWidget* owner) {
  if (owner != nullptr) return owner->window();
  return QApplication::activeWindow();
}

QString DecodePath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string EncodePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The status line for an item: its path shortened to fit, else the name the
// tree shows for it.
QString StatusText(const TChooser& chooser, const QModelIndex& item) {
  const QString path = item.isValid() ? chooser.Model->filePath(item) : QString();
  const std::string shown = Dialogs::MakeDisplayPath(EncodePath(path), StatusPathLength);
  if (!shown.empty()) return QtText::FromUtf8(shown);
  return item.data(Qt::DisplayRole).toString();
}

QTreeView* BuildTree(QDialog* dialog, QFileSystemModel* model) {
  auto* tree = new QTreeView(dialog);
  tree->setObjectName(QStringLiteral("FolderTree"));
  tree->setModel(model);
  tree->setHeaderHidden(true);
  tree->setUniformRowHeights(true);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int column = 1; column < model->columnCount(); ++column) tree->hideColumn(column);
  return tree;
}

TChooser BuildChooser(QDialog* dialog, const QString& title, bool showPath) {
  TChooser chooser;
  chooser.Dialog = dialog;
  dialog->setObjectName(QStringLiteral("KvFolderDialog"));
  dialog->setWindowTitle(QStringLiteral("Browse for Folder"));
  dialog->resize(340, 420);

  // Folders only, hidden ones too, so that any existing folder can be chosen.
  chooser.Model = new QFileSystemModel(dialog);
  chooser.Model->setReadOnly(true);
  chooser.Model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
  chooser.Model->setRootPath(QStringLiteral("/"));
  chooser.Tree = BuildTree(dialog, chooser.Model);

  auto* titleLbl = new QLabel(title, dialog);
  titleLbl->setObjectName(QStringLiteral("TitleLbl"));
  titleLbl->setTextFormat(Qt::PlainText);
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
  QObject::connect(chooser.Tree->selectionModel(), &QItemSelectionModel::currentChanged,
                   chooser.Status, [chooser](const QModelIndex& current) {
                     chooser.Status->setText(StatusText(chooser, current));
                   });
}

void CentreOnScreen(QWidget* dialog) {
  const QSize screen = Platform::PrimaryScreenSize();
  const QRect frame = dialog->frameGeometry();
  dialog->move(screen.width() / 2 - frame.width() / 2, screen.height() / 2 - frame.height() / 2);
}

// Keeps the selected folder in view while the tree reads the branches above it
// in the background and sorts them, until the user scrolls, opens or closes a
// branch, or selects another folder.
void FollowTarget(const TChooser& chooser, const QPersistentModelIndex& target) {
  auto following = std::make_shared<bool>(true);
  const auto follow = [chooser, target, following]() {
    if (*following && target.isValid() && chooser.Tree->currentIndex() == target) {
      chooser.Tree->scrollTo(target, QAbstractItemView::PositionAtCenter);
    }
  };
  const auto stop = [following]() { *following = false; };
  QObject::connect(chooser.Model, &QAbstractItemModel::layoutChanged, chooser.Tree, follow);
  QObject::connect(chooser.Model, &QAbstractItemModel::rowsInserted, chooser.Tree, follow);
  QObject::connect(chooser.Model, &QFileSystemModel::directoryLoaded, chooser.Tree, follow);
  QObject::connect(chooser.Tree, &QTreeView::expanded, chooser.Tree, stop);
  QObject::connect(chooser.Tree, &QTreeView::collapsed, chooser.Tree, stop);
  QObject::connect(chooser.Tree->verticalScrollBar(), &QScrollBar::actionTriggered, chooser.Tree,
                   stop);
}

// Selects the folder and opens the branches above it.
void SelectFolder(const TChooser& chooser, const QString& path) {
  const QModelIndex item = chooser.Model->index(path);
  if (!item.isValid()) return;
  for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent()) {
    chooser.Tree->expand(parent);
  }
  chooser.Tree->setCurrentIndex(item);
  chooser.Tree->scrollTo(item, QAbstractItemView::PositionAtCenter);
  FollowTarget(chooser, QPersistentModelIndex(item));
}

// The chooser has opened: centre it and select the current folder if it exists.
void Opened(const TChooser& chooser, const std::string& folder) {
  CentreOnScreen(chooser.Dialog);
  if (!folder.empty() && Platform::IsDirectory(folder)) {
    SelectFolder(chooser, DecodePath(folder));
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
  chooser.Tree->setCurrentIndex(chooser.Model->index(QStringLiteral("/")));

  const std::string folder = FFolder;
  QTimer::singleShot(0, &dialog, [this, chooser, folder]() {
    Opened(chooser, folder);
    emit Initialized(chooser.Dialog);
  });
  if (dialog.exec() != QDialog::Accepted) return false;

  const QModelIndex chosen = chooser.Tree->currentIndex();
  FFolder = chosen.isValid() ? EncodePath(chooser.Model->filePath(chosen)) : std::string();
  return true;
}
