// The options pages on the right and the hidden panel of run-time texts.
#include "app/qt/mainform.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

#include "app/qt/mainform_pagecontrol.h"
#include "app/qt/mainform_radiogroup.h"
#include "ui/accessiblenames.h"

void TMainForm::CreateRightPanel(QWidget* client) {
  RightPanel = new QWidget(client);
  Register(RightPanel, "RightPanel", "TPanel");
  PageControl1 = new TPageControl(RightPanel);
  PageControl1->setDocumentMode(false);
  AccessibleNames::SetOwnName(*PageControl1, QStringLiteral("Naming options"));
  Register(PageControl1, "PageControl1", "TPageControl");
  // The page shown while no page is active: the tab widget itself always has
  // a current tab, so its page stack gets one more, empty, page.
  FPageStack = PageControl1->findChild<QStackedWidget*>();
  FEmptyPage = new QWidget;
  CreateRenamePage();
  CreateReplacePage();
  CreatePatternPage();
  FPageStack->addWidget(FEmptyPage);
  SetActivePageIndex(0);
  ConnectPageControl();
}

// Clicking a tab makes its page active, also while no page is.
void TMainForm::ConnectPageControl() {
  connect(PageControl1, &QTabWidget::tabBarClicked, this, [this](int index) {
    if (index >= 0) SetActivePageIndex(index);
  });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
    if (FNoActivePage && index >= 0) SetActivePageIndex(index);
  });
}

void TMainForm::CreateRenamePage() {
  TabSheet1 = new QWidget;
  PageControl1->addTab(TabSheet1, QStringLiteral("Rename"));
  Register(TabSheet1, "TabSheet1", "TTabSheet");
  RadioGroup1 = CreateRadioGroup("RadioGroup1", "Add Prefix", {9, 2, 289, 61}, 1);
  Edit1 = CreatePageEdit(TabSheet1, "Edit1", {65, 18, 225, 21});
  AccessibleNames::SetOwnName(*Edit1, QStringLiteral("Prefix"));
  RadioGroup3 = CreateRadioGroup("RadioGroup3", "Add suffix", {9, 150, 289, 61}, 3);
  Edit3 = CreatePageEdit(TabSheet1, "Edit3", {65, 166, 225, 21});
  AccessibleNames::SetOwnName(*Edit3, QStringLiteral("Suffix"));
  RadioGroup4 = CreateRadioGroup("RadioGroup4", "New Extension", {9, 218, 289, 61}, 4);
  Edit4 = CreatePageEdit(TabSheet1, "Edit4", {65, 234, 225, 21});
  AccessibleNames::SetOwnName(*Edit4, QStringLiteral("New extension"));
  RadioGroup2 = CreateRadioGroup("RadioGroup2", "New Name", {9, 66, 289, 77}, 2);
  RadioGroup6 = CreateRadioGroup("RadioGroup6", "Name case", {9, 286, 289, 77}, 0);
  for (QLineEdit* edit : {Edit1, Edit3, Edit4}) {
    edit->setEnabled(false);
    edit->raise();  // the boxes lie over the right part of their groups
  }
}

TRadioGroup* TMainForm::CreateRadioGroup(const char* name, const char* caption, const QRect& place,
                                         int tag) {
  auto* group = new TRadioGroup(TabSheet1);
  group->setTitle(QString::fromUtf8(caption));
  group->setGeometry(place);
  group->SetTag(tag);
  Register(group, name, "TRadioGroup");
  connect(group, &TRadioGroup::Click, this,
          [this, group]() { RunGuarded([this, group]() { RadioEnableClick(group); }); });
  return group;
}

QLineEdit* TMainForm::CreatePageEdit(QWidget* parent, const char* name, const QRect& place) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(place);
  Register(edit, name, "TEdit");
  return edit;
}

void TMainForm::CreateReplacePage() {
  TabSheet2 = new QWidget;
  PageControl1->addTab(TabSheet2, QStringLiteral("Replace"));
  Register(TabSheet2, "TabSheet2", "TTabSheet");
  TipTitleLbl = CreateLabel(TabSheet2, "TipTitleLbl", "Tip:", {12, 172, 277, 13});
  TipTitleLbl->setForegroundRole(QPalette::Link);
  TipLbl = CreateLabel(TabSheet2, "TipLbl",
                       "To replace or insert blank (\" \") charachters leave blank the relative "
                       "edit box.",
                       {12, 192, 277, 49});
  TipLbl->setWordWrap(true);
  TipLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  GroupBox1 = new QGroupBox(QStringLiteral("Search for"), TabSheet2);
  GroupBox1->setGeometry(8, 8, 289, 77);
  Register(GroupBox1, "GroupBox1", "TGroupBox");
  Edit5 = CreatePageEdit(GroupBox1, "Edit5", {12, 22, 265, 21});
  CaseSensitive = new QCheckBox(QStringLiteral("Case sensitive search"), GroupBox1);
  CaseSensitive->setGeometry(12, 52, 249, 17);
  Register(CaseSensitive, "CaseSensitive", "TCheckBox");
  GroupBox2 = new QGroupBox(QStringLiteral("Replace with"), TabSheet2);
  GroupBox2->setGeometry(8, 96, 289, 53);
  Register(GroupBox2, "GroupBox2", "TGroupBox");
  Edit6 = CreatePageEdit(GroupBox2, "Edit6", {12, 20, 265, 21});
  RegexChk = CreateCheckBox(TabSheet2, "RegexChk", "Regular expression", {12, 152, 140, 17});
  AllChk = CreateCheckBox(TabSheet2, "AllChk", "Replace all", {156, 152, 140, 17});
}

