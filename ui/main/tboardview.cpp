#include "tboardview.h"

#include "boardpicture.h"
#include "landtext.h"
#include "qtcolor.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "vornmain.h"

#include <QAccessibleWidget>
#include <QHelpEvent>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <string>

namespace {

constexpr QColor FullLegionColor(255, 255, 0);
constexpr const char *BoardName = "Masterboard";
constexpr const char *NoSelectionText = "No land selected";
constexpr QColor MarkerOutline(20, 20, 20);

QRect MarkerRect(int s, bool upward, bool second)
{
    const TRect box = MarkerBox(s, upward, second);
    return QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// A marker's 3-pixel border is centred on the edges of the exclusive rectangle, as the marker
// geometry assumes: from a pixel outside them to a pixel inside. Its outermost pixels are dark, so
// that the white border has an edge on light lands too, and a marker on a land of its own colour
// stands apart. Whole rectangles, so that at any device pixel ratio the border covers the same
// pixels of the board.
void DrawMarker(QPainter &painter, const QRect &box, QColor fill, QColor border)
{
    const QRect outer(box.left() - 1, box.top() - 1, box.width() + 3, box.height() + 3);
    painter.fillRect(outer, MarkerOutline);
    painter.fillRect(outer.adjusted(1, 1, -1, -1), border);
    painter.fillRect(outer.adjusted(3, 3, -3, -3), fill);
}

// Above a device pixel ratio of 1 a scaled-up 1x picture would be blurred: the picture is drawn
// for the device instead, from the same land geometry as the file. The file is only looked at,
// so that a broken install is still reported, at no cost to drawing. Null when the file is
// missing or not a picture.
QPixmap MakePicture(const QString &path, int s, qreal ratio)
{
    if (ratio <= 1)
        return QPixmap(path);
    if (!QImageReader(path).canRead())
        return QPixmap();
    return QPixmap::fromImage(DrawBoardPicture(s, ratio));
}

QFont MarkerFont(const TMarkerFont &font)
{
    QFont qfont(QString::fromStdString(font.name));
    // Points at the 96 pixels per inch the board was laid out for.
    qfont.setPixelSize(font.size * 96 / 72);
    qfont.setBold(font.bold);
    return qfont;
}

// Qt makes a plain widget a filler, which screen readers pass over in silence; the board is a
// picture to read, whose description is the selected land.
QAccessibleInterface *BoardAccessible(const QString &, QObject *object)
{
    auto *board = dynamic_cast<TBoardView *>(object);
    return board ? new QAccessibleWidget(board, QAccessible::Graphic) : nullptr;
}

} // namespace

// The board's pictures and areas once made: a message box shown while they are being made (a
// missing picture) lets the window repaint.
const TVorunMasterboard *TBoardView::BuiltBoard() const
{
    const TVorunMasterboard *board = form.Board();
    return board && board->Initialized() ? board : nullptr;
}

TBoardView::TBoardView(QWidget *parent, TVorunMainForm &form) : QWidget(parent), form(form)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    TDragController::Instance().RegisterTarget(this);
    static const bool accessibleBoard = (QAccessible::installFactory(BoardAccessible), true);
    Q_UNUSED(accessibleBoard);
    setAccessibleName(QString::fromLatin1(BoardName));
    DescribeSelection(0);
}

bool TBoardView::LoadPicture(const QString &path, int s)
{
    const qreal ratio = devicePixelRatioF();
    const QPixmap made = MakePicture(path, s, ratio);
    if (made.isNull())
        return false;
    picture = made;
    picturePath = path;
    boardUnit = s;
    pictureRatio = ratio;
    resize(PictureSize());
    update();
    return true;
}

QSize TBoardView::PictureSize() const
{
    return picture.deviceIndependentSize().toSize();
}

int TBoardView::LandAt(QPoint pos) const
{
    const TVorunMasterboard *board = BuiltBoard();
    if (!board)
        return 0;
    const QPoint content = pos + QPoint(BoardLeft, 0);
    for (int n = 1; n <= LandCount; ++n) {
        if (board->GetLand(n).ActiveArea().Contains(content.x(), content.y()))
            return n;
    }
    return 0;
}

QRect TBoardView::LandBoxRect(int land) const
{
    const TRect &box = form.Board()->GetLand(land).DrawingArea();
    return QRect(box.left - BoardLeft, box.top, box.right - box.left, box.bottom - box.top);
}

void TBoardView::RepaintLand(int land)
{
    if (BuiltBoard() && land >= 1 && land <= LandCount)
        update(LandBoxRect(land));
}

