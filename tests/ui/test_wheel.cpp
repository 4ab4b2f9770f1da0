#include "board_game.h"
#include "tboardview.h"
#include "tlandpanel.h"

#include <QAction>
#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <QWheelEvent>

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

QString CheckedSizes(const TVorunMainForm &form)
{
    QString checked;
    for (size_t i = 0; i < form.SizeMIs.size(); ++i)
        checked += form.SizeMIs[i]->isChecked() ? QString::number(i + 1) : QString();
    return checked;
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
        return QPoint(0, angle);
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (int size = 1; size <= 5; ++size) {
        QTest::addRow("ctrl up at %d", size)
            << size << false << ctrl << QList{up(Notch)} << std::min(size + 1, 5)
            << (size == 5 ? QPoint(100, 100) : AnyScroll);
        QTest::addRow("ctrl down at %d", size)
            << size << false << ctrl << QList{up(-Notch)} << std::max(size - 1, 1)
            << (size == 1 ? QPoint(0, 0) : AnyScroll);
    }
    QTest::newRow("ctrl, a notch in three pieces")
        << 2 << false << ctrl << QList{up(40), up(40), up(40)} << 3 << AnyScroll;
    QTest::newRow("ctrl, short of a notch")
        << 2 << false << ctrl << QList{up(40), up(40)} << 2 << QPoint(0, 0);
    QTest::newRow("ctrl, back before a notch")
        << 2 << false << ctrl << QList{up(80), up(-80), up(80)} << 2 << QPoint(0, 0);
    QTest::newRow("ctrl, two notches at once")
        << 2 << false << ctrl << QList{up(2 * Notch)} << 4 << AnyScroll;
    QTest::newRow("ctrl, past the end")
        << 4 << false << ctrl << QList{up(3 * Notch)} << 5 << AnyScroll;
    QTest::newRow("ctrl+shift") << 2 << false << (ctrl | Qt::ShiftModifier) << QList{up(Notch)} << 3
                                << AnyScroll;

    // The smallest window starts scrolled to (100, 100) at size 5.
    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    QTest::newRow("up") << 5 << false << none << QList{up(Notch)} << 5 << QPoint(100, 50);
    QTest::newRow("down") << 5 << false << none << QList{up(-Notch)} << 5 << QPoint(100, 150);
    QTest::newRow("shift up") << 5 << false << shift << QList{up(Notch)} << 5 << QPoint(50, 100);
    QTest::newRow("shift down") << 5 << false << shift << QList{up(-Notch)} << 5
                                << QPoint(150, 100);
    QTest::newRow("tilt left") << 5 << false << none << QList{QPoint(Notch, 0)} << 5
                               << QPoint(50, 100);
    QTest::newRow("tilt right") << 5 << false << none << QList{QPoint(-Notch, 0)} << 5
                                << QPoint(150, 100);
    QTest::newRow("down over the panel")
        << 5 << true << none << QList{up(-Notch)} << 5 << QPoint(100, 150);
    QTest::newRow("to the top") << 5 << false << none << QList{up(Notch), up(Notch), up(Notch)} << 5
                                << QPoint(100, 0);
    // A touchpad: a third of a notch moves a third of a step, what is left of a pixel is kept.
    QTest::newRow("touchpad, part of a notch")
        << 5 << false << none << QList{up(-40)} << 5 << QPoint(100, 116);
    QTest::newRow("touchpad, a notch in pieces")
        << 5 << false << none << QList{up(-40), up(-40), up(-40)} << 5 << QPoint(100, 150);
    QTest::newRow("touchpad, sideways in pieces")
        << 5 << false << shift << QList{up(30), up(30), up(30), up(30)} << 5 << QPoint(50, 100);
    QTest::newRow("down, no bars") << 1 << false << none << QList{up(-Notch)} << 1 << QPoint(0, 0);
    QTest::newRow("shift down, no bars")
        << 1 << false << shift << QList{up(-Notch)} << 1 << QPoint(0, 0);
}

// The wheel changes the size as the menu's items do: the picture is redrawn, the selection stays
// and the menu follows.
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
    s.form.SelectLand(86);
    TLegion *active = s.form.ActiveLegion();
    const QSize picture = s.form.BoardImage->Picture().size();
    const QPoint at = onPanel ? QPoint(20, 100) : QPoint(300, 200);
    QWidget *under = s.form.childAt(at);
    QVERIFY(onPanel ? s.form.Panel->isAncestorOf(under) || under == s.form.Panel
                    : under == s.form.BoardImage);

    for (const QPoint &angle : turns)
        Turn(s.form, at, angle, modifiers);

    QCOMPARE(s.form.ChosenBoardSize(), sizeAfter);
    QCOMPARE(CheckedSizes(s.form), QString::number(sizeAfter));
    QCOMPARE(s.form.BoardImage->Picture().size() != picture, sizeAfter != size);
    QCOMPARE(s.form.SelectedLand(), &s.form.Board()->GetLand(86));
    QCOMPARE(s.form.ActiveLegion(), active);
    if (scrolled != AnyScroll)
        QCOMPARE(QPoint(horizontal->value(), vertical->value()), scrolled);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestWheel)
#include "test_wheel.moc"