QCheckBox* TMainForm::CreateCheckBox(QWidget* parent, const char* name, const char* caption,
                                     const QRect& place) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setGeometry(place);
  Register(box, name, "TCheckBox");
  return box;
}

// The template and its running number. The field menu's entries are the
// fields as a template writes them, the same in every language.
void TMainForm::CreatePatternPage() {
  TabSheet3 = new QWidget;
  PageControl1->addTab(TabSheet3, QStringLiteral("Pattern"));
  Register(TabSheet3, "TabSheet3", "TTabSheet");
  GroupBox3 = new QGroupBox(QStringLiteral("Template"), TabSheet3);
  GroupBox3->setGeometry(8, 8, 289, 81);
  Register(GroupBox3, "GroupBox3", "TGroupBox");
  PatternEdit = CreatePageEdit(GroupBox3, "PatternEdit", {12, 22, 265, 21});
  AccessibleNames::SetOwnName(*PatternEdit, QStringLiteral("Template"));
  FieldBtn = new QToolButton(GroupBox3);
  FieldBtn->setText(QStringLiteral("Insert field"));
  FieldBtn->setGeometry(12, 50, 150, 23);
  FieldBtn->setPopupMode(QToolButton::InstantPopup);
  Register(FieldBtn, "FieldBtn", "TSpeedButton");
  auto* fields = new QMenu(FieldBtn);
  for (const char* field :
       {"{name}", "{ext}", "{n}", "{n:3}", "{taken}", "{taken:%Y-%m-%d}", "{modified}", "{camera}",
        "{artist}", "{album}", "{title}", "{year}", "{track:2}"}) {
    const QString text = QString::fromUtf8(field);
    connect(fields->addAction(text), &QAction::triggered, this,
            [this, text]() { PatternEdit->insert(text); });
  }
  FieldBtn->setMenu(fields);
  CreateNumberingBox();
}

void TMainForm::CreateNumberingBox() {
  GroupBox4 = new QGroupBox(QStringLiteral("Running number {n}"), TabSheet3);
  GroupBox4->setGeometry(8, 100, 289, 105);
  Register(GroupBox4, "GroupBox4", "TGroupBox");
  const auto* whole = new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("-?[0-9]{1,18}")), GroupBox4);
  StartLbl = CreateLabel(GroupBox4, "StartLbl", "Start at", {12, 24, 100, 13});
  StartEdit = CreatePageEdit(GroupBox4, "StartEdit", {120, 20, 157, 21});
  StepLbl = CreateLabel(GroupBox4, "StepLbl", "Step", {12, 50, 100, 13});
  StepEdit = CreatePageEdit(GroupBox4, "StepEdit", {120, 46, 157, 21});
  WidthLbl = CreateLabel(GroupBox4, "WidthLbl", "Width", {12, 76, 100, 13});
  WidthEdit = CreatePageEdit(GroupBox4, "WidthEdit", {120, 72, 157, 21});
  WidthEdit->setValidator(new QIntValidator(0, Rename::MaxNumberWidth, WidthEdit));
  // Empty boxes mean the first number 1, the step 1 and no padding.
  for (QLineEdit* edit : {StartEdit, StepEdit, WidthEdit}) {
    if (edit != WidthEdit) edit->setValidator(whole);
    edit->setPlaceholderText(edit == WidthEdit ? QStringLiteral("0") : QStringLiteral("1"));
  }
  AccessibleNames::NameAfter(StartLbl, StartEdit);
  AccessibleNames::NameAfter(StepLbl, StepEdit);
  AccessibleNames::NameAfter(WidthLbl, WidthEdit);
}

