#include "core/windowtexts.h"

namespace TestUtil {

const std::vector<std::pair<std::string, std::string>>& DefaultLanguageTexts() {
  static const std::vector<std::pair<std::string, std::string>> texts = {
      {"MainForm.FilterLbl.Caption", "Filter extension:"},
      {"MainForm.SortLbl.Caption", "Sort order:"},
      {"MainForm.RefreshBtn.Hint", "REfresh current directory"},
      {"MainForm.BrowseDirEdit.Hint", "Open directory..."},
      {"MainForm.DirTitleLbl.Caption", "Current directory:"},
      {"MainForm.DirEdit.Text", "/"},
      {"MainForm.FileBrowseTitleLbl.Caption", "Files to rename:"},
      {"MainForm.ToolBar1.Caption", "ToolBar1"},
      {"MainForm.GoBTn.Caption", "Rename"},
      {"MainForm.GoBTn.Hint", "Rename files"},
      {"MainForm.TestBtn.Caption", "Test"},
      {"MainForm.TestBtn.Hint", "Test the rename file effects"},
      {"MainForm.TSep1.Caption", "TSep1"},
      {"MainForm.ExploreBtn.Caption", "Explore"},
      {"MainForm.ExploreBtn.Hint", "Browse current directory"},
      {"MainForm.RemoveBtn.Caption", "Remove"},
      {"MainForm.RemoveBtn.Hint", "Remove selected file(s) from list"},
      {"MainForm.TSep2.Caption", "TSep2"},
      {"MainForm.AboutBtn.Caption", "About"},
      {"MainForm.AboutBtn.Hint", "Info"},
      {"MainForm.ExitBtn.Caption", "Exit"},
      {"MainForm.ExitBtn.Hint", "Close"},
      {"MainForm.TSep3.Caption", "TSep3"},
      {"MainForm.StatusLbl.Caption", "Status:"},
      {"MainForm.ActionLbl.Caption", "Idle..."},
      {"MainForm.TabSheet1.Caption", "Rename"},
      {"MainForm.RadioGroup1.Caption", "Add Prefix"},
      {"MainForm.RadioGroup3.Caption", "Add suffix"},
      {"MainForm.RadioGroup4.Caption", "New Extension"},
      {"MainForm.RadioGroup2.Caption", "New Name"},
      {"MainForm.RadioGroup6.Caption", "Name case"},
      {"MainForm.TabSheet2.Caption", "Replace"},
      {"MainForm.TipTitleLbl.Caption", "Tip:"},
      {"MainForm.TipLbl.Caption",
       "To replace or insert blank (\" \") charachters leave blank the relative edit box."},
      {"MainForm.GroupBox1.Caption", "Search for"},
      {"MainForm.CaseSensitive.Caption", "Case sensitive search"},
      {"MainForm.GroupBox2.Caption", "Replace with"},
      {"MainForm.CantRenLbl.Caption",
       "Cannot rename %s to %s!~~~~N.B. This warn can be disabled in options"},
      {"MainForm.RenameMsgLbl.Caption",
       "Really rename file(s)?~~~~N.B. This warn can be disabled in options"},
      {"MainForm.YesLbl.Caption", "Yes"},
      {"MainForm.NoLbl.Caption", "No"},
      {"MainForm.UpperCaseLbl.Caption", "Uppercase"},
      {"MainForm.LowerCaseLbl.Caption", "Lowercase"},
      {"MainForm.DontChangeLbl.Caption", "Don't change"},
      {"MainForm.OriginalNameLbl.Caption", "Original Name"},
      {"MainForm.NumberLbl.Caption", "Numbering (1,2,...,10)"},
      {"MainForm.CleverNumberLbl.Caption", "Clever numbering (001,002,...,010,...)"},
      {"MainForm.OldNameLbl.Caption", "Old Name"},
      {"MainForm.NewNameLbl.Caption", "New Name"},
      {"MainForm.RenLbl.Caption", "Renaming files... "},
      {"MainForm.AlphaLbl.Caption", "Alphabetical"},
      {"MainForm.DateTimeLbl.Caption", "Date/Time"},
      {"MainForm.InverseLbl.Caption", "(inverse)"},
      {"MainForm.File1.Caption", "&File"},
      {"MainForm.BrowseMnu.Caption", "Select Directory"},
      {"MainForm.TestMnu.Caption", "Test"},
      {"MainForm.RenameMnu.Caption", "Rename"},
      {"MainForm.ExitMnu.Caption", "Exit"},
      {"MainForm.Options1.Caption", "&Options"},
      {"MainForm.Language.Caption", "Select Language"},
      {"MainForm.ShowErrorMnu.Caption", "Show error messages"},
      {"MainForm.WarnRenameMnu.Caption", "Warn before rename"},
      {"MainForm.RemoveMnu.Caption", "Remove selected file(s)"},
      {"MainForm.ExploreMnu.Caption", "Explore folder"},
      {"MainForm.Help1.Caption", "&Help"},
      {"MainForm.ContentsMnu.Caption", "Contents"},
      {"MainForm.AboutMnu.Caption", "About"},
  };
  return texts;
}

std::vector<std::string> DefaultLanguageKeys() {
  std::vector<std::string> keys;
  for (const auto& [key, value] : DefaultLanguageTexts())
    keys.push_back(key.substr(std::string("MainForm.").size()));
  return keys;
}

}  // namespace TestUtil
