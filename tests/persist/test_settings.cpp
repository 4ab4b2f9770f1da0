#include "settings.h"

#include "limited_child.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <sys/stat.h>

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

constexpr const char *WrittenFile
    = "; **************************************************\n"
      "; *                                                *\n"
      "; *   VorunKelm Game Bookkeeper Startup Settings   *\n"
      "; *                                                *\n"
      "; **************************************************\n"
      "\n"
      "; Edit the fields in this file to change the game's look at startup.\n"
      "\n"
      "; WindowMax determines if the game starts with the window maximized\n"
      "; Default: Yes\n"
      "; Choices: Yes No\n"
      "\n"
      "; WindowTop and WindowLeft determine the position of the upper-left\n"
      "; corner of the window.  WindowWidth and WindowHeight determine the\n"
      "; window's starting width and height in pixels.  All 4 of these\n"
      "; settings are IGNORED if WindowMax=Yes.\n"
      "; The window cannot be smaller than the default width and height.\n"
      "; Defaults: Top=0, Left=0, Width=640, Height=443\n"
      "\n"
      "; BoardSize determines how large the masterboard graphic is.\n"
      "; Default: 0\n"
      "; Choices:\n"
      "; 0 -> make it as large as possible that still fits in the window\n"
      "; 1 ->  467 x  416 (fills screen size  640 x  480)\n"
      "; 2 ->  622 x  554 (fills screen size  800 x  600)\n"
      "; 3 ->  808 x  721 (fills screen size 1024 x  768)\n"
      "; 4 -> 1025 x  915 (fills screen size 1280 x  960)\n"
      "; 5 -> 1087 x  970 (fills screen size 1280 x 1024)\n"
      "\n"
      "WindowMax=Yes\n"
      "WindowTop=10\n"
      "WindowLeft=20\n"
      "WindowWidth=800\n"
      "WindowHeight=600\n"
      "BoardSize=2\n";

TEST(WriteSettings, WritesHeaderAndSettingsByteForByte)
{
    std::ostringstream out;
    WriteStartupSettings(out, {true, "10", "20", "800", "600", 2});
    EXPECT_EQ(out.str(), WrittenFile);
}

// A fresh folder per test, removed afterwards.
class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "vksettingsXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path dir;
};

// The user's settings folder is made on first use; what cannot be written says why.
TEST_F(SettingsFile, WrittenFileReadsBackAndMissingOrUnopenableFilesChangeNothing)
{
    const std::string path = (dir / "config" / "vorunkelm" / IniFileBaseName).string();
    ASSERT_TRUE(WriteStartupSettingsFile(path, {false, "-20", "1280", "abc", "2000", 5}));
    EXPECT_EQ(Show(ReadStartupSettingsFile(path)), "-20 1280 640 2000 - 5");
    EXPECT_EQ(Show(ReadStartupSettingsFile((dir / "none.ini").string())), Defaults);
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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2); // config/, file
}

// A pipe, a device or a huge file where the settings belong would stop the program or fill its
// memory; they give the defaults at once. Each read runs in a child process a timer ends.
TEST_F(SettingsFile, PipesDevicesAndHugeFilesGiveTheDefaults)
{
    const std::filesystem::path fifo = dir / "fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path huge = dir / "huge.ini";
    std::ofstream(huge) << "WindowTop=7\n";
    std::filesystem::resize_file(huge, 100u << 20); // one line of 100 MB, sparse
    for (const std::filesystem::path &path : {fifo, std::filesystem::path("/dev/zero"), huge}) {
        EXPECT_EQ(RunLimited([&path] {
                      return Show(ReadStartupSettingsFile(path.string())) == Defaults ? 0 : 1;
                  }),
                  0)
            << path;
    }
    // Nor does the settings dialog wait for a reader of the pipe: it cannot write there.
    EXPECT_EQ(RunLimited([&fifo] { return WriteStartupSettingsFile(fifo.string(), {}) ? 1 : 0; }),
              0);
}

} // namespace
