#include "savegame.h"

#include "limited_child.h"
#include "recording_link.h"
#include "temp_folder.h"
#include "tgame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// A new two-player game just after its start.
const std::vector<std::string> ExampleLines = {
    "2",
    "Friday game",
    "fri",
    "16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 21 6 18 ",
    "2 0 1 0 1",
    "Anne",
    "0 1 0 90 45 27 4 4 8 8 16 16",
    "Bob",
    "5 1 60 86 45 27 4 4 8 8 16 16",
};

// The lines as a file's text, each followed by `end`.
std::string Text(const std::vector<std::string> &lines, const std::string &end = "\r\n")
{
    std::string text;
    for (const std::string &line : lines)
        text += line + end;
    return text;
}

const std::string Example = Text(ExampleLines);

// The example with some of its lines (numbered from 1) replaced.
std::string Edited(const std::map<size_t, std::string> &edits)
{
    std::vector<std::string> lines = ExampleLines;
    for (const auto &[number, text] : edits)
        lines[number - 1] = text;
    return Text(lines);
}

std::string Repeat(const std::string &text, int times)
{
    return times > 0 ? text + Repeat(text, times - 1) : "";
}

LoadResult Load(const std::string &text, TVorunGame &game)
{
    SavedGame saved;
    LoadResult result = ParseSavedGame(text, saved);
    return result.outcome == LoadOutcome::Loaded ? ApplySavedGame(saved, game) : result;
}

// What the file says once loaded, in the writer's words.
std::string Reloaded(const std::string &text)
{
    TVorunGame game;
    EXPECT_EQ(Load(text, game).outcome, LoadOutcome::Loaded);
    return SavedGameText(game);
}

// A stream that takes `room` bytes and refuses the rest.
struct FailingBuffer : std::streambuf {
    explicit FailingBuffer(size_t room) : bytes(room, ' ') { setp(&bytes[0], &bytes[0] + room); }
    std::string bytes;
};

TEST(SavedGame, WritesTheExampleByteForByteReadsItBackAndReportsEveryShortWrite)
{
    TVorunGame game; // as the set-up makes it
    game.GameName = "Friday game";
    game.FileName = "fri";
    game.AddPlayer("Anne", 0, 6, 0, 1);
    game.AddPlayer("Bob", 5, 2, 0, 1);
    EXPECT_EQ(SavedGameText(game), Example);
    EXPECT_EQ(Reloaded(Example), Example);
    for (size_t room = 0; room <= Example.size(); ++room) {
        FailingBuffer buffer(room);
        std::ostream out(&buffer);
        EXPECT_EQ(WriteSavedGame(out, game), room == Example.size()) << room;
    }
}

// Numbers are blank-separated wherever they stand; a text line is the line after the last number;
// every line after the last player is a note, however the lines end.
TEST(SavedGame, FilesReloadAsWritten)
{
    // Players without legions, several marker sets, empty and unsure-empty positions, notes.
    const std::string everyField
        = Text({"2", "", "x", Repeat("255 ", 24), "3 0 1 -7 2 2147483647 1", "Anne",
                "0 2 3 90 45 27 4 4 8 8 16 16", "11 1 0 0 0 0 0 0 0 0", "Bob", "5 3 0 ", "C",
                "2 1 35 5 26 0 51 0 0 0 0 0", "", std::string(300, 'n'), "last"});
    // Names and notes in other character sets come back byte for byte.
    const std::string other = Edited({{2, Repeat("G\xc3\xa4", 25) + "Gam"},
                                      {3, "caf\xe9"},
                                      {6, Repeat("\xc3\xa9", 40)},
                                      {8, "Zo\xeb"}})
        + "caf\xe9 au lait\r\n\xe2\x82\xac 5\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {everyField, everyField},
        {Text(ExampleLines, "\n"), Example},
        {Edited({{1, "2 rest of the line"},
                 {4, ExampleLines[3] + " \t"},
                 {5, "2 0 1 0 1  "},
                 {7, ExampleLines[6] + " "}}),
         Example},
        {Edited({{7, "0\r\n1\r\n\r\n0 90\r\n45 27 4 4 8 8 16 16"}}), Example},
        {Example.substr(0, Example.size() - 2), Example},
        {Example + "\r\n", Example + "\r\n"},
        {Example + "a\nb", Example + "a\r\nb\r\n"},
        {other, other},
    };
    for (const auto &[file, written] : cases)
        EXPECT_EQ(Reloaded(file), written) << file;
}

