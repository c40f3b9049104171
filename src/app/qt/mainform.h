#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QRect>
#include <QString>

#include "app/qt/mainformcontrols.h"
#include "app/startdir.h"
#include "filelist/fileitem.h"
#include "filelist/scan.h"
#include "rename/charsub.h"
#include "rename/choices.h"
#include "rename/namebuilder.h"
#include "rename/preview.h"
#include "rename/renamerun.h"
#include "rename/undo.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QStackedWidget;
class TFileListModel;
class TMirror;
class TQtFormModel;

namespace Lang {
class TLanguageFileChooser;
}  // namespace Lang

// Where the window keeps its files: the folder of "Language.lng" (ending in
// "/") and the settings file.
struct TMainFormPaths {
  std::string AppDir;
  std::string SettingsFile;
  static TMainFormPaths Defaults();
};

// The main window. Its state is the state of its controls (TMainFormControls),
// which carry their component names as object names; handlers read and write
// them directly.
class TMainForm : public QMainWindow, private TMainFormControls {
  Q_OBJECT

 public:
  // Builds every control and runs the start-up steps; an error raised by them
  // (a settings or language file that cannot be written) leaves the window
  // unshown and propagates.
  explicit TMainForm(const TMainFormPaths& paths = TMainFormPaths::Defaults(),
                     QWidget* parent = nullptr);
  ~TMainForm() override;

  static QString ApplicationTitle();

  // Where the toolbar's client area starts inside its frame, and its height.
  static constexpr int ToolBarClientLeft = 3;
  static constexpr int ToolBarClientTop = 4;
  static constexpr int ToolBarHeight = 44;

  // Command handlers.
  void GoBTnClick();
  void TestMnuClick();
  void UndoMnuClick();
  void ExploreBtnClick();
  void RemoveBtnClick();
  void AboutBtnClick();
  void ExitBtnClick();
  void BrowseMnuClick();
  void RefreshBtnClick();
  void FilterCmbExit();
  void FilterCmbKeyDown(int& key);
  void FileListKeyDown(int& key);
  void LanguageClick();
  void ShowErrorMnuClick();
  void WarnRenameMnuClick();
  void HiddenMnuClick();
  void UntangleMnuClick();
  void SavePresetMnuClick();
  void LoadPresetMnuClick();
  void ContentsMnuClick();
  void RadioEnableClick(TRadioGroup* sender);
  void FormResize();
  void StatusPanelResize();
  // Saves the settings; raises Settings::EIniWriteError when they cannot be written.
  void FormClose();

  // Copies the run-time texts into the radio groups and the column titles and
  // resets the groups' choices.
  void SetAllLangEl();
  // Read the choices of the Rename page, of the Replace page, and of both
  // with the active page.
  Rename::TNameOptions ReadNameOptions() const;
  Rename::TReplaceOptions ReadReplaceOptions() const;
  Rename::TPatternOptions ReadPatternOptions() const;
  Rename::TPreviewOptions PreviewOptions() const;
  // All the choices: the active page's, the order and the run's.
  Rename::TChoices ReadChoices() const;
  // Shows choices in the pages, the order box and the menu, as a preset
  // brings them.
  void WriteChoices(const Rename::TChoices& choices);

  // Opens a folder as the folder chooser's OK does: it becomes the directory
  // text, exact bytes kept, and is scanned.
  void OpenDirectory(const std::string& bytes);
  // Opens the folder with only the named files of it listed (a file manager's
  // selection); Refresh keeps them, and choosing a folder drops them.
  void OpenSelection(const std::string& folder, const std::vector<std::string>& names);
  // Opens what the command line asks for; a refused selection is reported in
  // a message box.
  void OpenStart(const App::TStartFolder& start);

  // The active page of PageControl1; -1 when no page is active.
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Window bounds as the settings file counts them: the frame is included.
  QRect CountedBounds() const;
  // The current directory as bytes: exactly what the folder chooser gave,
  // unless DirEdit's text has been changed otherwise since.
  std::string DirectoryBytes() const;
  TFileListModel* FileListModel() const;
  const TMainFormPaths& Paths() const;
  // Whether long work (a scan, a preview, a run, an undo) is going on.
  bool Busy() const;

  // Tests reach the controls through TMainFormProbe (tests/gui).
  friend class TMainFormProbe;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  using THandler = void (TMainForm::*)();

