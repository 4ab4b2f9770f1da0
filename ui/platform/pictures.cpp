#include "pictures.h"

#include "tcatalog.h"

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

QPixmap Resource(int resourceId)
{
    return QPixmap(QStringLiteral(":/pictures/%1.png").arg(resourceId));
}

} // namespace

QPixmap CreaturePicture(int resourceId)
{
    if (resourceId < CritPicture(Crit::FirstType) || resourceId > CritPicture(Crit::Unknown))
        return QPixmap();
    return Resource(resourceId);
}

QCursor ProgramCursor(int resourceId)
{
    for (const PointerSpot &spot : PointerSpots) {
        if (spot.resourceId == resourceId)
            return QCursor(Resource(resourceId), spot.hotX, spot.hotY);
    }
    return QCursor(Qt::ArrowCursor);
}