// A loaded game stands its legions on their lands in player and marker order, whatever order the
// file lists them in; a land has room for three, and a legion beyond them stays off the board and
// out of the next save.
TEST(SavedGame, LoadedLegionsStandOnTheirLandsInPlayerAndMarkerOrder)
{
    RecordingLink link;
    TVorunGame game;
    const std::string file = Edited({{7,
                                      "0 3 5 90 1 0 0 0 0 0 0 0\r\n0 90 45 27 4 4 8 8 16 16\r\n"
                                      "2 90 2 0 0 0 0 0 0 0"},
                                     {9, "5 1 60 90 45 27 4 4 8 8 16 16"}});
    ASSERT_EQ(Load(file, game).outcome, LoadOutcome::Loaded);
    const TLandStacks::Slots slots{game.Legion(0), game.Legion(2), game.Legion(5)};
    EXPECT_EQ(game.Land(90).GetSlots(), slots);
    EXPECT_EQ(link.Of("Message"),
              std::vector<std::string>{"Can't have more than 3 stacks on a land. | Land is full"});
    EXPECT_EQ(SavedGameText(game),
              Edited({{7,
                       "0 3 0 90 45 27 4 4 8 8 16 16\r\n2 90 2 0 0 0 0 0 0 0\r\n"
                       "5 90 1 0 0 0 0 0 0 0"},
                      {9, "5 0 "}}));
}

// Each field just past its limit (and just within, where the limit is not the obvious one).
TEST(SavedGame, EveryBrokenFileHasItsOutcome)
{
    using O = LoadOutcome;
    const std::string record = " 90 45 27 4 4 8 8 16 16", counts = ExampleLines[3].substr(2);
    const std::string sevenPlayers = Text({"2", "", "", Repeat("0 ", 24), "7" + Repeat(" 0 1", 7)})
        + Repeat("P\r\n0 0\r\n", 7);
    const std::tuple<const char *, std::string, LoadOutcome> cases[] = {
        {"version 3", Edited({{1, "3"}}), O::StayOnTitle},
        {"empty file", "", O::StayOnTitle},
        {"cut in a legion record", Example.substr(0, Example.find("27 4")), O::Restart},
        {"file name line missing", "2\r\nFriday game", O::Restart},
        // Names count characters: code points of UTF-8, bytes of older text.
        {"78 two-byte characters", Edited({{6, Repeat("\xc3\xa9", 78)}}), O::Loaded},
        {"79 two-byte characters", Edited({{6, Repeat("\xc3\xa9", 79)}}), O::Restart},
        {"78 three-byte characters", Edited({{2, Repeat("\xe2\x82\xac", 78)}}), O::Loaded},
        {"79 three-byte characters", Edited({{2, Repeat("\xe2\x82\xac", 79)}}), O::Restart},
        {"78 Latin-1 characters", Edited({{3, Repeat("\xe9", 78)}}), O::Loaded},
        {"79 Latin-1 characters", Edited({{3, Repeat("\xe9", 79)}}), O::Restart},
        {"77 two-byte characters and a Latin-1 one", Edited({{6, Repeat("\xc3\xa9", 77) + "\xe9"}}),
         O::Restart},
        {"empty player name", Edited({{6, ""}}), O::Restart},
        {"seven players", sevenPlayers, O::Restart},
        {"negative player count", Edited({{5, "-1"}}), O::Restart},
        {"no marker set", Edited({{5, "2 0 0 0 1"}, {7, "0 "}}), O::Restart},
        {"seven marker sets", Edited({{5, "2 0 7 0 1"}, {7, "0 0 0 0 0 0 0 1 0" + record}}),
         O::Restart},
        {"second colour 6", Edited({{5, "2 0 2 0 1"}, {7, "0 6 1 0" + record}}), O::Restart},
        {"marker 72", Edited({{7, "0 1 72" + record}}), O::Restart},
        {"land 0", Edited({{7, "0 1 0 0 0 0 0 0 0 0 0 0"}}), O::Restart},
        {"land 97", Edited({{7, "0 1 0 97 0 0 0 0 0 0 0 0"}}), O::Restart},
        {"land 300", Edited({{7, "0 1 0 300 0 0 0 0 0 0 0 0"}}), O::Restart},
        {"creature code 52", Edited({{7, "0 1 0 90 52 0 0 0 0 0 0 0"}}), O::Restart},
        {"stack count 300", Edited({{4, "300" + counts}}), O::Restart},
        {"thirteen legions", Edited({{7, "0 13" + Repeat("\r\n0 90 0 0 0 0 0 0 0 0", 13)}}),
         O::Restart},
        {"letters after digits", Edited({{4, "16x" + counts}}), O::Restart},
        {"spare 2^31", Edited({{5, "2 2147483648 1 0 1"}}), O::Restart},
        {"spare -2^31 - 1", Edited({{5, "2 -2147483649 1 0 1"}}), O::Restart},
        {"spare -2^31", Edited({{5, "2 -2147483648 1 0 1"}}), O::Loaded},
    };
    const std::map<LoadOutcome, std::string> messages
        = {{O::Loaded, " | "},
           {O::StayOnTitle, "Bad File Format or Wrong Saved Game Version | Error"},
           {O::Restart, "Error loading game file. | Error"}};
    for (const auto &[what, file, outcome] : cases) {
        SCOPED_TRACE(what);
        RecordingLink link;
        TVorunGame game;
        const LoadResult result = Load(file, game);
        EXPECT_EQ(result.outcome, outcome);
        EXPECT_EQ(result.text + " | " + result.caption, messages.at(outcome));
        EXPECT_EQ(result.kind, outcome == O::Loaded ? MessageKind::None : MessageKind::Error);
        EXPECT_TRUE(link.Of("Diagnostic").empty());
    }
}

