#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "filelist/visiblename.h"

namespace {

TEST(VisibleName, MarksHiddenCharactersOnly) {
  const struct {
    std::string Name, Shown;
    std::size_t Markers;
  } cases[] = {
      {"invoice\u202Efdp.exe", "invoice<U+202E>fdp.exe", 1},
      {"\u200Bzero\u200C\u200Dwidth\u2060", "<U+200B>zero<U+200C><U+200D>width<U+2060>", 4},
      {"\uFEFF\u200E\u200F\u061C", "<U+FEFF><U+200E><U+200F><U+061C>", 4},
      {"\u202A\u202D\u2066\u2069x", "<U+202A><U+202D><U+2066><U+2069>x", 4},
      {"soft\u00ADhyphen", "soft<U+00AD>hyphen", 1},
      // Visible neighbours of those ranges, other scripts, not UTF-8: kept.
      {"\u2010\u2065\u2070\u200A\u202F\u00AC", "\u2010\u2065\u2070\u200A\u202F\u00AC", 0},
      {"\u05E9\u05DC\u05D5\u05DD.txt", "\u05E9\u05DC\u05D5\u05DD.txt", 0},
      {"\xe2\x80\xae\xe2\x80", "<U+202E>\xe2\x80", 1},
      {"\xe2\x80", "\xe2\x80", 0},
      {"", "", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileList::VisibleName(c.Name), c.Shown) << c.Shown;
    std::string joined;
    std::size_t markers = 0;
    for (const FileList::TNamePart& part : FileList::VisibleParts(c.Name)) {
      EXPECT_FALSE(part.Text.empty()) << c.Shown;
      joined += part.Text;
      markers += part.Marker ? 1 : 0;
    }
    EXPECT_EQ(joined, c.Shown);
    EXPECT_EQ(markers, c.Markers) << c.Shown;
  }
}

}  // namespace
