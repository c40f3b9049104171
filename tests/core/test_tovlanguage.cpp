#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/testutil.h"
#include "core/windowtexts.h"
#include "lang/formmodel.h"
#include "lang/tovlanguage.h"
#include "settings/inifile.h"

namespace {

const std::string CantRen =
    "Cannot rename %s to %s!\r\n\r\nN.B. This warn can be disabled in options";

class TFakeComponent : public Lang::TFormComponent {
 public:
  TFakeComponent(std::string name, std::string className)
      : FName(std::move(name)), FClassName(std::move(className)) {}
  std::string Name() const override { return FName; }
  std::string ClassName() const override { return FClassName; }
  std::string GetText(const std::string& property) const override {
    const auto found = FTexts.find(property);
    return found == FTexts.end() ? std::string() : found->second;
  }
  void SetText(const std::string& property, const std::string& value) override {
    FTexts[property] = value;
  }

 private:
  std::string FName;
  std::string FClassName;
  std::map<std::string, std::string> FTexts;
};

struct TRow {
  std::string Name, ClassName;
  std::string Caption, Hint, Text;
  std::string AccessibleName = {};  // none in the rows of most tests
};

// "~~" in a language file stands for a line break.
std::string WithLineBreaks(std::string text) {
  for (std::size_t at = 0; (at = text.find("~~", at)) != std::string::npos; at += 2)
    text.replace(at, 2, "\r\n");
  return text;
}

std::string DefaultText(const std::string& component, const char* property) {
  const std::string key = "MainForm." + component + "." + property;
  for (const auto& [name, value] : TestUtil::DefaultLanguageTexts())
    if (name == key) return WithLineBreaks(value);
  return {};
}

// The main window's components in creation order as "Name:ClassName", with
// their built-in texts from the default language file; menu separators are
// captioned ":-", which the file does not hold.
std::vector<TRow> MainWindowRowsOf() {
  std::istringstream components(
      "BrowserPanel:TPanel TopLeftPanel:TPanel FilterLbl:TLabel SortLbl:TLabel BtnPanel:TPanel "
      "RefreshBtn:TSpeedButton BrowseDirEdit:TSpeedButton Panel2:TPanel DirTitleLbl:TLabel "
      "DirEdit:TEdit FilterCmb:TComboBox HidFilterList:TListBox SortCmb:TComboBox Bevel5:TBevel "
      "BottomLeftPanel:TPanel Panel3:TPanel FileBrowseTitleLbl:TLabel Bevel4:TBevel "
      "FileList:TListView ToolBar1:TToolBar GoBTn:TToolButton TestBtn:TToolButton "
      "TSep1:TToolButton ExploreBtn:TToolButton RemoveBtn:TToolButton TSep2:TToolButton "
      "AboutBtn:TToolButton ExitBtn:TToolButton TSep3:TToolButton StatusPanel:TPanel "
      "StatusLbl:TLabel ActionLbl:TLabel ProgressBar1:TProgressBar RightPanel:TPanel "
      "PageControl1:TPageControl TabSheet1:TTabSheet RadioGroup1:TRadioGroup Edit1:TEdit "
      "RadioGroup3:TRadioGroup Edit3:TEdit RadioGroup4:TRadioGroup Edit4:TEdit "
      "RadioGroup2:TRadioGroup RadioGroup6:TRadioGroup TabSheet2:TTabSheet TipTitleLbl:TLabel "
      "TipLbl:TLabel GroupBox1:TGroupBox Edit5:TEdit CaseSensitive:TCheckBox "
      "GroupBox2:TGroupBox Edit6:TEdit RegexChk:TCheckBox AllChk:TCheckBox TabSheet3:TTabSheet "
      "GroupBox3:TGroupBox PatternEdit:TEdit FieldBtn:TSpeedButton GroupBox4:TGroupBox "
      "StartLbl:TLabel StartEdit:TEdit StepLbl:TLabel StepEdit:TEdit WidthLbl:TLabel "
      "WidthEdit:TEdit Panel1:TPanel CantRenLbl:TLabel RenameMsgLbl:TLabel "
      "YesLbl:TLabel NoLbl:TLabel UpperCaseLbl:TLabel LowerCaseLbl:TLabel DontChangeLbl:TLabel "
      "OriginalNameLbl:TLabel NumberLbl:TLabel CleverNumberLbl:TLabel OldNameLbl:TLabel "
      "NewNameLbl:TLabel RenLbl:TLabel AlphaLbl:TLabel DateTimeLbl:TLabel InverseLbl:TLabel "
      "TakenLbl:TLabel ChainLbl:TLabel DuplicateLbl:TLabel GoneLbl:TLabel EmptyLbl:TLabel "
      "TooLongLbl:TLabel FolderLbl:TLabel NoFolderLbl:TLabel UndoMsgLbl:TLabel NotUndoneLbl:TLabel "
      "UndoTakenLbl:TLabel UndoGoneLbl:TLabel MoreNotUndoneLbl:TLabel NoSuchFileLbl:TLabel "
      "NotAFileLbl:TLabel SeveralFoldersLbl:TLabel MissingLbl:TLabel UndoOtherLbl:TLabel "
      "UndoFolderLbl:TLabel DamagedLbl:TLabel NoUndoLbl:TLabel BusyDirLbl:TLabel "
      "UncheckedLbl:TLabel NaturalLbl:TLabel DateTakenLbl:TLabel PresetNameLbl:TLabel "
      "NoPresetsLbl:TLabel "
      "MainMenu1:TMainMenu "
      "File1:TMenuItem BrowseMnu:TMenuItem N2:TMenuItem:- TestMnu:TMenuItem RenameMnu:TMenuItem "
      "UndoMnu:TMenuItem N5:TMenuItem:- SavePresetMnu:TMenuItem LoadPresetMnu:TMenuItem "
      "N1:TMenuItem:- ExitMnu:TMenuItem Options1:TMenuItem Language:TMenuItem "
      "N4:TMenuItem:- ShowErrorMnu:TMenuItem WarnRenameMnu:TMenuItem HiddenMnu:TMenuItem "
      "UntangleMnu:TMenuItem "
      "N3:TMenuItem:- "
      "RemoveMnu:TMenuItem ExploreMnu:TMenuItem Help1:TMenuItem ContentsMnu:TMenuItem "
      "AboutMnu:TMenuItem ImageList1:TImageList DirDlg:TKvFolderDialog "
      "tovLanguage1:TtovLanguage");
  std::vector<TRow> rows;
  for (std::string component; components >> component;) {
    const std::size_t colon = component.find(':'), dash = component.find(":-");
    const std::string name = component.substr(0, colon);
    const std::string className = component.substr(colon + 1, dash - colon - 1);
    rows.push_back({name, className, dash == std::string::npos ? DefaultText(name, "Caption") : "-",
                    DefaultText(name, "Hint"), DefaultText(name, "Text"),
                    DefaultText(name, "AccessibleName")});
  }
  return rows;
}
const std::vector<TRow> MainWindowRows = MainWindowRowsOf();

const char* const TextProperties[] = {"Caption", "Hint", "Text", "AccessibleName"};

// The keys of the default language file, in the order a new file holds them.
const std::vector<std::string> DefaultKeys = TestUtil::DefaultLanguageKeys();

class TFakeForm : public Lang::TFormModel {
 public:
  explicit TFakeForm(const std::vector<TRow>& rows = MainWindowRows) {
    for (const TRow& row : rows) {
      FComponents.push_back(std::make_unique<TFakeComponent>(row.Name, row.ClassName));
      const std::pair<const char*, const std::string*> texts[] = {
          {"Caption", &row.Caption},
          {"Hint", &row.Hint},
          {"Text", &row.Text},
          {"AccessibleName", &row.AccessibleName}};
      for (const auto& [property, value] : texts)
        if (!Lang::FindTextProperty(row.ClassName, property).empty())
          FComponents.back()->SetText(property, *value);
    }
  }
  std::string Name() const override { return "MainForm"; }
  std::size_t ComponentCount() const override { return FComponents.size(); }
  Lang::TFormComponent& Component(std::size_t index) override { return *FComponents[index]; }

