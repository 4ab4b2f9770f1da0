#include "settings.h"

#include "limited_child.h"
#include "temp_folder.h"
#include "tmastrbd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The six values in the order top, left, width, height, max, board size.
std::string Show(const TStartupSettings &s)
{
    return std::to_string(s.WindowTop) + ' ' + std::to_string(s.WindowLeft) + ' '
        + std::to_string(s.WindowWidth) + ' ' + std::to_string(s.WindowHeight)
        + (s.WindowMax ? " max " : " - ") + std::to_string(s.BoardSize);
}

const std::string Defaults = "0 0 640 443 max 0";

TEST(ReadSettings, EveryRuleOfTheFile)
{
    const std::string longLine = ";" + std::string(253, 'x'); // the longest line still read
    const std::pair<std::string, std::string> cases[] = {
        {"", Defaults},
        // Each limit on both sides, every field in one file: the fields are read independently.
        {"windowtop=-20\nwindowleft=-1280\n", "-20 -1280 640 443 max 0"},
        {"windowmax=no\nwindowtop=1024\nwindowleft=1280\nwindowwidth=2000\nwindowheight=2000\n"
         "BoardSize=5\n",
         "1024 1280 2000 2000 - 5"},
        {"windowtop=-21\nwindowleft=-1281\nwindowwidth=639\nwindowheight=442\nboardsize=-1",
         Defaults},
        {"windowtop=1025\nwindowleft=1281\nwindowwidth=2001\nwindowheight=2001\nboardsize=6",
         Defaults},
        {"\tWINDOWTOP= 100\t\n", "100 0 640 443 max 0"},
        {"windowtop = 100\n", Defaults},
        {"; windowtop=100\n", Defaults},
        {"=windowtop=5\nwindowtop\n", Defaults},
        {"windowtop=abc\nwindowtop=7\n", Defaults},
        {"WindowMax=No ; keep it small\n", "0 0 640 443 - 0"},
        {"WindowMax= No\n", Defaults},
        {"WindowMax=false\n", Defaults},
        {"WindowMax=NO\r\nWindowTop=3\r\n", "3 0 640 443 - 0"},
        {longLine + "\r\nwindowtop=5\r\n", "5 0 640 443 max 0"},
        {"windowleft=3\n" + longLine + "x\nwindowtop=5\n", "0 3 640 443 max 0"},
        {"windowleft=3\n" + std::string(1 << 20, 'x') + "\nwindowtop=5\n", "0 3 640 443 max 0"},
        {"windowleft=3;" + std::string(241, 'x'), "0 3 640 443 max 0"}, // 254, no line end
        {std::string("windowtop=5\0junk\n", 17), Defaults},
    };
    for (const auto &[text, expected] : cases) {
        std::istringstream in(text);
        EXPECT_EQ(Show(ReadStartupSettings(in)), expected) << text;
    }
}

// The header is comments the reader skips, under a title box, and the board sizes it lists are
// the board's own; the fields follow as the reader spells them.
TEST(WriteSettings, HeaderOfCommentsThenTheFields)
{
    std::ostringstream out;
    WriteStartupSettings(out, {true, "10", "20", "800", "600", 2});
    const std::string text = out.str();
    const std::string fields = "WindowMax=Yes\nWindowTop=10\nWindowLeft=20\nWindowWidth=800\n"
                               "WindowHeight=600\nBoardSize=2\n";
    ASSERT_GT(text.size(), fields.size());
    EXPECT_EQ(text.substr(text.size() - fields.size()), fields);
    const std::string header = text.substr(0, text.size() - fields.size());
    EXPECT_EQ(header.substr(0, 265),
              "; **************************************************\n"
              "; *                                                *\n"
              "; *   VorunKelm Game Bookkeeper Startup Settings   *\n"
              "; *                                                *\n"
              "; **************************************************\n");
    std::istringstream lines(header);
    for (std::string line; std::getline(lines, line);)
        EXPECT_TRUE(line.empty() || line.rfind("; ", 0) == 0) << line;
    for (int size = 1; size <= BoardSizeCount; ++size) {
        const TPoint extent = BoardExtent(BoardUnitForSize(size));
        char row[32];
        std::snprintf(row, sizeof row, "\n; %d -> %4d x %4d (", size, extent.x, extent.y);
        EXPECT_NE(header.find(row), std::string::npos) << row;
    }
    std::istringstream in(text);
    EXPECT_EQ(Show(ReadStartupSettings(in)), "10 20 800 600 max 2");
}

// The user's settings folder is made on first use; what cannot be written says why. A pipe, a
// device or a huge file where the settings belong would stop the program or fill its memory: they
// give the defaults at once, each read in a child process a timer ends.
TEST(SettingsFile, WrittenFileReadsBackAndWhatCannotBeReadOrWrittenChangesNothing)
{
    TempFolder folder;
    const fs::path dir = folder.path, fifo = dir / "fifo.ini", huge = dir / "huge.ini";
    const std::string path = (dir / "config" / "vorunkelm" / IniFileBaseName).string();
    ASSERT_TRUE(WriteStartupSettingsFile(path, {false, "-20", "1280", "abc", "2000", 5}));
    EXPECT_EQ(Show(ReadStartupSettingsFile(path)), "-20 1280 640 2000 - 5");
    std::ofstream(dir / "file") << "in the way";
    const std::pair<std::string, std::string> refused[] = {
        {(dir / "file" / IniFileBaseName).string(), "Not a directory"},
        {dir.string(), "Is a directory"},
    };
    for (const auto &[where, why] : refused) {
        std::string reason;
        EXPECT_FALSE(WriteStartupSettingsFile(where, {}, &reason)) << where;
        EXPECT_EQ(reason, why);
    }
    EXPECT_EQ(folder.Names().size(), 2u); // config/, file

    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::ofstream(huge) << "WindowTop=7\n";
    fs::resize_file(huge, 100u << 20); // one line of 100 MB, sparse
    for (const fs::path &unread : {dir / "none.ini", fifo, fs::path("/dev/zero"), huge}) {
        EXPECT_EQ(RunLimited([&unread] {
                      return int(Show(ReadStartupSettingsFile(unread.string())) != Defaults);
                  }),
                  0)
            << unread;
    }
    // Nor does the settings dialog wait for a reader of the pipe: it cannot write there.
    EXPECT_EQ(RunLimited([&fifo] { return int(WriteStartupSettingsFile(fifo.string(), {})); }), 0);
}

} // namespace
