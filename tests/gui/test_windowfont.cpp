// The window's layout was measured with DejaVu Sans standing in for Verdana
// and DejaVu Sans Condensed for Tahoma (Debian packages fonts-dejavu-core and
// fonts-dejavu-extra). Where a stand-in is missing, Qt picks a wider font and
// the toolbar captions are cut: this test names the font that is missing.
#include <QFontInfo>
#include <QLabel>
#include <QToolButton>

#include "gui/mainformfixture.h"

namespace {

class WindowFont : public TMainFormFixture {};

TEST_F(WindowFont, ResolvesToTheFamiliesTheLayoutWasMeasuredWith) {
  TMainForm& form = StartWithLanguageEntry();
  struct {
    const char* Control;
    const char* Family;
    const char* Package;
  } cases[] = {
      {"MainForm", "DejaVu Sans", "fonts-dejavu-core"},
      {"FilterLbl", "DejaVu Sans", "fonts-dejavu-core"},
      {"GoBTn", "DejaVu Sans Condensed", "fonts-dejavu-extra"},
      {"ExitBtn", "DejaVu Sans Condensed", "fonts-dejavu-extra"},
      {"StatusLbl", "DejaVu Sans Condensed", "fonts-dejavu-extra"},
  };
  for (const auto& c : cases) {
    auto* control = c.Control == std::string("MainForm")
                        ? static_cast<QWidget*>(&form)
                        : form.findChild<QWidget*>(QString::fromLatin1(c.Control));
    ASSERT_NE(control, nullptr) << c.Control;
    const QFontInfo font(control->font());
    const QStringList wanted = control->font().families();
    // The design's own font, where a system has it, serves as well.
    if (!wanted.isEmpty() && font.family() == wanted.first()) continue;
    EXPECT_EQ(font.family().toStdString(), c.Family)
        << c.Control << ": install the Debian package " << c.Package;
  }
}

}  // namespace
