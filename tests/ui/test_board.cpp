#include "board_game.h"
#include "fake_platform.h"
#include "pictures.h"
#include "program_folder.h"
#include "tboardview.h"
#include "tdragcontroller.h"
#include "tlegion.h"
#include "tmastrbd.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

namespace {

constexpr int NoDropCursor = 1000;
constexpr int LegionCursor = 1002;
// Actions of the scrolled-window table that are not keys.
constexpr int PressBackground = -1;
constexpr int PressEmptyLand = -2;

int SelectedNumber(const TVorunMainForm &form)
{
    return form.SelectedLand() ? form.SelectedLand()->GetLandNumber() : 0;
}

// The middle of a land's active area, in board coordinates.
QPoint ActiveCentre(int land)
{
    const TRect &area = TheMasterboard()->GetLand(land).ActiveArea();
    return QPoint((area.left + area.right) / 2 - TBoardView::BoardLeft,
                  (area.top + area.bottom) / 2);
}

// Mouse events go to the window, as the desktop delivers them, so grabs and stacking count.
QPoint InWindow(TVorunMainForm &form, QPoint onBoard)
{
    return form.BoardImage->mapTo(&form, onBoard);
}

void Press(TVorunMainForm &form, QPoint onBoard, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mousePress(form.windowHandle(), Qt::LeftButton, modifiers, InWindow(form, onBoard));
}

void Release(TVorunMainForm &form, QPoint onBoard, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, modifiers, InWindow(form, onBoard));
}

QImage Grab(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that differs between two pictures.
QRect ChangedArea(const QImage &a, const QImage &b)
{
    QRect changed;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    return changed;
}

// Small text is antialiased, so yellow ink shows as blends in which green comes in while blue
// stays out; white ink raises both.
bool IsYellowInk(const QColor &colour)
{
    return colour.green() > 128 && colour.blue() < colour.green() / 4;
}

QImage CursorImage(const QCursor &cursor)
{
    return cursor.pixmap().toImage();
}

// Collects what the board paints, to see what a repaint covered.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget *widget) : widget(widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget && event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }

private:
    QWidget *widget;
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private slots:
    void pressHitsTheActiveArea_data();
    void pressHitsTheActiveArea();
    void ctrlPressMovesTheActiveLegion_data();
    void ctrlPressMovesTheActiveLegion();
    void dragMovesTheLegion();
    void flashBlinksOnlyTheSelectedLand_data();
    void flashBlinksOnlyTheSelectedLand();
    void fullLegionCountIsYellow_data();
    void fullLegionCountIsYellow();
    void scrolledWindow_data();
    void scrolledWindow();
};

void TestBoard::pressHitsTheActiveArea_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QPoint>("at"); // board coordinates
    QTest::addColumn<int>("land"); // 0: the selection is cleared

    // Land 1 at unit 15: box x 210-256, y 260-299; active area x 217-246.
    QTest::newRow("s15 first column") << 1 << QPoint(217, 280) << 1;
    QTest::newRow("s15 last column") << 1 << QPoint(246, 280) << 1;
    QTest::newRow("s15 first row") << 1 << QPoint(231, 260) << 1;
    QTest::newRow("s15 last row") << 1 << QPoint(231, 299) << 1;
    QTest::newRow("s15 gap left") << 1 << QPoint(216, 260) << 0;
    QTest::newRow("s15 gap right") << 1 << QPoint(247, 260) << 0;
    QTest::newRow("s15 row above") << 1 << QPoint(231, 259) << 91;
    QTest::newRow("s15 row below") << 1 << QPoint(231, 300) << 0;
    // Land 1 at unit 26: box x 364-443, y 450-518; active area x 377-428.
    QTest::newRow("s26 first column") << 3 << QPoint(377, 480) << 1;
    QTest::newRow("s26 last column") << 3 << QPoint(428, 480) << 1;
    QTest::newRow("s26 first row") << 3 << QPoint(400, 450) << 1;
    QTest::newRow("s26 last row") << 3 << QPoint(400, 518) << 1;
    QTest::newRow("s26 gap left") << 3 << QPoint(376, 450) << 0;
    QTest::newRow("s26 gap right") << 3 << QPoint(429, 450) << 0;
    QTest::newRow("s26 row above") << 3 << QPoint(400, 449) << 91;
}

