#include "app/qt/artwork.h"

#include <QString>

namespace Artwork {

QIcon ImageList1(int index) {
  if (index < 0 || index > 5) return QIcon();
  return QIcon(QStringLiteral(":/icons/image%1.svg").arg(index));
}

QIcon BrowseGlyph() { return QIcon(QStringLiteral(":/icons/browse.svg")); }

QIcon RefreshGlyph() { return QIcon(QStringLiteral(":/icons/refresh.svg")); }

QIcon AppIcon() { return QIcon(QStringLiteral(":/icons/morvane.svg")); }

}  // namespace Artwork
