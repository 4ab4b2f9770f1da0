#include "terrainart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// The same land gets the same scatter at every size and in every run (xorshift).
class Random {
public:
    explicit Random(uint32_t seed) : state(seed * 2654435761u | 1u) { }
    double Next() // 0 … 1
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xffffffu) / double(0x1000000);
    }

private:
    uint32_t state;
};

using Motif = void (*)(QPainter &painter, QPointF at, double u, Random &random);

// How a terrain is drawn: its motif at spots spacing board units apart, or once in the land's open
// part when spacing is 0. A motif reaches no further than reach units from its spot.
struct TerrainStyle {
    Motif motif;
    double spacing;
    double reach;
};

QPointF Unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : v;
}

// A staggered grid over the area, each point nudged a little, kept where inside the area and
// outside the clear rectangle.
std::vector<QPointF> Spots(const QPolygonF &area, const QRectF &clear, double spacing,
                           Random &random)
{
    std::vector<QPointF> spots;
    const QRectF bounds = area.boundingRect();
    const double rowStep = spacing * 0.87;
    const int columns = int(bounds.width() / spacing) + 1;
    const double left = bounds.center().x() - (columns - 1) * spacing / 2;
    int row = 0;
    for (double y = bounds.top() + rowStep / 3; y <= bounds.bottom(); y += rowStep, ++row) {
        for (int column = -1; column < columns; ++column) {
            const double x = left + (column + (row % 2 ? 0.5 : 0.0)) * spacing;
            const QPointF spot(x + (random.Next() - 0.5) * spacing * 0.35,
                               y + (random.Next() - 0.5) * rowStep * 0.35);
            if (area.containsPoint(spot, Qt::OddEvenFill) && !clear.contains(spot))
                spots.push_back(spot);
        }
    }
    return spots;
}

QPen Line(const QColor &color, double width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

double Thin(double u)
{
    return std::max(1.0, u / 16);
}

// Plains: tufts of grass, here and there a flower.
void GrassTuft(QPainter &painter, QPointF at, double u, Random &random)
{
    const double h = u * (0.15 + 0.05 * random.Next());
    const QPointF base = at + QPointF(0, h / 2);
    QPainterPath blades;
    for (const double lean : {-0.6, 0.0, 0.6}) {
        blades.moveTo(base);
        blades.lineTo(base + QPointF(lean * h * 0.8, -h * (lean == 0.0 ? 1.0 : 0.7)));
    }
    painter.strokePath(blades, Line(QColor(168, 142, 18), Thin(u)));
    if (random.Next() < 0.3) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(236, 96, 48));
        painter.drawEllipse(base + QPointF(0.12 * u, -0.12 * u), 0.045 * u, 0.045 * u);
    }
}

// Woods: round-crowned trees on their trunks.
void Tree(QPainter &painter, QPointF at, double u, Random &random)
{
    const double r = u * (0.13 + 0.03 * random.Next());
    const QPointF crown = at - QPointF(0, 0.07 * u);
    painter.setPen(Line(QColor(104, 64, 26), std::max(1.0, u / 13)));
    painter.drawLine(crown, crown + QPointF(0, r + 0.13 * u));
    painter.setPen(Line(QColor(58, 84, 16), std::max(0.8, u / 26)));
    painter.setBrush(QColor(116, 150, 34));
    painter.drawEllipse(crown, r, r * 0.95);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(158, 188, 58));
    painter.drawEllipse(crown - QPointF(r * 0.32, r * 0.32), r * 0.36, r * 0.3);
}

// Brush: low bushes of three round clumps.
void Bush(QPainter &painter, QPointF at, double u, Random &)
{
    const double r = 0.085 * u;
    painter.setPen(Line(QColor(62, 104, 20), std::max(0.8, u / 26)));
    painter.setBrush(QColor(112, 160, 36));
    for (const QPointF offset : {QPointF(-0.085, 0.03), QPointF(0.085, 0.03), QPointF(0, -0.045)})
        painter.drawEllipse(at + offset * u, r, r);
}

// Hills: rounded humps, lit from the upper left.
void Hump(QPainter &painter, QPointF at, double u, Random &random)
{
    const double w = u * (0.26 + 0.06 * random.Next());
    QPainterPath ridge(at + QPointF(-w, 0.1 * u));
    ridge.cubicTo(at + QPointF(-0.65 * w, -0.24 * u), at + QPointF(0.65 * w, -0.24 * u),
                  at + QPointF(w, 0.1 * u));
    QPainterPath body = ridge;
    body.closeSubpath();
    painter.fillPath(body, QColor(150, 80, 42));
    painter.strokePath(ridge, Line(QColor(70, 32, 12), Thin(u)));
    QPainterPath light(at + QPointF(-0.7 * w, 0.02 * u));
    light.quadTo(at + QPointF(-0.45 * w, -0.11 * u), at + QPointF(-0.1 * w, -0.12 * u));
    painter.strokePath(light, Line(QColor(196, 126, 74), std::max(0.8, u / 22)));
}

