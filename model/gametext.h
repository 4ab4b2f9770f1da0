#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Names and notes are kept as the bytes the user typed. This program types UTF-8, but saves made on
// older Western systems hold the 8-bit Windows-1252 character set, and the two are told apart by
// whether the bytes are valid UTF-8. The bytes themselves are never rewritten, so a game saved
// again stays as it was; only counting and showing the text depends on its character set.

bool IsValidUtf8(std::string_view text);

// The number of characters: UTF-8 code points when the text is valid UTF-8, bytes otherwise.
size_t CharacterCount(std::string_view text);

// The text as valid UTF-8 for the screen: itself when it already is, otherwise decoded from
// Windows-1252 (its five unused bytes stand for the control characters of the same number, so
// nothing is ever lost or shown as a replacement character).
std::string DisplayUtf8(std::string_view text);

// A file name that the players' desktops can show and keep: blanks and control characters
// trimmed from both ends, the characters no desktop allows in a file name removed, and leading
// dots removed (they would hide the saves). The second result tells whether anything other than
// the trimming removed characters.
struct CleanedFileName {
    std::string name;
    bool removedCharacters = false;
};
CleanedFileName CleanFileName(std::string_view typed);
