// The window's layout was measured with DejaVu Sans standing in for Verdana
// and DejaVu Sans Condensed for Tahoma (Debian packages fonts-dejavu-core and
// fonts-dejavu-extra). Where a stand-in is missing, Qt picks a wider font and
// the toolbar captions are cut: this test names the font that is missing.
#include <QFontInfo>
#include <QLabel>
#include <QToolButton>

#include "gui/mainformfixture.h"

namespace {

using WindowFont = TMainFormFixture;

TEST_F(WindowFont, ResolvesToTheFamiliesTheLayoutWasMeasuredWith) {
  TMainForm& form = StartWithLanguageEntry();
  const std::pair<const char*, std::string> cases[] = {
      {"MainForm", "DejaVu Sans"},
      {"FilterLbl", "DejaVu Sans"},
      {"GoBTn", "DejaVu Sans Condensed"},
      {"ExitBtn", "DejaVu Sans Condensed"},
      {"StatusLbl", "DejaVu Sans Condensed"},
  };
  for (const auto& [name, family] : cases) {
    auto* control = name == std::string("MainForm")
                        ? static_cast<QWidget*>(&form)
                        : form.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(control, nullptr) << name;
    const QFontInfo font(control->font());
    const QStringList wanted = control->font().families();
    // The design's own font, where a system has it, serves as well.
    if (!wanted.isEmpty() && font.family() == wanted.first()) continue;
    EXPECT_EQ(font.family().toStdString(), family)
        << name << ": install the Debian package "
        << (family.ends_with("Condensed") ? "fonts-dejavu-extra" : "fonts-dejavu-core");
  }
}

}  // namespace
