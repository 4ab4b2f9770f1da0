// The model's headers come before Qt's: a land has a member named slots.
#include "tcatalog.h"
#include "tmastrbd.h"

#include "pictures.h"

#include <QImage>
#include <QTest>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int BoardLeft = 149; // the window column where the board picture starts
constexpr int Inset = 3; // pixels in from a corner, clear of the border's antialiasing
// Outline points of the wide part, for either shape.
constexpr std::array<size_t, 4> WideCorners = {0, 1, 4, 5};

QImage BoardPicture(int size)
{
    const std::string programDir = qEnvironmentVariable("VK_PROGRAM_DIR").toStdString();
    return QImage(QString::fromStdString(BoardPictureFile(programDir, BoardUnitForSize(size))));
}

QColor TerrainColor(int land)
{
    const TRgb rgb = TerrainColors[LandTable[size_t(land)].terrain];
    return QColor(rgb.red, rgb.green, rgb.blue);
}

bool InsideAnyLandBox(int x, int y, int s)
{
    for (int land = 1; land <= LandCount; ++land) {
        if (LandBox(land, s).Contains(x + BoardLeft, y))
            return true;
    }
    return false;
}

// Points that must show the land's terrain, in picture coordinates: the middle of the active
// area and the four corners of the hexagon's wide part pulled towards its middle (the label
// sits at the narrow end).
std::vector<QPoint> PointsInside(int land, int s)
{
    const TRect box = LandBox(land, s);
    const TRect active = LandActiveArea(land, s);
    const QPointF middle((active.left + active.right) / 2 - BoardLeft, (box.top + box.bottom) / 2);
    std::vector<QPoint> points{middle.toPoint()};
    const TOutline outline = LandOutline(LandIsUpward(land), s);
    for (int i : WideCorners) {
        const QPointF corner(outline[i].x + box.left - BoardLeft, outline[i].y + box.top);
        const QPointF toMiddle = middle - corner;
        const double length = std::hypot(toMiddle.x(), toMiddle.y());
        points.push_back((corner + toMiddle * (Inset / length)).toPoint());
    }
    return points;
}

} // namespace

// The pictures the windows show: the board pictures beside the program, the creature pictures
// and the drag pointers built into it.
class TestPictures : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boardPicturesHaveTheBoardExtent_data();
    void boardPicturesHaveTheBoardExtent();
    void landsLieWhereTheModelPutsThem_data();
    void landsLieWhereTheModelPutsThem();
    void creaturePicturesAreDistinct();
    void pointersAreDistinct();
};

void TestPictures::boardPicturesHaveTheBoardExtent_data()
{
    QTest::addColumn<int>("size");
    for (int size = 1; size <= BoardSizeCount; ++size)
        QTest::addRow("size %d", size) << size;
}

void TestPictures::boardPicturesHaveTheBoardExtent()
{
    QFETCH(int, size);
    const QImage picture = BoardPicture(size);
    QVERIFY(!picture.isNull());
    const TPoint extent = BoardExtent(BoardUnitForSize(size));
    QCOMPARE(picture.size(), QSize(extent.x, extent.y));
}

void TestPictures::landsLieWhereTheModelPutsThem_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("land");
    // Both shapes, the board's four edges, a tower, a mountain and a tundra.
    for (int size : {1, 5}) {
        for (int land : {1, 2, 61, 84, 74, 53, 85, 91, 92})
            QTest::addRow("size %d land %d", size, land) << size << land;
    }
}

void TestPictures::landsLieWhereTheModelPutsThem()
{
    QFETCH(int, size);
    QFETCH(int, land);
    const int s = BoardUnitForSize(size);
    const QImage picture = BoardPicture(size);
    for (const QPoint &point : PointsInside(land, s))
        QCOMPARE(picture.pixelColor(point), TerrainColor(land));

    const QPoint topLeft(0, 0);
    const QPoint bottomRight(picture.width() - 1, picture.height() - 1);
    QVERIFY(!InsideAnyLandBox(topLeft.x(), topLeft.y(), s));
    QVERIFY(!InsideAnyLandBox(bottomRight.x(), bottomRight.y(), s));
    QCOMPARE(picture.pixelColor(bottomRight), picture.pixelColor(topLeft));
    QVERIFY(picture.pixelColor(topLeft).lightness() < 64);
}

void TestPictures::creaturePicturesAreDistinct()
{
    std::vector<QImage> pictures;
    for (int code = Crit::FirstType; code <= Crit::Unknown; ++code) {
        const QPixmap picture = CreaturePicture(CritPicture(uint8_t(code)));
        QCOMPARE(picture.size(), QSize(100, 100));
        for (const QImage &other : pictures)
            QVERIFY2(picture.toImage() != other, CritNames[size_t(code)]);
        pictures.push_back(picture.toImage());
    }
    QVERIFY(CreaturePicture(CritPicture(Crit::None)).isNull());
    QVERIFY(CreaturePicture(CritPicture(Crit::Unknown) + 1).isNull());
}

void TestPictures::pointersAreDistinct()
{
    std::vector<QImage> pictures;
    for (int id : {1000, 1001, 1002}) {
        const QCursor cursor = ProgramCursor(id);
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
        QVERIFY(cursor.pixmap().hasAlphaChannel());
        QVERIFY(QRect(0, 0, 32, 32).contains(cursor.hotSpot()));
        for (const QImage &other : pictures)
            QVERIFY(cursor.pixmap().toImage() != other);
        pictures.push_back(cursor.pixmap().toImage());
    }
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
