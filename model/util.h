#pragma once

#include <cstdint>
#include <string>

// Reads a whole number the way every number typed by the user or found in the settings file is
// read: leading blanks skipped, an optional sign, decimal digits (or hexadecimal after "$" or
// "0x"). Anything else, or a value outside the signed 32-bit range, gives the default.
int32_t StrToIntDef(const std::string &text, int32_t defaultValue);

// Strips every character of code 32 or below from both ends.
std::string Trim(const std::string &text);