  std::string Get(const std::string& component, const std::string& property) const {
    for (const auto& c : FComponents)
      if (c->Name() == component) return c->GetText(property);
    ADD_FAILURE() << "no component " << component;
    return {};
  }
  // Every text of the form, keyed "Component.Property".
  std::map<std::string, std::string> Texts() const {
    std::map<std::string, std::string> texts;
    for (const auto& c : FComponents)
      for (const char* property : TextProperties)
        texts[c->Name() + "." + property] = c->GetText(property);
    return texts;
  }

 private:
  std::vector<std::unique_ptr<TFakeComponent>> FComponents;
};

class TFakeChooser : public Lang::TLanguageFileChooser {
 public:
  bool ChooseLanguageFile(const std::string& initialDir, std::string& path) override {
    ++Calls;
    InitialDir = initialDir;
    if (Answer.empty()) return false;
    path = Answer;
    return true;
  }
  std::string Answer;  // empty: the user cancels
  std::string InitialDir;
  int Calls = 0;
};

// Keys of the file's [Translations] lines, in file order, without the form part.
std::vector<std::string> KeysInFile(const std::string& path) {
  std::vector<std::string> names;
  Settings::TIniFile(path).ReadKeyNames("Translations", names);
  for (auto& name : names) name.erase(0, std::string("MainForm.").size());
  return names;
}

class TovLanguageTest : public ::testing::Test {
 protected:
  TestUtil::TTempDir FDir;
  TFakeChooser FChooser;
  Lang::TtovLanguage FLanguage{FChooser, FDir.Path() + "/", FDir.File("morvane.ini")};
  TFakeForm FForm;

