#include "pointerpicture.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

constexpr int Side = 32;
constexpr int NoDrop = 1000;
constexpr int CreatureDrag = 1001;

// An ordinary arrow pointer with its tip at (1, 1), where the cursor's hot spot goes.
void DrawArrow(QPainter &painter)
{
    const QPolygonF arrow(
        {{1, 1}, {1, 19}, {5.5, 15}, {8.5, 22}, {11.5, 20.5}, {8.5, 14}, {14, 14}});
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
}

// A circle with a slash, centred on the hot spot.
void DrawNoDrop(QPainter &painter)
{
    QPainterPath sign;
    sign.addEllipse(QPointF(16, 16), 11, 11);
    sign.moveTo(8.2, 8.2);
    sign.lineTo(23.8, 23.8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 6.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(sign);
    painter.setPen(QPen(QColor(200, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(sign);
}

// A small creature card: a figure on a tan ground.
void DrawCreatureCard(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(QColor(226, 190, 110));
    painter.drawRoundedRect(QRectF(14.5, 12.5, 16, 18), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(70, 40, 20));
    painter.drawEllipse(QPointF(22.5, 17.5), 2.6, 2.6);
    painter.drawRoundedRect(QRectF(18.5, 21, 8, 7.5), 2.5, 2.5);
}

// A stack of three legion markers in different colours.
void DrawLegionStack(QPainter &painter)
{
    const QColor colors[] = {QColor(170, 138, 0), QColor(0, 0, 160), QColor(212, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(QPen(Qt::black, 1.2));
        painter.setBrush(colors[i]);
        painter.drawRect(QRectF(13.5 + 3.5 * i, 12.5 + 3.5 * i, 11, 11));
    }
}

void DrawPointer(QPainter &painter, int resourceId)
{
    if (resourceId == NoDrop) {
        DrawNoDrop(painter);
        return;
    }
    if (resourceId == CreatureDrag)
        DrawCreatureCard(painter);
    else
        DrawLegionStack(painter);
    DrawArrow(painter);
}

} // namespace

QImage DrawPointerPicture(int resourceId, qreal devicePixelRatio)
{
    const int pixels = int(std::ceil(Side * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawPointer(painter, resourceId);
    painter.end();
    return image;
}
