#include "tedit.h"

#include "edit_script.h"
#include "savegame.h"
#include "tgame.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace {
using Parts = std::map<std::string, std::string>;

// Items with "-" for an empty one, up to the last one used: "Vorun? - Angel".
void Add(Parts &parts, const std::string &key, std::vector<std::string> items)
{
    while (!items.empty() && items.back() == "-")
        items.pop_back();
    std::string &text = parts[key];
    for (const std::string &item : items)
        text += (text.empty() ? "" : " ") + item;
}

// What an undo must give back: the game as saved and, by name, each thing an edit may change,
// with the order of the legions on each land, which the saved text does not keep.
Parts PartsOf(const TVorunGame &game)
{
    Parts parts{{"saved", SavedGameText(game)}};
    for (int ref = 0; ref < game.PlayerCount() * MarkersPerColor; ++ref) {
        const TLegion &legion = *game.Legion(ref);
        std::vector<std::string> crits;
        for (size_t i = 0; i < TLegion::MaxCrits; ++i)
            crits.push_back((legion.GetCrits()[i] ? CritNames[legion.GetCrits()[i]] : "-")
                            + std::string(legion.GetUnsure()[i] ? "?" : ""));
        Add(parts, "legion " + std::to_string(ref), crits);
        parts["legion " + std::to_string(ref) + " at"] = std::to_string(legion.GetLocation());
    }
    for (int n = 1; n <= LandCount; ++n) {
        std::vector<std::string> refs;
        for (const TLegion *legion : game.Land(n).GetSlots())
            refs.push_back(legion ? std::to_string(legion->Ref()) : "-");
        Add(parts, "land " + std::to_string(n), refs);
    }
    for (uint8_t type = 0; type < game.Stacks().CharLeftArray().size(); ++type)
        parts["left " + std::string(CritNames[type])]
            = std::to_string(game.Stacks().GetCharLeft(type));
    const TGameNames names = NamesOf(game);
    Add(parts, "names", {names.game + "/" + names.file});
    for (const std::string &name : names.players)
        parts["names"] += "/" + name;
    return parts;
}

// What changed from one state to the next but the saved text: "land 1: 0 1 12; legion 0 at: 1".
std::string Diff(const Parts &from, const Parts &to)
{
    std::string text;
    for (const auto &[key, value] : to)
        if (from.at(key) != value && key != "saved")
            text += (text.empty() ? "" : "; ") + key + ": " + value;
    return text;
}

// An undo gives back exactly the earlier game, a redo the later, each naming for the windows to
// redraw every land whose legions changed, the stacks when a count did, the names when they did.
void ExpectStep(const TChange &change, const TVorunGame &game, const Parts &from, const Parts &to)
{
    EXPECT_EQ(PartsOf(game), to);
    for (const auto &[key, value] : to)
        if (from.at(key) != value) {
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

struct EditCase {
    const char *name;
    TEdit (*make)();
    const char *changed; // every part the edit changed; none when the game refuses it
    const char *describe = nullptr; // the history's sentence, where checked
    // After SmallGame: Blue's legions 13 … 15 fill Jungle 5; the stack of this type stands at 255.
    bool jungle5Full = false;
    uint8_t at255 = 0;
};

const EditCase EditCases[] = {
    {"MoveLegion", [] { return TEdit::MoveLegion(0, 1); },
     "land 1: 0 1 12; land 86: ; legion 0 at: 1", "Red Cross moved from Tower 200 to Plains 1"},
    {"MoveLegionFromTheMiddle", [] { return TEdit::MoveLegion(14, 1); },
     "land 1: 14 1 12; land 5: 13 15; legion 14 at: 1", nullptr, true},
    {"MoveLegionOntoAFullLand", [] { return TEdit::MoveLegion(0, 5); }, "", nullptr, true},
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
     "legion 1: Troll Ogre Gorgon; legion 12: Angel", nullptr, false, Crit::Gorgon},
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
     "Red Cross: Ogre returned to the stacks", false, Crit::Ogre},
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
     "Legions on Jungle 5 rotated", true},
    {"RotateALandOfOneLegion", [] { return TEdit::RotateLand(86); }, ""},
    {"PlaceLegion", [] { return TEdit::PlaceLegion(2, 1); }, "land 1: 1 12 2; legion 2 at: 1",
     "Red Fist placed on Plains 1"},
    {"PlaceLegionOnAFullLand", [] { return TEdit::PlaceLegion(2, 5); }, "", nullptr, true},
    {"PlaceALegionAlreadyOnTheBoard", [] { return TEdit::PlaceLegion(0, 2); }, ""},
    // Entry 0 names no stack: left alone, as nothing records it for an undo.
    {"SetCounts",
     [] {
         return TEdit::SetCounts({{0, 7}, {Crit::Troll, 300}, {Crit::Ogre, -1}});
     },
     "left Ogre: 255; left Troll: 44", "Creatures remaining corrected: Troll 44, Ogre 255"},
    {"Rename",
     [] {
         return TEdit::Rename(TGameNames{"Friday", "fri", {"Anne", "Bob"}});
     },
     "names: Friday/fri/Anne/Bob", "Names changed to \"Friday\""},
    {"RenameToTheSameNames",
     [] {
         return TEdit::Rename(TGameNames{"Small", "small", {"Ann", "Bob"}});
     },
     ""},
};

