#include "tdragcontroller.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "pictures.h"

#include <algorithm>

namespace {

constexpr int NoDropCursorId = 1000;
constexpr int CreatureDragCursorId = 1001;
constexpr int LegionDragCursorId = 1002;

int DragCursorId(TDragSource::Kind kind)
{
    const bool creature
        = kind == TDragSource::Kind::CritPicture || kind == TDragSource::Kind::CStacksImage;
    return creature ? CreatureDragCursorId : LegionDragCursorId;
}

} // namespace

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

void TDragController::Arm(QWidget *grabberWidget, const TDragSource &dragSource, QPoint globalPress)
{
    Cancel();
    grabber = grabberWidget;
    source = dragSource;
    pressPos = globalPress;
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
    const QCursor cursor = ProgramCursor(accepted ? DragCursorId(source.kind) : NoDropCursorId);
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

// Targets overlap (a creature picture lies on its row's drop area), so the topmost widget under
// the pointer decides, or the nearest of its parents that takes drops.
TDragTarget *TDragController::TargetAt(QPoint globalPos, QPoint &localPos) const
{
    QWidget *window = QApplication::topLevelAt(globalPos);
    if (!window)
        return nullptr;
    QWidget *widget = window->childAt(window->mapFromGlobal(globalPos));
    if (!widget)
        widget = window;
    for (; widget; widget = widget->parentWidget()) {
        for (TDragTarget *target : targets) {
            if (target->DropWidget() == widget && widget->isVisible()) {
                localPos = widget->mapFromGlobal(globalPos);
                return target;
            }
        }
        if (widget == window)
            break;
    }
    return nullptr;
}
