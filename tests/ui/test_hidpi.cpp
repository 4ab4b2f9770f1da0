#include "board_game.h"
#include "boardpicture.h"
#include "creaturepicture.h"
#include "pictures.h"
#include "pointerpicture.h"
#include "tboardview.h"

#include <QGuiApplication>
#include <QTest>

#include <filesystem>

// The program on a screen with a device pixel ratio of 2 (the test runs with QT_SCALE_FACTOR=2):
// the board, the markers, the creature pictures and the pointers have a pixel for each pixel of
// the device, while sizes, places and hit areas stay those of the window's coordinates.
class TestHiDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(qGuiApp->devicePixelRatio(), 2.0); }

    void boardAtDeviceResolution_data()
    {
        QTest::addColumn<int>("size");
        for (int size = 1; size <= BoardSizeCount; ++size)
            QTest::addRow("size %d", size) << size;
    }

    // The picture is drawn for the device, not the 1x file scaled up, and the hit areas stay where
    // they were in the widget's coordinates.
    void boardAtDeviceResolution()
    {
        QFETCH(int, size);
        BoardSession s(size, 1280, 1024);
        const int unit = BoardUnitForSize(size);
        const TPoint extent = BoardExtent(unit);
        TBoardView &board = *s.form.BoardImage;
        const QPixmap &picture = board.Picture();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        QCOMPARE(picture.size(), QSize(2 * extent.x, 2 * extent.y));
        QCOMPARE(board.size(), QSize(extent.x, extent.y));
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_RGB32),
                 DrawBoardPicture(unit, 2));

        // Land 1's active area, its corners in and the pixels beside them out.
        const TRect &area = s.form.Board()->GetLand(1).ActiveArea();
        const QRect active(QPoint(area.left - BoardLeft, area.top),
                           QPoint(area.right - 1 - BoardLeft, area.bottom - 1));
        QCOMPARE(board.LandAt(active.topLeft()), 1);
        QCOMPARE(board.LandAt(active.bottomRight()), 1);
        QCOMPARE(board.LandAt(active.topLeft() - QPoint(1, 0)), 0);
        QCOMPARE(board.LandAt(active.bottomRight() + QPoint(0, 1)), 0);
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // Fist's marker on Marsh 8: its dark outline and white border each cover whole device pixels,
    // two for each pixel of the window, with no blur on either side.
    void markersAreCrisp()
    {
        BoardSession s;
        const QRect box = s.form.BoardImage->LandBoxRect(8);
        const TRect marker = MarkerBox(15, true, false);
        const QImage image = s.form.BoardImage->grab().toImage();
        QCOMPARE(image.devicePixelRatio(), 2.0);
        const int y = 2 * (box.top() + (marker.top + marker.bottom) / 2);
        const int left = 2 * (box.left() + marker.left - 1); // the outline's first device pixel
        const QColor outline(20, 20, 20);
        QVERIFY(image.pixelColor(left - 1, y) != outline);
        for (int x : {left, left + 1})
            QCOMPARE(image.pixelColor(x, y), outline);
        for (int x = left + 2; x < left + 6; ++x)
            QCOMPARE(image.pixelColor(x, y), QColor(Qt::white));
        QCOMPARE(image.pixelColor(left + 6, y), QColor(212, 0, 0)); // Bob's red
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // The "@2x" pictures built into the program, with the pointers' hot spots where they were (on
    // this platform; on X11 they are given in the picture's pixels, which only the X server shows).
    void builtInPictures()
    {
        for (uint8_t code : {Crit::Angel, Crit::Vorun, Crit::Unknown}) {
            const QPixmap picture = CreaturePicture(CritPicture(code));
            QCOMPARE(picture.devicePixelRatio(), 2.0);
            QCOMPARE(picture.toImage().convertToFormat(QImage::Format_RGB32),
                     DrawCreaturePicture(code, 2));
        }
        for (const auto &[id, hotSpot] :
             {std::pair{1000, QPoint(16, 16)}, std::pair{1001, QPoint(1, 1)},
              std::pair{1002, QPoint(1, 1)}}) {
            const QCursor cursor = ProgramCursor(id);
            QCOMPARE(cursor.pixmap().devicePixelRatio(), 2.0);
            QCOMPARE(cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
                     DrawPointerPicture(id, 2).convertToFormat(QImage::Format_ARGB32));
            QCOMPARE(cursor.hotSpot(), hotSpot);
        }
    }

    void missingBoardPictureEndsTheProgram_data()
    {
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << false << "No such file or directory";
        QTest::newRow("not a picture") << true << "Not a picture this program can read";
    }

    // The picture is drawn, but the file must still be there, as at 1x.
    void missingBoardPictureEndsTheProgram()
    {
        QFETCH(bool, fileThere);
        QFETCH(QString, problem);
        FakePlatform fake;
        ProgramFolder folder;
        std::filesystem::remove(folder.folder.path / "GRAPHICS");
        if (fileThere) {
            std::filesystem::create_directory(folder.folder.path / "GRAPHICS");
            folder.WriteFile("GRAPHICS/VORNBRD1.BMP", "not a picture");
        }
        fake.queueAnswer(Platform::Answer::Ok);
        const std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, BoardGame);

        QCOMPARE(fake.boxes(),
                 QStringList{"Cannot load main board image.  Bad install.\n"
                             + QString::fromStdString(folder.Dir()) + "GRAPHICS/VORNBRD1.BMP: "
                             + problem + " | Critical Error | Stop | Ok"});
        QCOMPARE(fake.exitCodes(), QList<int>{0});
        VERIFY_PLATFORM_DONE(fake);
    }
};

QTEST_MAIN(TestHiDpi)
#include "test_hidpi.moc"