class EditTest : public ::testing::TestWithParam<EditCase> { };

} // namespace

TEST_P(EditTest, AppliesThenUndoesAndRedoesExactly)
{
    const EditCase &c = GetParam();
    TVorunGame game;
    SmallGame(game);
    for (int ref : {13, 14, 15})
        if (c.jungle5Full)
            game.PlaceLegion(*game.Legion(ref), 5);
    if (c.at255)
        game.Stacks().SetCount(c.at255, 255);
    const Parts before = PartsOf(game);
    TEdit edit = c.make();
    const bool applied = edit.Apply(game);
    const Parts after = PartsOf(game);
    EXPECT_EQ(Diff(before, after), c.changed);
    ASSERT_EQ(applied, *c.changed != 0);
    if (!applied) {
        EXPECT_EQ(after, before);
        return;
    }
    if (c.describe) {
        EXPECT_EQ(edit.Describe(game), c.describe);
    }
    ExpectStep(edit.Undo(game), game, after, before);
    ExpectStep(edit.Redo(game), game, before, after);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EditTest, ::testing::ValuesIn(EditCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A long random history on the largest game: undone step by step it passes back through every
// state it went through, to the very start, and redone it reaches the very end.
TEST(EditHistory, RandomEditsUndoAndRedoExactly)
{
    constexpr int Edits = 10000;
    // Everything an edit may change, off the board too, as bytes hashed: far cheaper than the
    // saved text, for every step.
    const auto fingerprint = [](const TVorunGame &g) {
        std::string bytes = g.GameName + '\n' + g.FileName;
        for (int ref = 0; ref < g.PlayerCount() * MarkersPerColor; ++ref) {
            const TLegion &legion = *g.Legion(ref);
            bytes += char(legion.GetLocation());
            for (size_t i = 0; i < TLegion::MaxCrits; ++i)
                bytes += char(legion.GetCrits()[i] + (legion.GetUnsure()[i] ? Crit::CodeCount : 0));
        }
        for (int n = 1; n <= LandCount; ++n)
            for (const TLegion *legion : g.Land(n).GetSlots())
                bytes += char(legion ? legion->Ref() : 0xff);
        bytes.append(g.Stacks().CharLeftArray().begin(), g.Stacks().CharLeftArray().end());
        for (const std::string &name : NamesOf(g).players)
            bytes += name + '\n';
        return std::hash<std::string>()(bytes);
    };
    TVorunGame game;
    BuildLargestGame(game);
    std::vector<size_t> states{fingerprint(game)};
    const EditScript script
        = ApplyRandomEdits(game, Edits, 20240611, [&](const TVorunGame &g, const TEdit &edit) {
              EXPECT_FALSE(edit.Describe(g).empty());
              states.push_back(fingerprint(g));
          });
    std::set<TEdit::Kind> kinds;
    for (const TEdit &edit : script.edits)
        kinds.insert(edit.GetKind());
    EXPECT_EQ(kinds.size(), size_t(TEdit::Kind::Rename) + 1); // every kind among them

    for (size_t i = Edits; i-- > 0;) {
        script.edits[i].Undo(game);
        ASSERT_EQ(fingerprint(game), states[i]) << "undoing edit " << i;
    }
    for (size_t i = 0; i < Edits; ++i) {
        script.edits[i].Redo(game);
        ASSERT_EQ(fingerprint(game), states[i + 1]) << "redoing edit " << i;
    }
}
