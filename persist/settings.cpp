#include "settings.h"

#include "product.h"
#include "readfile.h"
#include "util.h"

#include <array>
#include <fstream>
#include <istream>
#include <ostream>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

#include <sys/stat.h>

namespace {

// Longer lines end the reading: the file is hand-edited, and a runaway line means it is not ours.
constexpr size_t MaxLineLength = 254;

enum SettingKey { KeyTop, KeyLeft, KeyWidth, KeyHeight, KeyMax, KeyBoardSize, KeyCount };

// The keys as the writer spells them; the reader compares them lower-cased.
constexpr std::array<const char *, KeyCount> KeyNames = {
    "WindowTop", "WindowLeft", "WindowWidth", "WindowHeight", "WindowMax", "BoardSize",
};

constexpr const char *MaxOff = "no";
constexpr const char *MaxOnText = "Yes";
constexpr const char *MaxOffText = "No";
constexpr const char *TitleSuffix = " Startup Settings";

// The box around the title: "; *", the centred title, "*" in the last column.
constexpr size_t BoxWidth = 52;
constexpr const char *BoxLeft = "; *";
constexpr const char *BoxRight = "*";
constexpr const char *BoxEdge = "; **************************************************";
constexpr const char *BoxInside = "; *                                                *";

constexpr std::array<const char *, 24> HeaderText = {
    "",
    "; Edit the fields in this file to change the game's look at startup.",
    "",
    "; WindowMax determines if the game starts with the window maximized",
    "; Default: Yes",
    "; Choices: Yes No",
    "",
    "; WindowTop and WindowLeft determine the position of the upper-left",
    "; corner of the window.  WindowWidth and WindowHeight determine the",
    "; window's starting width and height in pixels.  All 4 of these",
    "; settings are IGNORED if WindowMax=Yes.",
    "; The window cannot be smaller than the default width and height.",
    "; Defaults: Top=0, Left=0, Width=640, Height=443",
    "",
    "; BoardSize determines how large the masterboard graphic is.",
    "; Default: 0",
    "; Choices:",
    "; 0 -> make it as large as possible that still fits in the window",
    "; 1 ->  467 x  416 (fills screen size  640 x  480)",
    "; 2 ->  622 x  554 (fills screen size  800 x  600)",
    "; 3 ->  808 x  721 (fills screen size 1024 x  768)",
    "; 4 -> 1025 x  915 (fills screen size 1280 x  960)",
    "; 5 -> 1087 x  970 (fills screen size 1280 x 1024)",
    "",
};

// Lower-cases ASCII letters only: the keys and "no" are ASCII, and the user's locale must not
// change what a key means.
std::string AsciiLower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return text;
}

struct SettingLine {
    std::string key;
    std::string value;
};

// A line reduced to key and value, or false when it holds no setting.
bool ParseLine(std::string line, SettingLine &setting)
{
    size_t comment = line.find(';');
    if (comment != std::string::npos)
        line.erase(comment);
    line = AsciiLower(Trim(line));
    size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0)
        return false;
    setting.key = line.substr(0, equals);
    setting.value = line.substr(equals + 1);
    return true;
}

// The value of every key as first given; an absent key stays empty.
std::array<std::string, KeyCount> ReadValues(std::istream &in)
{
    std::array<std::string, KeyCount> values;
    std::array<bool, KeyCount> seen{};
    // Room for the longest line read, its carriage return and the end mark: a longer line stops
    // the reading before it is ever held in memory whole.
    char buffer[MaxLineLength + 3];
    while (in.getline(buffer, sizeof buffer) || in.gcount() > 0) {
        if (in.fail() && !in.eof())
            break; // the line does not fit: too long
        // gcount includes the line feed, unless the file ended first.
        const std::string line(buffer, size_t(in.gcount()) - (in.eof() ? 0 : 1));
        size_t length = line.size();
        if (length > 0 && line[length - 1] == '\r')
            --length; // part of the line end
        if (length > MaxLineLength)
            break;
        SettingLine setting;
        if (!ParseLine(line, setting))
            continue;
        for (size_t k = 0; k < KeyCount; ++k) {
            if (!seen[k] && setting.key == AsciiLower(KeyNames[k])) {
                seen[k] = true;
                values[k] = setting.value;
            }
        }
    }
    return values;
}

