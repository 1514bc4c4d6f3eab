// The two image lists of the main window, painted in code: the command images of the
// menus and the toolbar, and the node images of the message tree.
#pragma once

#include <QIcon>

namespace vestrel::workbench {

// Main image list; the indexes the commands use are 0 cut, 1 copy, 2 paste, 6 new,
// 7 open, 15 tile horizontally, 16 tile vertically, 17 cascade, 18 save source,
// 19 save IL project, 20 translate. Other indexes give an empty icon.
QIcon mainImage(int index);

// Second image list (message tree); index 1 marks the lexical group.
QIcon messageImage(int index);

// The program's icon (about box, window icon).
QIcon programIcon();

}  // namespace vestrel::workbench
