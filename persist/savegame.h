#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class TVorunGame;

// Saved games, format version 2: the reader, the writer and what each failure means for the
// program (stay on the title screen, or restart for a clean one).

enum class LoadOutcome {
    Loaded,
    StayOnTitle, // the file could not be opened, or is not a version 2 saved game
    Restart, // the file broke after its version line
};

enum class MessageKind {
    None,
    Error, // a message box with the error icon
    Diagnostic, // the "Debug Info" box, already shown through the window link
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Loaded;
    MessageKind kind = MessageKind::None;
    std::string text;
    std::string caption;
};

// A saved game as read, every value within the format's limits.
struct SavedLegion {
    int marker = 0; // 0 … 71
    int land = 0; // 1 … 96
    std::array<int32_t, 8> codes{};
};
struct SavedPlayer {
    std::string name;
    int32_t spare = 0;
    std::vector<uint8_t> markerSetColors; // 1 … 6 entries, the first is the player's colour
    std::vector<SavedLegion> legions;
};
struct SavedGame {
    std::string gameName;
    std::string fileName;
    std::array<int32_t, 25> charLeft{}; // entries 1 … 24
    std::vector<SavedPlayer> players;
    std::vector<std::string> notes;
};

// Reads a whole file's bytes. On failure `game` holds nothing usable.
LoadResult ParseSavedGame(const std::string &content, SavedGame &game);
// Fills a fresh game record from a parsed game: players, legions on their lands, stack counts,
// notes.
LoadResult ApplySavedGame(const SavedGame &saved, TVorunGame &game);
// Opens, parses and applies. Nothing reaches `game` unless the whole file is sound. Only an
// ordinary file of a sensible size is read (see ReadRegularFile).
LoadResult LoadSavedGameFile(const std::string &path, TVorunGame &game);

// The game in the file format, CR LF line ends.
std::string SavedGameText(const TVorunGame &game);
// Writes SavedGameText to the stream; false when the stream failed.
bool WriteSavedGame(std::ostream &out, const TVorunGame &game);
