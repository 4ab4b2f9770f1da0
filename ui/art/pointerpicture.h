#pragma once

#include <QImage>

// The 32 × 32 drag pointers: 1000 no drop here, 1001 dragging a creature, 1002 dragging a
// legion. Transparent around the drawing; at a device pixel ratio above 1 it has that many pixels
// per unit.
QImage DrawPointerPicture(int resourceId, qreal devicePixelRatio = 1);
