#include "tmastrbd.h"

#include "recording_link.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace {
using Texts = std::vector<std::string>;

// autoFrom: the smallest window height that is given this size automatically.
struct SizeRow {
    int size, s, width, height;
    const char *font;
    int points;
    bool bold;
    int autoFrom;
};
constexpr SizeRow Sizes[BoardSizeCount]
    = {{1, 15, 467, 416, "Small Fonts", 6, false, 0},
       {2, 20, 622, 554, "Tahoma", 9, true, 553},
       {3, 26, 808, 721, "Tahoma", 12, true, 721},
       {4, 33, 1025, 915, "Tahoma", 15, true, 913},
       {5, 35, 1087, 970, "Lucida Sans Unicode", 15, true, 976}};

bool Overlap(const TRect &a, const TRect &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
} // namespace

TEST(BoardGeometry, EverySize)
{
    for (const SizeRow &row : Sizes) {
        SCOPED_TRACE(row.size);
        const int s = BoardUnitForSize(row.size);
        ASSERT_EQ(s, row.s);
        EXPECT_EQ(PictureDigit(s), row.size);
        EXPECT_EQ(AutoBoardSize(row.autoFrom), row.size);
        EXPECT_EQ(AutoBoardSize(row.autoFrom - 1), std::max(row.size - 1, 1));
        EXPECT_EQ(BoardExtent(s), (TPoint{row.width, row.height}));
        const TMarkerFont font = MarkerFontFor(s);
        EXPECT_EQ(std::tie(font.name, font.size, font.bold),
                  std::make_tuple(std::string(row.font), row.points, row.bold));

        TRect cover{1 << 20, 1 << 20, 0, 0};
        for (int n = 1; n <= LandCount; ++n) {
            const TRect box = LandBox(n, s), active = LandActiveArea(n, s);
            cover = {std::min(cover.left, box.left), std::min(cover.top, box.top),
                     std::max(cover.right, box.right), std::max(cover.bottom, box.bottom)};
            for (int m = 1; m < n; ++m)
                EXPECT_FALSE(Overlap(active, LandActiveArea(m, s))) << n << " and " << m;
        }
        EXPECT_EQ(cover, (TRect{149, 0, 149 + row.width, row.height}));
        // Both markers lie inside the land's box, the second one showing to the lower right.
        for (const bool upward : {false, true}) {
            const TRect land = LandBox(upward ? 2 : 1, s);
            const TRect first = MarkerBox(s, upward, false), second = MarkerBox(s, upward, true);
            for (const TRect &marker : {first, second})
                EXPECT_TRUE(marker.left >= 0 && marker.top >= 0 && marker.right <= 3 * s + 2
                            && marker.bottom <= land.bottom - land.top)
                    << upward;
            EXPECT_GT(second.right, first.right);
        }
    }
}

TEST(BoardGeometry, WorkedExamplesAtTheSmallestSize)
{
    EXPECT_EQ(LandBox(61, 15), (TRect{449, 0, 496, 40}));
    EXPECT_EQ(LandBox(84, 15), (TRect{329, 376, 376, 416}));
    EXPECT_EQ(LandOutline(true, 15),
              (TOutline{{{9, 40}, {1, 27}, {16, 1}, {31, 1}, {46, 27}, {38, 40}, {9, 40}}}));
    EXPECT_EQ(LandOutline(false, 15),
              (TOutline{{{38, 0}, {46, 13}, {31, 39}, {16, 39}, {1, 13}, {9, 0}, {38, 0}}}));
    EXPECT_EQ(MarkerBox(15, false, false), (TRect{7, 1, 32, 25}));
    EXPECT_EQ(MarkerBox(15, false, true), (TRect{12, 6, 37, 30}));
    EXPECT_EQ(MarkerBox(15, true, false), (TRect{7, 15, 32, 39}));
    EXPECT_EQ(MarkerBox(15, true, true), (TRect{12, 10, 37, 34}));
}

TEST(BoardGeometry, LabelsNamesAndShapes)
{
    // The last and first land of each band: the labels jump and the shape rule flips after 84.
    const std::tuple<int, int, std::string, bool> cases[]
        = {{42, 42, "SWAMP 42", true},    {43, 101, "PLAINS 101", false},
           {84, 142, "SWAMP 142", true},  {85, 100, "TOWER 100", true},
           {90, 600, "TOWER 600", false}, {91, 1000, "MOUNTAINS 1000", true}};
    for (const auto &[n, label, name, upward] : cases) {
        const TVorunMBLand land(n);
        EXPECT_EQ(std::make_tuple(land.GetLabel(), land.GetName(), land.IsUpward()),
                  std::make_tuple(label, name, upward));
    }
}

// The message says which picture and why, on a second line.
TEST(Masterboard, AMissingOrDamagedPictureIsFatal)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path / "GRAPHICS");
    std::ofstream(folder.path / "GRAPHICS" / "VORNBRD3.BMP") << "not a picture";
    const std::string dir = folder.path.string() + "/";
    for (const auto &[programDir, reason] :
         {std::pair{std::string("/vk/"), "No such file or directory"},
          std::pair{dir, "Not a picture this program can read"}}) {
        RecordingLink link;
        link.pictureLoads = false;
        TVorunMasterboard board(programDir, 3);
        EXPECT_EQ(link.Of("Fatal"),
                  Texts{"Cannot load main board image.  Bad install.\n" + programDir
                        + "GRAPHICS/VORNBRD3.BMP: " + reason + " | Critical Error"});
    }
}

TEST(Masterboard, ASizeChangeMovesTheLandsKeepingTheirHighlight)
{
    RecordingLink link;
    link.scrollX = 10;
    link.scrollY = 20;
    TVorunMasterboard board("/vk/", 1);
    EXPECT_EQ(link.Of("Picture"), Texts{"/vk/GRAPHICS/VORNBRD1.BMP"});
    // The scroll comes off land 1's box (359, 260, 406, 300) and active area (366, 260, 396, 300).
    EXPECT_EQ(board.GetLand(1).DrawingArea(), (TRect{349, 240, 396, 280}));
    EXPECT_EQ(board.GetLand(1).ActiveArea(), (TRect{356, 240, 386, 280}));
    link.scrollX = link.scrollY = 0;
    board.GetLand(30).SetHighlight(1);
    link.Clear();
    board.SetBoardSize(1, false);
    EXPECT_TRUE(link.calls.empty());

    board.SetBoardSize(4, false);
    EXPECT_EQ(link.Of("Picture"), Texts{"/vk/GRAPHICS/VORNBRD4.BMP"});
    EXPECT_EQ(board.GetBoardUnit(), 33);
    for (int n = 1; n <= LandCount; ++n)
        EXPECT_EQ(board.GetLand(n).DrawingArea(), LandBox(n, 33)) << n;
    EXPECT_EQ(board.GetLand(30).GetHighlight(), 1);
    EXPECT_EQ(board.GetOutline(true), LandOutline(true, 33));
    EXPECT_EQ(board.GetOutline(false), LandOutline(false, 33));
    EXPECT_EQ(board.GetMarkerFont().size, 15);
}
