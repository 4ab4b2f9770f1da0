#pragma once

#include <array>
#include <cstdint>

// The fixed tables of the game: creatures, player colours, legion markers and terrains. Every other
// unit indexes them by number; none of the lookups checks its index, callers do.

struct TRgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    constexpr bool operator==(const TRgb &other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

namespace Crit {
constexpr uint8_t None = 0;
constexpr uint8_t Angel = 1;
constexpr uint8_t Archangel = 2;
constexpr uint8_t Centaur = 4;
constexpr uint8_t Gargoyle = 8;
constexpr uint8_t Gorgon = 10;
constexpr uint8_t Guardian = 12;
constexpr uint8_t Ogre = 16;
constexpr uint8_t Vorun = 19;
constexpr uint8_t Troll = 20;
constexpr uint8_t Warlock = 23;
constexpr uint8_t Unknown = 25;
constexpr uint8_t FirstType = 1;
constexpr uint8_t LastType = 24; // the types with a recruitment stack (but the Vorun)
constexpr int CodeCount = 26; // 0 … 25
} // namespace Crit

extern const std::array<const char *, Crit::CodeCount> CritNames;
extern const std::array<uint8_t, 25> StackTotal;
extern const std::array<uint8_t, Crit::CodeCount> CritValue;

// Resource number of a creature's picture (code 0 has none).
constexpr int CritPicture(uint8_t code)
{
    return 1010 + code;
}

// Angels, Archangels, Guardians and Warlocks go back to the stacks when killed.
bool ReturnsWhenKilled(uint8_t type);

constexpr int ColorCount = 6;
extern const std::array<const char *, ColorCount> ColorNames;
extern const std::array<TRgb, ColorCount> ColorValues;

constexpr int MarkersPerColor = 12;
constexpr int MarkerCount = ColorCount * MarkersPerColor;
extern const std::array<const char *, MarkerCount> MarkerNames;

constexpr int TerrainCount = 11;
enum TTerrain : uint8_t {
    Plains,
    Marsh,
    Brush,
    Woods,
    Hills,
    Jungle,
    Desert,
    Swamp,
    Mountains,
    Tundra,
    Tower
};
extern const std::array<const char *, TerrainCount> TerrainNames;
// Fill of the selected-land panel's land box.
extern const std::array<TRgb, TerrainCount> TerrainColors;
