#include "pictures.h"
#include "tcatalog.h"
#include "tmastrbd.h"

#include <QImage>
#include <QTest>

#include <cmath>

namespace {

constexpr int BoardLeft = 149; // the window column where the board picture starts
constexpr int Inset = 3; // pixels in from a corner, clear of the border's antialiasing

// Points that must show the land's terrain: the middle of the active area and the corners of the
// hexagon's wide part, pulled towards it (the label sits at the narrow end).
std::vector<QPoint> PointsInside(int land, int s)
{
    const TRect box = LandBox(land, s);
    const TRect active = LandActiveArea(land, s);
    const QPointF middle((active.left + active.right) / 2 - BoardLeft, (box.top + box.bottom) / 2);
    std::vector<QPoint> points{middle.toPoint()};
    const TOutline outline = LandOutline(LandIsUpward(land), s);
    for (size_t i : {0, 1, 4, 5}) { // the wide part's outline points, for either shape
        const QPointF corner(outline[i].x + box.left - BoardLeft, outline[i].y + box.top);
        const QPointF toMiddle = middle - corner;
        points.push_back(
            (corner + toMiddle * (Inset / std::hypot(toMiddle.x(), toMiddle.y()))).toPoint());
    }
    return points;
}

} // namespace

// The board pictures beside the program; the creature pictures and pointers built into it.
class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void boardPictures_data()
    {
        QTest::addColumn<int>("size");
        for (int size = 1; size <= BoardSizeCount; ++size)
            QTest::addRow("size %d", size) << size;
    }

    // Each size fills the board's extent, with the dark background in the corners, clear of lands,
    // and shows each land's terrain where the model puts the land: both shapes, the board's four
    // edges, a tower, a mountain and a tundra.
    void boardPictures()
    {
        QFETCH(int, size);
        const int unit = BoardUnitForSize(size);
        const QImage picture(QString::fromStdString(
            BoardPictureFile(qEnvironmentVariable("VK_PROGRAM_DIR").toStdString(), unit)));
        const TPoint extent = BoardExtent(unit);
        QCOMPARE(picture.size(), QSize(extent.x, extent.y));
        const QColor background = picture.pixelColor(0, 0);
        QVERIFY(background.lightness() < 64);
        QCOMPARE(picture.pixelColor(extent.x - 1, extent.y - 1), background);
        for (int land : {1, 2, 61, 84, 74, 53, 85, 91, 92}) {
            const TRgb rgb = TerrainColors[LandTable[size_t(land)].terrain];
            for (const QPoint &point : PointsInside(land, unit))
                QVERIFY2(picture.pixelColor(point) == QColor(rgb.red, rgb.green, rgb.blue),
                         qPrintable(
                             QString("land %1 at %2, %3").arg(land).arg(point.x()).arg(point.y())));
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
