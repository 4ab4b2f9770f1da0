#include "landtext.h"

#include "tlandstacks.h"
#include "tlegion.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Unsure = 26; // added to a saved creature code

struct LegionSpec {
    uint8_t colour;
    const char *marker;
    std::array<int32_t, TLegion::MaxCrits> codes;
};

} // namespace

// Every legion of the land shows in the tool tip, the top one first, whole and with its worth;
// the description is the panel's heading and the legions' creatures.
TEST(LandText, ToolTipAndDescriptionNameEveryLegion)
{
    const struct {
        const char *name;
        int land;
        std::vector<LegionSpec> legions;
        const char *toolTip;
        const char *description;
    } cases[] = {
        {"empty land", 1, {}, "Plains 1", "Plains 1"},
        {"one legion with the Vorun",
         2,
         {{5, "Salamander", {19 + Unsure, 1 + Unsure, 4, 16}}},
         "Woods 2\nRed Salamander (?72 points): Vorun?, Angel?, Centaur, Ogre",
         "Woods 2  (1S)\nRed Salamander: Vorun?, Angel?, Centaur, Ogre"},
        {"three legions",
         90,
         {{0, "Axes", {20}}, {1, "Anchor", {10 + Unsure, 6}}, {3, "Scroll", {23}}},
         "Tower 600\nBlack Axes (16 points): Troll\nBlue Anchor (36 points): Gorgon?, Cyclops\n"
         "Gold Scroll (20 points): Warlock",
         "Tower 600  (3S)\nBlack Axes: Troll\nBlue Anchor: Gorgon?, Cyclops\nGold Scroll: Warlock"},
        {"legion of eight",
         8,
         {{4, "Fist", {20, 20, 20, 20, 17, 17, 24, 22 + Unsure}}},
         "Marsh 8\nGreen Fist (135 points): Troll, Troll, Troll, Troll, Ranger, Ranger, Wyvern, "
         "Warbear?",
         "Marsh 8  (1S)\nGreen Fist: Troll, Troll, Troll, Troll, Ranger, Ranger, Wyvern, Warbear?"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<TLegion>> legions;
        TLandStacks land;
        for (const LegionSpec &spec : c.legions) {
            legions.push_back(std::make_unique<TLegion>(nullptr, spec.colour, spec.marker, 0));
            legions.back()->SetCrits(spec.codes);
            ASSERT_TRUE(land.AddStack(legions.back().get(), false));
        }
        EXPECT_EQ(LandToolTip(c.land, land), c.toolTip);
        EXPECT_EQ(LandDescription(c.land, land), c.description);
    }
}

// The legion window's creature pictures name the creature and its worth, as a legion's is shown.
TEST(LandText, CreatureTextGivesNameAndWorth)
{
    EXPECT_EQ(CreatureText(Crit::Angel, false), "Angel (24 points)");
    EXPECT_EQ(CreatureText(Crit::Ogre, true), "Ogre? (12 points)");
    EXPECT_EQ(CreatureText(Crit::Vorun, false), "Vorun (?24 points)");
}
