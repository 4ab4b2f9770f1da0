#pragma once

#include "tcatalog.h"

#include <QImage>
#include <QPolygonF>
#include <QRectF>

#include <array>
#include <cstdint>

class QPainter;

// What makes a land read as its terrain at a glance: grass on plains, trees in woods, reeds in
// marsh and swamp, humps on hills, dunes in desert, peaks on mountains, battlements on a tower…
// drawn over the land's fill in the coordinates of its box, inside the hexagon (closed, the last
// point repeating the first) and clear of the label's ink. The drawing scales with the board unit
// and covers little of the land, so the land stays predominantly its terrain colour; the same seed
// gives the same drawing at every device pixel ratio.
class TerrainArt {
public:
    TerrainArt(int s, qreal devicePixelRatio);

    void Draw(QPainter &painter, TTerrain terrain, const QPolygonF &hexagon, const QRectF &label,
              uint32_t seed) const;

private:
    static constexpr size_t Variants = 3;
    int s;
    qreal ratio;
    std::array<std::array<QImage, Variants>, TerrainCount> sprites;
};

// The closed convex polygon with every edge moved margin inwards.
QPolygonF InsetPolygon(const QPolygonF &closed, double margin);
