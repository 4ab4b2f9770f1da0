#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tcatalog.h"

// A half-open pixel rectangle: right and bottom are the first column and row outside.
struct TRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const TRect &o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// One land of the masterboard as the screen shows it: its fixed identity, its highlight and its
// screen areas at the current board unit. The legions on it are the game's (TLandStacks).
class TVorunMBLand {
public:
    explicit TVorunMBLand(int number);
    TVorunMBLand(const TVorunMBLand &) = delete;
    TVorunMBLand &operator=(const TVorunMBLand &) = delete;

    TTerrain GetTerrain() const { return terrain; }
    int GetLandNumber() const { return number; }
    int GetLabel() const { return label; }
    const std::string &GetName() const { return name; }
    bool IsUpward() const;
    uint8_t GetHighlight() const { return highlight; }
    void SetHighlight(uint8_t value) { highlight = value; }

    // Recomputes both areas for board unit s, less the current scroll positions.
    void PlaceAreas(int s);
    const TRect &DrawingArea() const { return drawingArea; }
    const TRect &ActiveArea() const { return activeArea; }

private:
    int number;
    TTerrain terrain;
    TRect drawingArea;
    TRect activeArea;
    int label;
    std::string name;
    uint8_t highlight = 0;
};
