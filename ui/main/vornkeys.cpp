// The main window's keys: those of the title screen's Load button, of the panel's buttons and of
// the window, and scrolling by key and by wheel.

#include "vornmain.h"

#include "tlandpanel.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

bool TVorunMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrollArea->viewport()) {
        // The title screen follows the visible area, which is only known once laid out.
        if (event->type() == QEvent::Resize)
            LayoutTitleScreen();
        // Every wheel turn over the game view ends here, the board's and the panel's alike,
        // instead of the scroll area's own scrolling by three lines or a page.
        if (event->type() == QEvent::Wheel && InGameView()) {
            FormMouseWheel(static_cast<QWheelEvent *>(event));
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress && watched != LoadBtn && watched != content)
        HideAuxWindows(); // a press on a panel button
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == LoadBtn)
        return LoadBtnKeyDown(key);
    if (watched == content)
        return PanelKeyLeftOver(key);
    return LgnLandBtnKeyDown(key);
}

// A key the focused panel button had for its normal handling and did not use ends here: the
// window would take it for a press on the background and clear the selection, and the scroll area
// would scroll by it. Only the close key goes on.
bool TVorunMainForm::PanelKeyLeftOver(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier))
        return false;
    event->accept();
    return true;
}

bool TVorunMainForm::LoadBtnKeyDown(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        LoadBtn->click();
        return true;
    default:
        FormKeyDown(event);
        return true;
    }
}

bool TVorunMainForm::LgnLandBtnKeyDown(QKeyEvent *event)
{
    HideAuxWindows();
    if (ScrollByKey(event->key()))
        return true;
    if (event->key() == Qt::Key_Escape) {
        ClearSelection();
        return true;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(QApplication::focusWidget()))
            button->click();
        return true;
    }
    return false;
}

// Page Up/Down and Home/End scroll by one step when their scroll bar is shown.
bool TVorunMainForm::ScrollByKey(int key)
{
    int step = ScrollStep;
    Qt::Orientation orientation = Qt::Vertical;
    switch (key) {
    case Qt::Key_PageUp:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_PageDown:
        break;
    case Qt::Key_Home:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_End:
        orientation = Qt::Horizontal;
        break;
    default:
        return false;
    }
    QScrollBar *bar = ShownScrollBar(orientation);
    if (!bar)
        return false;
    bar->setValue(bar->value() + step);
    return true;
}

// The board scrolls only in a direction it does not fit in, where its scroll bar is shown.
QScrollBar *TVorunMainForm::ShownScrollBar(Qt::Orientation orientation) const
{
    if (orientation == Qt::Vertical)
        return scrollArea->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
            ? scrollArea->verticalScrollBar()
            : nullptr;
    return scrollArea->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
        ? scrollArea->horizontalScrollBar()
        : nullptr;
}

// Ctrl+wheel turns the board size up or down, as Ctrl+F1 … F5 set it; a plain wheel scrolls
// vertically and Shift+wheel (or a tilted wheel) sideways, a scroll step per notch, as the keys do.
// A notch is 120; a touchpad sends its turn in smaller pieces. The size changes once a whole
// notch has been turned, as a mouse would change it; scrolling follows every piece, its fraction
// of a pixel kept for the next, so the board moves with the fingers and a notch is still one step.
// Qt's own wheel scrolling moves three lines or a page and knows nothing of board sizes.
void TVorunMainForm::FormMouseWheel(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const bool sideways = std::abs(angle.x()) > std::abs(angle.y());
    const int turn = sideways ? angle.x() : angle.y();
    event->accept();
    if (event->modifiers() & Qt::ControlModifier) {
        wheelSizeTurn += turn;
        const int steps = wheelSizeTurn / QWheelEvent::DefaultDeltasPerStep;
        wheelSizeTurn -= steps * QWheelEvent::DefaultDeltasPerStep;
        StepBoardSize(steps);
        return;
    }
    const bool horizontal = sideways || (event->modifiers() & Qt::ShiftModifier);
    QScrollBar *bar = ShownScrollBar(horizontal ? Qt::Horizontal : Qt::Vertical);
    if (!bar)
        return;
    wheelScrollRest += turn * ScrollStep;
    const int pixels = wheelScrollRest / QWheelEvent::DefaultDeltasPerStep;
    wheelScrollRest -= pixels * QWheelEvent::DefaultDeltasPerStep;
    // A wheel turned away from the user shows what lies above, or to the left.
    bar->setValue(bar->value() - pixels);
}

// Beyond the smallest and the largest size the wheel does nothing.
void TVorunMainForm::StepBoardSize(int steps)
{
    const int size = std::clamp(chosenBoardSize + steps, 1, int(SizeMIs.size()));
    if (size != chosenBoardSize)
        SizeMIs[size_t(size - 1)]->trigger();
}

void TVorunMainForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
}

void TVorunMainForm::FormKeyDown(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (ScrollByKey(key)) {
        MiscMouseDown(Qt::LeftButton);
        return;
    }
    if (modifiers & Qt::AltModifier) {
        // The desktop's close key, handled here too where no window manager does it.
        if (key == Qt::Key_F4)
            close();
        if (key == Qt::Key_F4 || key == Qt::Key_Alt)
            return;
    }
    if ((modifiers & Qt::ControlModifier) || key == Qt::Key_Menu)
        return;
    MiscMouseDown(Qt::LeftButton);
}
