#pragma once

#include <QImage>

// The board picture for board unit s: every land as its terrain-coloured hexagon with the
// terrain's own drawing, its border and its printed label, exactly the board extent in
// device-independent pixels, lying beneath the legion markers the program draws. At a device pixel
// ratio above 1 the picture has that many pixels per unit, drawn from the same geometry.
QImage DrawBoardPicture(int s, qreal devicePixelRatio = 1);