void TestBoard::pressHitsTheActiveArea()
{
    QFETCH(int, size);
    QFETCH(QPoint, at);
    QFETCH(int, land);
    FakePlatform fake;
    ProgramFolder folder(size);
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    QCOMPARE(TheMasterboard()->GetBoardUnit(), size == 1 ? 15 : 26);
    form.SelectLand(86);

    Press(form, at);
    Release(form, at);

    QCOMPARE(SelectedNumber(form), land);
    VERIFY_PLATFORM_DONE(fake);
}

void TestBoard::ctrlPressMovesTheActiveLegion_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("toAfter");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<bool>("full");

    QTest::newRow("empty land") << 8 << 1 << QStringList{"Fist"} << true << false;
    QTest::newRow("on top of two")
        << 8 << 86 << QStringList{"Fist", "Candle", "Eagle"} << true << false;
    QTest::newRow("own land") << 8 << 8 << QStringList{"Fist"} << false << false;
    QTest::newRow("full land") << 86 << 90 << QStringList{"Anchor", "Bat", "Cross"} << false
                               << true;
}

void TestBoard::ctrlPressMovesTheActiveLegion()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, toAfter);
    QFETCH(bool, moved);
    QFETCH(bool, full);
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    form.SelectLand(from);
    TLegion *legion = form.ActiveLegion();
    QStringList fromAfter = SlotNames(from);
    if (moved)
        fromAfter.removeFirst();
    if (full)
        fake.queueAnswer(Platform::Answer::Ok);

    Press(form, ActiveCentre(to), Qt::ControlModifier);
    // A refused move stops before the drag is armed.
    QCOMPARE(TDragController::Instance().Armed(), moved);
    Release(form, ActiveCentre(to), Qt::ControlModifier);

    QCOMPARE(SlotNames(to), toAfter);
    QCOMPARE(SlotNames(from), fromAfter);
    QCOMPARE(int(legion->GetLocation()), moved ? to : from);
    QCOMPARE(SelectedNumber(form), moved ? to : from);
    QCOMPARE(form.ActiveLegion(), legion);
    QCOMPARE(int(TheMasterboard()->GetLand(from).GetHighlight()), moved ? 0 : 1);
    QCOMPARE(form.focusWidget(), static_cast<QWidget *>(form.ViewLgnBtn));
    QVERIFY(!TDragController::Instance().Armed());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(fake.prompts().size(), full ? 1 : 0);
    if (full) {
        const FakePlatform::Prompt &prompt = fake.prompts().first();
        QCOMPARE(prompt.text, QStringLiteral("Can't have more than 3 stacks on a land."));
        QCOMPARE(prompt.caption, QStringLiteral("Land is full"));
        QCOMPARE(prompt.icon, Platform::Icon::None);
        QCOMPARE(prompt.buttons, Platform::Buttons::Ok);
    }
    VERIFY_PLATFORM_DONE(fake);
}

