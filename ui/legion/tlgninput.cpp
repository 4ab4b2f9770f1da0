// The legion window's input: keys, presses and double clicks on its controls, the drags they arm
// and the drop areas that take them.

#include "tlgndisp.h"

#include "tcharadd.h"
#include "tlegion.h"
#include "tlmselec.h"
#include "tshape.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

// ---- Keys and mouse ----------------------------------------------------------------------------

void TLgnDispForm::keyPressEvent(QKeyEvent *event)
{
    FormKeyDown(event);
}

void TLgnDispForm::FormKeyDown(QKeyEvent *event)
{
    HidePickers();
    switch (event->key()) {
    case Qt::Key_Escape:
        hide();
        break;
    case Qt::Key_K:
        RemoveCritRequest(true);
        break;
    case Qt::Key_N:
        if (!AddStackBtn->isHidden())
            AddStackBtnClick();
        break;
    default:
        event->ignore();
        break;
    }
}

void TLgnDispForm::HidePickers()
{
    creatures.hide();
    markers.hide();
}

void TLgnDispForm::EverythingMouseDown()
{
    HidePickers();
}

void TLgnDispForm::FormClick()
{
    HidePickers();
    hide();
}

void TLgnDispForm::mousePressEvent(QMouseEvent *)
{
    EverythingMouseDown();
}

void TLgnDispForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        FormClick();
}

void TLgnDispForm::hideEvent(QHideEvent *event)
{
    DeactivateCrit();
    TModelessForm::hideEvent(event);
}

bool TLgnDispForm::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (type == QEvent::MouseButtonDblClick)
        return mouse->button() == Qt::LeftButton && DoubleClick(watched);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    if (widget == this || !isAncestorOf(widget)) {
        // Any other press arms no drag of this window.
        if (type == QEvent::MouseButtonPress)
            armedControl = nullptr;
        return false;
    }
    if (type == QEvent::MouseButtonPress)
        return ChildMousePress(widget, mouse);
    return ChildMouseRelease(widget, mouse);
}

// Every press on a control is taken here, so none propagates to the window as a background
// press; the buttons still get theirs.
bool TLgnDispForm::ChildMousePress(QWidget *widget, QMouseEvent *event)
{
    const bool left = event->button() == Qt::LeftButton;
    const QPoint global = event->globalPosition().toPoint();
    const int tag = PictureTag(widget);
    const int row = RowOfMarkerPart(widget);
    if (left && tag >= 0)
        CritImageMouseDown(tag, global);
    else if (left && row >= 0)
        LgnMrkrMouseDown(row, global);
    else if (left && widget == CStacksImage)
        CStacksMouseDown(global);
    else
        EverythingMouseDown();
    return !qobject_cast<QAbstractButton *>(widget);
}

bool TLgnDispForm::ChildMouseRelease(QWidget *widget, QMouseEvent *event)
{
    if (qobject_cast<QAbstractButton *>(widget))
        return false;
    const bool emptyPart = widget == Panel2 || widget == Panel3
        || std::find(paintBoxes.begin(), paintBoxes.end(), widget) != paintBoxes.end();
    if (emptyPart && event->button() == Qt::LeftButton
        && widget->rect().contains(event->position().toPoint()))
        FormClick();
    return true;
}

// Qt delivers a double click as press, release, press, double click: the second press has
// armed a drag, whose grab sends the double click to the main window. The double click ends
// that drag before it begins.
bool TLgnDispForm::DoubleClick(QObject *watched)
{
    QWidget *source = nullptr;
    if (armedControl && TDragController::Instance().Armed())
        source = armedControl;
    else if (watched == CStacksImage || PictureTag(watched) >= 0)
        source = static_cast<QWidget *>(watched);
    if (!source)
        return false;
    armedControl = nullptr;
    TDragController::Instance().Cancel();
    if (source == CStacksImage)
        CStacksImageDblClick();
    else if (PictureTag(source) >= 0)
        ImageDblClick();
    return true;
}

void TLgnDispForm::CritImageMouseDown(int tag, QPoint globalPos)
{
    HidePickers();
    // The pressed creature is the one a drag carries.
    ImageClick(tag);
    armedControl = CritImages[size_t(tag)];
    const TLegion *legion = RowLegion(tag / RowCrits);
    TDragController::Instance().Arm(
        &dragGrabber,
        {TDragSource::Kind::CritPicture, 0, legion ? legion->Ref() : -1, tag % RowCrits},
        globalPos);
}

void TLgnDispForm::LgnMrkrMouseDown(int row, QPoint globalPos)
{
    DeactivateCrit();
    HidePickers();
    armedControl = mrkrShapes[size_t(row)];
    const TLegion *legion = RowLegion(row);
    TDragController::Instance().Arm(
        &dragGrabber, {TDragSource::Kind::LegionRow, 0, legion ? legion->Ref() : -1, 0}, globalPos);
}

void TLgnDispForm::CStacksMouseDown(QPoint globalPos)
{
    HidePickers();
    armedControl = CStacksImage;
    TDragController::Instance().Arm(&dragGrabber, {TDragSource::Kind::CStacksImage, 0, -1, 0},
                                    globalPos);
}

// The press that came with the double click has armed a drag, which DoubleClick has cancelled.
void TLgnDispForm::CStacksImageDblClick()
{
    RecruitRequest(0);
}
