#include "creaturepicture.h"

#include "tcatalog.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <array>
#include <cmath>

namespace {

constexpr int Side = 100;
constexpr int BannerTop = 78;
constexpr int MinNamePixels = 8;
constexpr const char *NameFamily = "DejaVu Sans";

QPainterPath Stroke(const QPainterPath &path, double width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(path);
}

QPainterPath Line(QPointF from, QPointF to, double width)
{
    QPainterPath path(from);
    path.lineTo(to);
    return Stroke(path, width);
}

QPainterPath Circle(QPointF center, double radius)
{
    QPainterPath path;
    path.addEllipse(center, radius, radius);
    return path;
}

QPainterPath Polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath Star(QPointF center, int points, double outer, double inner)
{
    QPolygonF star;
    for (int i = 0; i < 2 * points; ++i) {
        const double angle = M_PI * i / points - M_PI / 2;
        const double radius = i % 2 ? inner : outer;
        star << center + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(star);
    path.closeSubpath();
    return path;
}

QPainterPath Halo()
{
    QPainterPath ring;
    ring.addEllipse(QPointF(50, 12), 15, 5);
    return Stroke(ring, 4);
}

QPainterPath Angel()
{
    QPainterPath wings = Polygon({{50, 50}, {20, 26}, {12, 40}, {26, 60}})
                             .united(Polygon({{50, 50}, {80, 26}, {88, 40}, {74, 60}}));
    QPainterPath body = Polygon({{50, 34}, {62, 72}, {38, 72}});
    return Halo().united(Circle({50, 28}, 8)).united(body).united(wings);
}

QPainterPath Archangel()
{
    return Halo().united(Star({50, 46}, 8, 28, 11));
}

QPainterPath Behemoth()
{
    QPainterPath body;
    body.addRoundedRect(16, 24, 60, 32, 12, 12);
    body.addRoundedRect(70, 20, 18, 20, 6, 6);
    for (double x : {20.0, 34.0, 52.0, 64.0})
        body.addRect(x, 50, 9, 20);
    return body.simplified();
}

QPainterPath Centaur()
{
    QPainterPath bow;
    bow.arcMoveTo(14, 10, 40, 62, 90);
    bow.arcTo(14, 10, 40, 62, 90, -180);
    QPainterPath shapes = Stroke(bow, 5).united(Line({34, 10}, {34, 72}, 2));
    return shapes.united(Line({20, 41}, {78, 41}, 4))
        .united(Polygon({{88, 41}, {74, 33}, {74, 49}}));
}

QPainterPath Colossus()
{
    QPainterPath pillar;
    pillar.addRect(38, 20, 24, 48);
    pillar.addRect(28, 10, 44, 10);
    pillar.addRect(26, 66, 48, 10);
    return pillar.simplified();
}

QPainterPath Cyclops()
{
    QPainterPath eye(QPointF(12, 40));
    eye.quadTo(50, 2, 88, 40);
    eye.quadTo(50, 78, 12, 40);
    eye.addEllipse(QPointF(50, 40), 14, 14);
    eye.addEllipse(QPointF(50, 40), 6, 6);
    return eye;
}

QPainterPath Dragon()
{
    QPainterPath flame(QPointF(50, 6));
    flame.cubicTo(62, 28, 84, 42, 68, 66);
    flame.quadTo(50, 80, 32, 66);
    flame.cubicTo(18, 44, 40, 30, 50, 6);
    QPainterPath inner(QPointF(50, 36));
    inner.cubicTo(58, 48, 66, 56, 58, 66);
    inner.quadTo(50, 72, 42, 66);
    inner.cubicTo(36, 56, 44, 48, 50, 36);
    return flame.subtracted(inner);
}

QPainterPath Gargoyle()
{
    return Polygon({{50, 30},
                    {62, 22},
                    {88, 14},
                    {80, 34},
                    {90, 52},
                    {72, 46},
                    {62, 60},
                    {50, 50},
                    {38, 60},
                    {28, 46},
                    {10, 52},
                    {20, 34},
                    {12, 14},
                    {38, 22}});
}

QPainterPath Giant()
{
    return Line({26, 72}, {60, 26}, 10).united(Circle({64, 20}, 15));
}

QPainterPath Gorgon()
{
    QPainterPath snakes;
    for (double x : {28.0, 50.0, 72.0}) {
        QPainterPath snake(QPointF(x, 74));
        snake.cubicTo(x - 12, 56, x + 12, 42, x, 26);
        snakes = snakes.united(Stroke(snake, 5)).united(Circle({x, 20}, 7));
    }
    return snakes;
}

QPainterPath Griffon()
{
    QPainterPath claws;
    for (double x : {26.0, 46.0, 66.0}) {
        QPainterPath claw(QPointF(x, 10));
        claw.quadTo(x + 16, 38, x + 4, 72);
        claws = claws.united(Stroke(claw, 7));
    }
    return claws;
}

QPainterPath Guardian()
{
    QPainterPath shield(QPointF(20, 10));
    shield.lineTo(80, 10);
    shield.lineTo(80, 38);
    shield.cubicTo(80, 58, 62, 68, 50, 74);
    shield.cubicTo(38, 68, 20, 58, 20, 38);
    shield.closeSubpath();
    return shield.subtracted(Line({50, 20}, {50, 56}, 6)).subtracted(Line({34, 34}, {66, 34}, 6));
}

QPainterPath Hydra()
{
    QPainterPath heads = Circle({50, 72}, 9);
    for (QPointF head : {QPointF(22, 24), QPointF(50, 14), QPointF(78, 24)})
        heads = heads.united(Line({50, 72}, head, 7)).united(Circle(head, 9));
    return heads;
}

QPainterPath Lion()
{
    QPainterPath mane = Star({50, 40}, 14, 34, 24);
    mane.addEllipse(QPointF(50, 40), 17, 17);
    mane.addEllipse(QPointF(50, 40), 10, 10);
    return mane;
}

QPainterPath Minotaur()
{
    QPainterPath outer;
    outer.addEllipse(12, 8, 76, 50);
    QPainterPath inner;
    inner.addEllipse(20, -6, 60, 50);
    return outer.subtracted(inner).united(Circle({50, 56}, 14));
}

QPainterPath Ogre()
{
    QPainterPath rock
        = Polygon({{18, 62}, {26, 30}, {46, 14}, {72, 20}, {84, 46}, {74, 70}, {38, 74}});
    QPainterPath crack(QPointF(46, 14));
    crack.lineTo(52, 36);
    crack.lineTo(42, 50);
    crack.lineTo(54, 74);
    return rock.subtracted(Stroke(crack, 3));
}

QPainterPath Ranger()
{
    QPainterPath arrow = Line({20, 68}, {70, 18}, 5).united(Polygon({{84, 4}, {62, 16}, {72, 26}}));
    return arrow.united(Line({20, 68}, {12, 60}, 4))
        .united(Line({20, 68}, {28, 76}, 4))
        .united(Line({28, 60}, {20, 52}, 4))
        .united(Line({28, 60}, {36, 68}, 4));
}

QPainterPath Serpent()
{
    QPainterPath body(QPointF(72, 14));
    body.cubicTo(20, 6, 18, 40, 50, 40);
    body.cubicTo(82, 40, 80, 74, 28, 70);
    return Stroke(body, 10).united(Circle({74, 14}, 9));
}

QPainterPath Vorun()
{
    QPainterPath crown
        = Polygon({{18, 62}, {14, 20}, {34, 40}, {50, 12}, {66, 40}, {86, 20}, {82, 62}});
    crown.addRect(18, 64, 64, 10);
    crown = crown.simplified();
    for (double x : {32.0, 50.0, 68.0})
        crown = crown.subtracted(Circle({x, 54}, 4));
    return crown;
}

QPainterPath Troll()
{
    return Polygon({{6, 72}, {32, 24}, {46, 46}, {62, 12}, {94, 72}});
}

QPainterPath Unicorn()
{
    QPainterPath horn = Polygon({{34, 74}, {58, 70}, {70, 6}});
    for (double y : {26.0, 42.0, 58.0})
        horn = horn.subtracted(Line({30, y + 8}, {80, y - 6}, 3));
    return horn;
}

QPainterPath Warbear()
{
    QPainterPath paw;
    paw.addEllipse(QPointF(50, 54), 22, 18);
    for (QPointF toe : {QPointF(24, 32), QPointF(40, 18), QPointF(60, 18), QPointF(76, 32)})
        paw.addEllipse(toe, 9, 10);
    return paw.simplified();
}

QPainterPath Warlock()
{
    QPainterPath circle;
    circle.addEllipse(QPointF(50, 42), 34, 34);
    return Stroke(circle, 4).united(Star({50, 42}, 5, 32, 13));
}

QPainterPath Wyvern()
{
    QPainterPath tail(QPointF(16, 14));
    tail.cubicTo(84, 14, 14, 60, 62, 60);
    return Stroke(tail, 8).united(Polygon({{60, 46}, {90, 60}, {60, 74}, {68, 60}}));
}

QPainterPath Unknown()
{
    QFont font(NameFamily);
    font.setBold(true);
    font.setPixelSize(70);
    QPainterPath mark;
    mark.addText(0, 0, font, QStringLiteral("?"));
    const QRectF box = mark.boundingRect();
    return mark.translated(50 - box.center().x(), 40 - box.center().y());
}

using Glyph = QPainterPath (*)();
constexpr std::array<Glyph, Crit::CodeCount> Glyphs
    = {nullptr, Angel,  Archangel, Behemoth, Centaur, Colossus, Cyclops,  Dragon, Gargoyle,
       Giant,   Gorgon, Griffon,   Guardian, Hydra,   Lion,     Minotaur, Ogre,   Ranger,
       Serpent, Vorun,  Troll,     Unicorn,  Warbear, Warlock,  Wyvern,   Unknown};

// Neighbours in the alphabet get hues far apart (7 and 24 share no factor, so each of the 24
// hues is used once); Unknown stays grey.
QColor Tint(uint8_t code, int value, int saturation = -1)
{
    if (code == Crit::Unknown)
        return QColor::fromHsv(0, 0, value);
    const int hue = (code - 1) * 7 % 24 * 15;
    if (saturation < 0)
        saturation = code % 2 ? 170 : 230;
    return QColor::fromHsv(hue, saturation, value);
}

void DrawBackground(QPainter &painter, uint8_t code)
{
    QLinearGradient gradient(0, 0, 0, Side);
    gradient.setColorAt(0, Tint(code, 215));
    gradient.setColorAt(1, Tint(code, 110));
    painter.fillRect(0, 0, Side, Side, gradient);
}

void DrawName(QPainter &painter, uint8_t code)
{
    const QString name = QString::fromLatin1(CritNames[code]);
    QFont font(NameFamily);
    font.setBold(true);
    font.setPixelSize(14);
    while (font.pixelSize() > MinNamePixels
           && QFontMetrics(font).horizontalAdvance(name) > Side - 6)
        font.setPixelSize(font.pixelSize() - 1);
    const QRect banner(0, BannerTop, Side, Side - BannerTop);
    painter.fillRect(banner, QColor(0, 0, 0, 150));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(banner, Qt::AlignCenter, name);
}

} // namespace

QImage DrawCreaturePicture(uint8_t code, qreal devicePixelRatio)
{
    const int pixels = int(std::ceil(Side * devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawBackground(painter, code);
    painter.setPen(QPen(Tint(code, 45), 2.5));
    painter.setBrush(Tint(code, 250, 35));
    painter.drawPath(Glyphs[code]());
    DrawName(painter, code);
    painter.setPen(QPen(Tint(code, 40), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(1, 1, Side - 2, Side - 2));
    painter.end();
    return image;
}
