#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tcharleft.h"
#include "tdatetime.h"
#include "tlandstacks.h"
#include "tmastrbd.h"
#include "tplayer.h"

// The game record: everything a game is. The players and their legions, which legions stand on
// each land and in what order, the recruitment stacks, the names that identify the game and its
// saves, and the notes. One is filled per run, by a new game set-up or by loading a saved game;
// the user's edits change it only through TEdit.
class TVorunGame {
public:
    static constexpr int MaxPlayers = 6;
    static constexpr int LegionRefs = MaxPlayers * MarkersPerColor;

    // Ignores an empty name. tower 1 … 6 gives the player its starting legion on that tower,
    // taken from the stacks; 0 gives none.
    void AddPlayer(const std::string &name, uint8_t colour, int tower, int32_t spare,
                   uint8_t markerSetCount);
    // Back to no players, empty lands and full stacks (a set-up or load starting again). The
    // names and notes stay.
    void ClearPlayers();
    int PlayerCount() const { return int(players.size()); }
    TPlayer *GetPlayer(int index) const { return players[size_t(index)].get(); }
    // By TLegion::Ref; nullptr for a player the game does not have.
    TLegion *Legion(int ref) const;

    TLandStacks &Land(int n) { return lands[size_t(n)]; }
    const TLandStacks &Land(int n) const { return lands[size_t(n)]; }
    TCharLeft &Stacks() { return stacks; }
    const TCharLeft &Stacks() const { return stacks; }

    // Puts the legion on the land (as the last of its legions); land 0 puts it on the land it
    // records. A legion standing elsewhere leaves that land first. On a full land the legion
    // stays off the board.
    void PlaceLegion(TLegion &legion, uint8_t land);
    // Records the land a loaded legion stands on, without placing it yet; a second land for the
    // same legion is reported and replaces the first.
    void RecordLocation(TLegion &legion, uint8_t land);
    // Every legion with a location onto its land, players and markers in order: a loaded game.
    void PlaceRecordedLegions();
    // Moves the legion to the top of another land; false, with nothing changed, when it cannot.
    bool MoveLegion(TLegion &legion, uint8_t land);
    // Takes the legion off the board and empties it into the stacks (TLegion::EmptyInto).
    void RemoveLegion(TLegion &legion, bool kill);

    // By creature type (1 … 24): those neither in a legion nor in the stacks, so killed. Hand
    // corrections may make a count negative.
    std::array<int, 25> KilledCounts() const;

    // Fills in a missing game name and file name and composes the window caption.
    void UpdateTitle();

    const std::vector<std::string> &NotesLines() const { return notes; }
    void AddNoteLine(std::string text) { notes.push_back(std::move(text)); }
    void SetNotes(std::vector<std::string> lines) { notes = std::move(lines); }

    std::string GameName;
    std::string FileName;
    TDateTime StartTime;
    std::string CaptionText;

private:
    std::vector<std::unique_ptr<TPlayer>> players;
    std::array<TLandStacks, LandCount + 1> lands{}; // index 0 unused
    TCharLeft stacks;
    std::vector<std::string> notes;
};
