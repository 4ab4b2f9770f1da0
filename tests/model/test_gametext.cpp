#include "gametext.h"

#include <gtest/gtest.h>

#include <string>

// Older Western saves are told apart from UTF-8 by their bytes alone; a text is counted and shown
// in its own character set, and nothing ever turns into a replacement character.
TEST(GameText, CountsAndShowsEachCharacterSet)
{
    const struct {
        const char *name;
        std::string bytes;
        bool utf8;
        size_t characters;
        std::string shown;
    } cases[] = {
        {"ASCII", "Anne", true, 4, "Anne"},
        {"2-byte UTF-8", "Zo\xc3\xab", true, 3, "Zo\xc3\xab"},
        {"3-byte UTF-8", "\xe2\x82\xac 5", true, 3, "\xe2\x82\xac 5"},
        {"4-byte UTF-8", "\xf0\x9f\x90\x89", true, 1, "\xf0\x9f\x90\x89"},
        {"Latin-1", "Zo\xeb", false, 3, "Zo\xc3\xab"},
        {"Windows-1252 punctuation", "\x80\x96\x9f", false, 3, "\xe2\x82\xac\xe2\x80\x93\xc5\xb8"},
        {"byte unused by Windows-1252", "a\x81", false, 2, "a\xc2\x81"},
        {"overlong slash", "\xc0\xaf", false, 2, "\xc3\x80\xc2\xaf"},
        {"surrogate", "\xed\xa0\x80", false, 3, "\xc3\xad\xc2\xa0\xe2\x82\xac"},
        {"beyond U+10FFFF", "\xf4\x90\x80\x80", false, 4,
         "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac"},
        {"cut-off sequence", "caf\xc3", false, 4, "caf\xc3\x83"},
        {"empty", "", true, 0, ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.utf8) << c.name;
        EXPECT_EQ(CharacterCount(c.bytes), c.characters) << c.name;
        EXPECT_EQ(DisplayUtf8(c.bytes), c.shown) << c.name;
        EXPECT_TRUE(IsValidUtf8(DisplayUtf8(c.bytes))) << c.name;
    }
}

TEST(GameText, CleanFileNameKeepsTheNameInsideTheSavesFolder)
{
    const struct {
        const char *typed;
        const char *name;
        bool removed;
    } cases[] = {{"fri", "fri", false},
                 {"  fri \t", "fri", false},
                 {"a:b*c?d\"e<f>g|h", "abcdefgh", true},
                 {"../../escaped", "escaped", true},
                 {"..\\up", "up", true},
                 {".hidden", "hidden", true},
                 {"tab\there", "tabhere", true},
                 {"caf\xe9.v2", "caf\xe9.v2", false},
                 {"", "", false}};
    for (const auto &c : cases) {
        const CleanedFileName cleaned = CleanFileName(c.typed);
        EXPECT_EQ(cleaned.name, c.name) << c.typed;
        EXPECT_EQ(cleaned.removedCharacters, c.removed) << c.typed;
    }
}
