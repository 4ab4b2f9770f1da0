#include "tcharleft.h"

#include "tcatalog.h"

#include <gtest/gtest.h>

// Counts are 8 bits wide: taking stops at 0, returning at 255 (a wrap to 0 would lose the whole
// stack). The Vorun has no stack to take from, whatever its count says.
TEST(CharLeft, TakeStopsAtZeroAndReturnAt255)
{
    TCharLeft stacks;
    EXPECT_EQ(stacks.CharLeftArray(), StackTotal);
    stacks.SetCount(Crit::Troll, 1);
    EXPECT_TRUE(stacks.TakeFromStack(Crit::Troll));
    EXPECT_FALSE(stacks.TakeFromStack(Crit::Troll));
    EXPECT_EQ(stacks.GetCharLeft(Crit::Troll), 0);
    stacks.ReturnToStack(Crit::Angel);
    EXPECT_EQ(stacks.GetCharLeft(Crit::Angel), StackTotal[Crit::Angel] + 1);
    stacks.SetCount(Crit::Ogre, 254);
    stacks.ReturnToStack(Crit::Ogre);
    EXPECT_EQ(stacks.GetCharLeft(Crit::Ogre), 255);
    stacks.ReturnToStack(Crit::Ogre);
    EXPECT_EQ(stacks.GetCharLeft(Crit::Ogre), 255);
    stacks.SetCount(Crit::Vorun, 5);
    EXPECT_FALSE(stacks.TakeFromStack(Crit::Vorun));
    // An "Unknown" creature, which a saved game may hold, has no stack at all.
    const TCharLeft::Counts before = stacks.CharLeftArray();
    stacks.ReturnToStack(Crit::Unknown);
    stacks.SetCount(Crit::Unknown, 3);
    EXPECT_FALSE(stacks.TakeFromStack(Crit::Unknown));
    EXPECT_EQ(stacks.CharLeftArray(), before);
}

TEST(CharLeft, SetCharLeftKeepsLowBytesAndIgnoresEntryZero)
{
    TCharLeft stacks;
    std::array<int32_t, 25> values{7, 256, 300, -1};
    values[24] = 12;
    stacks.SetCharLeft(values);
    TCharLeft::Counts expected{0, 0, 44, 255};
    expected[24] = 12;
    EXPECT_EQ(stacks.CharLeftArray(), expected);
}
