#include "tplayer.h"

#include "tmastrbd.h"

namespace {
// Tower t stands on land 84 + t (lands 85 … 90 are the towers 100 … 600).
constexpr int FirstTowerLand = 84;
} // namespace

TPlayer::TPlayer(std::string name, uint8_t colour, int tower, int32_t spare, uint8_t markerSetCount)
    : name(std::move(name)),
      spare(spare),
      markerSetCount(markerSetCount),
      colour(colour),
      markerSetColors{colour}
{
    for (int m = 0; m < MarkersPerColor; ++m)
        legions[size_t(m)] = std::make_unique<TLegion>(
            this, colour, MarkerNames[size_t(colour * MarkersPerColor + m)]);
    if (tower == 0)
        return;
    TLegion &start = *legions[0];
    start.RecruitCrit(Crit::Vorun, true, false);
    start.RecruitCrit(Crit::Angel, true, false);
    for (uint8_t type :
         {Crit::Centaur, Crit::Centaur, Crit::Gargoyle, Crit::Gargoyle, Crit::Ogre, Crit::Ogre})
        start.RecruitCrit(type, false, false);
    start.PlaceOnBoard(uint8_t(FirstTowerLand + tower));
}

TLegion *TPlayer::GetLegion(int m) const
{
    return m >= 0 && m < MarkersPerColor ? legions[size_t(m)].get() : nullptr;
}
