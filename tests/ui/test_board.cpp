#include "board_game.h"
#include "pictures.h"
#include "tboardview.h"
#include "tcharleft.h"
#include "tdragcontroller.h"
#include "tlandpanel.h"
#include "tlgndisp.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace {

enum DragPointer { NoDrop = 1000, CreatureDrag = 1001, LegionDrag = 1002 };

int SelectedNumber(const TVorunMainForm &form)
{
    return form.SelectedLand() ? form.SelectedLand()->GetLandNumber() : 0;
}

// The middle of a land's active area, in board coordinates.
QPoint ActiveCentre(int land)
{
    const TRect &area = CurrentForm().Board()->GetLand(land).ActiveArea();
    return QPoint((area.left + area.right) / 2 - BoardLeft, (area.top + area.bottom) / 2);
}

// Mouse events go to the window, as the desktop delivers them, so grabs and stacking count.
QPoint InWindow(TVorunMainForm &form, QPoint onBoard)
{
    return form.BoardImage->mapTo(&form, onBoard);
}

void Click(TVorunMainForm &form, QPoint onBoard, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, modifiers, InWindow(form, onBoard));
}

QImage Grab(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pointer the program set over the application; null while it set none.
QImage OverrideCursor()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->pixmap().toImage() : QImage();
}

QImage Pointer(DragPointer id)
{
    return ProgramCursor(id).pixmap().toImage();
}

// The creatures of a land's legion in slot order, "?" after an unsure one: "Cyclops Gorgon?".
QString Crits(int land, int slot)
{
    const TLegion *legion = CurrentForm().LandStacks(land).GetStack(slot);
    QStringList names;
    for (int i = 0; i < legion->CritCount(); ++i)
        names << QString(CritNames[legion->GetCrits()[size_t(i)]])
                + (legion->GetUnsure()[size_t(i)] ? "?" : "");
    return names.join(' ');
}

struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

class TestBoard : public QObject {
    Q_OBJECT

private slots:
    // A failed check inside a drag must not leave the next test with its grab.
    void cleanup() { TDragController::Instance().Cancel(); }

    void pressHitsTheActiveArea_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QPoint>("at"); // board coordinates
        QTest::addColumn<int>("land"); // 0: the selection is cleared