void TestBoard::dragMovesTheLegion()
{
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    QWindow *window = form.windowHandle();
    TLegion *gong = TheMasterboard()->GetLand(7).GetStack(0);
    const QPoint start = InWindow(form, ActiveCentre(7));
    const QPoint target = InWindow(form, ActiveCentre(1));
    const TDragController &drag = TDragController::Instance();

    // A click without movement only selects.
    QTest::mouseClick(window, Qt::LeftButton, {}, start);
    QCOMPARE(SelectedNumber(form), 7);
    QCOMPARE(int(gong->GetLocation()), 7);
    QVERIFY(!drag.Armed());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    form.ClearSelection();

    QTest::mousePress(window, Qt::LeftButton, {}, start);
    QCOMPARE(SelectedNumber(form), 7);
    QVERIFY(drag.Armed());
    QTest::mouseMove(window, start + QPoint(1, 1));
    QVERIFY(!drag.Dragging());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    // Beside the active area nothing takes the drop.
    QTest::mouseMove(window, InWindow(form, QPoint(216, 260)));
    QVERIFY(drag.Dragging());
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(CursorImage(*QGuiApplication::overrideCursor()),
             CursorImage(ProgramCursor(NoDropCursor)));
    QTest::mouseMove(window, target);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(CursorImage(*QGuiApplication::overrideCursor()),
             CursorImage(ProgramCursor(LegionCursor)));
    QCOMPARE(int(gong->GetLocation()), 7);

    QTest::mouseRelease(window, Qt::LeftButton, {}, target);

    QCOMPARE(int(gong->GetLocation()), 1);
    QCOMPARE(SlotNames(1), QStringList{"Gong"});
    QCOMPARE(SlotNames(7), QStringList{});
    QCOMPARE(SelectedNumber(form), 1);
    QCOMPARE(form.ActiveLegion(), gong);
    QCOMPARE(int(TheMasterboard()->GetLand(7).GetHighlight()), 0);
    QCOMPARE(form.ActvLandLbl->text(), QStringLiteral("Plains 1  (1S)"));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(!drag.Armed());
    VERIFY_PLATFORM_DONE(fake);
}

void TestBoard::flashBlinksOnlyTheSelectedLand_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QPoint>("border"); // in the land box; black while lit
    QTest::addColumn<bool>("whiteWhenPlain");

    // The left edge of Fist's main marker, and the top edge of Plains 1's outline.
    QTest::newRow("legion") << 8 << QPoint(7, 27) << true;
    QTest::newRow("empty land") << 1 << QPoint(20, 0) << false;
}

void TestBoard::flashBlinksOnlyTheSelectedLand()
{
    QFETCH(int, land);
    QFETCH(QPoint, border);
    QFETCH(bool, whiteWhenPlain);
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    TBoardView *board = form.BoardImage;
    form.FlashTimer->stop();
    form.SelectLand(land);
    const QRect box = board->LandBoxRect(land);
    // Settle what start-up left to paint, so only the tick's repaint is recorded.
    QCoreApplication::sendPostedEvents();
    form.repaint();
    const bool phase = form.FlashPhase();
    const QImage before = Grab(board);

    PaintRecorder recorder(board);
    form.FlashTimerTimer();
    QCOMPARE(form.FlashPhase(), !phase);
    QTRY_VERIFY(!recorder.painted.isEmpty());
    QCOMPARE(recorder.painted.boundingRect().united(box), box);

    const QImage after = Grab(board);
    const QRect changed = ChangedArea(before, after);
    QVERIFY(!changed.isEmpty());
    // Compared as rectangles so a failure shows where the blink spilled.
    QCOMPARE(changed.united(box), box);
    const QImage &lit = form.FlashPhase() ? after : before;
    const QImage &plain = form.FlashPhase() ? before : after;
    QCOMPARE(lit.pixelColor(box.topLeft() + border), QColor(Qt::black));
    if (whiteWhenPlain)
        QCOMPARE(plain.pixelColor(box.topLeft() + border), QColor(Qt::white));
    form.FlashTimerTimer();
    QCOMPARE(Grab(board), before);

    form.ClearSelection();
    const QImage cleared = Grab(board);
    form.FlashTimerTimer();
    QCOMPARE(Grab(board), cleared);
    form.FlashTimerTimer();
    QCOMPARE(Grab(board), cleared);
    VERIFY_PLATFORM_DONE(fake);
}

void TestBoard::fullLegionCountIsYellow_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QRect>("marker"); // the main marker in the land box
    QTest::addColumn<bool>("yellow");

    QTest::newRow("eight creatures") << 8 << QRect(QPoint(7, 15), QPoint(31, 38)) << true;
    QTest::newRow("seven creatures") << 7 << QRect(QPoint(7, 1), QPoint(31, 24)) << false;
}

