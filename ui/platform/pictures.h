#pragma once

#include <QCursor>
#include <QPixmap>

// The pictures built into the program, by resource number. The legion windows and pickers show
// creature pictures 1011–1035 (1010 + creature code); an unknown number gives a null pixmap.
QPixmap CreaturePicture(int resourceId);

// The drag pointers: 1000 replaces the no-drop pointer, 1001 is shown while dragging a creature,
// 1002 while dragging a legion. An unknown number gives the arrow.
QCursor ProgramCursor(int resourceId);
