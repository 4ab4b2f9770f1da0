#pragma once

#include <QCursor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

// What is being dragged, in the game's terms rather than a control's: a drop handler needs no
// knowledge of the window the drag began in.
struct TDragSource {
    enum class Kind { LandArea, CritPicture, CStacksImage, LegionRow };
    Kind kind = Kind::LandArea;
    int land = 0; // LandArea: the land pressed
    int legion = -1; // CritPicture, LegionRow: the legion (TLegion::Ref)
    int position = 0; // CritPicture: the creature's place in its legion
};

// A control that takes drops. One target may stand for many drop areas (the board holds all 96
// lands), so acceptance is asked per position.
class TDragTarget {
public:
    virtual ~TDragTarget() = default;
    virtual QWidget *DropWidget() = 0;
    // pos is in DropWidget() coordinates.
    virtual bool DragOver(const TDragSource &source, QPoint pos) = 0;
    virtual void DragDrop(const TDragSource &source, QPoint pos) = 0;
};

// Drags inside the program, across its windows, without the desktop's drag and drop: a press
// arms a drag, two pixels of movement with the button held start it, the controller finds the
// target under the pointer and shows the drag or no-drop pointer, and the release drops.
class TDragController : public QObject {
public:
    static constexpr int DragThreshold = 2;

    static TDragController &Instance();

    void RegisterTarget(TDragTarget *target);
    void UnregisterTarget(TDragTarget *target);

    // grabber receives the mouse until the drag ends; it must stay visible meanwhile, so a drag
    // that may hide its own window (a creature dragged onto the board) grabs on the main window.
    // Creatures drag with the creature pointer, legions with the legion pointer.
    void Arm(QWidget *grabber, const TDragSource &source, QPoint globalPress);
    bool Armed() const { return armed; }
    bool Dragging() const { return dragging; }
    // Ends the drag without a drop.
    void Cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TDragController() = default;
    void Move(QPoint globalPos);
    void Release(QPoint globalPos);
    void End();
    TDragTarget *TargetAt(QPoint globalPos, QPoint &localPos) const;

    std::vector<TDragTarget *> targets;
    QPointer<QWidget> grabber;
    TDragSource source;
    QPoint pressPos;
    bool armed = false;
    bool dragging = false;
    bool cursorSet = false;
};
