#include "app/qt/mainform.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeView>

#include "app/qt/mainform_metrics.h"
#include "filelist/qt/filelistmodel.h"
#include "filelist/qt/namedelegate.h"
#include "lang/qt/qtformmodel.h"
#include "lang/tovlanguage.h"
#include "settings/paths.h"
#include "ui/accessiblenames.h"
#include "ui/artwork.h"
#include "ui/mirror.h"
#include "ui/plaintooltips.h"

namespace {

using MainFormMetrics::DesignLeft;
using MainFormMetrics::DesignTop;
using MainFormMetrics::FrameAcross;
using MainFormMetrics::FrameDown;
using MainFormMetrics::MinimumHeight;
using MainFormMetrics::MinimumWidth;

// The design's fonts, with DejaVu Sans standing in where they are missing;
// Tahoma's narrower letters are matched by its condensed cut.
QFont FontOf(const char* family, int pixelSize, bool bold) {
  QStringList families = {QString::fromLatin1(family), QStringLiteral("DejaVu Sans")};
  if (qstrcmp(family, "Tahoma") == 0) families.insert(1, QStringLiteral("DejaVu Sans Condensed"));
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// A panel with a lowered outer and a raised inner bevel, one pixel each.
QFrame* NewBevelledPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(QFrame::Box);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setMidLineWidth(0);
  return panel;
}

void MakeBoldBlack(QLabel* label) {
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(palette);
}

}  // namespace

TMainFormPaths TMainFormPaths::Defaults() {
  return {Settings::AppDataDir(), Settings::SettingsFilePath()};
}

TMainForm::TMainForm(const TMainFormPaths& paths, QWidget* parent)
    : QMainWindow(parent), FPaths(paths), FFormModel(std::make_unique<TQtFormModel>("MainForm")) {
  setObjectName(QStringLiteral("MainForm"));
  setFont(FontOf("Verdana", 11, false));
  setMinimumSize(MinimumWidth - FrameAcross, MinimumHeight - FrameDown);
  move(DesignLeft, DesignTop);
  resize(MinimumWidth - FrameAcross, MinimumHeight - FrameDown);
  PlainToolTips::Install();
  CreateControls();
  CreateDesktopBindings();
  StartUp();
}

TMainForm::~TMainForm() = default;

QString TMainForm::ApplicationTitle() { return QStringLiteral("Morvane"); }

void TMainForm::Register(QObject* component, const char* name, const char* kind) {
  component->setObjectName(QString::fromLatin1(name));
  FFormModel->Add(component, name, kind);
}

QLabel* TMainForm::CreateLabel(QWidget* parent, const char* name, const char* caption,
                               const QRect& place) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setTextFormat(Qt::PlainText);  // captions come from language files
  label->setGeometry(place);
  Register(label, name, "TLabel");
  return label;
}

// Creation order is the order of the language files' keys.
void TMainForm::CreateControls() {
  FClient = new QWidget(this);
  FClient->setAutoFillBackground(true);
  FClient->setBackgroundRole(QPalette::Button);
  setCentralWidget(FClient);
  FMirror = new TMirror(FClient);
  CreateBrowserPanel(FClient);
  CreateToolBar(FClient);
  CreateRightPanel(FClient);
  CreateTextPanel();
  CreateMainMenu();
  CreateComponents();
  FClient->installEventFilter(this);  // resizes arrive through eventFilter
}

void TMainForm::CreateBrowserPanel(QWidget* client) {
  BrowserPanel = new QWidget(client);
  Register(BrowserPanel, "BrowserPanel", "TPanel");
  CreateTopLeftPanel();
  Bevel5 = new QWidget(BrowserPanel);
  Register(Bevel5, "Bevel5", "TBevel");
  CreateBottomLeftPanel();
}

