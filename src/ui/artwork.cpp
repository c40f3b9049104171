#include "ui/artwork.h"

#include <QString>

// The pictures live in the resources of a static library, which the linker
// keeps only when something names them.
static void LoadArtworkResources() {
  static const bool loaded = [] {
    Q_INIT_RESOURCE(morvane);
    return true;
  }();
  (void)loaded;
}

namespace Artwork {

namespace {

QIcon Picture(const QString& name) {
  LoadArtworkResources();
  return QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
}

}  // namespace

QIcon ImageList1(int index) {
  if (index < 0 || index > 5) return QIcon();
  return Picture(QStringLiteral("image%1").arg(index));
}

QIcon BrowseGlyph() { return Picture(QStringLiteral("browse")); }

QIcon RefreshGlyph() { return Picture(QStringLiteral("refresh")); }

QIcon AppIcon() { return Picture(QStringLiteral("morvane")); }

}  // namespace Artwork
