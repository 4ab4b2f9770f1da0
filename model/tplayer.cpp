#include "tplayer.h"

TPlayer::TPlayer(std::string name, uint8_t colour, int32_t spare, uint8_t markerSetCount, int index)
    : name(std::move(name)),
      spare(spare),
      markerSetCount(markerSetCount),
      colour(colour),
      markerSetColors{colour}
{
    for (int m = 0; m < MarkersPerColor; ++m)
        legions[size_t(m)] = std::make_unique<TLegion>(
            this, colour, MarkerNames[size_t(colour * MarkersPerColor + m)],
            uint8_t(index * MarkersPerColor + m));
}

TLegion *TPlayer::GetLegion(int m) const
{
    return m >= 0 && m < MarkersPerColor ? legions[size_t(m)].get() : nullptr;
}