// Jungle: fronds fanning out of the ground.
void Frond(QPainter &painter, QPointF at, double u, Random &random)
{
    const QPointF base = at + QPointF(0, 0.12 * u);
    const double length = u * (0.2 + 0.04 * random.Next());
    painter.setPen(Line(QColor(0, 66, 20), std::max(0.6, u / 30)));
    painter.setBrush(QColor(0, 104, 32));
    for (const double angle : {-162.0, -126.0, -90.0, -54.0, -18.0}) {
        painter.save();
        painter.translate(base);
        painter.rotate(angle);
        painter.drawEllipse(QPointF(length / 2, 0), length / 2, length * 0.17);
        painter.restore();
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 200, 90));
    painter.drawEllipse(base - QPointF(0, 0.02 * u), 0.035 * u, 0.035 * u);
}

// Desert: dunes, their lee side in shade under a sharp crest.
void Dune(QPainter &painter, QPointF at, double u, Random &random)
{
    const double w = u * (0.3 + 0.06 * random.Next());
    const QPointF left = at + QPointF(-w, 0.08 * u);
    const QPointF crest = at + QPointF(-0.05 * w, -0.14 * u);
    const QPointF right = at + QPointF(w, 0.07 * u);
    QPainterPath ridge(left);
    ridge.quadTo(crest, right);
    QPainterPath lee = ridge;
    lee.quadTo(at + QPointF(0.25 * w, 0.1 * u), left);
    painter.fillPath(lee, QColor(214, 104, 0));
    painter.strokePath(ridge.translated(0, -0.04 * u), Line(QColor(255, 196, 100), Thin(u)));
    painter.strokePath(ridge, Line(QColor(160, 70, 0), Thin(u)));
}

// Reeds with their brown heads above a patch of water.
void Reeds(QPainter &painter, QPointF at, double u, const QColor &water, const QColor &stems)
{
    const QPointF base = at + QPointF(0, 0.12 * u);
    painter.setPen(Qt::NoPen);
    painter.setBrush(water);
    painter.drawEllipse(base, 0.21 * u, 0.055 * u);
    QPainterPath stalks;
    for (const double dx : {-0.08, 0.0, 0.08}) {
        stalks.moveTo(base + QPointF(dx * u, 0));
        stalks.lineTo(base + QPointF(dx * 1.6 * u, -(0.3 - std::abs(dx)) * u));
    }
    painter.strokePath(stalks, Line(stems, Thin(u)));
    painter.setBrush(QColor(74, 38, 12));
    for (const double dx : {-0.08, 0.08})
        painter.drawEllipse(base + QPointF(dx * 1.45 * u, -(0.25 - std::abs(dx)) * u), 0.03 * u,
                            0.06 * u);
}

// Marsh: reeds in grey pools on the mud.
void MarshReeds(QPainter &painter, QPointF at, double u, Random &)
{
    Reeds(painter, at, u, QColor(116, 140, 150), QColor(92, 78, 20));
}

// Swamp: reeds in open water, with ripples between them.
void SwampReeds(QPainter &painter, QPointF at, double u, Random &random)
{
    if (random.Next() < 0.35) {
        QPainterPath ripples;
        for (const double w : {0.22, 0.12}) {
            ripples.moveTo(at + QPointF(-w * u, 0.02 * u + w * 0.25 * u));
            ripples.quadTo(at + QPointF(0, -w * 0.3 * u),
                           at + QPointF(w * u, 0.02 * u + w * 0.25 * u));
        }
        painter.strokePath(ripples, Line(QColor(158, 186, 240), Thin(u)));
        return;
    }
    Reeds(painter, at, u, QColor(58, 86, 170), QColor(26, 72, 44));
}