  std::string DefaultFile() const { return FDir.File("Language.lng"); }
  std::string StoredLanguage() {
    return Settings::TIniFile(FDir.File("morvane.ini"))
        .ReadText("Language", "MainForm", "<absent>");
  }
  // Writes a language file of the given [Translations] lines.
  void WriteLanguage(const std::string& name, const std::string& translations) {
    TestUtil::WriteFileBytes(FDir.File(name), "[Translations]\r\n" + translations);
  }
  // The text the default file holds for key ("Component.Property").
  std::string DefaultFileText(const std::string& key) {
    return Settings::TIniFile(DefaultFile()).ReadText("Translations", "MainForm." + key, "");
  }
};

// --- Text properties by component kind ---------------------------------------

TEST(FindTextProperty, ByKindWithoutRegardToCase) {
  const struct {
    const char* ClassName;
    const char* Prop;
    const char* Expected;
  } cases[] = {
      {"TLabel", "caption", "Caption"},
      {"TMenuItem", "HINT", "Hint"},
      {"TMenuItem", "Text", ""},
      {"TEdit", "tExT", "Text"},
      {"TComboBox", "Hint", "Hint"},
      {"TComboBox", "Caption", ""},
      {"TBevel", "hint", "Hint"},
      {"TPageControl", "Caption", ""},
      {"TMainMenu", "Hint", ""},
      {"TtovLanguage", "Caption", ""},
      {"TKvFolderDialog", "Text", ""},
      {"TUnknown", "Caption", ""},
      {"TLabel", "Caption.Extra", ""},
      {"TLabel", "", ""},
      {"TToolButton", "Caption", "Caption"},
      {"TSpeedButton", "accessiblename", "AccessibleName"},
      {"TEdit", "AccessibleName", "AccessibleName"},
      {"TLabel", "AccessibleName", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Lang::FindTextProperty(c.ClassName, c.Prop), c.Expected)
        << c.ClassName << " " << c.Prop;
}

// --- Writing ---------------------------------------------------------------

TEST_F(TovLanguageTest, SaveWritesTheDefaultKeysInOrder) {
  FLanguage.SaveLanguage(FForm, DefaultFile());
  EXPECT_EQ(KeysInFile(DefaultFile()), DefaultKeys);
  const std::string data = TestUtil::ReadFileBytes(DefaultFile());
  EXPECT_EQ(data.rfind("[Translations]", 0), 0u);
  const char* lines[] = {
      "MainForm.CantRenLbl.Caption=Cannot rename %s to %s!~~~~N.B. This warn can be disabled "
      "in options",
      "MainForm.RenLbl.Caption=Renaming files... \r\n",
      "MainForm.File1.Caption=&File\r\n",
      "MainForm.DirEdit.Text=/\r\n",
      "MainForm.RefreshBtn.Hint=REfresh current directory\r\n",
  };
  for (const char* line : lines) EXPECT_NE(data.find(line), std::string::npos) << line;
}

TEST_F(TovLanguageTest, SaveSkipsEmptyTextsAndSeparatorCaptions) {
  TFakeForm form({{"N1", "TMenuItem", "-", "-", ""},
                  {"Bevel1", "TBevel", "", "-", ""},
                  {"Edit1", "TEdit", "", "", "-"},
                  {"Lbl", "TLabel", "", "", ""},
                  {"MainMenu1", "TMainMenu", "", "", ""},
                  {"Mixed", "TLabel", "a\r\nb\r\n", "", ""}});
  FLanguage.SaveLanguage(form, DefaultFile());
  EXPECT_EQ(KeysInFile(DefaultFile()),
            (std::vector<std::string>{"N1.Hint", "Bevel1.Hint", "Edit1.Text", "Mixed.Caption"}));
  EXPECT_EQ(DefaultFileText("Mixed.Caption"), "a~~b~~");
}

TEST_F(TovLanguageTest, SaveKeepsOtherKeysOfAnExistingFile) {
  WriteLanguage("Language.lng", "MainForm.Extra.Hint=kept\r\nMainForm.GoBTn.Caption=Old\r\n");
  FLanguage.SaveLanguage(FForm, DefaultFile());
  const std::vector<std::string> keys = KeysInFile(DefaultFile());
  ASSERT_EQ(keys.size(), DefaultKeys.size() + 1);
  EXPECT_EQ(keys[0], "Extra.Hint");
  EXPECT_EQ(keys[1], "GoBTn.Caption");
  EXPECT_EQ(DefaultFileText("GoBTn.Caption"), "Rename");
}

// --- Reading ---------------------------------------------------------------

TEST_F(TovLanguageTest, SaveThenLoadRestoresTexts) {
  FLanguage.SaveLanguage(FForm, DefaultFile());
  TFakeForm changed;
  for (std::size_t i = 0; i < changed.ComponentCount(); ++i) {
    Lang::TFormComponent& c = changed.Component(i);
    for (const char* property : TextProperties) {
      const std::string canonical = Lang::FindTextProperty(c.ClassName(), property);
      if (!canonical.empty() && !c.GetText(canonical).empty()) c.SetText(canonical, "changed");
    }
  }
  FLanguage.LoadLanguage(changed, DefaultFile());
  std::map<std::string, std::string> expected = FForm.Texts();
  expected["RenLbl.Caption"] = "Renaming files...";             // trailing blanks are not read back
  expected["N1.Caption"] = expected["N2.Caption"] = "changed";  // separators have no key
  expected["N3.Caption"] = expected["N4.Caption"] = expected["N5.Caption"] = "changed";
  EXPECT_EQ(changed.Texts(), expected);
  EXPECT_EQ(changed.Get("CantRenLbl", "Caption"), CantRen);
}

struct TLineCase {
  const char* Line;
  const char* Component;
  const char* Property;
  const char* Expected;  // the text afterwards
};

class LoadLineTest : public TovLanguageTest, public ::testing::WithParamInterface<TLineCase> {};

TEST_P(LoadLineTest, AppliesOrIgnores) {
  const TLineCase& c = GetParam();
  TestUtil::WriteFileBytes(FDir.File("x.lng"), std::string("[translations]\r\n") + c.Line + "\r\n");
  std::map<std::string, std::string> expected = FForm.Texts();
  expected[std::string(c.Component) + "." + c.Property] = c.Expected;
  FLanguage.LoadLanguage(FForm, FDir.File("x.lng"));
  EXPECT_EQ(FForm.Texts(), expected);
}

const TLineCase LineCases[] = {
    {"MainForm.GoBTn.Caption=Los", "GoBTn", "Caption", "Los"},
    {"MainForm.gobtn.CAPTION=Los", "GoBTn", "Caption", "Los"},
    {"mainform.GoBTn.Caption=Los", "GoBTn", "Caption", "Rename"},
    {"MAINFORM.GoBTn.Caption=Los", "GoBTn", "Caption", "Rename"},
    {"Other.GoBTn.Caption=Los", "GoBTn", "Caption", "Rename"},
    {"MainForm.Caption=Titel", "GoBTn", "Caption", "Rename"},
    {"MainForm.GoBTn.Caption.Extra=Los", "GoBTn", "Caption", "Rename"},
    {"MainForm..Caption=Los", "GoBTn", "Caption", "Rename"},
    {"MainForm.GoBTn.Text=Los", "GoBTn", "Text", ""},
    {"MainForm.Nobody.Caption=Los", "GoBTn", "Caption", "Rename"},
    {"MainForm.MainMenu1.Caption=Los", "MainMenu1", "Caption", ""},
    {"MainForm.DirEdit.Hint=Ordner", "DirEdit", "Hint", "Ordner"},
    {"MainForm.DirEdit.Text=/home", "DirEdit", "Text", "/home"},
    {"MainForm.YesLbl.Caption=", "YesLbl", "Caption", "Yes"},
    {"MainForm.YesLbl.Caption=  Ja  ", "YesLbl", "Caption", "Ja"},
    {"MainForm.CantRenLbl.Caption=a~~b", "CantRenLbl", "Caption", "a\r\nb"},
    {"MainForm.CantRenLbl.Caption=a~~~b", "CantRenLbl", "Caption", "a\r\n~b"},
    {"MainForm.CantRenLbl.Caption=%s~~~~%s", "CantRenLbl", "Caption", "%s\r\n\r\n%s"},
    {"MainForm.TipLbl.Caption=a=b", "TipLbl", "Caption", "a=b"},
    {"MainForm", "GoBTn", "Caption", "Rename"},
};
INSTANTIATE_TEST_SUITE_P(Lines, LoadLineTest, ::testing::ValuesIn(LineCases));

// Names that repeat, letter case aside, find the first component in creation
// order; letters beyond A to Z keep their case, and an empty name finds nothing.
TEST_F(TovLanguageTest, LoadFindsTheFirstComponentOfAName) {
  TFakeForm form({{"", "TLabel", "none", "", ""},
                  {"Twin", "TLabel", "first", "", ""},
                  {"TWIN", "TLabel", "second", "", ""},
                  {"Ärger", "TLabel", "upper", "", ""},
                  {"ärger", "TLabel", "lower", "", ""}});
  WriteLanguage("x.lng",
                "MainForm.twin.Caption=1\r\nMainForm.TWIN.Hint=2\r\n"
                "MainForm.ärger.Caption=3\r\nMainForm..Caption=4\r\n");
  FLanguage.LoadLanguage(form, FDir.File("x.lng"));
  const std::map<std::string, std::string> texts = form.Texts();
  EXPECT_EQ(texts.at("Twin.Caption"), "1");
  EXPECT_EQ(texts.at("Twin.Hint"), "2");
  EXPECT_EQ(texts.at("TWIN.Caption"), "second");
  EXPECT_EQ(texts.at("TWIN.Hint"), "");
  EXPECT_EQ(texts.at("Ärger.Caption"), "upper");
  EXPECT_EQ(texts.at("ärger.Caption"), "3");
  EXPECT_EQ(texts.at(".Caption"), "none");
}

TEST_F(TovLanguageTest, LoadOfMissingOrForeignFileChangesNothing) {
  const auto before = FForm.Texts();
  FLanguage.LoadLanguage(FForm, FDir.File("missing.lng"));
  TestUtil::WriteFileBytes(FDir.File("other.lng"), "[Other]\r\nMainForm.GoBTn.Caption=Los\r\n");
  FLanguage.LoadLanguage(FForm, FDir.File("other.lng"));
  FLanguage.LoadLanguage(FForm, FDir.Path());
  EXPECT_EQ(FForm.Texts(), before);
}

// --- Choosing and start-up ---------------------------------------------------

TEST_F(TovLanguageTest, ChangeLanguageCancelledChangesNothing) {
  const auto before = FForm.Texts();
  FLanguage.ChangeLanguage(FForm);
  EXPECT_EQ(FChooser.Calls, 1);
  EXPECT_EQ(FChooser.InitialDir, FDir.Path() + "/");
  EXPECT_EQ(FLanguage.CurrentFile(), "");
  EXPECT_FALSE(TestUtil::Exists(FDir.File("morvane.ini")));
  EXPECT_EQ(FForm.Texts(), before);
}

TEST_F(TovLanguageTest, ChangeLanguageConfirmedStoresAndApplies) {
  WriteLanguage("de.lng", "MainForm.GoBTn.Caption=Los\r\n");
  FChooser.Answer = FDir.File("de.lng");
  FLanguage.ChangeLanguage(FForm);
  EXPECT_EQ(FLanguage.CurrentFile(), FDir.File("de.lng"));
  EXPECT_EQ(StoredLanguage(), FDir.File("de.lng"));
  EXPECT_EQ(FForm.Get("GoBTn", "Caption"), "Los");
  // A typed name of a file that does not exist is stored all the same.
  FChooser.Answer = FDir.File("new.lng");
  FLanguage.ChangeLanguage(FForm);
  EXPECT_EQ(StoredLanguage(), FDir.File("new.lng"));
  EXPECT_EQ(FForm.Get("GoBTn", "Caption"), "Los");
}

TEST_F(TovLanguageTest, FirstRunCancelledStoresTheDefaultFile) {
  FLanguage.ChangeLanguage(FForm);
  FLanguage.InitLanguage(FForm);
  EXPECT_EQ(KeysInFile(DefaultFile()), DefaultKeys);
  EXPECT_EQ(StoredLanguage(), DefaultFile());
  EXPECT_EQ(FLanguage.CurrentFile(), DefaultFile());
  EXPECT_EQ(FForm.Get("RenLbl", "Caption"), "Renaming files...");
}

TEST_F(TovLanguageTest, FirstRunConfirmedWritesChosenTextsToDefaultFile) {
  WriteLanguage("de.lng", "MainForm.GoBTn.Caption=Umbenennen\r\n");
  FChooser.Answer = FDir.File("de.lng");
  FLanguage.ChangeLanguage(FForm);
  FLanguage.InitLanguage(FForm);
  EXPECT_EQ(StoredLanguage(), FDir.File("de.lng"));
  EXPECT_EQ(FLanguage.CurrentFile(), FDir.File("de.lng"));
  EXPECT_EQ(DefaultFileText("GoBTn.Caption"), "Umbenennen");
  EXPECT_EQ(DefaultFileText("GoBTn.Hint"), "Rename files");
}

TEST_F(TovLanguageTest, LaterRunRewritesDefaultFileThenAppliesStoredOne) {
  WriteLanguage("Language.lng", "MainForm.GoBTn.Caption=Edited\r\n");
  WriteLanguage("de.lng", "MainForm.GoBTn.Hint=Los\r\n");
  TestUtil::WriteFileBytes(FDir.File("morvane.ini"),
                           "[Language]\r\nMainForm=" + FDir.File("de.lng") + "\r\n");
  FLanguage.InitLanguage(FForm);
  EXPECT_EQ(DefaultFileText("GoBTn.Caption"), "Rename");
  EXPECT_EQ(FForm.Get("GoBTn", "Caption"), "Rename");
  EXPECT_EQ(FForm.Get("GoBTn", "Hint"), "Los");
  EXPECT_EQ(StoredLanguage(), FDir.File("de.lng"));
}

TEST_F(TovLanguageTest, EmptyEntryIsKeptAndNothingApplied) {
  TestUtil::WriteFileBytes(FDir.File("morvane.ini"), "[Language]\r\nMainForm=\r\n");
  FLanguage.InitLanguage(FForm);
  EXPECT_EQ(StoredLanguage(), "");
  EXPECT_EQ(FLanguage.CurrentFile(), "");
  EXPECT_EQ(FForm.Get("RenLbl", "Caption"), "Renaming files... ");
  EXPECT_EQ(KeysInFile(DefaultFile()), DefaultKeys);
}

TEST_F(TovLanguageTest, StoredPathWhoseFileHasGoneStaysStored) {
  const std::string gone = FDir.File("gone.lng");
  TestUtil::WriteFileBytes(FDir.File("morvane.ini"), "[Language]\r\nMainForm=" + gone + "\r\n");
  FLanguage.InitLanguage(FForm);
  EXPECT_EQ(StoredLanguage(), gone);
  EXPECT_EQ(FLanguage.CurrentFile(), gone);
  EXPECT_EQ(FForm.Get("RenLbl", "Caption"), "Renaming files... ");
}

TEST_F(TovLanguageTest, WriteFailuresReachTheCaller) {
  TFakeChooser chooser;
  chooser.Answer = FDir.File("de.lng");
  WriteLanguage("de.lng", "MainForm.GoBTn.Caption=Los\r\n");
  Lang::TtovLanguage noFolder(chooser, FDir.File("missing") + "/", FDir.File("missing/m.ini"));
  EXPECT_THROW(noFolder.InitLanguage(FForm), Settings::EIniWriteError);
  EXPECT_THROW(noFolder.ChangeLanguage(FForm), Settings::EIniWriteError);
  EXPECT_EQ(FForm.Get("GoBTn", "Caption"), "Rename");  // the chosen file is not applied
}

// --- The German language file ----------------------------------------------

std::string GermanFile() {
  const std::string source = __FILE__;
  return source.substr(0, source.rfind('/')) + "/../../lang/German.lng";
}

// The shipped file carries every key of the default file but the directory
// box: a language chosen while a folder is listed must not move the box to "/"
// under a list of another folder's files.
TEST_F(TovLanguageTest, GermanFileTranslatesEveryKeyButTheDirectory) {
  std::vector<std::string> expected = DefaultKeys;
  std::erase(expected, "DirEdit.Text");
  EXPECT_EQ(KeysInFile(GermanFile()), expected);
  Settings::TIniFile german(GermanFile());
  for (const auto& key : expected)
    EXPECT_NE(german.ReadText("Translations", "MainForm." + key, ""), "") << key;
  const std::string cantRen = german.ReadText("Translations", "MainForm.CantRenLbl.Caption", "");
  EXPECT_EQ(std::count(cantRen.begin(), cantRen.end(), '%'), 2);
  EXPECT_NE(cantRen.find("%s"), cantRen.rfind("%s"));
  for (const char* menu : {"File1", "Options1", "Help1"})
    EXPECT_EQ(german.ReadText("Translations", std::string("MainForm.") + menu + ".Caption", "")[0],
              '&');
}

TEST_F(TovLanguageTest, GermanFileAppliesAndKeepsTheDirectory) {
  FLanguage.LoadLanguage(FForm, GermanFile());
  EXPECT_EQ(FForm.Get("DirEdit", "Text"), "/");
  EXPECT_EQ(FForm.Get("GoBTn", "Caption"), "Start");
  EXPECT_EQ(FForm.Get("File1", "Caption"), "&Datei");
  EXPECT_NE(FForm.Get("CantRenLbl", "Caption").find("!\r\n\r\n"), std::string::npos);
}

TEST(GermanLanguageFile, CrLfLinesOfUtf8) {
  const std::string data = TestUtil::ReadFileBytes(GermanFile());
  ASSERT_FALSE(data.empty());
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (data[i] == '\n') EXPECT_TRUE(i > 0 && data[i - 1] == '\r') << "bare LF at " << i;
    if (data[i] == '\r')
      EXPECT_TRUE(i + 1 < data.size() && data[i + 1] == '\n') << "bare CR at " << i;
  }
  for (std::size_t i = 0; i < data.size();) {
    const auto lead = static_cast<unsigned char>(data[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    ASSERT_TRUE(lead < 0x80 || (lead >= 0xC2 && lead <= 0xF4)) << "bad byte at " << i;
    for (std::size_t k = 1; k < length; ++k) {
      ASSERT_LT(i + k, data.size());
      ASSERT_EQ(static_cast<unsigned char>(data[i + k]) & 0xC0, 0x80) << "bad byte at " << i + k;
    }
    i += length;
  }
}

}  // namespace