void TMainForm::CreateTextPanel() {
  Panel1 = new QWidget(FClient);
  Panel1->setGeometry(120, 176, 253, 229);
  Panel1->setVisible(false);
  Register(Panel1, "Panel1", "TPanel");
  CantRenLbl = CreateTextLabel(
      "CantRenLbl", "Cannot rename %s to %s!\r\n\r\nN.B. This warn can be disabled in options");
  RenameMsgLbl = CreateTextLabel(
      "RenameMsgLbl", "Really rename file(s)?\r\n\r\nN.B. This warn can be disabled in options");
  YesLbl = CreateTextLabel("YesLbl", "Yes");
  NoLbl = CreateTextLabel("NoLbl", "No");
  UpperCaseLbl = CreateTextLabel("UpperCaseLbl", "Uppercase");
  LowerCaseLbl = CreateTextLabel("LowerCaseLbl", "Lowercase");
  DontChangeLbl = CreateTextLabel("DontChangeLbl", "Don't change");
  OriginalNameLbl = CreateTextLabel("OriginalNameLbl", "Original Name");
  NumberLbl = CreateTextLabel("NumberLbl", "Numbering (1,2,...,10)");
  CleverNumberLbl = CreateTextLabel("CleverNumberLbl", "Clever numbering (001,002,...,010,...)");
  OldNameLbl = CreateTextLabel("OldNameLbl", "Old Name");
  NewNameLbl = CreateTextLabel("NewNameLbl", "New Name");
  RenLbl = CreateTextLabel("RenLbl", "Renaming files... ");
  AlphaLbl = CreateTextLabel("AlphaLbl", "Alphabetical");
  DateTimeLbl = CreateTextLabel("DateTimeLbl", "Date/Time");
  InverseLbl = CreateTextLabel("InverseLbl", "(inverse)");
  TakenLbl = CreateTextLabel("TakenLbl", "The new name is taken by another file");
  ChainLbl = CreateTextLabel("ChainLbl", "The new name is held by a file renamed only later");
  DuplicateLbl = CreateTextLabel("DuplicateLbl", "An earlier file gets the same new name");
  GoneLbl = CreateTextLabel("GoneLbl", "The file has already been renamed by an earlier row");
  EmptyLbl = CreateTextLabel("EmptyLbl", "The new name is empty");
  TooLongLbl = CreateTextLabel("TooLongLbl", "The new name is too long");
  FolderLbl =
      CreateTextLabel("FolderLbl", "The new name holds a \"/\": the file moves to a folder");
  NoFolderLbl = CreateTextLabel("NoFolderLbl", "The folder of the new name does not exist");
  UndoMsgLbl = CreateTextLabel(
      "UndoMsgLbl",
      "Really undo the last rename?\r\n\r\nN.B. This warn can be disabled in options");
  NotUndoneLbl = CreateTextLabel("NotUndoneLbl", "These renames could not be undone:");
  UndoTakenLbl = CreateTextLabel("UndoTakenLbl", "the original name is taken by another file");
  UndoGoneLbl = CreateTextLabel("UndoGoneLbl", "no file under either name");
  MoreNotUndoneLbl = CreateTextLabel("MoreNotUndoneLbl", "Further renames not undone:");
  CreateSelectionTexts();
  MissingLbl = CreateTextLabel("MissingLbl", "The file lacks a field of the template");
  CreateUndoTexts();
  CreatePresetTexts();
}

// What Undo and the run's journal say of rows left alone and of records.
void TMainForm::CreateUndoTexts() {
  UndoOtherLbl = CreateTextLabel("UndoOtherLbl", "another file is now under the new name");
  UndoFolderLbl = CreateTextLabel("UndoFolderLbl", "the file was moved into another folder");
  DamagedLbl =
      CreateTextLabel("DamagedLbl", "Nothing was undone: the undo record is damaged (%s).");
  NoUndoLbl = CreateTextLabel("NoUndoLbl", "Undo will not be possible (%s). Rename anyway?");
  BusyDirLbl = CreateTextLabel("BusyDirLbl", "Another run is renaming in this folder.");
  UncheckedLbl = CreateTextLabel("UncheckedLbl",
                                 "%s files were moved without a check that their new names were "
                                 "free: this file system refuses both the no-replace rename and "
                                 "links.");
}

// The orders of the box beyond name and date, and the texts of presets.
void TMainForm::CreatePresetTexts() {
  NaturalLbl = CreateTextLabel("NaturalLbl", "Natural");
  DateTakenLbl = CreateTextLabel("DateTakenLbl", "Date taken");
  PresetNameLbl = CreateTextLabel("PresetNameLbl", "Save the choices as:");
  NoPresetsLbl = CreateTextLabel("NoPresetsLbl", "No choices have been saved yet.");
}

// The reasons a selection handed over at start is refused, each put before
// the paths it names.
void TMainForm::CreateSelectionTexts() {
  NoSuchFileLbl = CreateTextLabel("NoSuchFileLbl", "No such file:");
  NotAFileLbl =
      CreateTextLabel("NotAFileLbl", "This is a folder; give one folder, or files of one folder:");
  SeveralFoldersLbl = CreateTextLabel(
      "SeveralFoldersLbl",
      "The files are in several folders; only files of one folder can be renamed together:");
}

QLabel* TMainForm::CreateTextLabel(const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), Panel1);
  // Texts are taken as they stand: no rich text, no access keys.
  label->setTextFormat(Qt::PlainText);
  Register(label, name, "TLabel");
  return label;
}
