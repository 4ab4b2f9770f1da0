#include "savegameformat.h"

#include "readfile.h"
#include "tcharleft.h"
#include "tgame.h"
#include "tlegion.h"
#include "tplayer.h"
#include "uilink.h"

#include <cstdint>
#include <string>

using SaveFormat::Failure;
using SaveFormat::LoadError;

namespace {

constexpr const char *OpenErrorText = "Error opening game file";
constexpr const char *OpenErrorCaption = "Open Error";
constexpr const char *LoadFailedText = "Error while attempting to load game.";
constexpr const char *LoadFailedCaption = "Load Error";
constexpr const char *PlayerCountText = "Bug: number of players loaded does not match";

// A player the game refuses adds nothing; the count check after all players reports it.
void ApplyPlayer(const SavedPlayer &saved, TVorunGame &game)
{
    const int before = game.PlayerCount();
    game.AddPlayer(saved.name, saved.markerSetColors.front(), 0, saved.spare,
                   uint8_t(saved.markerSetColors.size()));
    if (game.PlayerCount() == before)
        return;
    TPlayer *player = game.GetPlayer(game.PlayerCount() - 1);
    player->SetMarkerSetColors(saved.markerSetColors);
    for (const SavedLegion &record : saved.legions) {
        // The marker code was checked, so code mod 12 always names one of the twelve legions.
        TLegion *legion = player->GetLegion(record.marker % MarkersPerColor);
        game.RecordLocation(*legion, uint8_t(record.land));
        legion->SetCrits(record.codes);
    }
}

// A file too large to be a game is refused by its version like any other file, and otherwise as
// a damaged one. Only the first bytes are read: the last number there may be cut off, so it counts
// only when a blank follows it.
LoadResult RefuseTooLarge(std::string prefix)
{
    prefix.erase(prefix.find_last_of(" \t\n\v\f\r") + 1);
    SavedGame ignored;
    const LoadResult parsed = ParseSavedGame(prefix, ignored);
    return parsed.outcome == LoadOutcome::StayOnTitle ? parsed : LoadError();
}

} // namespace

LoadResult ApplySavedGame(const SavedGame &saved, TVorunGame &game)
{
    game.ClearPlayers();
    game.GameName = saved.gameName;
    game.FileName = saved.fileName;
    game.Stacks().SetCharLeft(saved.charLeft);
    for (const SavedPlayer &player : saved.players)
        ApplyPlayer(player, game);
    if (size_t(game.PlayerCount()) != saved.players.size()) {
        Ui::Diagnostic("%s", PlayerCountText);
        return Failure(LoadOutcome::Restart, MessageKind::Diagnostic, PlayerCountText, "");
    }
    // In player and marker order, whatever order the file gave them in.
    game.PlaceRecordedLegions();
    for (const std::string &line : saved.notes)
        game.AddNoteLine(line);
    return {};
}

LoadResult LoadSavedGameFile(const std::string &path, TVorunGame &game)
{
    try {
        const FileRead file = ReadRegularFile(path);
        // The file and the system's reason go on a second line.
        const std::string why = "\n" + path + ": " + file.reason;
        switch (file.status) {
        case ReadStatus::CannotOpen:
        case ReadStatus::NotRegular:
            return {LoadOutcome::StayOnTitle, MessageKind::Error, OpenErrorText + why,
                    OpenErrorCaption};
        case ReadStatus::TooLarge:
            return RefuseTooLarge(file.bytes);
        case ReadStatus::ReadFailed:
            return {LoadOutcome::Restart, MessageKind::Error, LoadFailedText + why,
                    LoadFailedCaption};
        case ReadStatus::Read:
            break;
        }
        SavedGame saved;
        const LoadResult parsed = ParseSavedGame(file.bytes, saved);
        if (parsed.outcome != LoadOutcome::Loaded)
            return parsed;
        return ApplySavedGame(saved, game);
    } catch (...) {
        return Failure(LoadOutcome::Restart, MessageKind::Error, LoadFailedText, LoadFailedCaption);
    }
}
