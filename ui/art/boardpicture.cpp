#include "boardpicture.h"

#include "terrainart.h"
#include "tmastrbd.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr QRgb Background = qRgb(28, 30, 36);
constexpr double LandHeight = 2.5980762;
constexpr const char *LabelFamily = "DejaVu Sans";
// A condensed label is still readable down to this stretch; beyond it the font gets smaller.
constexpr int MinStretch = 62;
constexpr int MinPixelSize = 6;

QColor ToColor(const TRgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

bool IsLight(const QColor &color)
{
    return 0.299 * color.red() + 0.587 * color.green() + 0.114 * color.blue() > 140;
}

// The rows at the land's narrow end that stay visible under both legion markers (their 3-pixel
// borders spill a row past their rectangles) and inside the land's border.
QRect LabelBand(bool upward, int s, const TOutline &outline)
{
    const int h1 = 3 * s / 2;
    if (upward) {
        const int secondMarkerTop = int(LandHeight * s + 0.5 - s / 3) - h1 - 2;
        return QRect(QPoint(0, 2), QPoint(3 * s + 1, secondMarkerTop - 3));
    }
    const int secondMarkerBottom = 11 * s / 6 + 3;
    const int outlineBottom = outline[2].y;
    return QRect(QPoint(0, secondMarkerBottom + 2), QPoint(3 * s + 1, outlineBottom - 2));
}

// The columns of the hexagon at row y, inside its border.
std::pair<double, double> SpanAt(const QPolygonF &hexagon, double y)
{
    double left = std::numeric_limits<double>::max();
    double right = std::numeric_limits<double>::lowest();
    for (int i = 0; i + 1 < hexagon.size(); ++i) {
        const QPointF a = hexagon[i];
        const QPointF b = hexagon[i + 1];
        if ((y < a.y() && y < b.y()) || (y > a.y() && y > b.y()) || a.y() == b.y())
            continue;
        const double x = a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
        left = std::min(left, x);
        right = std::max(right, x);
    }
    return {left + 1, right - 1};
}

// A label's font, where its text starts and where its ink lies, relative to the land box.
struct LabelLayout {
    QFont font;
    QPointF baseline;
    QRectF ink;
};

// Whether ink of that size, centred at centerX with its top row at top, lies inside the hexagon.
bool FitsAt(const QSize &ink, double centerX, int top, const QPolygonF &hexagon)
{
    for (double y : {double(top), double(top + ink.height())}) {
        const auto [left, right] = SpanAt(hexagon, y);
        if (centerX - ink.width() / 2.0 < left || centerX + ink.width() / 2.0 > right)
            return false;
    }
    return true;
}

// The top row for the ink: centred in the band if it fits there, otherwise as close to the
// centre as it fits, moving towards the land's wide part; -1 when it fits nowhere.
int InkTop(const QSize &ink, double centerX, const QRect &band, bool upward,
           const QPolygonF &hexagon)
{
    if (ink.height() > band.height())
        return -1;
    const int wide = upward ? band.bottom() + 1 - ink.height() : band.top();
    const int step = upward ? 1 : -1;
    for (int top = band.top() + (band.height() - ink.height()) / 2;; top += step) {
        if (FitsAt(ink, centerX, top, hexagon))
            return top;
        if (top == wide)
            return -1;
    }
}

// The largest label font, up to the land's preferred size and condensed if need be, that fits in
// the band.
LabelLayout LayOutLabel(const QString &text, int s, const QPolygonF &hexagon, bool upward)
{
    const QRect band = LabelBand(upward, s, LandOutline(upward, s));
    const double centerX = hexagon.boundingRect().center().x();
    QFont font(LabelFamily);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    QRect ink;
    const auto layout = [&](int top) {
        const QPointF baseline(std::round(centerX - ink.width() / 2.0) - ink.left(),
                               top - ink.top());
        return LabelLayout{font, baseline, QRectF(ink).translated(baseline)};
    };
    for (int pixels = std::max(MinPixelSize, s * 6 / 10); pixels >= MinPixelSize; --pixels) {
        font.setPixelSize(pixels);
        for (int stretch = 100; stretch >= MinStretch; stretch -= 4) {
            font.setStretch(stretch);
            ink = QFontMetrics(font).tightBoundingRect(text);
            if (const int top = InkTop(ink.size(), centerX, band, upward, hexagon); top >= 0)
                return layout(top);
        }
    }
    // Too small a land to do better: the smallest try, at the band's wide end.
    return layout(upward ? band.bottom() + 1 - ink.height() : band.top());
}

void DrawLabel(QPainter &painter, const QString &text, const LabelLayout &layout,
               const QColor &fill)
{
    painter.setFont(layout.font);
    painter.setPen(IsLight(fill) ? fill.darker(400) : QColor(Qt::white));
    painter.drawText(layout.baseline, text);
}

// The land's fill inside its edge: a dark border on the outline's own pixels, with a lighter rim
// just inside it, so that neighbouring lands of one terrain still read as two. Filled one over the
// other, not stroked: stroking the outlines costs more than all the rest of the picture.
void DrawFill(QPainter &painter, const QPolygonF &hexagon, const QColor &fill)
{
    const double rim = IsLight(fill) ? 0.6 : 0.28;
    const QColor rimColor = QColor::fromRgbF(fill.redF() + (1 - fill.redF()) * rim,
                                             fill.greenF() + (1 - fill.greenF()) * rim,
                                             fill.blueF() + (1 - fill.blueF()) * rim);
    painter.setPen(Qt::NoPen);
    const std::array<std::pair<double, QColor>, 3> bands
        = {{{-0.5, fill.darker(260)}, {0.5, rimColor}, {1.5, fill}}};
    for (const auto &[inset, color] : bands) {
        painter.setBrush(color);
        painter.drawPolygon(InsetPolygon(hexagon, inset));
    }
}

void DrawLand(QPainter &painter, const TerrainArt &art, int land, int s)
{
    const TRect box = LandBox(land, s);
    const TOutline outline = LandOutline(LandIsUpward(land), s);
    // Through the middle of the outline's pixels.
    QPolygonF hexagon;
    for (const TPoint &point : outline)
        hexagon << QPointF(point.x + 0.5, point.y + 0.5);
    const QColor fill = ToColor(TerrainColors[LandTable[size_t(land)].terrain]);

    const QString text = QString::number(LandLabel(land));
    const LabelLayout label = LayOutLabel(text, s, hexagon, LandIsUpward(land));

    painter.save();
    painter.translate(box.left - BoardLeft, box.top);
    DrawFill(painter, hexagon, fill);
    art.Draw(painter, LandTable[size_t(land)].terrain, hexagon, label.ink, uint32_t(land));
    DrawLabel(painter, text, label, fill);
    painter.restore();
}

} // namespace

QImage DrawBoardPicture(int s, qreal devicePixelRatio)
{
    const TPoint extent = BoardExtent(s);
    QImage image(int(std::ceil(extent.x * devicePixelRatio)),
                 int(std::ceil(extent.y * devicePixelRatio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const TerrainArt art(s, devicePixelRatio);
    for (int land = 1; land <= LandCount; ++land)
        DrawLand(painter, art, land, s);
    painter.end();
    return image;
}
