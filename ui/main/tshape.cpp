#include "tshape.h"

#include <QPainter>

TShape::TShape(QWidget *parent, int penWidth, QColor penColor)
    : QWidget(parent), penWidth(penWidth), pen(penColor)
{ }

void TShape::SetBrushColor(QColor color)
{
    if (brush == color)
        return;
    brush = color;
    update();
}

void TShape::SetBrushStyle(Qt::BrushStyle style)
{
    if (brushStyle == style)
        return;
    brushStyle = style;
    update();
}

void TShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(brush, brushStyle));
    if (penWidth <= 0)
        return;
    // The border lies inside the rectangle, so neighbouring controls never cover it.
    QPen border(pen, penWidth);
    border.setJoinStyle(Qt::MiterJoin);
    painter.setPen(border);
    const qreal half = penWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
