// What the main window does for the desktop around it: folders handed over on
// the command line or dropped on the window, and the file list's Delete key.
#include "app/qt/mainform.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

#include "app/qt/mainform_pagecontrol.h"
#include "app/startdir.h"
#include "dialogs/qt/dialogseam.h"
#include "platform/system.h"
#include "ui/qttext.h"

namespace {

// Virtual-key code of the key-down handler.
constexpr int VkDelete = 46;

// Runs onKey for the keys pressed in a control; a key it sets to 0 goes no
// further.
class TKeyDownHook : public QObject {
 public:
  TKeyDownHook(QObject* owner, std::function<void(int& key)> onKey)
      : QObject(owner), FOnKey(std::move(onKey)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool press = event->type() == QEvent::KeyPress;
    if (!press && event->type() != QEvent::ShortcutOverride)
      return QObject::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = keyEvent->modifiers() & ~Qt::KeypadModifier;
    if (keyEvent->key() != Qt::Key_Delete || mods != Qt::NoModifier)
      return QObject::eventFilter(watched, event);
    if (!press) {  // the list keeps its Delete key from any shortcut
      event->accept();
      return true;
    }
    int key = VkDelete;
    FOnKey(key);
    return key == 0;
  }

 private:
  std::function<void(int& key)> FOnKey;
};

// The folder a drag carries: that of its first local URI naming a folder or a
// file. The URIs are taken encoded, so that names keep their exact bytes.
std::string DraggedFolder(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  std::vector<std::string> uris;
  for (const QUrl& url : mime->urls()) uris.push_back(url.toEncoded().toStdString());
  return App::FolderForDrop(uris, Platform::CurrentDirectory(), App::PathKindOf);
}

// A drop only names a folder: it is never taken as a move, so the source
// never removes what it dragged.
bool OfferLink(QDropEvent* event) {
  const Qt::DropActions possible = event->possibleActions();
  if (possible & Qt::LinkAction)
    event->setDropAction(Qt::LinkAction);
  else if (possible & Qt::CopyAction)
    event->setDropAction(Qt::CopyAction);
  else
    return false;
  event->accept();
  return true;
}

}  // namespace

void TMainForm::CreateDesktopBindings() {
  setAcceptDrops(true);
  FileList->installEventFilter(new TKeyDownHook(
      this, [this](int& key) { RunGuarded([this, &key]() { FileListKeyDown(key); }); }));
}

// Delete takes the selected rows out of the list, as Remove does.
void TMainForm::FileListKeyDown(int& key) {
  if (key != VkDelete) return;
  key = 0;
  RemoveBtnClick();
}

// As the folder chooser's OK: the folder becomes the directory text and is
// scanned.
void TMainForm::OpenDirectory(const std::string& bytes) {
  SetDirectoryText(bytes);
  RefreshBtnClick();
}

void TMainForm::OpenSelection(const std::string& folder, const std::vector<std::string>& names) {
  SetDirectoryText(folder);
  FSelection = names;
  RefreshBtnClick();
}

// A refused selection also goes to the standard error stream (main.cpp); the
// box tells it to a person who started the window from a file manager.
void TMainForm::OpenStart(const App::TStartFolder& start) {
  if (!start.Selection.empty()) {
    OpenSelection(start.Folder, start.Selection);
  } else if (!start.Folder.empty()) {
    OpenDirectory(start.Folder);
  }
  if (start.Refused.Error == App::TSelectionError::None) return;
  DialogSeam().MessageBox(this, RefusalText(start.Refused),
                          QGuiApplication::applicationDisplayName(), QMessageBox::Ok,
                          QMessageBox::Warning, QMessageBox::Ok);
}

// The reason, from the run-time texts, then the paths it names, one a line.
QString TMainForm::RefusalText(const App::TSelection& refused) const {
  using App::TSelectionError;
  QString text = refused.Error == TSelectionError::Missing  ? NoSuchFileLbl->text()
                 : refused.Error == TSelectionError::Folder ? NotAFileLbl->text()
                                                            : SeveralFoldersLbl->text();
  text += "\n" + QtText::FromUtf8(refused.Culprit);
  if (!refused.Other.empty()) text += "\n" + QtText::FromUtf8(refused.Other);
  return text;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (DraggedFolder(event->mimeData()).empty() || !OfferLink(event)) event->ignore();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event) {
  if (!event->mimeData()->hasUrls() || !OfferLink(event)) event->ignore();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const std::string folder = DraggedFolder(event->mimeData());
  if (folder.empty() || !OfferLink(event)) {
    event->ignore();
    return;
  }
  RunGuarded([this, &folder]() { OpenDirectory(folder); });
}

void TMainForm::ShowActivePageTab() {
  if (auto* pages = qobject_cast<TPageControl*>(PageControl1)) pages->SetNoPageShown(FNoActivePage);
}

std::unique_ptr<TMainForm> CreateMainForm(const TMainFormPaths& paths,
                                          const std::string& startFolder) {
  App::TStartFolder start;
  start.Folder = startFolder;
  return CreateMainForm(paths, start);
}

std::unique_ptr<TMainForm> CreateMainForm(const TMainFormPaths& paths,
                                          const App::TStartFolder& start) {
  auto form = std::make_unique<TMainForm>(paths);
  form->OpenStart(start);
  return form;
}
