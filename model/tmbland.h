#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tcatalog.h"

class TLegion;

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

// One land of the masterboard: its fixed identity, the up to three legions standing on it
// (slot 1 on top) and its screen areas at the current board unit. The land refers to its
// legions; the players own them.
class TVorunMBLand {
public:
    static constexpr int MaxStacks = 3;

    explicit TVorunMBLand(int number);
    TVorunMBLand(const TVorunMBLand &) = delete;
    TVorunMBLand &operator=(const TVorunMBLand &) = delete;

    // onTop: the legion takes slot 1 and the others move down; otherwise the first free slot.
    // A full land shows "Land is full" and refuses.
    bool AddStack(TLegion *legion, bool onTop);
    void RemoveStack(TLegion *legion);
    void RotateStacks();
    // Slot index 0 … 2 (slots 1 … 3); nullptr when empty.
    TLegion *GetStack(int index) const;
    int StackCount() const;

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
    std::array<TLegion *, MaxStacks> stacks{};
    TRect drawingArea;
    TRect activeArea;
    int label;
    std::string name;
    uint8_t highlight = 0;
};
