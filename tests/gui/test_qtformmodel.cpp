#include <functional>
#include <memory>
#include <string>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "lang/qt/qtformmodel.h"

namespace {

// A small window with one control of every kind the main window uses.
struct TWindow {
  QWidget Form;
  QLabel* Label = new QLabel("Status:", &Form);
  QPushButton* Push = new QPushButton("Go", &Form);
  QToolButton* Tool = new QToolButton(&Form);
  QCheckBox* Check = new QCheckBox("Case sensitive", &Form);
  QRadioButton* Radio = new QRadioButton("yes", &Form);
  QGroupBox* Group = new QGroupBox("Add Prefix", &Form);
  QFrame* Panel = new QFrame(&Form);
  QToolBar* Bar = new QToolBar(&Form);
  QAction* Separator = Bar->addSeparator();
  QTabWidget* Tabs = new QTabWidget(&Form);
  QWidget* Page = new QWidget;
  QMenu* Menu = new QMenu("&File", &Form);
  QAction* Entry = Menu->addAction("Select Directory");
  QLineEdit* Edit = new QLineEdit("c:\\", &Form);
  QComboBox* Editable = new QComboBox(&Form);
  QComboBox* Fixed = new QComboBox(&Form);
  TQtFormModel Model{"MainForm"};

  TWindow() {
    Tabs->addTab(new QWidget, "First");
    Tabs->addTab(Page, "Rename");
    Editable->setEditable(true);
    Editable->addItems({"*", "bmp;jpg"});
    Fixed->addItems({"Name", "Date/Time"});
    Fixed->setCurrentIndex(-1);
    Model.Add(Label, "StatusLbl", "TLabel");
    Model.Add(Push, "GoBTn", "TToolButton");
    Model.Add(Tool, "BrowseDirEdit", "TSpeedButton");
    Model.Add(Check, "CaseSensitive", "TCheckBox");
    Model.Add(Radio, "RadioItem", "TRadioButton");
    Model.Add(Group, "RadioGroup1", "TRadioGroup");
    Model.Add(Panel, "RightPanel", "TPanel");
    Model.Add(Bar, "ToolBar1", "TToolBar");
    Model.Add(Separator, "TSep1", "TToolButton");
    Model.Add(Page, "TabSheet1", "TTabSheet");
    Model.Add(Menu, "File1", "TMenuItem");
    Model.Add(Entry, "BrowseMnu", "TMenuItem");
    Model.Add(Edit, "DirEdit", "TEdit");
    Model.Add(Editable, "FilterCmb", "TComboBox");
    Model.Add(Fixed, "SortCmb", "TComboBox");
  }