// Tundra: snow drifts with their blue shadows, and frost.
void Drift(QPainter &painter, QPointF at, double u, Random &random)
{
    const double w = u * (0.2 + 0.06 * random.Next());
    QPainterPath drift(at + QPointF(-w, 0.05 * u));
    drift.quadTo(at + QPointF(0, -0.12 * u), at + QPointF(w, 0.05 * u));
    painter.strokePath(drift.translated(0, 0.05 * u), Line(QColor(140, 170, 206), Thin(u)));
    painter.strokePath(drift, Line(Qt::white, std::max(1.2, u / 11)));
    if (random.Next() < 0.4) {
        const double r = 0.05 * u;
        const QPointF star = at + QPointF(0.5 * w, -0.15 * u);
        QPainterPath frost;
        for (const QPointF arm : {QPointF(r, 0), QPointF(0, r), QPointF(0.7 * r, 0.7 * r),
                                  QPointF(0.7 * r, -0.7 * r)}) {
            frost.moveTo(star - arm);
            frost.lineTo(star + arm);
        }
        painter.strokePath(frost, Line(QColor(120, 150, 196), std::max(0.7, u / 30)));
    }
}

// Mountains: three peaks, their shaded faces darker, snow on top. The lit faces keep the land's
// own colour.
void Peaks(QPainter &painter, QPointF at, double u, Random &)
{
    struct Peak {
        double dx, height, half;
    };
    constexpr std::array<Peak, 3> peaks
        = {{{-0.56, 0.64, 0.46}, {0.58, 0.72, 0.48}, {0, 1.02, 0.64}}};
    const QPen outline = Line(QColor(96, 0, 0), Thin(u));
    for (const Peak &peak : peaks) {
        const QPointF foot(at.x() + peak.dx * u, at.y() + 0.46 * u);
        const QPointF apex(foot.x(), foot.y() - peak.height * u);
        const QPointF leftFoot = foot - QPointF(peak.half * u, 0);
        const QPointF rightFoot = foot + QPointF(peak.half * u, 0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(208, 0, 0));
        painter.drawPolygon(QPolygonF({leftFoot, apex, rightFoot}));
        painter.setBrush(QColor(146, 0, 0));
        painter.drawPolygon(QPolygonF({apex, rightFoot, foot + QPointF(0.2 * peak.half * u, 0)}));
        const QPointF down(peak.half * u * 0.3, peak.height * u * 0.3);
        painter.setBrush(QColor(255, 232, 232));
        painter.drawPolygon(QPolygonF({apex, apex + QPointF(down.x(), down.y()),
                                       apex + QPointF(0.25 * down.x(), 0.7 * down.y()),
                                       apex + QPointF(-0.3 * down.x(), 0.95 * down.y()),
                                       apex + QPointF(-down.x(), down.y())}));
        painter.setPen(outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({leftFoot, apex, rightFoot}));
    }
}

// A tower with battlements: a keep between two lower towers, a door and a flag.
QPainterPath Battlemented(const QRectF &body, double merlonHeight)
{
    QPainterPath path;
    path.addRect(body);
    const double merlon = body.width() / 5;
    for (int i = 0; i < 3; ++i)
        path.addRect(QRectF(body.left() + 2 * i * merlon, body.top() - merlonHeight, merlon,
                            merlonHeight + 0.5));
    return path.simplified();
}

void Castle(QPainter &painter, QPointF at, double u, Random &)
{
    const double foot = at.y() + 0.38 * u;
    const QPen outline = Line(QColor(64, 64, 76), Thin(u));
    const QColor stone(176, 176, 188);
    painter.setPen(outline);
    painter.setBrush(stone.darker(112));
    for (const double dx : {-0.4, 0.4}) {
        const QRectF side(at.x() + (dx - 0.14) * u, foot - 0.44 * u, 0.28 * u, 0.44 * u);
        painter.drawPath(Battlemented(side, 0.1 * u));
    }
    const QRectF keep(at.x() - 0.26 * u, foot - 0.7 * u, 0.52 * u, 0.7 * u);
    painter.setBrush(stone);
    painter.drawPath(Battlemented(keep, 0.13 * u));
    // The flag flies from the middle merlon.
    const QPointF pole(at.x(), keep.top() - 0.13 * u);
    painter.drawLine(pole, pole - QPointF(0, 0.2 * u));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 24, 24));
    painter.drawPolygon(QPolygonF({pole - QPointF(0, 0.2 * u), pole + QPointF(0.18 * u, -0.15 * u),
                                   pole - QPointF(0, 0.1 * u)}));
    QPainterPath door(QPointF(at.x() - 0.08 * u, foot));
    door.lineTo(at.x() - 0.08 * u, foot - 0.16 * u);
    door.arcTo(QRectF(at.x() - 0.08 * u, foot - 0.24 * u, 0.16 * u, 0.16 * u), 180, -180);
    door.lineTo(at.x() + 0.08 * u, foot);
    door.closeSubpath();
    painter.setBrush(QColor(84, 60, 40));
    painter.drawPath(door);
    painter.setBrush(QColor(50, 50, 60));
    painter.drawRect(QRectF(at.x() - 0.025 * u, keep.top() + 0.12 * u, 0.05 * u, 0.14 * u));
}

