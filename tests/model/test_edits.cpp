#include "tedit.h"

#include "edit_script.h"
#include "savegame.h"
#include "tgame.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <tuple>

namespace {

// What an undo must give back: the game as saved, and the order of the legions on each land,
// which the saved text does not keep.
struct Snapshot {
    std::string text;
    std::array<TLandStacks::Slots, LandCount + 1> slots;
    TCharLeft::Counts counts;
    TGameNames names;
    bool operator==(const Snapshot &o) const { return text == o.text && slots == o.slots; }
};

// The legions of each occupied land by TLegion::Ref, top first: "1: 1 12 / 86: 0".
std::string SlotOrder(const std::array<TLandStacks::Slots, LandCount + 1> &slots)
{
    std::string text;
    for (int n = 1; n <= LandCount; ++n) {
        if (!slots[size_t(n)][0])
            continue;
        text += (text.empty() ? "" : " / ") + std::to_string(n) + ":";
        for (const TLegion *legion : slots[size_t(n)])
            if (legion)
                text += " " + std::to_string(legion->Ref());
    }
    return text;
}

void PrintTo(const Snapshot &s, std::ostream *out)
{
    *out << s.text << SlotOrder(s.slots);
}

Snapshot Take(const TVorunGame &game)
{
    Snapshot s{SavedGameText(game), {}, game.Stacks().CharLeftArray(), NamesOf(game)};
    for (int n = 1; n <= LandCount; ++n)
        s.slots[size_t(n)] = game.Land(n).GetSlots();
    return s;
}

// The windows redraw what a change names: each land whose legions changed, the stacks when a
// count did, the names when they did.
void ExpectNamed(const TChange &change, const Snapshot &from, const Snapshot &to)
{
    for (int n = 1; n <= LandCount; ++n)
        if (from.slots[size_t(n)] != to.slots[size_t(n)]) {
            EXPECT_TRUE(change.lands[size_t(n)]) << "land " << n;
        }
    EXPECT_TRUE(change.stacks || from.counts == to.counts);
    EXPECT_TRUE(change.names || from.names == to.names);
}

// Ann (Red) has her starting legion, the Cross (ref 0), on Tower 200, her Eagle (1) with a Troll
// and an Ogre on Plains 1, and her Fist (2) off the board; Bob's (Blue) Anchor (12) with an Angel
// and a Gorgon stands below the Eagle.
void SmallGame(TVorunGame &game)
{
    game.GameName = "Small";
    game.FileName = "small";
    game.AddPlayer("Ann", 5, 2, 0, 1);
    game.AddPlayer("Bob", 1, 0, 0, 1);
    for (const auto &[ref, type] : {std::pair{1, Crit::Troll}, std::pair{1, Crit::Ogre},
                                    std::pair{12, Crit::Angel}, std::pair{12, Crit::Gorgon}})
        game.Legion(ref)->RecruitCrit(type, false, game.Stacks());
    game.PlaceLegion(*game.Legion(1), 1);
    game.PlaceLegion(*game.Legion(12), 1);
}

void FillJungle5(TVorunGame &game)
{
    for (int ref : {13, 14, 15})
        game.PlaceLegion(*game.Legion(ref), 5);
}

const TLegion &L(const TVorunGame &game, int ref)
{
    return *game.Legion(ref);
}

int Left(const TVorunGame &game, uint8_t type)
{
    return game.Stacks().GetCharLeft(type);
}

struct EditCase {
    const char *name;
    std::function<TEdit()> make;
    // What the edit must have done; none for an edit the game refuses.
    std::function<void(const TVorunGame &)> check;
    const char *describe = nullptr; // the history's sentence, where checked
    std::function<void(TVorunGame &)> setup = {}; // after SmallGame
};

const EditCase EditCases[] = {
    {"MoveLegion", [] { return TEdit::MoveLegion(0, 1); },
     [](const TVorunGame &g) {
         EXPECT_EQ(g.Land(1).GetStack(0), &L(g, 0));
         EXPECT_EQ(g.Land(86).StackCount(), 0);
     },
     "Red Cross moved from Tower 200 to Plains 1"},
    {"MoveLegionOntoAFullLand", [] { return TEdit::MoveLegion(0, 5); }, nullptr, nullptr,
     FillJungle5},
    {"MoveCritForward", [] { return TEdit::MoveCrit(0, 2, 0, 0); },
     [](const TVorunGame &g) { EXPECT_EQ(L(g, 0).GetCrits()[0], Crit::Centaur); },
     "Red Cross: Centaur moved to place 1"},
    {"MoveCritBehind", [] { return TEdit::MoveCrit(0, 0, 0, TEdit::Behind); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 0).GetCrits()[7], Crit::Vorun);
         EXPECT_TRUE(L(g, 0).GetUnsure()[7]);
     }},
    {"MoveCritPastTheLast", [] { return TEdit::MoveCrit(1, 0, 1, 5); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 1).GetCrits(), (TLegion::Crits{Crit::Ogre, Crit::Troll}));
     },
     "Red Eagle: Troll sent to the back"},
    {"MoveCritToAnotherLegion", [] { return TEdit::MoveCrit(0, 1, 1, 0); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 1).GetCrits(), (TLegion::Crits{Crit::Angel, Crit::Troll, Crit::Ogre}));
         EXPECT_TRUE(L(g, 1).GetUnsure()[0]);
         EXPECT_EQ(L(g, 0).CritCount(), 7);
     },
     "Angel moved from Red Cross to Red Eagle"},
    {"MoveCritIntoAFullLegion", [] { return TEdit::MoveCrit(1, 0, 0, TEdit::Behind); }, nullptr},
    {"Recruit", [] { return TEdit::Recruit(1, Crit::Troll); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 1).GetCrits()[2], Crit::Troll);
         EXPECT_EQ(Left(g, Crit::Troll), StackTotal[Crit::Troll] - 2);
     },
     "Red Eagle: Troll recruited"},
    {"RecruitIntoAFullLegion", [] { return TEdit::Recruit(0, Crit::Troll); }, nullptr},
    {"KillACreature", [] { return TEdit::RemoveCrit(0, 6, true); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 0).CritCount(), 7);
         EXPECT_EQ(Left(g, Crit::Ogre), StackTotal[Crit::Ogre] - 3);
     }},
    {"KillAnAngelWhichGoesBack", [] { return TEdit::RemoveCrit(12, 0, true); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 12).GetCrits()[0], Crit::Gorgon);
         EXPECT_EQ(Left(g, Crit::Angel), StackTotal[Crit::Angel] - 1);
     }},
    // The count cannot go past 255, so the undo must give back the creature and not lower it.
    {"ReturnOntoAStackAt255", [] { return TEdit::RemoveCrit(0, 6, false); },
     [](const TVorunGame &g) {
         EXPECT_EQ(L(g, 0).CritCount(), 7);
         EXPECT_EQ(Left(g, Crit::Ogre), 255);
     },
     "Red Cross: Ogre returned to the stacks",
     [](TVorunGame &g) {
         g.Stacks().SetCount(Crit::Ogre, 255);
     }},
    {"KillALegion", [] { return TEdit::RemoveLegion(1, true); },
     [](const TVorunGame &g) {
         EXPECT_EQ(g.Land(1).GetSlots(), (TLandStacks::Slots{g.Legion(12)}));
         EXPECT_EQ(L(g, 1).CritCount() + L(g, 1).GetLocation(), 0);
         EXPECT_EQ(Left(g, Crit::Troll), StackTotal[Crit::Troll] - 1);
     },
     "Red Eagle killed"},
    {"ReturnALegion", [] { return TEdit::RemoveLegion(0, false); },
     [](const TVorunGame &g) {
         EXPECT_EQ(g.Land(86).StackCount(), 0);
         EXPECT_EQ(Left(g, Crit::Centaur), StackTotal[Crit::Centaur]);
     }},
    {"ToggleUnsure", [] { return TEdit::ToggleUnsure(0, 0); },
     [](const TVorunGame &g) { EXPECT_FALSE(L(g, 0).GetUnsure()[0]); },
     "Red Cross: Vorun marked sure"},
    {"RotateLand", [] { return TEdit::RotateLand(1); },
     [](const TVorunGame &g) { EXPECT_EQ(g.Land(1).GetStack(0), &L(g, 12)); },
     "Legions on Plains 1 rotated"},
    {"RotateALandOfOneLegion", [] { return TEdit::RotateLand(86); }, nullptr},
    {"PlaceLegion", [] { return TEdit::PlaceLegion(2, 1); },
     [](const TVorunGame &g) {
         EXPECT_EQ(g.Land(1).GetStack(2), &L(g, 2));
     }},
    {"PlaceLegionOnAFullLand", [] { return TEdit::PlaceLegion(2, 5); }, nullptr, nullptr,
     FillJungle5},
    {"PlaceALegionAlreadyOnTheBoard", [] { return TEdit::PlaceLegion(0, 2); }, nullptr},
    {"MoveToALandNumberThatDoesNotFitAByte", [] { return TEdit::MoveLegion(0, 256 + 2); }, nullptr},
    // Entry 0 names no stack: left alone, as nothing records it for an undo.
    {"SetCounts",
     [] {
         return TEdit::SetCounts({{0, 7}, {Crit::Troll, 300}, {Crit::Ogre, -1}});
     },
     [](const TVorunGame &g) {
         EXPECT_EQ(std::make_tuple(Left(g, Crit::Troll), Left(g, Crit::Ogre),
                                   int(g.Stacks().CharLeftArray()[0])),
                   std::make_tuple(44, 255, 0));
     },
     "Creatures remaining corrected: Troll 44, Ogre 255"},
    {"Rename",
     [] {
         return TEdit::Rename({"Friday", "fri", {"Anne", "Bob"}});
     },
     [](const TVorunGame &g) {
         EXPECT_EQ(NamesOf(g), (TGameNames{"Friday", "fri", {"Anne", "Bob"}}));
     }},
    {"RenameToTheSameNames",
     [] {
         return TEdit::Rename({"Small", "small", {"Ann", "Bob"}});
     },
     nullptr},
};

