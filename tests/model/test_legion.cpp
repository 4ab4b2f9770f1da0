#include "tlegion.h"

#include "recording_link.h"
#include "tcharleft.h"
#include "tmastrbd.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {
using Texts = std::vector<std::string>;
using Calls = decltype(RecordingLink::calls);
constexpr int Unsure = 26; // added to a saved creature code

// Every position up to the last used one, "-" for an empty one: "Vorun? - Angel".
std::string Contents(const TLegion &legion)
{
    std::string text;
    for (size_t i = 0; i < TLegion::MaxCrits; ++i) {
        uint8_t code = legion.GetCrits()[i];
        text += std::string(" ") + (code ? CritNames[code] : "-")
            + (legion.GetUnsure()[i] ? "?" : "");
    }
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, " -") == 0)
        text.resize(text.size() - 2);
    return text.erase(0, 1);
}

class LegionTest : public ::testing::Test {
protected:
    void SetUp() override { RecruitStacks() = TCharLeft(); }
    void Fill(const std::array<int32_t, TLegion::MaxCrits> &codes)
    {
        legion.SetCrits(codes);
        link.Clear();
    }
    int Left(uint8_t type) { return RecruitStacks().GetCharLeft(type); }
    TVorunMBLand &Land(int n) { return board->GetLand(n); }

    RecordingLink link;
    std::unique_ptr<TVorunMasterboard> board;
    TLegion legion{nullptr, 0, "Axes"};
    TLegion other{nullptr, 0, "Die"};
    TLegion crowd[3] = {{nullptr, 1, "Bat"}, {nullptr, 1, "Cloud"}, {nullptr, 1, "Egg"}};
};
} // namespace

TEST_F(LegionTest, RecruitIntoSevenThenIntoAFullLegion)
{
    Fill({19, 1, 4, 4, 8, 8, 16});
    legion.RecruitCrit(Crit::Troll, true, true);
    legion.RecruitCrit(Crit::Ogre, false, false);
    EXPECT_EQ(Contents(legion), "Vorun Angel Centaur Centaur Gargoyle Gargoyle Ogre Troll?");
    EXPECT_EQ(
        link.calls,
        (Calls{{"Redisplay", ""}, {"Diagnostic", "Bug, trying to recruit more than 8 chars."}}));
    EXPECT_EQ(Left(Crit::Troll), StackTotal[Crit::Troll] - 1);
    EXPECT_EQ(Left(Crit::Ogre), StackTotal[Crit::Ogre]); // the creature that found no room
}

TEST_F(LegionTest, RecruitFromAnEmptyStackFailsButTheVorunNeedsNone)
{
    RecruitStacks().SetCharLeft({});
    legion.RecruitCrit(Crit::Gorgon, false, true);
    legion.RecruitCrit(Crit::Vorun, true, false);
    EXPECT_EQ(Contents(legion), "Vorun?");
    EXPECT_EQ(link.Of("Diagnostic"),
              Texts{"Bug?: attempt to recruit creature type with none remaining"});
    EXPECT_TRUE(link.Of("Redisplay").empty());
    EXPECT_EQ(RecruitStacks().CharLeftArray(), TCharLeft::Counts{});
}

TEST_F(LegionTest, DeleteCritClosesTheGapWithTheFlags)
{
    Fill({19 + Unsure, 1, 4 + Unsure, 16 + Unsure});
    EXPECT_EQ(legion.DeleteCrit(2, true), Crit::Centaur);
    EXPECT_EQ(legion.DeleteCrit(5, true), Crit::None); // an empty position
    EXPECT_EQ(legion.DeleteCrit(8, true), Crit::None);
    EXPECT_EQ(Contents(legion), "Vorun? Angel Ogre?");
    EXPECT_EQ(legion.CritCount(), 3);
    EXPECT_EQ(Left(Crit::Centaur), StackTotal[Crit::Centaur]); // the caller decides
    const std::pair<std::string, std::string> bad{
        "Diagnostic", "bug? trying to delete nonexistent creature or bad index"};
    EXPECT_EQ(link.calls, (Calls{{"Redisplay", ""}, bad, bad}));
}