// In TTerrain order.
constexpr std::array<TerrainStyle, TerrainCount> Styles = {{
    {GrassTuft, 0.6, 0.2}, // Plains
    {MarshReeds, 0.62, 0.24}, // Marsh
    {Bush, 0.56, 0.19}, // Brush
    {Tree, 0.52, 0.24}, // Woods
    {Hump, 0.74, 0.34}, // Hills
    {Frond, 0.5, 0.26}, // Jungle
    {Dune, 0.8, 0.38}, // Desert
    {SwampReeds, 0.6, 0.24}, // Swamp
    {Peaks, 0, 0}, // Mountains
    {Drift, 0.64, 0.28}, // Tundra
    {Castle, 0, 0}, // Tower
}};

// The middle of the land's part away from its label, where a single motif goes: the label sits
// at the land's narrow end.
QPointF OpenMiddle(const QPolygonF &hexagon, const QRectF &label)
{
    const QRectF bounds = hexagon.boundingRect();
    if (label.center().y() < bounds.center().y())
        return QPointF(bounds.center().x(), (label.bottom() + bounds.bottom()) / 2);
    return QPointF(bounds.center().x(), (bounds.top() + label.top()) / 2);
}

} // namespace

QPolygonF InsetPolygon(const QPolygonF &closed, double margin)
{
    QPolygonF inner;
    const int n = int(closed.size()) - 1;
    for (int i = 0; i < n; ++i) {
        const QPointF corner = closed[i];
        const QPointF a = Unit(closed[(i + n - 1) % n] - corner);
        const QPointF b = Unit(closed[(i + 1) % n] - corner);
        const double sinHalf = std::sqrt((1 - QPointF::dotProduct(a, b)) / 2);
        inner << corner + Unit(a + b) * (margin / sinHalf);
    }
    inner << inner.first();
    return inner;
}

// Drawing a thousand small motifs one by one, antialiased, would cost more than all the rest of
// the board picture, so each terrain's few variants are drawn once and then copied, each copy on
// whole device pixels.
TerrainArt::TerrainArt(int s, qreal devicePixelRatio) : s(s), ratio(devicePixelRatio)
{
    for (size_t terrain = 0; terrain < Styles.size(); ++terrain) {
        const TerrainStyle &style = Styles[terrain];
        if (style.spacing == 0)
            continue;
        const double side = std::ceil(2 * style.reach * s + 2);
        for (size_t variant = 0; variant < Variants; ++variant) {
            QImage sprite(QSize(int(std::ceil(side * ratio)), int(std::ceil(side * ratio))),
                          QImage::Format_ARGB32_Premultiplied);
            sprite.setDevicePixelRatio(ratio);
            sprite.fill(Qt::transparent);
            QPainter painter(&sprite);
            painter.setRenderHint(QPainter::Antialiasing);
            Random random(uint32_t(variant + 1));
            style.motif(painter, QPointF(side / 2, side / 2), s, random);
            painter.end();
            sprites[terrain][variant] = sprite;
        }
    }
}

void TerrainArt::Draw(QPainter &painter, TTerrain terrain, const QPolygonF &hexagon,
                      const QRectF &label, uint32_t seed) const
{
    const TerrainStyle &style = Styles[terrain];
    Random random(seed);
    painter.save();
    if (style.spacing == 0) {
        style.motif(painter, OpenMiddle(hexagon, label), s, random);
    } else {
        // Clear of the border by the motif's reach and a pixel or two more.
        const double reach = style.reach * s;
        const QPolygonF area = InsetPolygon(hexagon, reach + 2);
        const QRectF clear = label.adjusted(-reach - 1, -reach - 1, reach + 1, reach + 1);
        const QImage *variants = sprites[terrain].data();
        const double half = variants[0].deviceIndependentSize().width() / 2;
        const QPointF origin = painter.deviceTransform().map(QPointF(0, 0));
        for (const QPointF &spot : Spots(area, clear, style.spacing * s, random)) {
            const QImage &sprite = variants[size_t(random.Next() * Variants)];
            // Whole device pixels: the copy is the drawn variant, pixel for pixel.
            const QPointF device = origin + (spot - QPointF(half, half)) * ratio;
            const QPointF snapped(std::round(device.x()), std::round(device.y()));
            painter.drawImage((snapped - origin) / ratio, sprite);
        }
    }
    painter.restore();
}
