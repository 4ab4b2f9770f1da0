#include "tplayer.h"

#include "recording_link.h"
#include "tcharleft.h"
#include "tmastrbd.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { RecruitStacks() = TCharLeft(); }

    RecordingLink link;
};
} // namespace

TEST_F(PlayerTest, StartingLegionMarkersAndTower)
{
    ASSERT_EQ(TheMasterboard(), nullptr);
    TPlayer player("Ann", 2, 1, -3, 2);
    const TLegion &start = *player.GetLegion(0);
    EXPECT_EQ(std::make_pair(int(start.GetLocation()), start.CritCount()), std::make_pair(85, 8));
    EXPECT_EQ(start.GetCrits(),
              (TLegion::Crits{Crit::Vorun, Crit::Angel, Crit::Centaur, Crit::Centaur,
                              Crit::Gargoyle, Crit::Gargoyle, Crit::Ogre, Crit::Ogre}));
    EXPECT_EQ(start.GetUnsure(), (TLegion::Flags{true, true}));
    EXPECT_TRUE(link.calls.empty()); // recruited without redisplay

    const TLegion &last = *player.GetLegion(MarkersPerColor - 1); // named from its colour's markers
    EXPECT_EQ(
        std::make_tuple(last.GetName(), last.GetOwner(), int(last.GetColor()), last.CritCount()),
        std::make_tuple(std::string("Wheel"), &player, 2, 0));
    EXPECT_EQ(player.GetLegion(MarkersPerColor), nullptr);

    TVorunMasterboard board("/vk/", 1); // with a board, a starting legion stands on its tower
    TPlayer second("Cy", 0, 6, 0, 1);
    EXPECT_EQ(board.GetLand(90).GetStack(0), second.GetLegion(0));
}
