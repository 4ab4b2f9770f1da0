#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tdatetime.h"
#include "tplayer.h"

// The game record: the players, the names that identify the game and its saves, and the notes.
// One is filled per run, by a new game set-up or by loading a saved game.
class TVorunGame {
public:
    static constexpr int MaxPlayers = 6;

    // Ignores an empty name. The player's label is filled through the window link.
    void AddPlayer(const std::string &name, uint8_t colour, int tower, int32_t spare,
                   uint8_t markerSetCount);
    // Back to no players (a set-up or load starting again).
    void ClearPlayers();
    int PlayerCount() const { return int(players.size()); }
    TPlayer *GetPlayer(int index) const { return players[size_t(index)].get(); }

    // Fills in a missing game name and file name and sets the window caption.
    void UpdateTitle();

    const std::vector<std::string> &NotesLines() const { return notes; }
    void AddNoteLine(std::string text) { notes.push_back(std::move(text)); }
    void SetNotes(std::vector<std::string> lines) { notes = std::move(lines); }

    std::string GameName;
    std::string FileName;
    TDateTime StartTime;
    std::string CaptionText;
    int WidestNameWidth = 0;

private:
    std::vector<std::unique_ptr<TPlayer>> players;
    std::vector<std::string> notes;
};
