#include "boardpicture.h"
#include "pictures.h"
#include "tcatalog.h"
#include "tmastrbd.h"

#include <QImage>
#include <QLineF>
#include <QTest>

#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int BoardLeft = 149; // the window column where the board picture starts
constexpr int Inset = 4; // pixels in from a corner, clear of the border and the terrain's drawing

// One land of each terrain, and lands on the board's four edges.
constexpr std::array<int, 15> Lands = {1, 2, 3, 4, 5, 7, 8, 14, 85, 91, 92, 61, 84, 74, 53};

QColor TerrainColor(int land)
{
    const TRgb rgb = TerrainColors[LandTable[size_t(land)].terrain];
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// The land's outline in the picture's coordinates, through the middle of its pixels.
QPolygonF Outline(int land, int s)
{
    const TRect box = LandBox(land, s);
    QPolygonF outline;
    for (const TPoint &point : LandOutline(LandIsUpward(land), s))
        outline << QPointF(point.x + box.left - BoardLeft + 0.5, point.y + box.top + 0.5);
    return outline;
}

// Whether the point lies inside the convex outline, at least margin from each of its edges.
bool WellInside(const QPolygonF &outline, QPointF point, double margin)
{
    if (!outline.containsPoint(point, Qt::OddEvenFill))
        return false;
    for (int i = 0; i + 1 < outline.size(); ++i) {
        const QLineF edge(outline[i], outline[i + 1]);
        const double distance
            = std::abs(edge.dx() * (point.y() - edge.y1()) - edge.dy() * (point.x() - edge.x1()))
            / edge.length();
        if (distance < margin)
            return false;
    }
    return true;
}

// The share of the pixels of the land's wide half (away from its label) that have exactly the
// terrain's colour, clear of its border.
double TerrainShare(const QImage &picture, int land, int s)
{
    const qreal ratio = picture.devicePixelRatio();
    const QPolygonF outline = Outline(land, s);
    const QRectF bounds = outline.boundingRect();
    const QRect pixels = QRectF(bounds.topLeft() * ratio, bounds.bottomRight() * ratio)
                             .toAlignedRect()
                             .intersected(picture.rect());
    const QColor terrain = TerrainColor(land);
    int inside = 0;
    int coloured = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QPointF point = QPointF(x + 0.5, y + 0.5) / ratio;
            if ((point.y() < bounds.center().y()) == LandIsUpward(land)
                || !WellInside(outline, point, 3))
                continue;
            ++inside;
            coloured += picture.pixelColor(x, y) == terrain;
        }
    return double(coloured) / inside;
}

} // namespace

// The board pictures beside the program; the creature pictures and pointers built into it.
class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void boardPictures_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("ratio");
        for (int size = 1; size <= BoardSizeCount; ++size) {
            QTest::addRow("size %d", size) << size << 1.0;
            QTest::addRow("size %d at 2x", size) << size << 2.0;
        }
    }

    // Each size fills the board's extent, with the dark background in the corners, clear of lands,
    // and shows each land where the model puts it: its terrain colour in the corners of its wide
    // part, and over most of that part, though not all of it, for the terrain's own drawing. At 1x
    // that is the file beside the program; at 2x the picture the program draws for such a screen,
    // from the same geometry.
    void boardPictures()
    {
        QFETCH(int, size);
        QFETCH(qreal, ratio);
        const int unit = BoardUnitForSize(size);
        const QImage picture = ratio == 1 ? QImage(QString::fromStdString(BoardPictureFile(
                                   qEnvironmentVariable("VK_PROGRAM_DIR").toStdString(), unit)))
                                          : DrawBoardPicture(unit, ratio);
        const TPoint extent = BoardExtent(unit);
        QCOMPARE(picture.size(), QSize(extent.x, extent.y) * ratio);
        const QColor background = picture.pixelColor(0, 0);
        QVERIFY(background.lightness() < 64);
        QCOMPARE(picture.pixelColor(picture.width() - 1, picture.height() - 1), background);
        for (int land : Lands) {
            const QString where = QString("land %1").arg(land);
            const QPolygonF outline = Outline(land, unit);
            // The corners of the hexagon's wide part (the label sits at the narrow end), the same
            // outline points for either shape, pulled towards the land's middle.
            for (int i : {0, 1, 4, 5}) {
                const QPointF in = outline.boundingRect().center() - outline[i];
                const QPointF point = outline[i] + in * (Inset / std::hypot(in.x(), in.y()));
                QVERIFY2(picture.pixelColor(int(point.x() * ratio), int(point.y() * ratio))
                             == TerrainColor(land),
                         qPrintable(where + QString(" at %1, %2").arg(point.x()).arg(point.y())));
            }
            const double share = TerrainShare(picture, land, unit);
            QVERIFY2(share > 0.5 && share < 0.97, qPrintable(where + QString(": %1").arg(share)));
        }
    }

    // All 25 creature pictures and the 3 pointers, each different from all the others.
    void builtInPicturesLoadAndDiffer()
    {
        std::vector<QImage> pictures;
        for (int code = Crit::FirstType; code <= Crit::Unknown; ++code) {
            pictures.push_back(CreaturePicture(CritPicture(uint8_t(code))).toImage());
            QCOMPARE(pictures.back().size(), QSize(100, 100));
        }
        QVERIFY(CreaturePicture(CritPicture(Crit::None)).isNull()
                && CreaturePicture(CritPicture(Crit::Unknown) + 1).isNull());
        for (int id : {1000, 1001, 1002}) {
            const QPixmap pointer = ProgramCursor(id).pixmap();
            QCOMPARE(pointer.size(), QSize(32, 32));
            QVERIFY(pointer.hasAlphaChannel());
            pictures.push_back(pointer.toImage());
        }
        for (size_t i = 0; i < pictures.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                QVERIFY2(pictures[i] != pictures[j], qPrintable(QString("%1 = %2").arg(i).arg(j)));
    }
};

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
