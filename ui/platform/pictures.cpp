#include "pictures.h"

#include "tcatalog.h"

#include <QGuiApplication>
#include <QIcon>
#include <QString>

#include <array>

namespace {

// Where vkpictures draws each pointer's point: the no-drop sign is centred, the two drag pointers
// are arrows with their tip at the top-left.
struct PointerSpot {
    int resourceId;
    int hotX;
    int hotY;
};
constexpr std::array<PointerSpot, 3> PointerSpots = {{{1000, 16, 16}, {1001, 1, 1}, {1002, 1, 1}}};
constexpr int CreatureSide = 100;
constexpr int PointerSide = 32;

// The picture at the application's device pixel ratio. A pixmap loads its file as it is; an icon
// also takes the file's "@2x" twin, which Qt chooses for a device pixel ratio above 1 (as QIcon
// does for every file it is given) and scales for any other ratio. At 1x the pixmap alone does,
// without looking for icon engines.
QPixmap Resource(int resourceId, int side)
{
    const QString path = QStringLiteral(":/pictures/%1.png").arg(resourceId);
    const qreal ratio = qGuiApp->devicePixelRatio();
    if (ratio <= 1)
        return QPixmap(path);
    return QIcon(path).pixmap(QSize(side, side), ratio);
}

} // namespace

QPixmap CreaturePicture(int resourceId)
{
    if (resourceId < CritPicture(Crit::FirstType) || resourceId > CritPicture(Crit::Unknown))
        return QPixmap();
    return Resource(resourceId, CreatureSide);
}

QCursor ProgramCursor(int resourceId)
{
    for (const PointerSpot &spot : PointerSpots) {
        if (spot.resourceId != resourceId)
            continue;
        const QPixmap pointer = Resource(resourceId, PointerSide);
        // QCursor takes the hot spot in device-independent pixels, and the platforms scale it with
        // the picture, except Qt 6.4's X11 one: it gives the X server the hot spot as it is,
        // beside the picture's own pixels. There it is given in those pixels.
        const qreal scale = QGuiApplication::platformName() == QLatin1String("xcb")
            ? pointer.devicePixelRatio()
            : 1.0;
        return QCursor(pointer, qRound(spot.hotX * scale), qRound(spot.hotY * scale));
    }
    return QCursor(Qt::ArrowCursor);
}