        // Land 1's active area at units 15 and 26, with land 91 right above it; the area takes its
        // corners, and the pixel right of it or below it is outside.
        for (const auto &[size, area] : {std::pair{1, QRect(QPoint(217, 260), QPoint(246, 299))},
                                         std::pair{3, QRect(QPoint(377, 450), QPoint(428, 518))}}) {
            const auto row = [size = size](const char *name, QPoint at, int land) {
                QTest::addRow("size %d %s", size, name) << size << at << land;
            };
            row("top left", area.topLeft(), 1);
            row("bottom right", area.bottomRight(), 1);
            row("gap left", area.topLeft() - QPoint(1, 0), 0);
            row("gap right", area.topRight() + QPoint(1, 0), 0);
            row("row above", QPoint(area.center().x(), area.top() - 1), 91);
            row("row below", QPoint(area.center().x(), area.bottom() + 1), 0);
        }
    }

    void pressHitsTheActiveArea()
    {
        QFETCH(int, size);
        QFETCH(QPoint, at);
        QFETCH(int, land);
        BoardSession s(size);
        s.form.SelectLand(86);

        Click(s.form, at);

        QCOMPARE(SelectedNumber(s.form), land);
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // The top legion of a land goes by a drag, or by a Ctrl+press on the target once selected.
    void legionMoves_data()
    {
        QTest::addColumn<bool>("drag");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("toAfter");
        // Refused on a full land with a message, on its own land silently.
        QTest::addColumn<bool>("moved");

        const QStringList full{"Anchor", "Bat", "Cross"};
        QTest::newRow("ctrl, empty land") << false << 8 << 1 << QStringList{"Fist"} << true;
        QTest::newRow("ctrl, on top of two")
            << false << 8 << 86 << QStringList{"Fist", "Candle", "Eagle"} << true;
        QTest::newRow("ctrl, own land") << false << 8 << 8 << QStringList{"Fist"} << false;
        QTest::newRow("ctrl, full land") << false << 86 << 90 << full << false;
        QTest::newRow("drag, empty land") << true << 7 << 1 << QStringList{"Gong"} << true;
        QTest::newRow("drag, full land") << true << 86 << 90 << full << false;
    }

    void legionMoves()
    {
        QFETCH(bool, drag);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, toAfter);
        QFETCH(bool, moved);
        BoardSession s;
        QWindow *window = s.form.windowHandle();
        const QStringList fromBefore = SlotNames(s.form, from);
        TLegion *legion = s.form.LandStacks(from).GetStack(0);
        const bool full = !moved && from != to;
        if (full)
            s.fake.queueAnswer(Platform::Answer::Ok);
        const QPoint target = InWindow(s.form, ActiveCentre(to));

        if (drag) {
            const QPoint start = InWindow(s.form, ActiveCentre(from));
            QTest::mousePress(window, Qt::LeftButton, {}, start);
            QTest::mouseMove(window, start + QPoint(1, 1));
            QCOMPARE(OverrideCursor(), QImage());
            // Beside land 1's active area nothing takes the drop.
            QTest::mouseMove(window, InWindow(s.form, QPoint(216, 260)));
            QCOMPARE(OverrideCursor(), Pointer(NoDrop));
            QTest::mouseMove(window, target);
            if (moved)
                QCOMPARE(OverrideCursor(), Pointer(LegionDrag));
            QCOMPARE(SlotNames(s.form, from), fromBefore);
            QTest::mouseRelease(window, Qt::LeftButton, {}, target);
        } else {
            s.form.SelectLand(from);
            Click(s.form, ActiveCentre(to), Qt::ControlModifier);
        }

        QCOMPARE(SlotNames(s.form, to), toAfter);
        QCOMPARE(SlotNames(s.form, from), moved ? fromBefore.mid(1) : fromBefore);
        QCOMPARE(SelectedNumber(s.form), moved ? to : from);
        QCOMPARE(s.form.ActiveLegion(), legion);
        const QString box = "Can't have more than 3 stacks on a land. | Land is full | None | Ok";
        QCOMPARE(s.fake.boxes(), full ? QStringList{box} : QStringList());
        QCOMPARE(OverrideCursor(), QImage());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // A creature picture of the legion window (8 per row of the selected land) dropped on a land
    // passes the creature to the legion on top of that land, after a question. The legion window
    // hides as soon as the drag reaches a land; the drag goes on.
    void creatureDropPassesItOn_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("picture");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("agree");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("fromAfter"); // the source legion
        QTest::addColumn<QString>("toAfter"); // the top legion of the target land

        const auto ask = [](const char *what) {
            return QString("Transfer %1? | Confirm | Question | OkCancel").arg(what);
        };
        const QString full = "The legion you're trying to move that creature into is full. | "
                             "Target Legion Full | None | Ok";
        const QString rest = " Centaur Centaur Gargoyle Gargoyle Ogre Ogre";
        const QString anchor = "Vorun? Angel?" + rest, candle = "Cyclops Cyclops Gorgon?";
        const QString gong = "Troll Troll Troll Ranger Ranger Wyvern Warbear";
        const QString angel = ask("Angel from Blue Anchor to Red Gong");
        QTest::newRow("unsure kept")
            << 90 << 1 << 7 << true << angel << "Vorun?" + rest << gong + " Angel?";
        QTest::newRow("cancelled") << 90 << 1 << 7 << false << angel << anchor << gong;
        QTest::newRow("second row")
            << 90 << 8 << 86 << true << ask("Lion from Blue Bat to Blue Candle") << "Troll"
            << candle + " Lion";
        QTest::newRow("own legion to the back")
            << 86 << 0 << 86 << true << ask("Cyclops from Blue Candle to Blue Candle")
            << "Cyclops Gorgon? Cyclops"
            << "Cyclops Gorgon? Cyclops";
        QTest::newRow("target full") << 86 << 2 << 8 << false << full << candle << "Troll " + gong;
        QTest::newRow("own legion full") << 90 << 0 << 90 << false << full << anchor << anchor;
    }

    void creatureDropPassesItOn()
    {
        QFETCH(int, from);
        QFETCH(int, picture);
        QFETCH(int, to);
        QFETCH(bool, agree);
        QFETCH(QString, box);
        QFETCH(QString, fromAfter);
        QFETCH(QString, toAfter);
        BoardSession s;
        QWindow *window = s.form.windowHandle();
        // Counts at the 8-bit limit would wrap if the creature went through the stacks.
        for (uint8_t type = 1; type < Crit::CodeCount; ++type)
            s.form.Game().Stacks().SetCount(type, 255);
        const TCharLeft::Counts counts = s.form.Game().Stacks().CharLeftArray();
        s.form.SelectLand(from);
        TLgnDispForm &legions = *s.windows->LgnDispForm;
        legions.ShowLgns(from);
        legions.move(0, 600); // clear of the lands, which the drag has to reach
        s.fake.queueAnswer(agree ? Platform::Answer::Ok : Platform::Answer::Cancel);

        const QLabel *image = legions.CritImages[size_t(picture)];
        const QPoint press = image->mapTo(&legions, image->rect().center());
        QTest::mousePress(legions.windowHandle(), Qt::LeftButton, {}, press);
        QTest::mouseMove(legions.windowHandle(), press + QPoint(3, 3));
        QTest::mouseMove(window, InWindow(s.form, ActiveCentre(1)));
        QCOMPARE(OverrideCursor(), Pointer(NoDrop));
        QVERIFY(!legions.isVisible());
        QTest::mouseMove(window, InWindow(s.form, ActiveCentre(to)));
        QCOMPARE(OverrideCursor(), Pointer(CreatureDrag));
        QTest::mouseRelease(window, Qt::LeftButton, {}, InWindow(s.form, ActiveCentre(to)));

        QCOMPARE(s.fake.boxes(), QStringList{box});
        QCOMPARE(Crits(from, from == 90 && picture >= 8 ? 1 : 0), fromAfter);
        QCOMPARE(Crits(to, 0), toAfter);
        QVERIFY(s.form.Game().Stacks().CharLeftArray() == counts);
        QCOMPARE(SelectedNumber(s.form), from);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        VERIFY_PLATFORM_DONE(s.fake);
    }

    void flashBlinksOnlyTheSelectedLand_data()
    {
        QTest::addColumn<int>("land");
        QTest::addColumn<QPoint>("border"); // in the land box; black while lit

        // The left edge of Fist's main marker, and the top edge of Plains 1's outline.
        QTest::newRow("legion") << 8 << QPoint(7, 27);
        QTest::newRow("empty land") << 1 << QPoint(20, 0);
    }

    void flashBlinksOnlyTheSelectedLand()
    {
        QFETCH(int, land);
        QFETCH(QPoint, border);
        BoardSession s;
        TVorunMainForm &form = s.form;
        TBoardView *board = form.BoardImage;
        form.FlashTimer->stop(); // ticks come from the test alone
        form.SelectLand(land);
        const QRect box = board->LandBoxRect(land);
        // Settle what start-up left to paint, so only the tick's repaint is recorded.
        QCoreApplication::sendPostedEvents();
        form.repaint();
        const QImage before = Grab(board);

        PaintRecorder recorder;
        board->installEventFilter(&recorder);
        form.FlashTimerTimer();
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QCOMPARE(recorder.painted.boundingRect().united(box), box);
        const QImage after = Grab(board);
        QVERIFY(after != before);
        QImage outside[] = {after, before}; // the rest of the board stays
        for (QImage &image : outside)
            QPainter(&image).fillRect(box, Qt::black);
        QCOMPARE(outside[0], outside[1]);
        QCOMPARE((form.FlashPhase() ? after : before).pixelColor(box.topLeft() + border),
                 QColor(Qt::black));
        form.FlashTimerTimer();
        QCOMPARE(Grab(board), before);

        form.ClearSelection();
        const QImage cleared = Grab(board);
        for (int tick = 0; tick < 2; ++tick) {
            form.FlashTimerTimer();
            QCOMPARE(Grab(board), cleared);
        }
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // Fist in upward Marsh 8 has eight creatures, Gong in downward Desert 7 seven.
    void fullLegionCountIsYellow()
    {
        BoardSession s;
        const QImage image = Grab(s.form.BoardImage);
        for (const int land : {8, 7}) {
            // The marker sits lower in the box of an upward land.
            const QRect area = QRect(QPoint(7, land == 8 ? 15 : 1), QSize(25, 24))
                                   .translated(s.form.BoardImage->LandBoxRect(land).topLeft());
            int yellowPixels = 0;
            // Antialiased yellow ink brings green without blue; white ink brings both.
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    yellowPixels += c.green() > 128 && c.blue() < c.green() / 4;
                }
            QVERIFY2((yellowPixels > 0) == (land == 8), qPrintable(QString("land %1").arg(land)));
        }
        VERIFY_PLATFORM_DONE(s.fake);
    }

    void scrolledWindow_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("onButton"); // else the main window itself has the focus
        QTest::addColumn<QString>("action"); // a key, or a press on the background or on land 26
        QTest::addColumn<QPoint>("scrolled"); // horizontal, vertical afterwards
        QTest::addColumn<int>("selected");

        // The smallest window starts scrolled to (100, 100) with tower 200 selected.
        QTest::newRow("pgdn, window") << 5 << false << "PgDown" << QPoint(100, 150) << 0;
        QTest::newRow("pgup, button") << 5 << true << "PgUp" << QPoint(100, 50) << 86;
        QTest::newRow("end, window") << 5 << false << "End" << QPoint(150, 100) << 0;
        QTest::newRow("home, button") << 5 << true << "Home" << QPoint(50, 100) << 86;
        QTest::newRow("pgdn, no bars") << 1 << false << "PgDown" << QPoint(0, 0) << 0;
        // Hiding the focused View/Edit button must not scroll the board to show the panel.
        QTest::newRow("escape, button") << 5 << true << "Esc" << QPoint(100, 100) << 0;
        // Other keys get the button's own handling, which uses none of them.
        QTest::newRow("x, button") << 5 << true << "X" << QPoint(100, 100) << 86;
        QTest::newRow("home, button, no bars") << 1 << true << "Home" << QPoint(0, 0) << 86;
        QTest::newRow("x, window") << 5 << false << "X" << QPoint(100, 100) << 0;
        // The close key still reaches the close question (answered Cancel here).
        QTest::newRow("alt+f4, button") << 5 << true << "Alt+F4" << QPoint(100, 100) << 86;
        QTest::newRow("press on background") << 5 << true << "background" << QPoint(100, 100) << 0;
        QTest::newRow("press on empty land") << 5 << true << "land" << QPoint(100, 100) << 26;
    }

    void scrolledWindow()
    {
        QFETCH(int, size);
        QFETCH(bool, onButton);
        QFETCH(QString, action);
        QFETCH(QPoint, scrolled);
        QFETCH(int, selected);
        BoardSession s(size, 640, 443);
        QScrollBar *horizontal = s.form.ScrollArea()->horizontalScrollBar();
        QScrollBar *vertical = s.form.ScrollArea()->verticalScrollBar();
        QCOMPARE(horizontal->isVisible(), size == 5);
        QCOMPARE(vertical->isVisible(), size == 5);
        horizontal->setValue(100);
        vertical->setValue(100);
        s.form.SelectLand(86);
        if (!onButton)
            s.form.setFocus();

        if (action == "background" || action == "land") {
            // Land 26 and the board's left edge are in view at (100, 100).
            Click(s.form, action == "land" ? ActiveCentre(26) : QPoint(1, 150));
        } else {
            const QKeyCombination key = QKeySequence(action)[0];
            if (key.keyboardModifiers() & Qt::AltModifier)
                s.fake.queueAnswer(Platform::Answer::Cancel);
            QTest::keyClick(s.form.windowHandle(), key.key(), key.keyboardModifiers());
        }

        QCOMPARE(QPoint(horizontal->value(), vertical->value()), scrolled);
        QCOMPARE(SelectedNumber(s.form), selected);
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // Resting on a land shows its tip; the next land rested on shows its own, and the gap beside
    // the lands none.
    void toolTipNamesTheLegions()
    {
        BoardSession s;
        QToolTip::hideText();
        const QString tower600 = "Tower 600\nBlue Anchor (?120 points): Vorun?, Angel?, Centaur, "
                                 "Centaur, Gargoyle, Gargoyle, Ogre, Ogre\nBlue Bat (31 points): "
                                 "Lion, Troll\nRed Cross (12 points): Ogre";
        const QString marsh8 = "Marsh 8\nRed Fist (135 points): Troll, Troll, Troll, Troll, "
                               "Ranger, Ranger, Wyvern, Warbear";
        const QPoint gap(216, 260); // left of land 1's active area
        for (const auto &[at, tip] :
             {std::pair{ActiveCentre(90), tower600},
              std::pair{ActiveCentre(1), QString("Plains 1")}, std::pair{ActiveCentre(8), marsh8},
              std::pair{gap, QString()}}) {
            QTest::mouseMove(s.form.windowHandle(), InWindow(s.form, at));
            QTRY_COMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
        }
        VERIFY_PLATFORM_DONE(s.fake);
    }

    // The board is a named picture whose description is the selected land's, after every change of
    // the selection or of the land. (The offscreen platform has no accessibility bridge, so the
    // change events themselves are checked by the story under Xvfb.)
    void describesTheSelectionToAssistiveTechnology()
    {
        BoardSession s;
        QAccessibleInterface *board = QAccessible::queryAccessibleInterface(s.form.BoardImage);
        QVERIFY(board);
        QCOMPARE(board->role(), QAccessible::Graphic);
        QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Masterboard"));
        const QString none = "No land selected", candle = "Blue Candle: Cyclops, Cyclops, Gorgon?";
        const QString tower200 = "Tower 200  (2S)\n" + candle + "\nRed Eagle: Griffon";
        const QString rotated = "Tower 200  (2S)\nRed Eagle: Griffon\n" + candle;
        QCOMPARE(board->text(QAccessible::Description), none);
        Click(s.form, ActiveCentre(86));
        QCOMPARE(board->text(QAccessible::Description), tower200);
        QTest::mouseClick(s.form.Panel->RotateLgnBtn, Qt::LeftButton);
        QCOMPARE(board->text(QAccessible::Description), rotated);
        QTest::keyClick(s.form.windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(board->text(QAccessible::Description), tower200);
        Click(s.form, QPoint(1, 150)); // the board's background
        QCOMPARE(board->text(QAccessible::Description), none);
        VERIFY_PLATFORM_DONE(s.fake);
    }
};

QTEST_MAIN(TestBoard)
#include "test_board.moc"
