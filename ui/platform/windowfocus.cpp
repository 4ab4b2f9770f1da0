#include "windowfocus.h"

#include <QApplication>
#include <QMainWindow>

QWidget *VisibleOrMain(QWidget *window)
{
    if (window && window->isVisible())
        return window;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow *>(top) && top->isVisible())
            return top;
    return nullptr;
}

void HandFocusBack(QWidget *hiding, QWidget *opener)
{
    // By the time the window hides, Qt may already have dropped it as the active window.
    const QWidget *active = QApplication::activeWindow();
    if (active && active != hiding->window())
        return;
    if (QWidget *next = VisibleOrMain(opener)) {
        next->activateWindow();
        next->raise();
    }
}