  // Construction: each control is connected to its handler where it is made.
  void Register(QObject* component, const char* name, const char* kind);
  QLabel* CreateLabel(QWidget* parent, const char* name, const char* caption, const QRect& place);
  void CreateControls();
  void CreateBrowserPanel(QWidget* client);
  void CreateTopLeftPanel();
  void CreateFilterControls();
  void CreateBottomLeftPanel();
  void CreateToolBar(QWidget* client);
  QToolButton* CreateToolButton(const char* name, const char* caption, const char* hint, int image,
                                int left, THandler handler);
  QFrame* CreateToolSeparator(const char* name, int left, bool line);
  void CreateStatusPanel();
  void CreateRightPanel(QWidget* client);
  void CreateRenamePage();
  TRadioGroup* CreateRadioGroup(const char* name, const char* caption, const QRect& place, int tag);
  QLineEdit* CreatePageEdit(QWidget* parent, const char* name, const QRect& place);
  void CreateReplacePage();
  QCheckBox* CreateCheckBox(QWidget* parent, const char* name, const char* caption,
                            const QRect& place);
  void CreatePatternPage();
  void CreateNumberingBox();
  void CreatePresetTexts();
  void CreateTextPanel();
  QLabel* CreateTextLabel(const char* name, const char* caption);
  void CreateSelectionTexts();
  void CreateUndoTexts();
  void CreateMainMenu();
  void CreateFileMenu();
  void CreateOptionsMenu();
  QAction* CreateMenuItem(QMenu* menu, const char* name, const char* caption, int image,
                          THandler handler);
  QAction* CreateMenuSeparator(QMenu* menu, const char* name);
  void CreateComponents();
  void ConnectPageControl();
  std::function<void()> Bind(THandler handler);
  // Runs work on a worker thread and waits for it in an event loop, so the
  // window is drawn and answers meanwhile; false (nothing run) while other
  // work goes on. An exception of work is raised here.
  bool RunOffThread(const std::function<void()>& work);
  void RunGuarded(const std::function<void()>& handler);

  // Layout.
  void AlignControls();
  void AlignBrowserPanel(const QRect& area);
  void AlignRightPanel(const QRect& area);
  void SetCountedBounds(int left, int top, int width, int height);
  void CentreOnScreen();
  void ApplyTabOrder();

  // Start-up, settings and language.
  void StartUp();
  void ReadSettings();
  void BuildSortChoices();
  void AssignMenuBarKeys();
  void AssignMenuKeys(QMenu* menu);
  void SetDirectoryText(const std::string& bytes);
  // What the scan keeps besides the filter: hidden files, the selection.
  FileList::TScanOptions ScanOptions() const;
  // The selection follows the moves of a run or an undo.
  void FollowSelection(const FileList::TFileItems& rows);

  Rename::TRenameRequest RunRequest(const QLabel* confirm) const;

  // The message box text of a selection refused at start.
  QString RefusalText(const App::TSelection& refused) const;
  // The marks of the file list's rows.
  QString MarkText(const FileList::TFileItem& item) const;
  QString ConflictText(FileList::TConflict conflict) const;
  // Enables UndoMnu when the current directory has a run to undo.
  void UpdateUndoMnu();
  // The box of the rows an undo left alone, with their reasons (none: no box).
  void ShowUndoProblems(const std::vector<Rename::TUndoLeft>& left);
  // The rows read again (facts, the date-taken order) for a preview.
  FileList::TFactsReader FactsReader() const;
  // The files an untangled run left under a temporary name (none: no box).
  void ShowStranded(const Rename::TRunOutcome& outcome);
  // The box that counts the moves made without an atomic check (none: no box).
  void ShowUncheckedMoves(const Rename::TRunOutcome& outcome);
  // A box with text (plain) and OK.
  void ShowWarning(const std::string& text);

  // Drops and the file list's keys (mainform_desktop.cpp).
  void CreateDesktopBindings();
  void ShowActivePageTab();

  TMainFormPaths FPaths;
  std::unique_ptr<TQtFormModel> FFormModel;
  std::unique_ptr<Lang::TLanguageFileChooser> FLanguageChooser;
  std::unique_ptr<Lang::TtovLanguage> FLanguage;
  TFileListModel* FModel = nullptr;
  QWidget* FClient = nullptr;
  TMirror* FMirror = nullptr;  // right to left: the placed controls reflected
  QStackedWidget* FPageStack = nullptr;
  QWidget* FEmptyPage = nullptr;
  bool FNoActivePage = false;
  bool FPlaced = false;
  std::string FDirBytes;
  // The names listed from the folder, when a selection was opened.
  std::optional<std::vector<std::string>> FSelection;
  QString FDirShown;
  bool FBusy = false;
  std::atomic<bool> FStop{false};  // the user asked the running work to stop
};

// The program's entry after the application object exists: builds and shows
// the main window and runs until it closes. An error during start-up goes to
// the error display and ends the program. Returns the exit code, 0. What the
// command line asks for is opened at start (CreateMainForm).
int RunApplication(const TMainFormPaths& paths, const App::TStartFolder& start = {});

// Builds the main window; a startFolder that is not empty is then opened
// (OpenDirectory), or the start's folder or selection (OpenStart), before the
// window is shown.
std::unique_ptr<TMainForm> CreateMainForm(const TMainFormPaths& paths,
                                          const std::string& startFolder);
std::unique_ptr<TMainForm> CreateMainForm(const TMainFormPaths& paths,
                                          const App::TStartFolder& start);
