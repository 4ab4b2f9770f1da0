#include "tgame.h"

#include "recording_link.h"

#include <gtest/gtest.h>

namespace {
using Texts = std::vector<std::string>;
const std::string LandIsFull = "Can't have more than 3 stacks on a land. | Land is full";

// The legions on the land by marker name, top first: "Axes Die".
std::string Names(const TLandStacks &land)
{
    std::string names;
    for (const TLegion *legion : land.GetSlots())
        if (legion)
            names += (names.empty() ? "" : " ") + legion->GetName();
    return names;
}

class GameTest : public ::testing::Test {
protected:
    // Two players without starting legions: Black's legions are refs 0 … 11, Blue's 12 … 23.
    void TwoPlayers()
    {
        game.AddPlayer("Ann", 0, 0, 0, 1);
        game.AddPlayer("Bob", 1, 0, 0, 1);
        link.Clear();
    }
    TLegion &L(int ref) { return *game.Legion(ref); }

    RecordingLink link;
    TVorunGame game;
};
} // namespace

TEST_F(GameTest, PlayersStartOnTheirTowersFromTheStacksAndAnEmptyNameAddsNone)
{
    game.AddPlayer("Eve", 5, 5, 0, 1);
    game.AddPlayer("Barbara", 1, 4, 0, 1);
    game.AddPlayer("", 0, 3, 0, 1);
    game.AddPlayer("Cy", 0, 2, 0, 1);
    ASSERT_EQ(game.PlayerCount(), 3);
    const int towerLands[] = {89, 88, 86};
    for (int i = 0; i < 3; ++i) {
        const TLegion *start = game.Legion(i * MarkersPerColor);
        EXPECT_EQ(start, game.GetPlayer(i)->GetLegion(0));
        EXPECT_EQ(start->GetLocation(), towerLands[i]);
        EXPECT_EQ(game.Land(towerLands[i]).GetStack(0), start);
    }
    const TLegion &start = *game.Legion(0);
    EXPECT_EQ(start.GetCrits(),
              (TLegion::Crits{Crit::Vorun, Crit::Angel, Crit::Centaur, Crit::Centaur,
                              Crit::Gargoyle, Crit::Gargoyle, Crit::Ogre, Crit::Ogre}));
    EXPECT_EQ(start.GetUnsure(), (TLegion::Flags{true, true}));
    TCharLeft::Counts left = StackTotal; // three starting legions taken
    for (uint8_t type : {1, 4, 4, 8, 8, 16, 16})
        left[type] -= 3;
    EXPECT_EQ(game.Stacks().CharLeftArray(), left);
    std::array<int, 25> killed = game.KilledCounts();
    killed[Crit::Vorun] = 0; // no stack to count it against
    EXPECT_EQ(killed, (std::array<int, 25>{}));
    for (int ref : {-1, 3 * MarkersPerColor, TVorunGame::LegionRefs})
        EXPECT_EQ(game.Legion(ref), nullptr) << ref;
    EXPECT_TRUE(link.calls.empty());

    game.GameName = "kept";
    game.AddNoteLine("kept too");
    game.ClearPlayers();
    EXPECT_EQ(game.PlayerCount(), 0);
    EXPECT_EQ(game.Land(89).StackCount(), 0);
    EXPECT_EQ(game.Stacks().CharLeftArray(), StackTotal);
    EXPECT_EQ(std::make_pair(game.GameName, game.NotesLines()),
              std::make_pair(std::string("kept"), Texts{"kept too"}));
}

TEST_F(GameTest, PlaceLegion)
{
    TwoPlayers();
    L(1).SetLocation(7); // as a load records it
    game.PlaceLegion(L(1), 0);
    EXPECT_EQ(game.Land(7).GetStack(0), &L(1));

    game.PlaceLegion(L(0), 97);
    game.PlaceLegion(L(0), 0);
    EXPECT_EQ(L(0).GetLocation(), 0);
    game.PlaceLegion(L(0), 3);
    game.PlaceLegion(L(0), 7);
    EXPECT_EQ(link.Of("Diagnostic"),
              (Texts{"Bug: trying to place stack onto board in invalid location",
                     "placing stack onto board in bad preset loc",
                     "Warning: using PlaceOnBoard to specify loc of stack that already has a "
                     "location"}));
    EXPECT_EQ(L(0).GetLocation(), 7);
    EXPECT_EQ(Names(game.Land(7)), "Die Axes"); // as the last of its legions
    EXPECT_EQ(game.Land(3).StackCount(), 0); // not left behind on its old land

    for (int ref : {12, 13, 14})
        game.PlaceLegion(L(ref), 20);
    link.Clear();
    game.PlaceLegion(L(2), 20);
    EXPECT_EQ(L(2).GetLocation(), 0);
    EXPECT_EQ(link.Of("Message"), Texts{LandIsFull});
}

