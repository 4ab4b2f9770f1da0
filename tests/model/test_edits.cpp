#include "tedit.h"

#include "edit_script.h"
#include "savegame.h"
#include "tgame.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// What an undo must give back: the game as saved, and by name each thing an edit may change,
// with the order of the legions on each land, which the saved text does not keep.
struct Snapshot {
    std::string text;
    std::map<std::string, std::string> parts;
};

// Items with "-" for an empty one, up to the last one used: "Vorun? - Angel".
std::string Joined(const std::vector<std::string> &items)
{
    std::string text;
    for (const std::string &item : items)
        text += " " + item;
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, " -") == 0)
        text.resize(text.size() - 2);
    return text.empty() ? text : text.substr(1);
}

Snapshot Take(const TVorunGame &game)
{
    Snapshot s{SavedGameText(game), {}};
    for (int ref = 0; ref < game.PlayerCount() * MarkersPerColor; ++ref) {
        const TLegion &legion = *game.Legion(ref);
        std::vector<std::string> crits;
        for (size_t i = 0; i < TLegion::MaxCrits; ++i)
            crits.push_back((legion.GetCrits()[i] ? CritNames[legion.GetCrits()[i]] : "-")
                            + std::string(legion.GetUnsure()[i] ? "?" : ""));
        s.parts["legion " + std::to_string(ref)] = Joined(crits);
        s.parts["legion " + std::to_string(ref) + " at"] = std::to_string(legion.GetLocation());
    }
    for (int n = 1; n <= LandCount; ++n) {
        std::vector<std::string> refs;
        for (const TLegion *legion : game.Land(n).GetSlots())
            refs.push_back(legion ? std::to_string(legion->Ref()) : "-");
        s.parts["land " + std::to_string(n)] = Joined(refs);
    }
    for (uint8_t type = 0; type < game.Stacks().CharLeftArray().size(); ++type)
        s.parts["left " + std::string(CritNames[type])]
            = std::to_string(game.Stacks().GetCharLeft(type));
    const TGameNames names = NamesOf(game);
    s.parts["names"] = names.game + "/" + names.file;
    for (const std::string &name : names.players)
        s.parts["names"] += "/" + name;
    return s;
}

// What changed from one snapshot to the next: "land 1: 0 1 12; legion 0 at: 1".
std::string Diff(const Snapshot &from, const Snapshot &to)
{
    std::string text;
    for (const auto &[key, value] : to.parts)
        if (from.parts.at(key) != value)
            text += (text.empty() ? "" : "; ") + key + ": " + value;
    return text;
}

void ExpectSame(const Snapshot &now, const Snapshot &then)
{
    EXPECT_EQ(now.text, then.text);
    EXPECT_EQ(Diff(then, now), "");
}

// The windows redraw only what a change names: each land whose legions changed, the stacks when a
// count did, the names when they did.
void ExpectNamed(const TChange &change, const Snapshot &from, const Snapshot &to)
{
    for (const auto &[key, value] : to.parts)
        if (from.parts.at(key) != value) {
            EXPECT_TRUE(key.rfind("land ", 0) == 0       ? change.lands[std::stoul(key.substr(5))]
                            : key.rfind("left ", 0) == 0 ? change.stacks
                                                         : key != "names" || change.names)
                << key;
        }
}

// Ann (Red) has her starting legion, the Cross (ref 0: Vorun? Angel? Centaur Centaur Gargoyle
// Gargoyle Ogre Ogre), on Tower 200 (land 86), her Eagle (1) with a Troll and an Ogre on Plains 1,
// and her Fist (2) off the board; Bob's (Blue) Anchor (12) with an Angel and a Gorgon stands below
// the Eagle.
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

std::function<void(TVorunGame &)> At255(uint8_t type)
{
    return [type](TVorunGame &g) {
        g.Stacks().SetCount(type, 255);
    };
}

struct EditCase {
    const char *name;
    std::function<TEdit()> make;
    const char *changed; // every part the edit changed; none when the game refuses it
    const char *describe = nullptr; // the history's sentence, where checked
    std::function<void(TVorunGame &)> setup = {}; // after SmallGame
};