// A transfer never goes through the stacks: a count at its 8-bit limit would wrap to 0 on the way
// back and the creature would be lost when taken again.
TEST_F(LegionTest, TransferCritMovesTheCreatureWithItsFlagAndLeavesTheStacks)
{
    RecruitStacks().SetCount(Crit::Gorgon, 255);
    Fill({16, 20, 10 + Unsure});
    other.SetCrits({1, 2, 3, 4, 5});
    EXPECT_TRUE(legion.TransferCrit(2, other));
    EXPECT_EQ(Contents(legion), "Ogre Troll");
    EXPECT_EQ(Contents(other), "Angel Archangel Behemoth Centaur Colossus Gorgon?");
    EXPECT_EQ(Left(Crit::Gorgon), 255);

    EXPECT_TRUE(legion.TransferCrit(0, legion)); // to the back of its own legion
    EXPECT_EQ(Contents(legion), "Troll Ogre");

    other.SetCrits({1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_FALSE(legion.TransferCrit(0, other));
    EXPECT_FALSE(legion.TransferCrit(2, legion)); // nothing there
    EXPECT_EQ(Contents(legion), "Troll Ogre");
    EXPECT_TRUE(link.calls.empty());
}

// Onto an occupied position with another creature behind it: inserted there; anywhere else: to
// the end. The unsure flags travel with their creatures.
TEST_F(LegionTest, SortCrit)
{
    const std::array<int32_t, TLegion::MaxCrits> six{1 + Unsure, 2, 3, 4, 5 + Unsure, 6};
    const std::tuple<int, int, const char *> cases[]
        = {{0, 3, "Archangel Behemoth Centaur Angel? Colossus? Cyclops"},
           {4, 1, "Angel? Colossus? Archangel Behemoth Centaur Cyclops"},
           {1, 7, "Angel? Behemoth Centaur Colossus? Cyclops Archangel"},
           {0, 5, "Archangel Behemoth Centaur Colossus? Cyclops Angel?"}};
    for (const auto &[from, to, expected] : cases) {
        Fill(six);
        legion.SortCrit(from, to);
        EXPECT_EQ(Contents(legion), expected) << from << " -> " << to;
        EXPECT_EQ(link.calls, (Calls{{"Redisplay", ""}})) << from << " -> " << to;
    }
    Fill({19, 1, 4});
    legion.SortCrit(3, 0);
    legion.SortCrit(8, 0);
    legion.SortCrit(1, 1);
    EXPECT_EQ(link.calls, (Calls(2, {"Diagnostic", "Bug: trying to sort bad critter"})));
    EXPECT_EQ(Contents(legion), "Vorun Angel Centaur");
}

TEST_F(LegionTest, UnsureFlagsFromSavedCodesAndToggles)
{
    Fill({30, 26, 19});
    EXPECT_EQ(Contents(legion), "Centaur? -? Vorun");
    legion.CritUnsure(0, true);
    legion.CritUnsure(6, false); // an empty position too
    EXPECT_EQ(Contents(legion), "Centaur -? Vorun - - - -?");
    legion.CritUnsure(8, true);
    EXPECT_EQ(
        link.calls,
        (Calls{{"Redisplay", ""}, {"Diagnostic", "bad index in CritUnsure()"}, {"Redisplay", ""}}));
}

TEST_F(LegionTest, RemoveFromBoardKillsOrReturnsAndLeavesTheLand)
{
    board = std::make_unique<TVorunMasterboard>("/vk/", 1);
    for (bool kill : {true, false}) {
        RecruitStacks() = TCharLeft();
        other.PlaceOnBoard(12);
        legion.PlaceOnBoard(12);
        Fill({19, 1, 16 + Unsure, 16});
        legion.RemoveFromBoard(kill);
        EXPECT_EQ(Left(Crit::Angel), StackTotal[Crit::Angel] + 1);
        EXPECT_EQ(Left(Crit::Ogre), StackTotal[Crit::Ogre] + (kill ? 0 : 2));
        EXPECT_EQ(Left(Crit::Vorun), 0);
        EXPECT_EQ(Contents(legion), "");
        EXPECT_EQ(legion.GetLocation(), 0);
        EXPECT_EQ(Land(12).GetStack(0), &other);
        EXPECT_EQ(Land(12).StackCount(), 1);
        EXPECT_EQ(link.calls, (Calls{{"Repaint", "12"}})); // no redisplay
        other.RemoveFromBoard(true);
    }
}

TEST_F(LegionTest, PlaceOnBoard)
{
    ASSERT_EQ(TheMasterboard(), nullptr);
    other.PlaceOnBoard(7); // without a board only the location is recorded
    EXPECT_FALSE(other.MoveStack(8));
    EXPECT_EQ(other.GetLocation(), 7);
    EXPECT_TRUE(link.calls.empty());
    board = std::make_unique<TVorunMasterboard>("/vk/", 1);
    other.PlaceOnBoard(0); // as entering the game view does
    EXPECT_EQ(Land(7).GetStack(0), &other);

    legion.PlaceOnBoard(97);
    legion.PlaceOnBoard(0);
    EXPECT_EQ(legion.GetLocation(), 0);
    legion.PlaceOnBoard(3);
    legion.PlaceOnBoard(5);
    EXPECT_EQ(link.Of("Diagnostic"),
              (Texts{"Bug: trying to place stack onto board in invalid location",
                     "placing stack onto board in bad preset loc",
                     "Warning: using PlaceOnBoard to specify loc of stack that already has a "
                     "location"}));
    EXPECT_EQ(legion.GetLocation(), 5);
    EXPECT_EQ(Land(5).GetStack(0), &legion);
    EXPECT_EQ(Land(3).StackCount(), 0); // not left behind on its old land

    for (TLegion &l : crowd)
        l.PlaceOnBoard(20);
    legion.RemoveFromBoard(false);
    legion.PlaceOnBoard(20);
    EXPECT_EQ(legion.GetLocation(), 0);
}

TEST_F(LegionTest, MoveStack)
{
    board = std::make_unique<TVorunMasterboard>("/vk/", 1);
    EXPECT_FALSE(legion.MoveStack(5)); // off the board
    legion.PlaceOnBoard(3);
    EXPECT_FALSE(legion.MoveStack(0));
    EXPECT_FALSE(legion.MoveStack(97));
    EXPECT_FALSE(legion.MoveStack(3)); // where it stands: refused without a word
    EXPECT_EQ(link.Of("Diagnostic"),
              (Texts{"Bug: trying to move stack from invalid loc",
                     "Bug: trying to move stack to invalid loc",
                     "Bug: trying to move stack to invalid loc"}));

    other.PlaceOnBoard(4);
    EXPECT_TRUE(legion.MoveStack(4));
    EXPECT_EQ(legion.GetLocation(), 4);
    EXPECT_EQ(Land(4).GetStack(0), &legion);
    EXPECT_EQ(Land(4).GetStack(1), &other);
    EXPECT_EQ(Land(3).StackCount(), 0);

    for (TLegion &l : crowd)
        l.PlaceOnBoard(9);
    EXPECT_FALSE(legion.MoveStack(9));
    EXPECT_EQ(legion.GetLocation(), 4);
    EXPECT_EQ(Land(4).GetStack(0), &legion);
}
