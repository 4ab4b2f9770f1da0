#include "tmastrbd.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "uilink.h"

namespace {

// Why a board picture did not load, for the second line of the message.
std::string PictureProblem(const std::string &picture)
{
    std::error_code error;
    if (!std::filesystem::exists(picture, error))
        return error ? error.message()
                     : std::make_error_code(std::errc::no_such_file_or_directory).message();
    return "Not a picture this program can read";
}

constexpr double HexHeight = 0.8660254; // about the square root of 3 over 2
constexpr double LandHeight = 2.5980762; // three times HexHeight

constexpr std::array<int, BoardSizeCount> BoardUnits = {15, 20, 26, 33, 35};

} // namespace

const std::array<TLandInfo, LandCount + 1> LandTable = {{
    {Plains, 0, 0}, // no land 0
    {Plains, 7, 5},    {Woods, 8, 6},   {Brush, 8, 6},     {Hills, 9, 7},   {Jungle, 10, 6},
    {Plains, 10, 6},   {Desert, 9, 5},  {Marsh, 9, 5},     {Hills, 10, 4},  {Brush, 11, 5},
    {Woods, 12, 4},    {Jungle, 12, 4}, {Marsh, 11, 3},    {Swamp, 10, 4},  {Plains, 9, 3},
    {Woods, 9, 3},     {Brush, 10, 2},  {Hills, 10, 2},    {Jungle, 9, 1},  {Plains, 8, 2},
    {Desert, 8, 2},    {Marsh, 7, 3},   {Hills, 6, 2},     {Brush, 6, 2},   {Woods, 5, 1},
    {Jungle, 4, 2},    {Marsh, 4, 2},   {Swamp, 5, 3},     {Plains, 5, 3},  {Woods, 4, 4},
    {Brush, 3, 3},     {Hills, 2, 4},   {Jungle, 2, 4},    {Plains, 3, 5},  {Desert, 4, 4},
    {Marsh, 5, 5},     {Hills, 5, 5},   {Brush, 4, 6},     {Woods, 4, 6},   {Jungle, 5, 7},
    {Marsh, 6, 6},     {Swamp, 6, 6},   {Plains, 7, 7},    {Brush, 8, 8},   {Marsh, 9, 7},
    {Jungle, 10, 8},   {Plains, 11, 7}, {Brush, 11, 7},    {Desert, 12, 6}, {Marsh, 12, 6},
    {Brush, 13, 5},    {Plains, 13, 5}, {Swamp, 14, 4},    {Marsh, 14, 4},  {Brush, 13, 3},
    {Jungle, 13, 3},   {Plains, 12, 2}, {Brush, 12, 2},    {Marsh, 11, 1},  {Desert, 11, 1},
    {Plains, 10, 0},   {Brush, 9, 1},   {Swamp, 8, 0},     {Marsh, 7, 1},   {Brush, 6, 0},
    {Plains, 5, 1},    {Jungle, 4, 0},  {Marsh, 3, 1},     {Brush, 3, 1},   {Desert, 2, 2},
    {Plains, 2, 2},    {Brush, 1, 3},   {Marsh, 1, 3},     {Swamp, 0, 4},   {Plains, 0, 4},
    {Brush, 1, 5},     {Jungle, 1, 5},  {Marsh, 2, 6},     {Brush, 2, 6},   {Plains, 3, 7},
    {Desert, 3, 7},    {Marsh, 4, 8},   {Brush, 5, 7},     {Swamp, 6, 8},   {Tower, 7, 7},
    {Tower, 11, 5},    {Tower, 11, 3},  {Tower, 7, 1},     {Tower, 3, 3},   {Tower, 3, 5},
    {Mountains, 7, 5}, {Tundra, 8, 4},  {Mountains, 8, 4}, {Tundra, 7, 3},  {Mountains, 6, 4},
    {Tundra, 6, 4},
}};

int LandLabel(int land)
{
    if (land <= 42)
        return land;
    if (land <= 84)
        return land + 58;
    if (land <= 90)
        return (land - 84) * 100;
    return (land - 90) * 1000;
}

std::string LandName(int land)
{
    return std::string(TerrainNames[LandTable[size_t(land)].terrain]) + " "
        + std::to_string(LandLabel(land));
}

std::string LandTitle(int land)
{
    std::string title = LandName(land);
    for (size_t i = 1; i < title.size(); ++i)
        title[i] = char(std::tolower(static_cast<unsigned char>(title[i])));
    return title;
}

bool LandIsUpward(int land)
{
    bool even = land % 2 == 0;
    return land <= 84 ? even : !even;
}

