#include "savegame.h"

#include "tcatalog.h"
#include "tgame.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

// What the format makes of a record when a game is written: a player's legions in marker order,
// each marker once (a later record of the same marker wins), its code in the player's colour.
// The legions stand on their lands in player and marker order, and one finding a land's three
// slots taken stays off the board, so it is not written.
SavedGame Normalised(SavedGame game)
{
    std::map<int, int> onLand;
    for (SavedPlayer &player : game.players) {
        std::map<int, SavedLegion> byMarker;
        for (const SavedLegion &legion : player.legions)
            byMarker[legion.marker % MarkersPerColor] = legion;
        player.legions.clear();
        for (auto &[marker, legion] : byMarker) {
            if (++onLand[legion.land] > TLandStacks::MaxStacks)
                continue;
            legion.marker = player.markerSetColors.front() * MarkersPerColor + marker;
            player.legions.push_back(legion);
        }
    }
    return game;
}

bool SameLegions(const std::vector<SavedLegion> &a, const std::vector<SavedLegion> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto &x, const auto &y) {
        return x.marker == y.marker && x.land == y.land && x.codes == y.codes;
    });
}

bool Same(const SavedGame &a, const SavedGame &b)
{
    if (a.gameName != b.gameName || a.fileName != b.fileName || a.charLeft != b.charLeft
        || a.notes != b.notes || a.players.size() != b.players.size())
        return false;
    for (size_t i = 0; i < a.players.size(); ++i) {
        const SavedPlayer &x = a.players[i];
        const SavedPlayer &y = b.players[i];
        if (x.name != y.name || x.spare != y.spare || x.markerSetColors != y.markerSetColors
            || !SameLegions(x.legions, y.legions))
            return false;
    }
    return true;
}

} // namespace

// The record level: a game read from any file, written and read again, is the game first read,
// apart from the normalisations of the format.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SavedGame read;
    if (ParseSavedGame(std::string(reinterpret_cast<const char *>(data), size), read).outcome
        != LoadOutcome::Loaded)
        return 0;
    TVorunGame game;
    if (ApplySavedGame(read, game).outcome != LoadOutcome::Loaded)
        return 0; // a player the game refuses: reported, never saved
    SavedGame again;
    if (ParseSavedGame(SavedGameText(game), again).outcome != LoadOutcome::Loaded)
        abort();
    if (!Same(Normalised(read), again))
        abort();
    return 0;
}
