#include "tgame.h"

#include "recording_link.h"
#include "savegame.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

// What the legion, land and game operations do is checked through the edits that use them; here
// are the start of a game, the load's placing, the guards no edit reaches and the title. The land
// texts check the points.

namespace {
using Texts = std::vector<std::string>;

// The legions on the land by marker name, top first: "Axes Die".
std::string Names(const TLandStacks &land)
{
    std::string names;
    for (const TLegion *legion : land.GetSlots())
        if (legion)
            names += (names.empty() ? "" : " ") + legion->GetName();
    return names;
}

TLegion &L(TVorunGame &game, int ref)
{
    return *game.Legion(ref);
}

// Everything a guard must leave alone: the game as saved and the order of each land's legions.
std::string State(const TVorunGame &game)
{
    std::string state = SavedGameText(game);
    for (int n = 1; n <= LandCount; ++n)
        state += Names(game.Land(n)) + "/";
    return state;
}

// Black's Axes (ref 0) is full on Tower 100 (land 85); its Die (1), with a Troll and an Ogre,
// stands on land 3 and its Eye (2) off the board; Blue's first three legions (12 … 14) fill land 9;
// the Gorgons are used up.
void GuardGame(TVorunGame &game)
{
    game.AddPlayer("Ann", 0, 1, 0, 1);
    game.AddPlayer("Bob", 1, 0, 0, 1);
    for (uint8_t type : {Crit::Troll, Crit::Ogre})
        L(game, 1).RecruitCrit(type, false, game.Stacks());
    game.PlaceLegion(L(game, 1), 3);
    for (int ref : {12, 13, 14})
        game.PlaceLegion(*game.Legion(ref), 9);
    game.Stacks().SetCount(Crit::Gorgon, 0);
}
} // namespace

TEST(Game, PlayersStartOnTheirTowersFromTheStacksAndAnEmptyNameAddsNone)
{
    RecordingLink link;
    TVorunGame game;
    game.AddPlayer("Eve", 5, 5, 0, 1);
    game.AddPlayer("Barbara", 1, 4, 0, 1);
    game.AddPlayer("", 0, 3, 0, 1);
    game.AddPlayer("Cy", 0, 2, 0, 1);
    ASSERT_EQ(game.PlayerCount(), 3);
    const int towerLands[] = {89, 88, 86};
    for (int i = 0; i < 3; ++i) {
        const TLegion *start = game.Legion(i * MarkersPerColor);
        EXPECT_EQ(start->GetLocation(), towerLands[i]);
        EXPECT_EQ(game.Land(towerLands[i]).GetStack(0), start);
    }
    EXPECT_EQ(game.Legion(2 * MarkersPerColor + 1)->GetName(), "Die"); // Cy's: by colour and place
    TCharLeft::Counts left = StackTotal; // three starting legions taken; the Vorun has no stack
    for (uint8_t type : {1, 4, 4, 8, 8, 16, 16})
        left[type] -= 3;
    EXPECT_EQ(game.Stacks().CharLeftArray(), left);
    std::array<int, 25> killed = game.KilledCounts();
    killed[Crit::Vorun] = 0; // no stack to count it against
    EXPECT_EQ(killed, (std::array<int, 25>{}));
    game.RemoveLegion(*game.Legion(0), true); // only the Angel goes back
    killed = game.KilledCounts();
    EXPECT_EQ(std::make_tuple(killed[Crit::Angel], killed[Crit::Centaur], killed[Crit::Ogre]),
              std::make_tuple(0, 2, 2));
    for (int ref : {-1, 3 * MarkersPerColor, TVorunGame::LegionRefs})
        EXPECT_EQ(game.Legion(ref), nullptr) << ref;
    EXPECT_TRUE(link.calls.empty());

    game.GameName = "kept";
    game.AddNoteLine("kept too");
    game.ClearPlayers();
    EXPECT_EQ(game.PlayerCount(), 0);
    EXPECT_EQ(game.Land(88).StackCount(), 0);
    EXPECT_EQ(game.Stacks().CharLeftArray(), StackTotal);
    EXPECT_EQ(std::make_pair(game.GameName, game.NotesLines()),
              std::make_pair(std::string("kept"), Texts{"kept too"}));
}

// A load records a legion's land before placing it; a legion placed again leaves its old land
// and, as on any land, goes below the legions there.
TEST(Game, PlaceLegion)
{
    RecordingLink link;
    TVorunGame game;
    GuardGame(game);
    game.Legion(2)->SetLocation(7);
    game.PlaceLegion(*game.Legion(2), 0);
    game.PlaceLegion(*game.Legion(1), 7);
    EXPECT_EQ(link.Of("Diagnostic"),
              Texts{"Warning: using PlaceOnBoard to specify loc of stack that already has a "
                    "location"});
    EXPECT_EQ(std::make_pair(Names(game.Land(7)), Names(game.Land(3))),
              std::make_pair(std::string("Eye Die"), std::string()));
}