void TBoardView::DescribeSelection(int n)
{
    setAccessibleDescription(n >= 1 && n <= LandCount
                                 ? QString::fromStdString(LandDescription(n, form.LandStacks(n)))
                                 : QString::fromLatin1(NoSelectionText));
}

bool TBoardView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    ShowLandToolTip(static_cast<QHelpEvent *>(event));
    return true;
}

// The tip stays while the pointer rests on the land's active area, so the next land the pointer
// reaches shows its own.
void TBoardView::ShowLandToolTip(QHelpEvent *event)
{
    const int land = LandAt(event->pos());
    if (land == 0) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    const TRect &area = form.Board()->GetLand(land).ActiveArea();
    const QRect active(area.left - BoardLeft, area.top, area.right - area.left,
                       area.bottom - area.top);
    QToolTip::showText(event->globalPos(),
                       QString::fromStdString(LandToolTip(land, form.LandStacks(land))), this,
                       active);
}

void TBoardView::paintEvent(QPaintEvent *event)
{
    // Moved to a screen of another device pixel ratio: the picture for that screen, once.
    if (boardUnit != 0 && devicePixelRatioF() != pictureRatio) {
        pictureRatio = devicePixelRatioF();
        if (QPixmap made = MakePicture(picturePath, boardUnit, pictureRatio); !made.isNull())
            picture = made;
    }
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::black);
    // The source is in the picture's own pixels.
    const qreal ratio = picture.devicePixelRatio();
    painter.drawPixmap(QRectF(exposed), picture,
                       QRectF(exposed.x() * ratio, exposed.y() * ratio, exposed.width() * ratio,
                              exposed.height() * ratio));
    if (!BuiltBoard())
        return;
    for (int n = 1; n <= LandCount; ++n) {
        const QRect box = LandBoxRect(n);
        if (!box.intersects(event->rect()))
            continue;
        painter.save();
        painter.setClipRect(box);
        painter.translate(box.topLeft());
        LandPaintBoxPaint(painter, n);
        painter.restore();
    }
}

void TBoardView::LandPaintBoxPaint(QPainter &painter, int land)
{
    const TVorunMasterboard &board = *form.Board();
    const TVorunMBLand &mbLand = board.GetLand(land);
    const int s = board.GetBoardUnit();
    const bool upward = mbLand.IsUpward();
    const int state = form.FlashPhase() ? mbLand.GetHighlight() : 0;
    const TLandStacks &legions = form.LandStacks(land);
    const TLegion *first = legions.GetStack(0);
    if (!first) {
        if (state == 1) {
            QPolygon outline;
            for (const TPoint &p : board.GetOutline(upward))
                outline << QPoint(p.x, p.y);
            painter.setPen(QPen(Qt::black, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(outline);
        }
        return;
    }
    if (const TLegion *second = legions.GetStack(1))
        DrawMarker(painter, MarkerRect(s, upward, true), ToQColor(second->GetColorValue()),
                   Qt::white);
    const QRect main = MarkerRect(s, upward, false);
    DrawMarker(painter, main, ToQColor(first->GetColorValue()), state == 1 ? Qt::black : Qt::white);

    const QFont font = MarkerFont(board.GetMarkerFont());
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.setPen(Qt::white);
    const std::string &name = first->GetName();
    painter.drawText(s / 2 + 3, main.top() + 3 + metrics.ascent(),
                     QString::fromStdString(name.substr(0, 3)));
    const int count = first->CritCount();
    if (count == TLegion::MaxCrits)
        painter.setPen(FullLegionColor);
    painter.drawText(s / 2 + 5, main.top() + metrics.height() + 1 + metrics.ascent(),
                     QStringLiteral("  %1").arg(count));
}

void TBoardView::mousePressEvent(QMouseEvent *event)
{
    const int land = LandAt(event->position().toPoint());
    if (land == 0) {
        form.MiscMouseDown(event->button());
        return;
    }
    form.LandActiveAreaMouseDown(land, event->button(), event->modifiers(),
                                 event->globalPosition().toPoint());
}

void TBoardView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && LandAt(event->position().toPoint()) != 0)
        form.LandActiveAreaDblClick();
    else
        mousePressEvent(event);
}

bool TBoardView::DragOver(const TDragSource &source, QPoint pos)
{
    const int land = LandAt(pos);
    return land != 0 && form.LandActiveAreaDragOver(land, source);
}

void TBoardView::DragDrop(const TDragSource &source, QPoint pos)
{
    const int land = LandAt(pos);
    if (land != 0)
        form.LandActiveAreaDragDrop(land, source);
}