void PrintTo(const EditCase &c, std::ostream *out)
{
    *out << c.name;
}

class EditTest : public ::testing::TestWithParam<EditCase> { };

} // namespace

TEST_P(EditTest, AppliesThenUndoesAndRedoesExactly)
{
    const EditCase &c = GetParam();
    TVorunGame game;
    SmallGame(game);
    if (c.setup)
        c.setup(game);
    const Snapshot before = Take(game);
    TEdit edit = c.make();
    ASSERT_EQ(edit.Apply(game), bool(c.check));
    if (!c.check) {
        EXPECT_EQ(Take(game), before);
        return;
    }
    c.check(game);
    const Snapshot after = Take(game);
    if (c.describe) {
        EXPECT_EQ(edit.Describe(game), c.describe);
    }
    ExpectNamed(edit.Undo(game), after, before);
    EXPECT_EQ(Take(game), before);
    ExpectNamed(edit.Redo(game), before, after);
    EXPECT_EQ(Take(game), after);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EditTest, ::testing::ValuesIn(EditCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Everything an edit may change, as bytes: far cheaper than the saved text, for every step of a
// long history.
std::string StateBytes(const TVorunGame &game)
{
    std::string bytes;
    bytes.reserve(1024);
    for (int ref = 0; ref < game.PlayerCount() * MarkersPerColor; ++ref) {
        const TLegion &legion = *game.Legion(ref);
        bytes += char(legion.GetLocation());
        for (size_t i = 0; i < TLegion::MaxCrits; ++i)
            bytes += char(legion.GetCrits()[i] + (legion.GetUnsure()[i] ? Crit::CodeCount : 0));
    }
    for (int n = 1; n <= LandCount; ++n)
        for (const TLegion *legion : game.Land(n).GetSlots())
            bytes += char(legion ? legion->Ref() : 0xff);
    bytes.append(game.Stacks().CharLeftArray().begin(), game.Stacks().CharLeftArray().end());
    const TGameNames names = NamesOf(game);
    for (const std::string &name : names.players)
        bytes += name + '\n';
    return bytes + names.game + '\n' + names.file;
}

// A long random history on the largest game: undone step by step it passes back through every
// state it went through, to the very start, and redone it reaches the very end.
TEST(EditHistory, RandomEditsUndoAndRedoExactly)
{
    constexpr int Edits = 10000;
    TVorunGame game;
    BuildLargestGame(game);
    const Snapshot start = Take(game);
    const auto fingerprint = [](const TVorunGame &g) {
        return std::hash<std::string>()(StateBytes(g));
    };
    std::vector<size_t> states{fingerprint(game)};
    const EditScript script
        = ApplyRandomEdits(game, Edits, 20240611, [&](const TVorunGame &g, const TEdit &edit) {
              EXPECT_FALSE(edit.Describe(g).empty());
              states.push_back(fingerprint(g));
          });
    const Snapshot end = Take(game);
    std::map<TEdit::Kind, int> kinds;
    for (const TEdit &edit : script.edits)
        ++kinds[edit.GetKind()];
    EXPECT_EQ(kinds.size(), size_t(TEdit::Kind::Rename) + 1); // every kind among them

    for (size_t i = Edits; i-- > 0;) {
        script.edits[i].Undo(game);
        ASSERT_EQ(fingerprint(game), states[i]) << "undoing edit " << i;
    }
    EXPECT_EQ(Take(game), start);
    for (size_t i = 0; i < Edits; ++i) {
        script.edits[i].Redo(game);
        ASSERT_EQ(fingerprint(game), states[i + 1]) << "redoing edit " << i;
    }
    EXPECT_EQ(Take(game), end);
}
