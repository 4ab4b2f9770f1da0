#include "tlegion.h"

#include "recording_link.h"
#include "tcharleft.h"

#include <gtest/gtest.h>

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
    void Fill(const std::array<int32_t, TLegion::MaxCrits> &codes)
    {
        legion.SetCrits(codes);
        link.Clear();
    }
    int Left(uint8_t type) { return stacks.GetCharLeft(type); }

    RecordingLink link;
    TCharLeft stacks;
    TLegion legion{nullptr, 0, "Axes", 0};
    TLegion other{nullptr, 0, "Die", 1};
};
} // namespace

TEST_F(LegionTest, RecruitIntoSevenThenIntoAFullLegion)
{
    Fill({19, 1, 4, 4, 8, 8, 16});
    legion.RecruitCrit(Crit::Troll, true, stacks);
    legion.RecruitCrit(Crit::Ogre, false, stacks);
    EXPECT_EQ(Contents(legion), "Vorun Angel Centaur Centaur Gargoyle Gargoyle Ogre Troll?");
    EXPECT_EQ(link.Of("Diagnostic"), Texts{"Bug, trying to recruit more than 8 chars."});
    EXPECT_EQ(Left(Crit::Troll), StackTotal[Crit::Troll] - 1);
    EXPECT_EQ(Left(Crit::Ogre), StackTotal[Crit::Ogre]); // the creature that found no room
}

TEST_F(LegionTest, RecruitFromAnEmptyStackFailsButTheVorunNeedsNone)
{
    stacks.SetCharLeft({});
    legion.RecruitCrit(Crit::Gorgon, false, stacks);
    legion.RecruitCrit(Crit::Vorun, true, stacks);
    EXPECT_EQ(Contents(legion), "Vorun?");
    EXPECT_EQ(link.Of("Diagnostic"),
              Texts{"Bug?: attempt to recruit creature type with none remaining"});
    EXPECT_EQ(stacks.CharLeftArray(), TCharLeft::Counts{});
}

TEST_F(LegionTest, DeleteCritClosesTheGapWithTheFlags)
{
    Fill({19 + Unsure, 1, 4 + Unsure, 16 + Unsure});
    EXPECT_EQ(legion.DeleteCrit(2), Crit::Centaur);
    EXPECT_EQ(legion.DeleteCrit(5), Crit::None); // an empty position
    EXPECT_EQ(legion.DeleteCrit(8), Crit::None);
    EXPECT_EQ(Contents(legion), "Vorun? Angel Ogre?");
    EXPECT_EQ(legion.CritCount(), 3);
    const std::pair<std::string, std::string> bad{
        "Diagnostic", "bug? trying to delete nonexistent creature or bad index"};
    EXPECT_EQ(link.calls, (Calls{bad, bad}));
}

// A transfer never goes through the stacks: a count at its 8-bit limit would wrap to 0 on the way
// back and the creature would be lost when taken again.
TEST_F(LegionTest, TransferCritMovesTheCreatureWithItsFlagAndLeavesTheStacks)
{
    stacks.SetCount(Crit::Gorgon, 255);
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
    legion.CritUnsure(0);
    legion.CritUnsure(6); // an empty position too
    EXPECT_EQ(Contents(legion), "Centaur -? Vorun - - - -?");
    legion.CritUnsure(8);
    EXPECT_EQ(link.Of("Diagnostic"), Texts{"bad index in CritUnsure()"});
}

// Killed, only the creatures that go back when killed reach the stacks; returned, all of them.
// The Vorun has no stack, and a stack at 255 stays there.
TEST_F(LegionTest, EmptyIntoKillsOrReturns)
{
    for (bool kill : {true, false}) {
        stacks = TCharLeft();
        stacks.SetCount(Crit::Troll, 255);
        Fill({19, 1, 16 + Unsure, 16, 20});
        legion.EmptyInto(stacks, kill);
        EXPECT_EQ(Left(Crit::Angel), StackTotal[Crit::Angel] + 1);
        EXPECT_EQ(Left(Crit::Ogre), StackTotal[Crit::Ogre] + (kill ? 0 : 2));
        EXPECT_EQ(Left(Crit::Troll), 255);
        EXPECT_EQ(Left(Crit::Vorun), 0);
        EXPECT_EQ(Contents(legion), "");
        EXPECT_TRUE(link.calls.empty());
    }
}

TEST_F(LegionTest, PointsAreUnknownWhileTheVorunIsThere)
{
    const std::tuple<std::array<int32_t, TLegion::MaxCrits>, int, bool> cases[]
        = {{{}, 0, false},
           {{1, 4 + Unsure, 16}, 24 + 12 + 12, false},
           {{19 + Unsure, 2}, 24 + 36, true}};
    for (const auto &[codes, points, unknown] : cases) {
        Fill(codes);
        EXPECT_EQ(std::make_pair(legion.Points(), legion.PointsUnknown()),
                  std::make_pair(points, unknown))
            << Contents(legion);
    }
}
