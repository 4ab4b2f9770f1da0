#pragma once

#include <array>
#include <memory>
#include <string>

#include "tmbland.h"

constexpr int LandCount = 96;
constexpr int BoardSizeCount = 5;
// The board picture's left edge in the main window: the columns left of it hold the panel.
constexpr int BoardLeft = 149;

struct TPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TPoint &o) const { return x == o.x && y == o.y; }
};
using TOutline = std::array<TPoint, 7>; // closed: the last point repeats the first

struct TMarkerFont {
    std::string name;
    int size = 0; // points
    bool bold = false;
    TRgb color{255, 255, 255};
};

// The fixed table entry of one land.
struct TLandInfo {
    TTerrain terrain;
    int column; // 0 … 14
    int row; // 0 … 8
};
extern const std::array<TLandInfo, LandCount + 1> LandTable; // index 0 unused

// Pure arithmetic of the board, also used by the board picture generator.
int LandLabel(int land);
std::string LandName(int land);
// As the panel and the game history name a land: "Plains 1", "Tower 200".
std::string LandTitle(int land);
bool LandIsUpward(int land);
int BoardUnitForSize(int size); // size 1 … 5 → s
int PictureDigit(int s); // s / 5 − 2
TRect LandBox(int land, int s); // unscrolled
TRect LandActiveArea(int land, int s); // unscrolled
TOutline LandOutline(bool upward, int s);
// Where a land's top legion's marker (and, behind it, the second legion's) is drawn, in the
// coordinates of the land's box.
TRect MarkerBox(int s, bool upward, bool second);
TMarkerFont MarkerFontFor(int s);
TPoint BoardExtent(int s); // width and height of the board picture
// The size chosen automatically from the window's client-area height.
int AutoBoardSize(int clientHeight);
// ProgramDir + "GRAPHICS/VORNBRD<digit>.BMP"
std::string BoardPictureFile(const std::string &programDir, int s);

// The masterboard as the screen shows it: its 96 lands and everything that depends on the board
// unit in use. The main window makes one when the first game is on screen.
class TVorunMasterboard {
public:
    TVorunMasterboard(std::string programDir, int chosenSize);
    ~TVorunMasterboard();
    TVorunMasterboard(const TVorunMasterboard &) = delete;
    TVorunMasterboard &operator=(const TVorunMasterboard &) = delete;

    // Applies board size 1 … 5: reloads the picture and moves every land area.
    void SetBoardSize(int chosenSize, bool first);
    TVorunMBLand &GetLand(int n) const { return *lands[n]; }
    int GetBoardUnit() const { return s; }
    const TOutline &GetOutline(bool upward) const { return upward ? upOutline : downOutline; }
    const TMarkerFont &GetMarkerFont() const { return markerFont; }
    bool Initialized() const { return initialized; }

private:
    std::string programDir;
    bool initialized = false;
    int s = 0;
    std::array<std::unique_ptr<TVorunMBLand>, LandCount + 1> lands;
    TOutline upOutline{};
    TOutline downOutline{};
    TMarkerFont markerFont;
};