TEST(SavedGame, RefusedPlayerMeansAPlayerCountDiagnostic)
{
    RecordingLink link;
    SavedGame saved;
    saved.players = {SavedPlayer{"", 0, {0}, {}}}; // the game refuses a player without a name
    TVorunGame game;
    const LoadResult result = ApplySavedGame(saved, game);
    EXPECT_EQ(std::make_pair(result.outcome, result.kind),
              std::make_pair(LoadOutcome::Restart, MessageKind::Diagnostic));
    EXPECT_EQ(link.Of("Diagnostic"),
              std::vector<std::string>{"Bug: number of players loaded does not match"});
}

// Every file the load refuses: a file that cannot be opened says so with the system's reason, a
// damaged one has none to give; a pipe, a device or a huge file is refused at once and with little
// memory. Each load runs in a child process that a timer ends, and leaves the game untouched.
TEST(LoadSavedGameFile, RefusedFilesSayWhyAndLeaveTheGameUntouched)
{
    TempFolder folder;
    const auto file = [&folder](const char *name, const std::string &text, uintmax_t size = 0) {
        const std::string path = (folder.path / name).string();
        std::ofstream(path, std::ios::binary) << text;
        fs::resize_file(path, size ? size : text.size()); // sparse: written at once
        return path;
    };
    const std::string fifo = (folder.path / "fifo.txt").string(), dir = folder.path.string(),
                      missing = (folder.path / "missing.txt").string(),
                      locked = file("locked.txt", Example);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    fs::permissions(locked, fs::perms::none);
    const std::string open = "Error opening game file\n",
                      damaged = "Error loading game file. | Error";
    using O = LoadOutcome;
    std::vector<std::tuple<std::string, LoadOutcome, std::string>> cases = {
        // the file, the outcome, its message | caption
        {missing, O::StayOnTitle, open + missing + ": No such file or directory | Open Error"},
        {dir, O::StayOnTitle, open + dir + ": Is a directory | Open Error"},
        {fifo, O::StayOnTitle, open + fifo + ": Not an ordinary file | Open Error"},
        {"/dev/zero", O::StayOnTitle, open + "/dev/zero: Not an ordinary file | Open Error"},
        {file("cut.txt", Example.substr(0, 40)), O::Restart, damaged},
        {file("huge-game.txt", Example, 100u << 20), O::Restart, damaged},
        {file("huge-other.txt", "3\r\n", 100u << 20), O::StayOnTitle,
         "Bad File Format or Wrong Saved Game Version | Error"},
    };
    if (::access(locked.c_str(), R_OK) != 0) // not so for root
        cases.emplace_back(locked, O::StayOnTitle,
                           open + locked + ": Permission denied | Open Error");
    for (const auto &[path, outcome, message] : cases) {
        SCOPED_TRACE(path);
        // The child reports whether the load ended as expected.
        EXPECT_EQ(RunLimited([&path = path, outcome = outcome, &message = message] {
                      TVorunGame game;
                      const LoadResult result = LoadSavedGameFile(path, game);
                      return int(result.outcome != outcome
                                 || result.text + " | " + result.caption != message
                                 || SavedGameText(game) != SavedGameText(TVorunGame()));
                  }),
                  0);
    }
}

} // namespace
