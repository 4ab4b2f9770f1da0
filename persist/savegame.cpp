#include "savegame.h"

#include "gametext.h"
#include "readfile.h"
#include "tcharleft.h"
#include "tgame.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "tplayer.h"
#include "uilink.h"

#include <algorithm>
#include <limits>
#include <ostream>
#include <vector>

namespace {

constexpr int FormatVersion = 2;
constexpr size_t MaxTextLine = 78;
constexpr int CodesPerCrit = 26; // a creature code is type + 26 when the position is unsure
constexpr const char *LineEnd = "\r\n";

constexpr const char *ErrorCaption = "Error";
constexpr const char *OpenErrorText = "Error opening game file";
constexpr const char *OpenErrorCaption = "Open Error";
constexpr const char *WrongVersionText = "Bad File Format or Wrong Saved Game Version";
constexpr const char *LoadErrorText = "Error loading game file.";
constexpr const char *LoadFailedText = "Error while attempting to load game.";
constexpr const char *LoadFailedCaption = "Load Error";
constexpr const char *PlayerCountText = "Bug: number of players loaded does not match";

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

LoadResult Failure(LoadOutcome outcome, MessageKind kind, const char *text, const char *caption)
{
    return LoadResult{outcome, kind, text, caption};
}

LoadResult LoadError()
{
    return Failure(LoadOutcome::Restart, MessageKind::Error, LoadErrorText, ErrorCaption);
}

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
        legion->PlaceOnBoard(uint8_t(record.land));
        legion->SetCrits(record.codes);
    }
}

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

std::string SavedGameText(const TVorunGame &game, const TCharLeft &stacks)
{
    std::string out;
    out.reserve(EstimatedSize(game));
    AppendNumber(out, FormatVersion, LineEnd);
    out += game.GameName + LineEnd;
    out += game.FileName + LineEnd;
    for (int t = Crit::FirstType; t <= Crit::LastType; ++t)
        AppendNumber(out, stacks.CharLeftArray()[size_t(t)], " ");
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

LoadResult ApplySavedGame(const SavedGame &saved, TVorunGame &game, TCharLeft &stacks)
{
    game.ClearPlayers();
    game.GameName = saved.gameName;
    game.FileName = saved.fileName;
    stacks.SetCharLeft(saved.charLeft);
    for (const SavedPlayer &player : saved.players)
        ApplyPlayer(player, game);
    if (size_t(game.PlayerCount()) != saved.players.size()) {
        Ui::Diagnostic("%s", PlayerCountText);
        return Failure(LoadOutcome::Restart, MessageKind::Diagnostic, PlayerCountText, "");
    }
    for (const std::string &line : saved.notes)
        game.AddNoteLine(line);
    return {};
}

LoadResult LoadSavedGameFile(const std::string &path, TVorunGame &game, TCharLeft &stacks)
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
        return ApplySavedGame(saved, game, stacks);
    } catch (...) {
        return Failure(LoadOutcome::Restart, MessageKind::Error, LoadFailedText, LoadFailedCaption);
    }
}

bool WriteSavedGame(std::ostream &out, const TVorunGame &game, const TCharLeft &stacks)
{
    const std::string text = SavedGameText(game, stacks);
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    return !out.fail();
}
