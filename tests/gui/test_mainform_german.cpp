// The shipped German translation, applied to the real window at start-up,
// leaves no English text anywhere in the window.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include "core/windowtexts.h"
#include "filelist/qt/filelistmodel.h"
#include "gui/mainformfixture.h"

namespace {

const std::string GermanFile = std::string(MORVANE_SOURCE_DIR) + "/lang/German.lng";

using GuiTestUtil::WithoutMarks;

// The built-in English texts: the values of the default language file, with
// "~~" turned back into line breaks.
std::set<QString> EnglishTexts() {
  std::set<QString> texts;
  for (const auto& [key, value] : TestUtil::DefaultLanguageTexts())
    if (key.rfind("MainForm.DirEdit.", 0) != 0)
      texts.insert(WithoutMarks(QString::fromUtf8(value).trimmed().replace(
          QStringLiteral("~~"), QStringLiteral("\r\n"))));
  // Words that German uses as they are.
  texts.erase(QStringLiteral("Status:"));
  texts.erase(QStringLiteral("Info"));
  texts.erase(QStringLiteral("Suffix"));
  return texts;
}

// Every text the window shows or keeps for showing.
std::vector<QString> WindowTexts(TMainForm& form) {
  std::vector<QString> texts;
  for (auto* label : form.findChildren<QLabel*>()) texts.push_back(label->text());
  for (auto* button : form.findChildren<QAbstractButton*>()) texts.push_back(button->text());
  for (auto* group : form.findChildren<QGroupBox*>()) texts.push_back(group->title());
  for (auto* tabs : form.findChildren<QTabWidget*>())
    for (int i = 0; i < tabs->count(); ++i) texts.push_back(tabs->tabText(i));
  for (auto* action : form.findChildren<QAction*>()) texts.push_back(action->text());
  for (auto* widget : form.findChildren<QWidget*>()) {
    texts.push_back(widget->toolTip());
    texts.push_back(widget->accessibleName());
  }
  for (auto* combo : form.findChildren<QComboBox*>())
    for (int i = 0; i < combo->count(); ++i) texts.push_back(combo->itemText(i));
  for (int column = 0; column < 2; ++column)
    texts.push_back(form.FileListModel()->headerData(column, Qt::Horizontal).toString());
  return texts;
}

class MainFormGerman : public TMainFormFixture {};

TEST_F(MainFormGerman, LeavesNoEnglishTextInTheWindow) {
  WriteSettings("[Language]\r\nMainForm=" + GermanFile + "\r\n");
  TMainForm& form = StartShown();
  const std::set<QString> english = EnglishTexts();
  ASSERT_GT(english.size(), 50u);
  int checked = 0;
  for (const QString& text : WindowTexts(form)) {
    if (text.trimmed().isEmpty()) continue;
    ++checked;
    EXPECT_EQ(english.count(WithoutMarks(text).trimmed()), 0u) << text.toStdString();
  }
  EXPECT_GT(checked, 60);
}

}  // namespace
