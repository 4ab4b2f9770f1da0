#include "util.h"

#include <gtest/gtest.h>

TEST(Util, StrToIntDef)
{
    const std::pair<const char *, int32_t> accepted[] = {{"   +7", 7},
                                                         {"$1F", 31},
                                                         {"0x1f", 31},
                                                         {"-$10", -16},
                                                         {"2147483647", INT32_MAX},
                                                         {"-2147483648", INT32_MIN}};
    for (const auto &[text, value] : accepted)
        EXPECT_EQ(StrToIntDef(text, -99), value) << text;
    for (const char *text :
         {"2147483648", "-2147483649", "99999999999999999999", "", "-", "0x", "12a", "- 5", " 7 "})
        EXPECT_EQ(StrToIntDef(text, -99), -99) << '"' << text << '"';
}

TEST(Util, TrimStripsCodesUpTo32AtBothEnds)
{
    EXPECT_EQ(Trim("  a b \t\r\n"), "a b");
    EXPECT_EQ(Trim("\x01x\x7f"), "x\x7f");
    EXPECT_EQ(Trim(" \x1f "), "");
}
