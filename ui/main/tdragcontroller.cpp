#include "tdragcontroller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

TDragController &TDragController::Instance()
{
    static TDragController controller;
    return controller;
}

void TDragController::RegisterTarget(TDragTarget *target)
{
    if (std::find(targets.begin(), targets.end(), target) == targets.end())
        targets.push_back(target);
}

void TDragController::UnregisterTarget(TDragTarget *target)
{
    targets.erase(std::remove(targets.begin(), targets.end(), target), targets.end());
}

void TDragController::Arm(QWidget *grabberWidget, const TDragSource &dragSource, QPoint globalPress,
                          QCursor cursor, QCursor noDrop)
{
    Cancel();
    grabber = grabberWidget;
    source = dragSource;
    pressPos = globalPress;
    dragCursor = cursor;
    noDropCursor = noDrop;
    armed = true;
    // The application-wide filter sees the moves and the release wherever the pointer goes.
    qApp->installEventFilter(this);
    grabber->grabMouse();
}

void TDragController::Cancel()
{
    if (armed)
        End();
}

void TDragController::End()
{
    armed = false;
    dragging = false;
    qApp->removeEventFilter(this);
    // A hidden widget that keeps the grab would swallow every later click.
    if (grabber)
        grabber->releaseMouse();
    grabber = nullptr;
    if (cursorSet) {
        QApplication::restoreOverrideCursor();
        cursorSet = false;
    }
}

bool TDragController::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
            End();
            return false;
        }
        Move(mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        Release(mouse->globalPosition().toPoint());
        return true;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && armed) {
            End();
            return true;
        }
        return false;
    case QEvent::ApplicationDeactivate:
        End();
        return false;
    default:
        return false;
    }
}

void TDragController::Move(QPoint globalPos)
{
    if (!dragging) {
        const QPoint moved = globalPos - pressPos;
        if (std::max(std::abs(moved.x()), std::abs(moved.y())) < DragThreshold)
            return;
        dragging = true;
    }
    QPoint local;
    TDragTarget *target = TargetAt(globalPos, local);
    const bool accepted = target && target->DragOver(source, local);
    const QCursor &cursor = accepted ? dragCursor : noDropCursor;
    if (!cursorSet) {
        QApplication::setOverrideCursor(cursor);
        cursorSet = true;
    } else {
        QApplication::changeOverrideCursor(cursor);
    }
}

void TDragController::Release(QPoint globalPos)
{
    const bool wasDragging = dragging;
    const TDragSource dropped = source;
    QPoint local;
    TDragTarget *target = wasDragging ? TargetAt(globalPos, local) : nullptr;
    // The drag is over before the drop runs: a drop may open a message box.
    End();
    if (target && target->DragOver(dropped, local))
        target->DragDrop(dropped, local);
}

TDragTarget *TDragController::TargetAt(QPoint globalPos, QPoint &localPos) const
{
    QWidget *window = QApplication::topLevelAt(globalPos);
    for (TDragTarget *target : targets) {
        QWidget *widget = target->DropWidget();
        if (!widget->isVisible() || (window && widget->window() != window))
            continue;
        const QPoint local = widget->mapFromGlobal(globalPos);
        if (widget->rect().contains(local)) {
            localPos = local;
            return target;
        }
    }
    return nullptr;
}
