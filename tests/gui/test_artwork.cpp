#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include "ui/artwork.h"

namespace {

// An image that has both see-through and drawn pixels: the SVG was found,
// parsed and painted.
bool IsDrawn(const QIcon& icon, int size) {
  const QImage image = icon.pixmap(size, size).toImage();
  if (image.size() != QSize(size, size)) return false;
  bool clear = false;
  bool drawn = false;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) (qAlpha(image.pixel(x, y)) == 0 ? clear : drawn) = true;
  return drawn && (clear || size < 16);
}

TEST(Artwork, EveryPictureLoadsAndDrawsAt16And32) {
  const struct {
    const char* Name;
    QIcon Icon;
  } pictures[] = {
      {"rename", Artwork::ImageList1(0)},  {"test", Artwork::ImageList1(1)},
      {"explore", Artwork::ImageList1(2)}, {"remove", Artwork::ImageList1(3)},
      {"about", Artwork::ImageList1(4)},   {"exit", Artwork::ImageList1(5)},
      {"browse", Artwork::BrowseGlyph()},  {"refresh", Artwork::RefreshGlyph()},
      {"program", Artwork::AppIcon()},
  };
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.Name);
    ASSERT_FALSE(p.Icon.isNull());
    EXPECT_TRUE(IsDrawn(p.Icon, 16));
    EXPECT_TRUE(IsDrawn(p.Icon, 32));
  }
}

TEST(Artwork, ImageListIndexOutsideTheListGivesNoPicture) {
  EXPECT_TRUE(Artwork::ImageList1(-1).isNull());
  EXPECT_TRUE(Artwork::ImageList1(6).isNull());
}

TEST(Artwork, TheSixImagesDiffer) {
  for (int a = 0; a < 6; ++a)
    for (int b = a + 1; b < 6; ++b)
      EXPECT_NE(Artwork::ImageList1(a).pixmap(16, 16).toImage(),
                Artwork::ImageList1(b).pixmap(16, 16).toImage())
          << a << " and " << b;
}

}  // namespace
