#pragma once

#include <array>

class TLegion;

// The up to three legions standing on one land, slot 1 on top. The land refers to its legions;
// the players own them.
class TLandStacks {
public:
    static constexpr int MaxStacks = 3;
    using Slots = std::array<TLegion *, MaxStacks>;

    // onTop: the legion takes slot 1 and the others move down; otherwise the first free slot.
    // A full land shows "Land is full" and refuses.
    bool AddStack(TLegion *legion, bool onTop);
    // land: this land's number, for the diagnostic when the legion is not here.
    void RemoveStack(TLegion *legion, int land);
    void RotateStacks();
    // Slot index 0 … 2 (slots 1 … 3); nullptr when empty.
    TLegion *GetStack(int index) const;
    int StackCount() const;
    bool Holds(const TLegion *legion) const;

    const Slots &GetSlots() const { return stacks; }
    // Puts back an order recorded earlier; the legions are the caller's to keep consistent.
    void SetSlots(const Slots &order) { stacks = order; }

private:
    Slots stacks{};
};
