#pragma once

#include <QImage>

#include <cstdint>

// The 100 × 100 picture of creature type 1 … 25: its own colour and glyph, its name beneath, so
// that every creature is told apart at a glance.
QImage DrawCreaturePicture(uint8_t code);
