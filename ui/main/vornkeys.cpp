// The main window's keys: those of the title screen's Load button, of the panel's buttons and of
// the window, and scrolling by key.

#include "vornmain.h"

#include "tlandpanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

bool TVorunMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == scrollArea->viewport()) {
        // The title screen follows the visible area, which is only known once laid out.
        if (event->type() == QEvent::Resize)
            LayoutTitleScreen();
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
    const bool vertical = scrollArea->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    const bool horizontal = scrollArea->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    QScrollBar *bar = nullptr;
    int step = ScrollStep;
    switch (key) {
    case Qt::Key_PageUp:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_PageDown:
        bar = vertical ? scrollArea->verticalScrollBar() : nullptr;
        break;
    case Qt::Key_Home:
        step = -ScrollStep;
        [[fallthrough]];
    case Qt::Key_End:
        bar = horizontal ? scrollArea->horizontalScrollBar() : nullptr;
        break;
    default:
        break;
    }
    if (!bar)
        return false;
    bar->setValue(bar->value() + step);
    return true;
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
