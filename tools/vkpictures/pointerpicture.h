#pragma once

#include <QImage>

// The 32 × 32 drag pointers: 1000 no drop here, 1001 dragging a creature, 1002 dragging a
// legion. Transparent around the drawing.
QImage DrawPointerPicture(int resourceId);