int BoardUnitForSize(int size)
{
    return BoardUnits[size_t(std::clamp(size, 1, BoardSizeCount) - 1)];
}

int PictureDigit(int s)
{
    return s / 5 - 2;
}

TRect LandBox(int land, int s)
{
    const TLandInfo &info = LandTable[size_t(land)];
    int x = BoardLeft + 2 * info.column * s;
    int y = int(4 * info.row * HexHeight * s + 0.5);
    if (LandIsUpward(land))
        y = int(y - (3 * s * HexHeight + 0.5));
    return {x, y, x + 3 * s + 2, int(LandHeight * s + y + 1.5)};
}

TRect LandActiveArea(int land, int s)
{
    TRect box = LandBox(land, s);
    int left = box.left + s / 2;
    return {left, box.top, left + 2 * s, box.bottom};
}

TOutline LandOutline(bool upward, int s)
{
    const double h = s * HexHeight;
    const bool wide = s == 26 || s == 33;
    const double a = wide ? 0 : 0.5;
    const double b = wide ? 2 : 1.5;
    TOutline points;
    if (upward) {
        points = {{{(s + 3) / 2, int(3 * h + 1.5)},
                   {1, int(2 * h + b)},
                   {s + 1, 1},
                   {2 * s + 1, 1},
                   {3 * s + 1, int(2 * h + b)},
                   {(5 * s + 2) / 2, int(3 * h + 1.5)},
                   {}}};
    } else {
        points = {{{(5 * s + 2) / 2, 0},
                   {3 * s + 1, int(h + a)},
                   {2 * s + 1, int(3 * h + 0.5)},
                   {s + 1, int(3 * h + 0.5)},
                   {1, int(h + a)},
                   {(s + 3) / 2, 0},
                   {}}};
    }
    points[6] = points[0];
    return points;
}

TRect MarkerBox(int s, bool upward, bool second)
{
    const int h1 = (3 * s) / 2;
    const int left = second ? 5 * s / 6 : s / 2;
    const int right = second ? 7 * s / 3 + 2 : 2 * s + 2;
    if (!upward)
        return second ? TRect{left, s / 3 + 1, right, 11 * s / 6 + 3}
                      : TRect{left, 1, right, h1 + 3};
    // The second marker sits a third of a unit higher, so that the first one covers it less.
    const int bottom = int(LandHeight * s + 0.5 - (second ? s / 3 : 0));
    return {left, bottom - h1 - 2, right, bottom};
}

TMarkerFont MarkerFontFor(int s)
{
    TMarkerFont font;
    font.name = s < 20 ? "Small Fonts" : s < 35 ? "Tahoma" : "Lucida Sans Unicode";
    font.size = s / 6 * 3;
    font.bold = s >= 20;
    return font;
}

TPoint BoardExtent(int s)
{
    int bottom = 0;
    for (int land = 1; land <= LandCount; ++land)
        bottom = std::max(bottom, LandBox(land, s).bottom);
    return {31 * s + 2, bottom};
}

int AutoBoardSize(int clientHeight)
{
    if (clientHeight >= 976)
        return 5;
    if (clientHeight >= 913)
        return 4;
    if (clientHeight >= 721)
        return 3;
    if (clientHeight >= 553)
        return 2;
    return 1;
}

std::string BoardPictureFile(const std::string &programDir, int s)
{
    return programDir + "GRAPHICS/VORNBRD" + std::to_string(PictureDigit(s)) + ".BMP";
}

TVorunMasterboard::TVorunMasterboard(std::string programDir, int chosenSize)
    : programDir(std::move(programDir))
{
    SetBoardSize(chosenSize, true);
    initialized = true;
}

TVorunMasterboard::~TVorunMasterboard() = default;

void TVorunMasterboard::SetBoardSize(int chosenSize, bool first)
{
    if (!first && !initialized)
        return;
    int unit = BoardUnitForSize(chosenSize);
    if (unit == s && !first)
        return;
    s = unit;
    const std::string picture = BoardPictureFile(programDir, s);
    if (!Ui::LoadBoardPicture(picture, s))
        Ui::FatalError("Cannot load main board image.  Bad install.\n" + picture + ": "
                           + PictureProblem(picture),
                       "Critical Error");
    Ui::BoardResized();
    upOutline = LandOutline(true, s);
    downOutline = LandOutline(false, s);
    markerFont = MarkerFontFor(s);
    for (int n = 1; n <= LandCount; ++n) {
        if (first)
            lands[size_t(n)] = std::make_unique<TVorunMBLand>(n);
        lands[size_t(n)]->PlaceAreas(s);
    }
}