void TMainForm::CreateTopLeftPanel() {
  TopLeftPanel = NewBevelledPanel(BrowserPanel);
  Register(TopLeftPanel, "TopLeftPanel", "TPanel");
  FilterLbl = CreateLabel(TopLeftPanel, "FilterLbl", "Filter extension:", {4, 56, 109, 13});
  SortLbl = CreateLabel(TopLeftPanel, "SortLbl", "Sort order:", {4, 80, 108, 13});
  for (QLabel* label : {FilterLbl, SortLbl}) {
    MakeBoldBlack(label);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  BtnPanel = new QWidget(TopLeftPanel);
  Register(BtnPanel, "BtnPanel", "TPanel");
  RefreshBtn = new QToolButton(BtnPanel);
  RefreshBtn->setGeometry(4, 32, 23, 41);
  RefreshBtn->setIcon(Artwork::RefreshGlyph());
  RefreshBtn->setToolTip(QStringLiteral("REfresh current directory"));
  AccessibleNames::SetOwnName(*RefreshBtn, QStringLiteral("Refresh"));
  Register(RefreshBtn, "RefreshBtn", "TSpeedButton");
  connect(RefreshBtn, &QToolButton::clicked, this, Bind(&TMainForm::RefreshBtnClick));
  BrowseDirEdit = new QToolButton(BtnPanel);
  BrowseDirEdit->setGeometry(4, 2, 23, 22);
  BrowseDirEdit->setIcon(Artwork::BrowseGlyph());
  BrowseDirEdit->setToolTip(QStringLiteral("Open directory..."));
  AccessibleNames::SetOwnName(*BrowseDirEdit, QStringLiteral("Browse"));
  Register(BrowseDirEdit, "BrowseDirEdit", "TSpeedButton");
  connect(BrowseDirEdit, &QToolButton::clicked, this, Bind(&TMainForm::BrowseMnuClick));
  for (QToolButton* button : {RefreshBtn, BrowseDirEdit}) {
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
  }
  Panel2 = new QWidget(TopLeftPanel);
  Register(Panel2, "Panel2", "TPanel");
  DirTitleLbl = CreateLabel(Panel2, "DirTitleLbl", "Current directory:", {4, 4, 120, 13});
  MakeBoldBlack(DirTitleLbl);
  DirTitleLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  CreateFilterControls();
}

void TMainForm::CreateFilterControls() {
  DirEdit = new QLineEdit(QStringLiteral("/"), TopLeftPanel);
  DirEdit->setGeometry(8, 24, 241, 21);
  DirEdit->setReadOnly(true);
  Register(DirEdit, "DirEdit", "TEdit");
  FilterCmb = new QComboBox(TopLeftPanel);
  FilterCmb->setEditable(true);
  FilterCmb->setInsertPolicy(QComboBox::NoInsert);
  FilterCmb->addItems({QStringLiteral("*"), QStringLiteral("bmp;jpg;gif;jpeg"),
                       QStringLiteral("html;htm;js"), QStringLiteral("mp3;wma;midi")});
  FilterCmb->setCurrentIndex(-1);  // chosen at start-up, after the language files
  FilterCmb->setGeometry(116, 52, 133, 21);
  Register(FilterCmb, "FilterCmb", "TComboBox");
  connect(FilterCmb, &QComboBox::editTextChanged, this, Bind(&TMainForm::FilterCmbExit));
  // Leaving the box and keys pressed in it arrive through eventFilter.
  FilterCmb->installEventFilter(this);
  FilterCmb->lineEdit()->installEventFilter(this);
  HidFilterList = new QListWidget(TopLeftPanel);
  HidFilterList->setGeometry(88, 36, 137, 21);
  HidFilterList->setVisible(false);
  Register(HidFilterList, "HidFilterList", "TListBox");
  SortCmb = new QComboBox(TopLeftPanel);
  SortCmb->setGeometry(116, 76, 133, 21);
  Register(SortCmb, "SortCmb", "TComboBox");
  AccessibleNames::NameAfter(DirTitleLbl, DirEdit);
  AccessibleNames::NameAfter(FilterLbl, FilterCmb);
  AccessibleNames::NameAfter(SortLbl, SortCmb);
}

void TMainForm::CreateBottomLeftPanel() {
  BottomLeftPanel = NewBevelledPanel(BrowserPanel);
  Register(BottomLeftPanel, "BottomLeftPanel", "TPanel");
  Panel3 = new QWidget(BottomLeftPanel);
  Register(Panel3, "Panel3", "TPanel");
  FileBrowseTitleLbl =
      CreateLabel(Panel3, "FileBrowseTitleLbl", "Files to rename:", {4, 4, 120, 13});
  MakeBoldBlack(FileBrowseTitleLbl);
  FileBrowseTitleLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QWidget** margins[] = {&Bevel1, &Bevel2, &Bevel3, &Bevel4};
  const char* names[] = {"Bevel1", "Bevel2", "Bevel3", "Bevel4"};
  for (int i = 0; i < 4; ++i) {
    *margins[i] = new QWidget(BottomLeftPanel);
    Register(*margins[i], names[i], "TBevel");
  }
  FModel = new TFileListModel(this);
  FModel->SetMarkText([this](const FileList::TFileItem& item) { return MarkText(item); });
  FileList = new QTreeView(BottomLeftPanel);
  FileList->setModel(FModel);
  FileList->setItemDelegate(
      new TNameDelegate(FileList));  // markers coloured, names read as spelled
  FileList->setRootIsDecorated(false);
  FileList->setUniformRowHeights(true);
  FileList->setItemsExpandable(false);
  FileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FileList->setSelectionBehavior(QAbstractItemView::SelectRows);
  FileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FileList->setAllColumnsShowFocus(true);
  FileList->header()->setSectionsClickable(false);
  FileList->header()->setSectionsMovable(false);
  FileList->header()->setStretchLastSection(false);
  FileList->setStyleSheet(
      QStringLiteral("QTreeView::item { border-right: 1px solid palette(midlight);"
                     " border-bottom: 1px solid palette(midlight); }"
                     " QTreeView::item:selected { background: palette(highlight);"
                     " color: palette(highlighted-text); }"));
  Register(FileList, "FileList", "TListView");
  AccessibleNames::NameAfter(FileBrowseTitleLbl, FileList);
}

void TMainForm::CreateToolBar(QWidget* client) {
  auto* toolBar = new QFrame(client);
  toolBar->setFrameShape(QFrame::Box);
  toolBar->setFrameShadow(QFrame::Sunken);
  toolBar->setFont(FontOf("Tahoma", 11, false));
  toolBar->setProperty("Caption", QStringLiteral("ToolBar1"));
  ToolBar1 = toolBar;
  Register(ToolBar1, "ToolBar1", "TToolBar");
  GoBTn = CreateToolButton("GoBTn", "Rename", "Rename files", 0, 0, &TMainForm::GoBTnClick);
  TestBtn = CreateToolButton("TestBtn", "Test", "Test the rename file effects", 1, 46,
                             &TMainForm::TestMnuClick);
  TSep1 = CreateToolSeparator("TSep1", 92, true);
  ExploreBtn = CreateToolButton("ExploreBtn", "Explore", "Browse current directory", 2, 100,
                                &TMainForm::ExploreBtnClick);
  RemoveBtn = CreateToolButton("RemoveBtn", "Remove", "Remove selected file(s) from list", 3, 146,
                               &TMainForm::RemoveBtnClick);
  TSep2 = CreateToolSeparator("TSep2", 192, true);
  AboutBtn = CreateToolButton("AboutBtn", "About", "Info", 4, 200, &TMainForm::AboutBtnClick);
  ExitBtn = CreateToolButton("ExitBtn", "Exit", "Close", 5, 246, &TMainForm::ExitBtnClick);
  TSep3 = CreateToolSeparator("TSep3", 292, false);
  CreateStatusPanel();
}

QToolButton* TMainForm::CreateToolButton(const char* name, const char* caption, const char* hint,
                                         int image, int left, THandler handler) {
  auto* button = new QToolButton(ToolBar1);
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setIcon(Artwork::ImageList1(image));
  button->setIconSize(QSize(16, 16));
  button->setText(QString::fromUtf8(caption));
  button->setToolTip(QString::fromUtf8(hint));
  button->setGeometry(ToolBarClientLeft + left, ToolBarClientTop, 46, 36);
  Register(button, name, "TToolButton");
  connect(button, &QToolButton::clicked, this, Bind(handler));
  return button;
}

// A separator of the toolbar: a dividing line, or an empty gap.
QFrame* TMainForm::CreateToolSeparator(const char* name, int left, bool line) {
  auto* separator = new QFrame(ToolBar1);
  if (line) {
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
  }
  separator->setGeometry(ToolBarClientLeft + left, ToolBarClientTop + 2, 8, 32);
  separator->setProperty("Caption", QString::fromLatin1(name));
  Register(separator, name, "TToolButton");
  return separator;
}

void TMainForm::CreateStatusPanel() {
  StatusPanel = new QWidget(ToolBar1);
  StatusPanel->setGeometry(ToolBarClientLeft + 300, ToolBarClientTop, 281, 36);
  Register(StatusPanel, "StatusPanel", "TPanel");
  StatusLbl = CreateLabel(StatusPanel, "StatusLbl", "Status:", {6, 1, 40, 13});
  StatusLbl->setFont(FontOf("Tahoma", 11, true));
  ActionLbl = CreateLabel(StatusPanel, "ActionLbl", "Idle...", {50, 1, 223, 14});
  ActionLbl->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ActionLbl->setWordWrap(true);
  ProgressBar1 = new QProgressBar(StatusPanel);
  ProgressBar1->setGeometry(6, 17, 267, 17);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  Register(ProgressBar1, "ProgressBar1", "TProgressBar");
}
