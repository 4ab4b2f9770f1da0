#pragma once

#include "tcatalog.h"

#include <QColor>

// The model keeps its colours free of Qt; the windows paint with Qt's.
inline QColor ToQColor(TRgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}