// Each call the edits never make leaves the game as it was and names the fault; a bad position
// or land must never reach the arrays. Only a full land is the user's to hear about.
TEST(Game, RefusedCallsChangeNothingAndSayWhy)
{
    using G = TVorunGame;
    const std::string bug = "Diagnostic: Bug: trying to ",
                      full = "Message: Can't have more than 3 stacks on a land. | Land is full",
                      deleteFault = "Diagnostic: bug? trying to delete nonexistent creature or "
                                    "bad index";
    const std::tuple<const char *, std::function<void(G &)>, std::string> cases[] = {
        {"recruit into a full legion",
         [](G &g) { L(g, 0).RecruitCrit(Crit::Ogre, false, g.Stacks()); },
         "Diagnostic: Bug, trying to recruit more than 8 chars."},
        {"recruit from an empty stack",
         [](G &g) { L(g, 1).RecruitCrit(Crit::Gorgon, false, g.Stacks()); },
         "Diagnostic: Bug?: attempt to recruit creature type with none remaining"},
        {"delete past the end", [](G &g) { L(g, 1).DeleteCrit(8); }, deleteFault},
        {"delete before the start", [](G &g) { L(g, 1).DeleteCrit(-1); }, deleteFault},
        {"sort an empty position", [](G &g) { L(g, 1).SortCrit(2, 0); }, bug + "sort bad critter"},
        {"sort past the end", [](G &g) { L(g, 1).SortCrit(8, 0); }, bug + "sort bad critter"},
        {"toggle past the end", [](G &g) { L(g, 1).CritUnsure(8); },
         "Diagnostic: bad index in CritUnsure()"},
        {"transfer an empty position", [](G &g) { EXPECT_FALSE(L(g, 1).TransferCrit(2, L(g, 2))); },
         ""},
        {"remove a legion not on the land", [](G &g) { g.Land(3).RemoveStack(&L(g, 2), 3); },
         "Diagnostic: Bug: request to remove legion that's not there from land 3"},
        {"place on land 97", [](G &g) { g.PlaceLegion(L(g, 2), 97); },
         bug + "place stack onto board in invalid location"},
        {"place without a land", [](G &g) { g.PlaceLegion(L(g, 2), 0); },
         "Diagnostic: placing stack onto board in bad preset loc"},
        {"place on a full land", [](G &g) { g.PlaceLegion(L(g, 2), 9); }, full},
        {"move a legion off the board", [](G &g) { EXPECT_FALSE(g.MoveLegion(L(g, 2), 5)); },
         bug + "move stack from invalid loc"},
        {"move to land 0", [](G &g) { g.MoveLegion(L(g, 1), 0); },
         bug + "move stack to invalid loc"},
        {"move to land 97", [](G &g) { g.MoveLegion(L(g, 1), 97); },
         bug + "move stack to invalid loc"},
        {"move to where it stands", [](G &g) { EXPECT_FALSE(g.MoveLegion(L(g, 1), 3)); }, ""},
        {"move onto a full land", [](G &g) { EXPECT_FALSE(g.MoveLegion(L(g, 1), 9)); }, full},
    };
    for (const auto &[what, call, said] : cases) {
        SCOPED_TRACE(what);
        TVorunGame game;
        GuardGame(game);
        const std::string before = State(game);
        RecordingLink link;
        call(game);
        EXPECT_EQ(State(game), before);
        std::string heard;
        for (const auto &[kind, text] : link.calls)
            heard += kind + ": " + text;
        EXPECT_EQ(heard, said);
    }
}

// A game without names is named after its start.
TEST(Game, UpdateTitleFillsInMissingNames)
{
    const TDateTime later{2024, 3, 5, 13, 7, 9};
    const std::tuple<const char *, TDateTime, std::string> cases[]
        = {{"", {}, "Unnamed Game started 12/30/99, 00:00:00  (VG9cu000"},
           {"", later, "Unnamed Game started 03/05/24, 13:07:09  (VG435i7y"},
           {"Friday", later, "Friday  (fri"}};
    for (const auto &[name, start, title] : cases) {
        TVorunGame g;
        g.GameName = name;
        g.FileName = *name ? "fri" : "";
        g.StartTime = start;
        g.UpdateTitle();
        const std::string caption = "Vorun - " + title + "_<time>.txt)";
        EXPECT_EQ(g.CaptionText, caption);
        EXPECT_EQ("Vorun - " + g.GameName + "  (" + g.FileName + "_<time>.txt)", caption);
    }
}
