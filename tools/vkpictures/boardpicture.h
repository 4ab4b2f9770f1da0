#pragma once

#include <QImage>

// The board picture for board unit s: every land as its terrain-coloured hexagon with its printed
// label, exactly the board extent in size, lying beneath the legion markers the program draws.
QImage DrawBoardPicture(int s);