const EditCase EditCases[] = {
    {"MoveLegion", [] { return TEdit::MoveLegion(0, 1); },
     "land 1: 0 1 12; land 86: ; legion 0 at: 1", "Red Cross moved from Tower 200 to Plains 1"},
    {"MoveLegionFromTheMiddle", [] { return TEdit::MoveLegion(14, 1); },
     "land 1: 14 1 12; land 5: 13 15; legion 14 at: 1", nullptr, FillJungle5},
    {"MoveLegionOntoAFullLand", [] { return TEdit::MoveLegion(0, 5); }, "", nullptr, FillJungle5},
    {"MoveALegionOffTheBoard", [] { return TEdit::MoveLegion(2, 1); }, ""},
    {"MoveToALandNumberThatDoesNotFitAByte", [] { return TEdit::MoveLegion(0, 256 + 2); }, ""},
    {"MoveCritForward", [] { return TEdit::MoveCrit(0, 2, 0, 0); },
     "legion 0: Centaur Vorun? Angel? Centaur Gargoyle Gargoyle Ogre Ogre",
     "Red Cross: Centaur moved to place 1"},
    {"MoveCritBackward", [] { return TEdit::MoveCrit(0, 0, 0, 3); },
     "legion 0: Angel? Centaur Centaur Vorun? Gargoyle Gargoyle Ogre Ogre",
     "Red Cross: Vorun moved to place 4"},
    {"MoveCritPastTheLast", [] { return TEdit::MoveCrit(0, 0, 0, 7); },
     "legion 0: Angel? Centaur Centaur Gargoyle Gargoyle Ogre Ogre Vorun?",
     "Red Cross: Vorun sent to the back"},
    {"MoveCritBehind", [] { return TEdit::MoveCrit(1, 0, 1, TEdit::Behind); },
     "legion 1: Ogre Troll", "Red Eagle: Troll sent to the back"},
    {"MoveCritToAnotherLegion", [] { return TEdit::MoveCrit(0, 1, 1, 0); },
     "legion 0: Vorun? Centaur Centaur Gargoyle Gargoyle Ogre Ogre; legion 1: Angel? Troll Ogre",
     "Angel moved from Red Cross to Red Eagle"},
    // Never through the stacks: a count at 255 would wrap to 0 on the way back and lose a creature.
    {"MoveCritPastAStackAt255", [] { return TEdit::MoveCrit(12, 1, 1, TEdit::Behind); },
     "legion 1: Troll Ogre Gorgon; legion 12: Angel", nullptr, At255(Crit::Gorgon)},
    {"MoveCritIntoAFullLegion", [] { return TEdit::MoveCrit(1, 0, 0, TEdit::Behind); }, ""},
    {"MoveAnEmptyPosition", [] { return TEdit::MoveCrit(1, 4, 12, 0); }, ""},
    {"Recruit", [] { return TEdit::Recruit(1, Crit::Troll); },
     "left Troll: 26; legion 1: Troll Ogre Troll", "Red Eagle: Troll recruited"},
    {"RecruitIntoAFullLegion", [] { return TEdit::Recruit(0, Crit::Troll); }, ""},
    {"KillACreature", [] { return TEdit::RemoveCrit(0, 6, true); },
     "legion 0: Vorun? Angel? Centaur Centaur Gargoyle Gargoyle Ogre", "Red Cross: Ogre killed"},
    {"KillAnAngelWhichGoesBack", [] { return TEdit::RemoveCrit(0, 1, true); },
     "left Angel: 17; legion 0: Vorun? Centaur Centaur Gargoyle Gargoyle Ogre Ogre",
     "Red Cross: Angel killed"},
    // The count cannot go past 255, so the undo must give back the creature and not lower it.
    {"ReturnOntoAStackAt255", [] { return TEdit::RemoveCrit(0, 6, false); },
     "legion 0: Vorun? Angel? Centaur Centaur Gargoyle Gargoyle Ogre",
     "Red Cross: Ogre returned to the stacks", At255(Crit::Ogre)},
    {"KillALegion", [] { return TEdit::RemoveLegion(12, true); },
     "land 1: 1; left Angel: 17; legion 12: ; legion 12 at: 0", "Blue Anchor killed"},
    {"ReturnALegion", [] { return TEdit::RemoveLegion(0, false); },
     "land 86: ; left Angel: 17; left Centaur: 25; left Gargoyle: 21; left Ogre: 24; legion 0: ; "
     "legion 0 at: 0",
     "Red Cross returned to the stacks"},
    {"ToggleUnsure", [] { return TEdit::ToggleUnsure(0, 0); },
     "legion 0: Vorun Angel? Centaur Centaur Gargoyle Gargoyle Ogre Ogre",
     "Red Cross: Vorun marked sure"},
    {"RotateLand", [] { return TEdit::RotateLand(5); }, "land 5: 14 15 13",
     "Legions on Jungle 5 rotated", FillJungle5},
    {"RotateALandOfOneLegion", [] { return TEdit::RotateLand(86); }, ""},
    {"PlaceLegion", [] { return TEdit::PlaceLegion(2, 1); }, "land 1: 1 12 2; legion 2 at: 1",
     "Red Fist placed on Plains 1"},
    {"PlaceLegionOnAFullLand", [] { return TEdit::PlaceLegion(2, 5); }, "", nullptr, FillJungle5},
    {"PlaceALegionAlreadyOnTheBoard", [] { return TEdit::PlaceLegion(0, 2); }, ""},
    // Entry 0 names no stack: left alone, as nothing records it for an undo.
    {"SetCounts",
     [] {
         return TEdit::SetCounts({{0, 7}, {Crit::Troll, 300}, {Crit::Ogre, -1}});
     },
     "left Ogre: 255; left Troll: 44", "Creatures remaining corrected: Troll 44, Ogre 255"},
    {"Rename",
     [] {
         return TEdit::Rename({"Friday", "fri", {"Anne", "Bob"}});
     },
     "names: Friday/fri/Anne/Bob", "Names changed to \"Friday\""},
    {"RenameToTheSameNames",
     [] {
         return TEdit::Rename({"Small", "small", {"Ann", "Bob"}});
     },
     ""},
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
    const bool applied = edit.Apply(game);
    const Snapshot after = Take(game);
    EXPECT_EQ(Diff(before, after), c.changed);
    ASSERT_EQ(applied, *c.changed != 0);
    if (!applied) {
        ExpectSame(after, before);
        return;
    }
    if (c.describe) {
        EXPECT_EQ(edit.Describe(game), c.describe);
    }
    ExpectNamed(edit.Undo(game), after, before);
    ExpectSame(Take(game), before);
    ExpectNamed(edit.Redo(game), before, after);
    ExpectSame(Take(game), after);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EditTest, ::testing::ValuesIn(EditCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Everything an edit may change, as bytes hashed: far cheaper than the saved text, for every step
// of a long history.
size_t Fingerprint(const TVorunGame &game)
{
    std::string bytes;
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
    for (const std::string &name : NamesOf(game).players)
        bytes += name + '\n';
    return std::hash<std::string>()(bytes + game.GameName + '\n' + game.FileName);
}

// A long random history on the largest game: undone step by step it passes back through every
// state it went through, to the very start, and redone it reaches the very end.
TEST(EditHistory, RandomEditsUndoAndRedoExactly)
{
    constexpr int Edits = 10000;
    TVorunGame game;
    BuildLargestGame(game);
    std::vector<size_t> states{Fingerprint(game)};
    const EditScript script
        = ApplyRandomEdits(game, Edits, 20240611, [&](const TVorunGame &g, const TEdit &edit) {
              EXPECT_FALSE(edit.Describe(g).empty());
              states.push_back(Fingerprint(g));
          });
    std::map<TEdit::Kind, int> kinds;
    for (const TEdit &edit : script.edits)
        ++kinds[edit.GetKind()];
    EXPECT_EQ(kinds.size(), size_t(TEdit::Kind::Rename) + 1); // every kind among them

    for (size_t i = Edits; i-- > 0;) {
        script.edits[i].Undo(game);
        ASSERT_EQ(Fingerprint(game), states[i]) << "undoing edit " << i;
    }
    for (size_t i = 0; i < Edits; ++i) {
        script.edits[i].Redo(game);
        ASSERT_EQ(Fingerprint(game), states[i + 1]) << "redoing edit " << i;
    }
}
