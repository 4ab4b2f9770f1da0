#pragma once

#include <QImage>

#include <cstdint>

// The 100 × 100 picture of creature type 1 … 25: its own colour and glyph, its name beneath, so
// that every creature is told apart at a glance; at a device pixel ratio above 1 it has that many
// pixels per unit.
QImage DrawCreaturePicture(uint8_t code, qreal devicePixelRatio = 1);
