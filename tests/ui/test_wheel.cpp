#include "board_game.h"
#include "tboardview.h"
#include "tlandpanel.h"

#include <QAction>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int Notch = QWheelEvent::DefaultDeltasPerStep;
// Not compared: the scroll position after a size change depends on the new picture.
constexpr QPoint AnyScroll(-1, -1);

// A wheel turn delivered to the window at a point of it, as the desktop delivers it: Qt passes
// only the desktop's own wheel events on from the control under the pointer to its parents, and
// sendEvent() would mark it as the program's own. QTest delivers its key events the same way.
void Turn(TVorunMainForm &form, QPoint at, QPoint angle, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent wheel(at, form.mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(form.windowHandle(), &wheel);
}

} // namespace

class TestWheel : public QObject {
    Q_OBJECT

private slots:
    void wheel_data();
    void wheel();
};

void TestWheel::wheel_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("onPanel"); // else over the board
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QList<QPoint>>("turns"); // angle deltas, one event each
    QTest::addColumn<int>("sizeAfter");
    QTest::addColumn<QPoint>("scrolled"); // horizontal, vertical afterwards

    const auto up = [](int angle) {
        return QList{QPoint(0, angle)};
    };
    const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const auto row = [](const QByteArray &name, int size, Qt::KeyboardModifiers modifiers,
                        QList<QPoint> turns, int sizeAfter, QPoint scrolled, bool onPanel = false) {
        QTest::newRow(name) << size << onPanel << modifiers << turns << sizeAfter << scrolled;
    };
    for (int size = 1; size <= 5; ++size) {
        const QByteArray at = QByteArray::number(size);
        row("ctrl up at " + at, size, ctrl, up(Notch), std::min(size + 1, 5),
            size == 5 ? QPoint(100, 100) : AnyScroll);
        row("ctrl down at " + at, size, ctrl, up(-Notch), std::max(size - 1, 1),
            size == 1 ? QPoint(0, 0) : AnyScroll);
    }
    row("ctrl, a notch in three pieces", 2, ctrl, up(40) + up(40) + up(40), 3, AnyScroll);
    row("ctrl, short of a notch", 2, ctrl, up(40) + up(40), 2, QPoint(0, 0));
    row("ctrl, back before a notch", 2, ctrl, up(80) + up(-80) + up(80), 2, QPoint(0, 0));
    row("ctrl, two notches at once", 2, ctrl, up(2 * Notch), 4, AnyScroll);
    row("ctrl, past the end", 4, ctrl, up(3 * Notch), 5, AnyScroll);
    row("ctrl+shift", 2, ctrl | Qt::ShiftModifier, up(Notch), 3, AnyScroll);
    // The smallest window starts scrolled to (100, 100) at size 5.
    row("up", 5, none, up(Notch), 5, QPoint(100, 50));
    row("down", 5, none, up(-Notch), 5, QPoint(100, 150));
    row("shift up", 5, shift, up(Notch), 5, QPoint(50, 100));
    row("shift down", 5, shift, up(-Notch), 5, QPoint(150, 100));
    row("tilt left", 5, none, {QPoint(Notch, 0)}, 5, QPoint(50, 100));
    row("tilt right", 5, none, {QPoint(-Notch, 0)}, 5, QPoint(150, 100));
    row("to the top", 5, none, up(Notch) + up(Notch) + up(Notch), 5, QPoint(100, 0));
    // A touchpad: a third of a notch moves a third of a step, what is left of a pixel is kept.
    row("touchpad, part of a notch", 5, none, up(-40), 5, QPoint(100, 116));
    row("touchpad, a notch in pieces", 5, none, up(-40) + up(-40) + up(-40), 5, QPoint(100, 150));
    row("touchpad, sideways in pieces", 5, shift, up(30) + up(30) + up(30) + up(30), 5,
        QPoint(50, 100));
    row("down, no bars", 1, none, up(-Notch), 1, QPoint(0, 0));
    row("shift down, no bars", 1, shift, up(-Notch), 1, QPoint(0, 0));
    row("down over the panel", 5, none, up(-Notch), 5, QPoint(100, 150), true);
}

// The wheel steps the size through the menu's items, so the picture and the menu follow it.
void TestWheel::wheel()
{
    QFETCH(int, size);
    QFETCH(bool, onPanel);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QList<QPoint>, turns);
    QFETCH(int, sizeAfter);
    QFETCH(QPoint, scrolled);
    BoardSession s(size, 640, 443);
    QScrollBar *horizontal = s.form.ScrollArea()->horizontalScrollBar();
    QScrollBar *vertical = s.form.ScrollArea()->verticalScrollBar();
    if (size == 5) {
        horizontal->setValue(100);
        vertical->setValue(100);
    }
    const QSize picture = s.form.BoardImage->Picture().size();
    const QPoint at = onPanel ? QPoint(20, 100) : QPoint(300, 200);
    QWidget *under = s.form.childAt(at);
    QVERIFY(onPanel ? s.form.Panel->isAncestorOf(under) || under == s.form.Panel
                    : under == s.form.BoardImage);

    for (const QPoint &angle : turns)
        Turn(s.form, at, angle, modifiers);

    QCOMPARE(s.form.ChosenBoardSize(), sizeAfter);
    QVERIFY(s.form.SizeMIs[size_t(sizeAfter - 1)]->isChecked());
    QCOMPARE(s.form.BoardImage->Picture().size() != picture, sizeAfter != size);
    if (scrolled != AnyScroll)
        QCOMPARE(QPoint(horizontal->value(), vertical->value()), scrolled);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestWheel)
#include "test_wheel.moc"
