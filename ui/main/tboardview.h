#pragma once

#include <QPixmap>
#include <QWidget>

#include "tdragcontroller.h"

class TVorunMainForm;
class TVorunMasterboard;
class QHelpEvent;
class QPainter;

// The board picture with the legions drawn on their lands. The 96 land areas are regions of this
// one widget: presses and the tool tips are tested against the lands' active areas (which never
// overlap), and everything else on the board counts as the window background. To a screen reader
// it is one picture whose description is the selected land's.
class TBoardView : public QWidget, public TDragTarget {
public:
    TBoardView(QWidget *parent, TVorunMainForm &form);

    // The board picture for board unit s: at a device pixel ratio of 1 the file at path, above it
    // the same picture drawn at device resolution (the file must still be there and readable, as
    // for an install that is whole). False when the file is missing or not a picture.
    bool LoadPicture(const QString &path, int s);
    const QPixmap &Picture() const { return picture; }
    // In the widget's coordinates, whatever the picture's device pixel ratio.
    QSize PictureSize() const;

    // 0 when the point (widget coordinates) is in no land's active area.
    int LandAt(QPoint pos) const;
    // The land box in widget coordinates.
    QRect LandBoxRect(int land) const;
    void RepaintLand(int land);
    // Tells assistive technology about land n (0: none), as the panel describes it.
    void DescribeSelection(int n);

    QWidget *DropWidget() override { return this; }
    bool DragOver(const TDragSource &source, QPoint pos) override;
    void DragDrop(const TDragSource &source, QPoint pos) override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void LandPaintBoxPaint(QPainter &painter, int land);
    void ShowLandToolTip(QHelpEvent *event);
    const TVorunMasterboard *BuiltBoard() const;

    TVorunMainForm &form;
    QPixmap picture;
    QString picturePath;
    int boardUnit = 0;
    qreal pictureRatio = 1; // the device pixel ratio the picture was last made for
};