void TestBoard::fullLegionCountIsYellow()
{
    QFETCH(int, land);
    QFETCH(QRect, marker);
    QFETCH(bool, yellow);
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;

    const QImage image = Grab(form.BoardImage);
    const QRect area = marker.translated(form.BoardImage->LandBoxRect(land).topLeft());
    int yellowPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            yellowPixels += IsYellowInk(image.pixelColor(x, y));

    QCOMPARE(yellowPixels > 0, yellow);
    VERIFY_PLATFORM_DONE(fake);
}

void TestBoard::scrolledWindow_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("onButton"); // else the main window itself has the focus
    QTest::addColumn<int>("action"); // a key, or a press on the board
    QTest::addColumn<QPoint>("scrolled"); // horizontal, vertical afterwards
    QTest::addColumn<int>("selected");

    // The small window starts scrolled to (100, 100) with tower 200 selected.
    const QSize small(640, 443);
    QTest::newRow("page down, window")
        << 5 << small << false << int(Qt::Key_PageDown) << QPoint(100, 150) << 0;
    QTest::newRow("page down, button")
        << 5 << small << true << int(Qt::Key_PageDown) << QPoint(100, 150) << 86;
    QTest::newRow("page up, button")
        << 5 << small << true << int(Qt::Key_PageUp) << QPoint(100, 50) << 86;
    QTest::newRow("end, window") << 5 << small << false << int(Qt::Key_End) << QPoint(150, 100)
                                 << 0;
    QTest::newRow("home, button") << 5 << small << true << int(Qt::Key_Home) << QPoint(50, 100)
                                  << 86;
    QTest::newRow("page down, no scroll bar")
        << 1 << QSize(1024, 768) << false << int(Qt::Key_PageDown) << QPoint(0, 0) << 0;
    // Hiding the focused View/Edit button must not scroll the board to show the panel.
    QTest::newRow("escape, button")
        << 5 << small << true << int(Qt::Key_Escape) << QPoint(100, 100) << 0;
    QTest::newRow("press on background")
        << 5 << small << true << PressBackground << QPoint(100, 100) << 0;
    QTest::newRow("press on empty land")
        << 5 << small << true << PressEmptyLand << QPoint(100, 100) << 26;
}

void TestBoard::scrolledWindow()
{
    QFETCH(int, size);
    QFETCH(QSize, window);
    QFETCH(bool, onButton);
    QFETCH(int, action);
    QFETCH(QPoint, scrolled);
    QFETCH(int, selected);
    FakePlatform fake;
    ProgramFolder folder(size, window.width(), window.height());
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    QScrollBar *horizontal = form.ScrollArea()->horizontalScrollBar();
    QScrollBar *vertical = form.ScrollArea()->verticalScrollBar();
    const bool bars = size == 5;
    QCOMPARE(horizontal->isVisible(), bars);
    QCOMPARE(vertical->isVisible(), bars);
    if (bars) {
        horizontal->setValue(100);
        vertical->setValue(100);
    }
    form.SelectLand(86);
    if (!onButton)
        form.setFocus();
    QCOMPARE(form.focusWidget(), onButton ? static_cast<QWidget *>(form.ViewLgnBtn) : &form);

    if (action == PressBackground || action == PressEmptyLand) {
        // Land 26 and the board's left edge are in view at (100, 100).
        const QPoint at = action == PressEmptyLand ? ActiveCentre(26) : QPoint(1, 150);
        Press(form, at);
        Release(form, at);
    } else {
        QTest::keyClick(form.windowHandle(), Qt::Key(action));
    }

    QCOMPARE(QPoint(horizontal->value(), vertical->value()), scrolled);
    QCOMPARE(SelectedNumber(form), selected);
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestBoard)
#include "test_board.moc"
