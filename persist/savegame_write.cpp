#include "savegameformat.h"

#include "tcharleft.h"
#include "tgame.h"
#include "tlegion.h"
#include "tplayer.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

using SaveFormat::CodesPerCrit;
using SaveFormat::FormatVersion;

namespace {

constexpr const char *LineEnd = "\r\n";

void AppendNumber(std::string &out, int64_t value, const char *after)
{
    out += std::to_string(value);
    out += after;
}

// Only legions standing on a land are saved, in marker order.
std::vector<int> MarkersOnBoard(const TPlayer &player)
{
    std::vector<int> markers;
    for (int m = 0; m < MarkersPerColor; ++m) {
        const TLegion *legion = player.GetLegion(m);
        if (legion && legion->GetLocation() != 0)
            markers.push_back(m);
    }
    return markers;
}

void AppendLegion(std::string &out, const TLegion &legion, int marker)
{
    AppendNumber(out, legion.GetColor() * MarkersPerColor + marker, " ");
    AppendNumber(out, legion.GetLocation(), "");
    for (int i = 0; i < TLegion::MaxCrits; ++i) {
        const int code
            = legion.GetCrits()[size_t(i)] + (legion.GetUnsure()[size_t(i)] ? CodesPerCrit : 0);
        out += ' ';
        AppendNumber(out, code, "");
    }
    out += LineEnd;
}

void AppendPlayer(std::string &out, const TPlayer &player)
{
    out += player.GetName() + LineEnd;
    // Every marker set needs a colour; any the list lacks is the player's own.
    const std::vector<uint8_t> &colors = player.GetMarkerSetColors();
    for (size_t i = 0; i < player.GetMarkerSetCount(); ++i)
        AppendNumber(out, i < colors.size() ? colors[i] : player.GetColor(), " ");
    const std::vector<int> markers = MarkersOnBoard(player);
    AppendNumber(out, int64_t(markers.size()), " ");
    if (markers.empty())
        out += LineEnd;
    for (int m : markers)
        AppendLegion(out, *player.GetLegion(m), m);
}

// Enough room for the whole text, so that building it never reallocates.
size_t EstimatedSize(const TVorunGame &game)
{
    constexpr size_t FixedPart = 256; // version, stack counts, player table
    constexpr size_t LegionRecord = 48; // "71 96" and eight codes of up to two digits
    size_t size = FixedPart + game.GameName.size() + game.FileName.size();
    for (int i = 0; i < game.PlayerCount(); ++i)
        size += game.GetPlayer(i)->GetName().size() + 32 + MarkersPerColor * LegionRecord;
    for (const std::string &line : game.NotesLines())
        size += line.size() + 2;
    return size;
}

} // namespace

std::string SavedGameText(const TVorunGame &game)
{
    std::string out;
    out.reserve(EstimatedSize(game));
    AppendNumber(out, FormatVersion, LineEnd);
    out += game.GameName + LineEnd;
    out += game.FileName + LineEnd;
    for (int t = Crit::FirstType; t <= Crit::LastType; ++t)
        AppendNumber(out, game.Stacks().CharLeftArray()[size_t(t)], " ");
    out += LineEnd;
    AppendNumber(out, game.PlayerCount(), "");
    for (int i = 0; i < game.PlayerCount(); ++i) {
        out += ' ';
        AppendNumber(out, game.GetPlayer(i)->GetSpare(), " ");
        AppendNumber(out, game.GetPlayer(i)->GetMarkerSetCount(), "");
    }
    out += LineEnd;
    for (int i = 0; i < game.PlayerCount(); ++i)
        AppendPlayer(out, *game.GetPlayer(i));
    for (const std::string &line : game.NotesLines())
        out += line + LineEnd;
    return out;
}

bool WriteSavedGame(std::ostream &out, const TVorunGame &game)
{
    const std::string text = SavedGameText(game);
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    return !out.fail();
}