  Lang::TFormComponent& Find(const std::string& name) {
    for (std::size_t i = 0; i < Model.ComponentCount(); ++i)
      if (Model.Component(i).Name() == name) return Model.Component(i);
    throw std::runtime_error("no component " + name);
  }
};

TEST(QtFormModel, KeepsNameKindsAndCreationOrder) {
  TWindow w;
  EXPECT_EQ(w.Model.Name(), "MainForm");
  ASSERT_EQ(w.Model.ComponentCount(), 15u);
  EXPECT_EQ(w.Model.Component(0).Name(), "StatusLbl");
  EXPECT_EQ(w.Model.Component(0).ClassName(), "TLabel");
  EXPECT_EQ(w.Model.Component(14).Name(), "SortCmb");
  EXPECT_EQ(w.Model.Component(14).ClassName(), "TComboBox");
}

TEST(QtFormModel, ReadsTheTextsTheControlsShow) {
  TWindow w;
  w.Bar->setProperty("Caption", "ToolBar1");
  EXPECT_EQ(w.Find("StatusLbl").GetText("Caption"), "Status:");
  EXPECT_EQ(w.Find("CaseSensitive").GetText("Caption"), "Case sensitive");
  EXPECT_EQ(w.Find("RadioGroup1").GetText("Caption"), "Add Prefix");
  EXPECT_EQ(w.Find("TabSheet1").GetText("Caption"), "Rename");
  EXPECT_EQ(w.Find("File1").GetText("Caption"), "&File");
  EXPECT_EQ(w.Find("BrowseMnu").GetText("Caption"), "Select Directory");
  EXPECT_EQ(w.Find("ToolBar1").GetText("Caption"), "ToolBar1");
  EXPECT_EQ(w.Find("RightPanel").GetText("Caption"), "");
  EXPECT_EQ(w.Find("DirEdit").GetText("Text"), "c:\\");
  EXPECT_EQ(w.Find("FilterCmb").GetText("Text"), "*");
  EXPECT_EQ(w.Find("SortCmb").GetText("Text"), "");
}

struct TSetCase {
  const char* Component;
  const char* Property;
  const char* Value;
  std::function<QString(TWindow&)> Shown;  // what the control shows afterwards
};

class QtFormModelSet : public ::testing::TestWithParam<TSetCase> {};

TEST_P(QtFormModelSet, WritesThroughToTheControl) {
  TWindow w;
  const TSetCase& c = GetParam();
  w.Find(c.Component).SetText(c.Property, c.Value);
  EXPECT_EQ(w.Find(c.Component).GetText(c.Property), c.Value);
  EXPECT_EQ(c.Shown(w), QString::fromUtf8(c.Value));
}

const TSetCase SetCases[] = {
    {"StatusLbl", "Caption", "Zustand:", [](TWindow& w) { return w.Label->text(); }},
    {"StatusLbl", "Caption", "Cannot rename %s!\r\n\r\nN.B.",
     [](TWindow& w) { return w.Label->text(); }},
    {"GoBTn", "Caption", "Umbenennen", [](TWindow& w) { return w.Push->text(); }},
    {"BrowseDirEdit", "Caption", "...", [](TWindow& w) { return w.Tool->text(); }},
    {"CaseSensitive", "Caption", "Gro\xc3\x9f/klein", [](TWindow& w) { return w.Check->text(); }},
    {"RadioItem", "Caption", "ja", [](TWindow& w) { return w.Radio->text(); }},
    {"RadioGroup1", "Caption", "Vorsilbe", [](TWindow& w) { return w.Group->title(); }},
    {"TabSheet1", "Caption", "Umbenennen", [](TWindow& w) { return w.Tabs->tabText(1); }},
    {"File1", "Caption", "&Datei", [](TWindow& w) { return w.Menu->title(); }},
    {"BrowseMnu", "Caption", "Ordner...", [](TWindow& w) { return w.Entry->text(); }},
    {"RightPanel", "Caption", "Panel",
     [](TWindow& w) { return w.Panel->property("Caption").toString(); }},
    {"TSep1", "Caption", "TSep1",
     [](TWindow& w) { return w.Separator->property("Caption").toString(); }},
    {"GoBTn", "Hint", "Dateien umbenennen", [](TWindow& w) { return w.Push->toolTip(); }},
    {"BrowseMnu", "Hint", "Open", [](TWindow& w) { return w.Entry->toolTip(); }},
    {"BrowseMnu", "Hint", "Select Directory", [](TWindow& w) { return w.Entry->toolTip(); }},
    {"DirEdit", "Hint", "Ordner", [](TWindow& w) { return w.Edit->toolTip(); }},
    {"DirEdit", "Text", "/home", [](TWindow& w) { return w.Edit->text(); }},
    {"FilterCmb", "Text", "mp3;wma", [](TWindow& w) { return w.Editable->currentText(); }},
    {"SortCmb", "Text", "Date/Time", [](TWindow& w) { return w.Fixed->currentText(); }}};
INSTANTIATE_TEST_SUITE_P(Cases, QtFormModelSet, ::testing::ValuesIn(SetCases),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(QtFormModel, AnActionWithoutTooltipHasNoHint) {
  TWindow w;
  ASSERT_EQ(w.Entry->toolTip(), "Select Directory");  // Qt falls back to the text
  EXPECT_EQ(w.Find("BrowseMnu").GetText("Hint"), "");
  EXPECT_EQ(w.Find("File1").GetText("Hint"), "");
  w.Entry->setToolTip("Pick a folder");
  EXPECT_EQ(w.Find("BrowseMnu").GetText("Hint"), "Pick a folder");
}

TEST(QtFormModel, AWidgetsOwnTooltipIsItsHint) {
  TWindow w;
  w.Tool->setToolTip("Open directory...");
  EXPECT_EQ(w.Find("BrowseDirEdit").GetText("Hint"), "Open directory...");
  EXPECT_EQ(w.Find("StatusLbl").GetText("Hint"), "");
}

TEST(QtFormModel, FixedComboOffersOnlyItsItems) {
  TWindow w;
  auto& sort = w.Find("SortCmb");
  sort.SetText("Text", "Name");
  EXPECT_EQ(w.Fixed->currentIndex(), 0);
  sort.SetText("Text", "Size");
  EXPECT_EQ(w.Fixed->currentIndex(), 0);
  EXPECT_EQ(sort.GetText("Text"), "Name");
}

TEST(QtFormModel, EditableComboTakesAnyText) {
  TWindow w;
  w.Find("FilterCmb").SetText("Text", "txt;doc");
  EXPECT_EQ(w.Editable->currentText(), "txt;doc");
  EXPECT_EQ(w.Editable->count(), 2);
}

TEST(QtFormModel, AReleasedControlReadsEmptyAndIgnoresWrites) {
  TWindow w;
  delete w.Label;
  auto& label = w.Find("StatusLbl");
  EXPECT_EQ(label.GetText("Caption"), "");
  label.SetText("Caption", "x");  // must not crash
}

}  // namespace
