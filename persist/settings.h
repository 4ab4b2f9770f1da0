#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

// The startup settings file VorunKelm.ini beside the program: how the main window and the board
// look when a game is put on screen. Read once at start; written only by the settings dialog.

struct TStartupSettings {
    int32_t WindowTop = 0;
    int32_t WindowLeft = 0;
    int32_t WindowWidth = 640;
    int32_t WindowHeight = 443;
    bool WindowMax = true;
    int32_t BoardSize = 0; // 0 = chosen from the window height, 1 … 5 = that size
};

// The main window's present state beside the stored settings, for the settings dialog.
struct TWindowSettings {
    bool maxNow = false;
    bool maxStart = true;
    int32_t topNow = 0;
    int32_t topStart = 0;
    int32_t leftNow = 0;
    int32_t leftStart = 0;
    int32_t heightNow = 0;
    int32_t heightStart = 443;
    int32_t widthNow = 0;
    int32_t widthStart = 640;
    int32_t boardSizeNow = 1;
    int32_t boardSizeStart = 0;
};

// The values the settings dialog writes: the four window numbers as typed, unchecked.
struct TSettingsToWrite {
    bool windowMax = true;
    std::string top;
    std::string left;
    std::string width;
    std::string height;
    int boardSize = 0;
};

constexpr const char *IniFileBaseName = "VorunKelm.ini";

TStartupSettings ReadStartupSettings(std::istream &in);
// A missing or unreadable file gives the defaults, silently.
TStartupSettings ReadStartupSettingsFile(const std::string &path);

void WriteStartupSettings(std::ostream &out, const TSettingsToWrite &values);
// False when the file cannot be opened for writing (nothing is written then), with the system's
// reason in `reason`. The file's folder is made when it is missing.
bool WriteStartupSettingsFile(const std::string &path, const TSettingsToWrite &values,
                              std::string *reason = nullptr);
