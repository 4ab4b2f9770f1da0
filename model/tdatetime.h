#pragma once

#include <string>

// A local date and time split into its parts. The default value is the zero time that a loaded
// game carries as its start time: 30 December 1899, 00:00:00.
struct TDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The six-character stamp that makes every save file name unique: last digit of the year, month
// and day as base-36 digits, then the two-second units since midnight as three base-36 digits.
std::string TimeStamp(const TDateTime &time);