// Players and markers in order, whatever order the legions were recorded in.
TEST_F(GameTest, PlaceRecordedLegions)
{
    TwoPlayers();
    for (int ref : {13, 12, 2, 5})
        L(ref).SetLocation(ref == 5 ? 40 : 30);
    game.PlaceRecordedLegions();
    EXPECT_EQ(Names(game.Land(30)), "Eye Anchor Bat");
    EXPECT_EQ(Names(game.Land(40)), "Lightning");
}

TEST_F(GameTest, MoveLegion)
{
    TwoPlayers();
    EXPECT_FALSE(game.MoveLegion(L(0), 5)); // off the board
    game.PlaceLegion(L(0), 3);
    EXPECT_FALSE(game.MoveLegion(L(0), 0));
    EXPECT_FALSE(game.MoveLegion(L(0), 97));
    EXPECT_FALSE(game.MoveLegion(L(0), 3)); // where it stands: refused without a word
    EXPECT_EQ(link.Of("Diagnostic"),
              (Texts{"Bug: trying to move stack from invalid loc",
                     "Bug: trying to move stack to invalid loc",
                     "Bug: trying to move stack to invalid loc"}));

    game.PlaceLegion(L(1), 4);
    EXPECT_TRUE(game.MoveLegion(L(0), 4));
    EXPECT_EQ(L(0).GetLocation(), 4);
    EXPECT_EQ(Names(game.Land(4)), "Axes Die"); // on top
    EXPECT_EQ(game.Land(3).StackCount(), 0);

    for (int ref : {12, 13, 14})
        game.PlaceLegion(L(ref), 9);
    link.Clear();
    EXPECT_FALSE(game.MoveLegion(L(0), 9));
    EXPECT_EQ(link.Of("Message"), Texts{LandIsFull});
    EXPECT_EQ(L(0).GetLocation(), 4);
    EXPECT_EQ(Names(game.Land(4)), "Axes Die");
}

TEST_F(GameTest, RemoveLegionKillsOrReturnsAndLeavesTheLand)
{
    for (bool kill : {true, false}) {
        game.ClearPlayers();
        TwoPlayers();
        game.PlaceLegion(L(1), 12);
        game.PlaceLegion(L(0), 12);
        for (uint8_t type : {Crit::Vorun, Crit::Angel, Crit::Ogre, Crit::Ogre})
            L(0).RecruitCrit(type, false, game.Stacks());
        game.RemoveLegion(L(0), kill);
        EXPECT_EQ(game.Stacks().GetCharLeft(Crit::Angel), StackTotal[Crit::Angel]);
        EXPECT_EQ(game.Stacks().GetCharLeft(Crit::Ogre), StackTotal[Crit::Ogre] - (kill ? 2 : 0));
        EXPECT_EQ(game.KilledCounts()[Crit::Ogre], kill ? 2 : 0);
        EXPECT_EQ(std::make_pair(L(0).CritCount(), int(L(0).GetLocation())), std::make_pair(0, 0));
        EXPECT_EQ(Names(game.Land(12)), "Die");
        EXPECT_TRUE(link.calls.empty());
    }
}

// Added at the first free slot or on top, never a fourth; removal closes the gap; rotation moves
// the top legion to the bottom.
TEST_F(GameTest, LandSlotRules)
{
    TwoPlayers();
    TLandStacks land;
    // Puts legions "A" … "D" (Black's Axes, Die, Eye and Feather) in the order named.
    const auto put = [&](const std::string &names) {
        land = TLandStacks();
        for (char n : names)
            land.AddStack(&L(n - 'A'), false);
    };
    put("AB");
    EXPECT_TRUE(land.AddStack(&L(2), true));
    EXPECT_EQ(Names(land), "Eye Axes Die");
    EXPECT_FALSE(land.AddStack(&L(3), false));
    EXPECT_EQ(Names(land), "Eye Axes Die");
    EXPECT_EQ(link.Of("Message"), Texts{LandIsFull});

    for (const auto &[removed, left] : {std::pair{0, "Die Eye"}, std::pair{1, "Axes Eye"}}) {
        put("ABC");
        land.RemoveStack(&L(removed), 42);
        EXPECT_EQ(Names(land), left);
    }
    land.RemoveStack(&L(1), 42);
    EXPECT_EQ(link.Of("Diagnostic"),
              Texts{"Bug: request to remove legion that's not there from land 42"});
    EXPECT_EQ(Names(land), "Axes Eye");

    const char *rotations[][2] = {{"ABC", "Die Eye Axes"}, {"AB", "Die Axes"}, {"A", "Axes"}};
    for (const auto &c : rotations) {
        put(c[0]);
        land.RotateStacks();
        EXPECT_EQ(Names(land), c[1]);
    }
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
        g.UpdateTitle();
        EXPECT_EQ(g.GameName, c.expectedGame);
        EXPECT_EQ(g.FileName, c.expectedFile);
        EXPECT_EQ(g.CaptionText,
                  std::string("Vorun - ") + c.expectedGame + "  (" + c.expectedFile
                      + "_<time>.txt)");
    }
}