int32_t InRange(int32_t value, int32_t low, int32_t high, int32_t replacement)
{
    return value < low || value > high ? replacement : value;
}

std::string TitleLine()
{
    std::string title = std::string(ProductLongName) + TitleSuffix;
    std::string left = BoxLeft;
    size_t inner = BoxWidth - left.size() - std::string(BoxRight).size();
    size_t padding = title.size() < inner ? inner - title.size() : 0;
    size_t before = padding / 2;
    return left + std::string(before, ' ') + title + std::string(padding - before, ' ') + BoxRight;
}

void WriteSetting(std::ostream &out, SettingKey key, const std::string &value)
{
    out << KeyNames[key] << '=' << value << '\n';
}

} // namespace

TStartupSettings ReadStartupSettings(std::istream &in)
{
    const TStartupSettings defaults;
    const std::array<std::string, KeyCount> values = ReadValues(in);
    TStartupSettings settings;
    settings.WindowTop = StrToIntDef(values[KeyTop], defaults.WindowTop);
    settings.WindowLeft = StrToIntDef(values[KeyLeft], defaults.WindowLeft);
    settings.WindowWidth = StrToIntDef(values[KeyWidth], defaults.WindowWidth);
    settings.WindowHeight = StrToIntDef(values[KeyHeight], defaults.WindowHeight);
    settings.BoardSize = StrToIntDef(values[KeyBoardSize], defaults.BoardSize);
    settings.WindowMax = values[KeyMax] != MaxOff;

    settings.WindowTop = InRange(settings.WindowTop, -20, 1024, defaults.WindowTop);
    settings.WindowLeft = InRange(settings.WindowLeft, -1280, 1280, defaults.WindowLeft);
    settings.WindowHeight = InRange(settings.WindowHeight, 443, 2000, defaults.WindowHeight);
    settings.WindowWidth = InRange(settings.WindowWidth, 640, 2000, defaults.WindowWidth);
    settings.BoardSize = InRange(settings.BoardSize, 0, 5, defaults.BoardSize);
    return settings;
}

TStartupSettings ReadStartupSettingsFile(const std::string &path)
{
    // A pipe, a device or a huge file under this name is no settings file: the defaults apply.
    const FileRead file = ReadRegularFile(path);
    if (file.status != ReadStatus::Read)
        return TStartupSettings();
    std::istringstream in(file.bytes);
    return ReadStartupSettings(in);
}

void WriteStartupSettings(std::ostream &out, const TSettingsToWrite &values)
{
    out << BoxEdge << '\n' << BoxInside << '\n' << TitleLine() << '\n';
    out << BoxInside << '\n' << BoxEdge << '\n';
    for (const char *line : HeaderText)
        out << line << '\n';
    WriteSetting(out, KeyMax, values.windowMax ? MaxOnText : MaxOffText);
    WriteSetting(out, KeyTop, values.top);
    WriteSetting(out, KeyLeft, values.left);
    WriteSetting(out, KeyWidth, values.width);
    WriteSetting(out, KeyHeight, values.height);
    WriteSetting(out, KeyBoardSize, std::to_string(values.boardSize));
}

bool WriteStartupSettingsFile(const std::string &path, const TSettingsToWrite &values,
                              std::string *reason)
{
    const auto failed = [reason](const std::string &why) {
        if (reason)
            *reason = why;
        return false;
    };
    // Written in place, not through a temporary file: a settings file the user made read-only
    // must stay as it is, and the dialog then says the file could not be opened. Opening a pipe
    // of that name would wait for a reader for ever.
    struct stat info { };
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return failed(S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : NotOrdinaryFileReason);
    // An installed program keeps its settings in the user's folder, made on first use.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return failed(std::strerror(errno));
    WriteStartupSettings(out, values);
    out.close();
    return !out.fail() || failed(std::strerror(EIO));
}
