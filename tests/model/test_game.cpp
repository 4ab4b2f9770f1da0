#include "tgame.h"

#include "recording_link.h"
#include "tcharleft.h"

#include <gtest/gtest.h>

namespace {
using Texts = std::vector<std::string>;

class GameTest : public ::testing::Test {
protected:
    void SetUp() override { RecruitStacks() = TCharLeft(); }

    RecordingLink link;
    TVorunGame game;
};
} // namespace

TEST_F(GameTest, PlayersAreAddedFromTheHighestTowerDownAndAnEmptyNameAddsNone)
{
    game.AddPlayer("Eve", 5, 5, 0, 1);
    game.AddPlayer("Barbara", 1, 4, 0, 1);
    game.AddPlayer("", 0, 3, 0, 1);
    game.AddPlayer("Cy", 0, 2, 0, 1);
    ASSERT_EQ(game.PlayerCount(), 3);
    const int towerLands[] = {89, 88, 86};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(game.GetPlayer(i)->GetLegion(0)->GetLocation(), towerLands[i]);
    TCharLeft::Counts left = StackTotal; // three starting legions taken
    for (uint8_t type : {1, 4, 4, 8, 8, 16, 16})
        left[type] -= 3;
    EXPECT_EQ(RecruitStacks().CharLeftArray(), left);
    EXPECT_EQ(link.Of("Player"), (Texts{"0 Eve 5", "1 Barbara 1", "2 Cy 0"}));
    EXPECT_EQ(game.WidestNameWidth, 7 * 7); // the widest label so far, not the last
}

TEST_F(GameTest, UpdateTitleFillsInMissingNames)
{
    const TDateTime zero, later{2024, 3, 5, 13, 7, 9};
    struct Case {
        const char *gameName, *fileName;
        TDateTime start;
        const char *expectedGame, *expectedFile;
    } const cases[] = {{"", "", zero, "Unnamed Game started 12/30/99, 00:00:00", "VG9cu000"},
                       {"", "", later, "Unnamed Game started 03/05/24, 13:07:09", "VG435i7y"},
                       {"Friday", "fri", later, "Friday", "fri"}};
    for (const Case &c : cases) {
        TVorunGame g;
        g.GameName = c.gameName;
        g.FileName = c.fileName;
        g.StartTime = c.start;
        link.Clear();
        g.UpdateTitle();
        EXPECT_EQ(g.GameName, c.expectedGame);
        EXPECT_EQ(g.FileName, c.expectedFile);
        const std::string caption
            = std::string("Vorun - ") + c.expectedGame + "  (" + c.expectedFile + "_<time>.txt)";
        EXPECT_EQ(g.CaptionText, caption);
        EXPECT_EQ(link.Of("Caption"), Texts{caption});
    }
}
