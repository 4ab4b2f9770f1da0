#include "landtext.h"

#include "tlandstacks.h"
#include "tlegion.h"
#include "tmastrbd.h"

#include <cctype>

namespace {

constexpr const char *PointsSuffix = " points";
constexpr const char *TroopsSeparator = ", ";

// The legions of a land, the top one first, each on a line of its own.
template<typename Line>
std::string WithLegionLines(std::string text, const TLandStacks &legions, Line line)
{
    for (int slot = 0; slot < TLandStacks::MaxStacks; ++slot)
        if (const TLegion *legion = legions.GetStack(slot))
            text += "\n" + line(*legion);
    return text;
}

} // namespace

std::string TroopsText(const TLegion &legion)
{
    std::string text;
    const TLegion::Crits &crits = legion.GetCrits();
    for (size_t i = 0; i < crits.size() && crits[i] != Crit::None; ++i) {
        if (i > 0)
            text += TroopsSeparator;
        text += CreatureName(crits[i], legion.GetUnsure()[i]);
    }
    return text;
}

std::string PointsText(int points, bool unknown)
{
    return (unknown ? UnsureMark : "") + std::to_string(points) + PointsSuffix;
}

std::string PointsText(const TLegion &legion)
{
    return PointsText(legion.Points(), legion.PointsUnknown());
}

std::string CreatureName(uint8_t type, bool unsure)
{
    return std::string(CritNames[type % Crit::CodeCount]) + (unsure ? UnsureMark : "");
}

std::string CreatureText(uint8_t type, bool unsure)
{
    const uint8_t code = type % Crit::CodeCount;
    return CreatureName(code, unsure) + " (" + PointsText(CritValue[code], code == Crit::Vorun)
        + ")";
}

std::string TerrainTitle(TTerrain terrain)
{
    std::string title = TerrainNames[terrain % TerrainCount];
    for (size_t i = 1; i < title.size(); ++i)
        title[i] = char(std::tolower(static_cast<unsigned char>(title[i])));
    return title;
}

std::string LandCaption(int land, const TLandStacks &legions)
{
    std::string caption = LandTitle(land);
    if (const int stacks = legions.StackCount(); stacks > 0)
        caption += "  (" + std::to_string(stacks) + "S)";
    return caption;
}

std::string LandToolTip(int land, const TLandStacks &legions)
{
    return WithLegionLines(LandTitle(land), legions, [](const TLegion &legion) {
        return legion.ColouredName() + " (" + PointsText(legion) + "): " + TroopsText(legion);
    });
}

std::string LandDescription(int land, const TLandStacks &legions)
{
    return WithLegionLines(LandCaption(land, legions), legions, [](const TLegion &legion) {
        return legion.ColouredName() + ": " + TroopsText(legion);
    });
}
