#pragma once

#include <QIcon>

// The program's pictures, drawn as SVG in resources/icons/.
namespace Artwork {

// The six images of ImageList1, shared by toolbar and menus by index:
// 0 rename, 1 test, 2 explore/select folder, 3 remove, 4 about, 5 exit.
QIcon ImageList1(int index);
QIcon BrowseGlyph();   // a yellow folder
QIcon RefreshGlyph();  // three green arrows in a triangle
QIcon AppIcon();       // the program's icon (window, About box, desktop entry)

}  // namespace Artwork
