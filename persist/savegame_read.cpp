#include "savegameformat.h"

#include "gametext.h"
#include "tcatalog.h"
#include "tgame.h"
#include "tmastrbd.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using SaveFormat::CodesPerCrit;
using SaveFormat::ErrorCaption;
using SaveFormat::Failure;
using SaveFormat::FormatVersion;
using SaveFormat::LoadError;

namespace {

constexpr size_t MaxTextLine = 78;
constexpr const char *WrongVersionText = "Bad File Format or Wrong Saved Game Version";

// The limits of the format. The writer never goes beyond them, so a value outside is a damaged
// file; taking it modulo its field width would silently load a different game.
struct Range {
    int32_t low;
    int32_t high;
};
constexpr Range StackCountRange{0, 255};
constexpr Range PlayerCountRange{0, TVorunGame::MaxPlayers};
constexpr Range SpareRange{std::numeric_limits<int32_t>::min(),
                           std::numeric_limits<int32_t>::max()};
constexpr Range MarkerSetRange{1, ColorCount};
constexpr Range ColorRange{0, ColorCount - 1};
constexpr Range LegionCountRange{0, MarkersPerColor}; // a player has only twelve markers
constexpr Range MarkerRange{0, MarkerCount - 1};
constexpr Range LandRange{1, LandCount};
constexpr Range CritCodeRange{0, 2 * CodesPerCrit - 1};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Whole decimal token, optional sign, within the signed 32-bit range.
bool TokenToInt(const std::string &token, int32_t &value)
{
    size_t i = (token[0] == '+' || token[0] == '-') ? 1 : 0;
    if (i == token.size())
        return false;
    int64_t magnitude = 0;
    for (; i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9')
            return false;
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > int64_t(1) << 31)
            return false;
    }
    const int64_t result = token[0] == '-' ? -magnitude : magnitude;
    if (result > std::numeric_limits<int32_t>::max())
        return false;
    value = int32_t(result);
    return true;
}

// Walks the file the way the format is laid out: numbers are blank-separated tokens wherever
// they stand, and a text line is always the line after the one the last number ended on.
class SavedGameReader {
public:
    explicit SavedGameReader(const std::string &content) : text(content) { }

    bool Number(int32_t &value)
    {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < text.size() && !IsBlank(text[pos]))
            ++pos;
        return pos > start && TokenToInt(text.substr(start, pos - start), value);
    }

    bool NumberIn(Range range, int32_t &value)
    {
        return Number(value) && value >= range.low && value <= range.high;
    }

    void SkipRestOfLine()
    {
        const size_t end = text.find('\n', pos);
        pos = end == std::string::npos ? text.size() : end + 1;
    }

    // The next whole line without its line end; false at the end of the file.
    bool Line(std::string &line)
    {
        if (pos >= text.size())
            return false;
        const size_t end = std::min(text.find('\n', pos), text.size());
        line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end < text.size() ? end + 1 : end;
        return true;
    }

    // The limit counts characters, as the names dialog does, not the bytes of their UTF-8.
    bool TextLine(std::string &line) { return Line(line) && CharacterCount(line) <= MaxTextLine; }

private:
    const std::string &text;
    size_t pos = 0;
};

bool ReadStacks(SavedGameReader &in, SavedGame &game)
{
    for (int t = Crit::FirstType; t <= Crit::LastType; ++t)
        if (!in.NumberIn(StackCountRange, game.charLeft[size_t(t)]))
            return false;
    return true;
}

// The player table of line 5: the count, then spare and marker-set count of each player.
bool ReadPlayerTable(SavedGameReader &in, SavedGame &game, std::vector<int32_t> &markerSets)
{
    int32_t count = 0;
    if (!in.NumberIn(PlayerCountRange, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        SavedPlayer player;
        int32_t markerSetCount = 0;
        if (!in.NumberIn(SpareRange, player.spare) || !in.NumberIn(MarkerSetRange, markerSetCount))
            return false;
        game.players.push_back(std::move(player));
        markerSets.push_back(markerSetCount);
    }
    return true;
}

bool ReadLegion(SavedGameReader &in, SavedLegion &legion)
{
    int32_t marker = 0;
    int32_t land = 0;
    if (!in.NumberIn(MarkerRange, marker) || !in.NumberIn(LandRange, land))
        return false;
    legion.marker = marker;
    legion.land = land;
    for (int32_t &code : legion.codes)
        if (!in.NumberIn(CritCodeRange, code))
            return false;
    return true;
}

bool ReadPlayer(SavedGameReader &in, int32_t markerSetCount, SavedPlayer &player)
{
    in.SkipRestOfLine();
    if (!in.TextLine(player.name) || player.name.empty())
        return false;
    for (int32_t i = 0; i < markerSetCount; ++i) {
        int32_t colour = 0;
        if (!in.NumberIn(ColorRange, colour))
            return false;
        player.markerSetColors.push_back(uint8_t(colour));
    }
    int32_t legionCount = 0;
    if (!in.NumberIn(LegionCountRange, legionCount))
        return false;
    for (int32_t i = 0; i < legionCount; ++i) {
        player.legions.emplace_back();
        if (!ReadLegion(in, player.legions.back()))
            return false;
    }
    return true;
}

// Notes are the user's own text: every line to the end of the file, however long.
void ReadNotes(SavedGameReader &in, SavedGame &game)
{
    in.SkipRestOfLine();
    std::string line;
    while (in.Line(line))
        game.notes.push_back(line);
}

bool ReadBody(SavedGameReader &in, SavedGame &game)
{
    in.SkipRestOfLine();
    std::vector<int32_t> markerSets;
    if (!in.TextLine(game.gameName) || !in.TextLine(game.fileName) || !ReadStacks(in, game)
        || !ReadPlayerTable(in, game, markerSets))
        return false;
    for (size_t i = 0; i < game.players.size(); ++i)
        if (!ReadPlayer(in, markerSets[i], game.players[i]))
            return false;
    ReadNotes(in, game);
    return true;
}

} // namespace

LoadResult ParseSavedGame(const std::string &content, SavedGame &game)
{
    game = SavedGame{};
    SavedGameReader in(content);
    int32_t version = 0;
    if (!in.Number(version) || version != FormatVersion)
        return Failure(LoadOutcome::StayOnTitle, MessageKind::Error, WrongVersionText,
                       ErrorCaption);
    if (!ReadBody(in, game)) {
        game = SavedGame{};
        return LoadError();
    }
    return {};
}
