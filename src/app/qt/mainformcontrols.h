#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QObject;
class QProgressBar;
class QTabWidget;
class QToolButton;
class QTreeView;
class QWidget;
class TKvFolderDialog;
class TRadioGroup;

namespace Lang {
class TtovLanguage;
}  // namespace Lang

// The main window's components, each named as in the language file. The
// window owns them (through Qt's parent chain) and keeps this record private;
// its handlers read and write the controls directly.
struct TMainFormControls {
  // Menus.
  QMenuBar* MainMenu1 = nullptr;
  QMenu* File1 = nullptr;
  QAction* BrowseMnu = nullptr;
  QAction* N2 = nullptr;
  QAction* TestMnu = nullptr;
  QAction* RenameMnu = nullptr;
  QAction* UndoMnu = nullptr;
  QAction* N5 = nullptr;
  QAction* SavePresetMnu = nullptr;
  QAction* LoadPresetMnu = nullptr;
  QAction* N1 = nullptr;
  QAction* ExitMnu = nullptr;
  QMenu* Options1 = nullptr;
  QAction* Language = nullptr;
  QAction* N4 = nullptr;
  QAction* ShowErrorMnu = nullptr;
  QAction* WarnRenameMnu = nullptr;
  QAction* HiddenMnu = nullptr;
  QAction* UntangleMnu = nullptr;
  QAction* N3 = nullptr;
  QAction* RemoveMnu = nullptr;
  QAction* ExploreMnu = nullptr;
  QMenu* Help1 = nullptr;
  QAction* ContentsMnu = nullptr;
  QAction* AboutMnu = nullptr;

  // Toolbar and status area.
  QFrame* ToolBar1 = nullptr;
  QToolButton* GoBTn = nullptr;
  QToolButton* TestBtn = nullptr;
  QFrame* TSep1 = nullptr;
  QToolButton* ExploreBtn = nullptr;
  QToolButton* RemoveBtn = nullptr;
  QFrame* TSep2 = nullptr;
  QToolButton* AboutBtn = nullptr;
  QToolButton* ExitBtn = nullptr;
  QFrame* TSep3 = nullptr;
  QWidget* StatusPanel = nullptr;
  QLabel* StatusLbl = nullptr;
  QLabel* ActionLbl = nullptr;
  QProgressBar* ProgressBar1 = nullptr;

  // Left region: directory, filter, sort and the file list.
  QWidget* BrowserPanel = nullptr;
  QFrame* TopLeftPanel = nullptr;
  QLabel* FilterLbl = nullptr;
  QLabel* SortLbl = nullptr;
  QWidget* BtnPanel = nullptr;
  QToolButton* RefreshBtn = nullptr;
  QToolButton* BrowseDirEdit = nullptr;
  QWidget* Panel2 = nullptr;
  QLabel* DirTitleLbl = nullptr;
  QLineEdit* DirEdit = nullptr;
  QComboBox* FilterCmb = nullptr;
  QListWidget* HidFilterList = nullptr;
  QComboBox* SortCmb = nullptr;
  QWidget* Bevel5 = nullptr;
  QFrame* BottomLeftPanel = nullptr;
  QWidget* Panel3 = nullptr;
  QLabel* FileBrowseTitleLbl = nullptr;
  QWidget* Bevel1 = nullptr;
  QWidget* Bevel2 = nullptr;
  QWidget* Bevel3 = nullptr;
  QWidget* Bevel4 = nullptr;
  QTreeView* FileList = nullptr;

  // Right region: the options pages.
  QWidget* RightPanel = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  TRadioGroup* RadioGroup1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  TRadioGroup* RadioGroup3 = nullptr;
  QLineEdit* Edit3 = nullptr;
  TRadioGroup* RadioGroup4 = nullptr;
  QLineEdit* Edit4 = nullptr;
  TRadioGroup* RadioGroup2 = nullptr;
  TRadioGroup* RadioGroup6 = nullptr;
  QWidget* TabSheet2 = nullptr;
  QLabel* TipTitleLbl = nullptr;
  QLabel* TipLbl = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QCheckBox* CaseSensitive = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QLineEdit* Edit6 = nullptr;
  QCheckBox* RegexChk = nullptr;
  QCheckBox* AllChk = nullptr;
  // The Pattern page.
  QWidget* TabSheet3 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLineEdit* PatternEdit = nullptr;
  QToolButton* FieldBtn = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QLabel* StartLbl = nullptr;
  QLineEdit* StartEdit = nullptr;
  QLabel* StepLbl = nullptr;
  QLineEdit* StepEdit = nullptr;
  QLabel* WidthLbl = nullptr;
  QLineEdit* WidthEdit = nullptr;

  // The hidden run-time text table.
  QWidget* Panel1 = nullptr;
  QLabel* CantRenLbl = nullptr;
  QLabel* RenameMsgLbl = nullptr;
  QLabel* YesLbl = nullptr;
  QLabel* NoLbl = nullptr;
  QLabel* UpperCaseLbl = nullptr;
  QLabel* LowerCaseLbl = nullptr;
  QLabel* DontChangeLbl = nullptr;
  QLabel* OriginalNameLbl = nullptr;
  QLabel* NumberLbl = nullptr;
  QLabel* CleverNumberLbl = nullptr;
  QLabel* OldNameLbl = nullptr;
  QLabel* NewNameLbl = nullptr;
  QLabel* RenLbl = nullptr;
  QLabel* AlphaLbl = nullptr;
  QLabel* DateTimeLbl = nullptr;
  QLabel* InverseLbl = nullptr;
  // Why a row's move will fail (the row's tooltip), the undo confirmation and
  // the report of the pairs an undo could not undo.
  QLabel* TakenLbl = nullptr;
  QLabel* ChainLbl = nullptr;
  QLabel* DuplicateLbl = nullptr;
  QLabel* GoneLbl = nullptr;
  QLabel* EmptyLbl = nullptr;
  QLabel* TooLongLbl = nullptr;
  QLabel* FolderLbl = nullptr;
  QLabel* NoFolderLbl = nullptr;
  QLabel* UndoMsgLbl = nullptr;
  QLabel* NotUndoneLbl = nullptr;
  QLabel* UndoTakenLbl = nullptr;
  QLabel* UndoGoneLbl = nullptr;
  QLabel* MoreNotUndoneLbl = nullptr;
  QLabel* NoSuchFileLbl = nullptr;
  QLabel* NotAFileLbl = nullptr;
  QLabel* SeveralFoldersLbl = nullptr;
  QLabel* MissingLbl = nullptr;
  QLabel* UndoOtherLbl = nullptr;
  QLabel* UndoFolderLbl = nullptr;
  QLabel* DamagedLbl = nullptr;
  QLabel* NoUndoLbl = nullptr;
  QLabel* BusyDirLbl = nullptr;
  QLabel* UncheckedLbl = nullptr;
  QLabel* NaturalLbl = nullptr;
  QLabel* DateTakenLbl = nullptr;
  QLabel* PresetNameLbl = nullptr;
  QLabel* NoPresetsLbl = nullptr;

  // Components without a place on screen.
  QObject* ImageList1 = nullptr;
  TKvFolderDialog* DirDlg = nullptr;
  Lang::TtovLanguage* tovLanguage1 = nullptr;
};
