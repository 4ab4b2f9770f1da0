#include "tcharleft.h"

#include "tcatalog.h"

#include <gtest/gtest.h>

// Taking stops at 0 (returning stops at 255: the edits check that). Neither the Vorun nor an
// "Unknown" creature, which a saved game may hold, has a stack, whatever its count says.
TEST(CharLeft, TakeStopsAtZeroAndOnlyRealTypesHaveStacks)
{
    TCharLeft stacks;
    stacks.SetCount(Crit::Troll, 1);
    EXPECT_TRUE(stacks.TakeFromStack(Crit::Troll));
    EXPECT_FALSE(stacks.TakeFromStack(Crit::Troll));
    stacks.SetCount(Crit::Vorun, 5);
    stacks.SetCount(Crit::Unknown, 3);
    for (uint8_t type : {Crit::Vorun, Crit::Unknown}) {
        EXPECT_FALSE(stacks.TakeFromStack(type));
        stacks.ReturnToStack(type);
    }
    TCharLeft::Counts expected = StackTotal;
    expected[Crit::Troll] = 0;
    expected[Crit::Vorun] = 5;
    EXPECT_EQ(stacks.CharLeftArray(), expected);
}
