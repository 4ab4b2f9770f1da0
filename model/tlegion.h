#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tcatalog.h"

class TCharLeft;
class TPlayer;

// One stack of up to eight creatures under a named legion marker. Each player owns one legion per
// marker for the whole run; a legion with location 0 is off the board and its marker is free.
// Impossible requests are reported through the diagnostic routine and change nothing. Placing a
// legion on a land is the game's (TVorunGame), which owns the lands.
class TLegion {
public:
    static constexpr int MaxCrits = 8;
    using Crits = std::array<uint8_t, MaxCrits>;
    using Flags = std::array<bool, MaxCrits>;

    // ref: the legion's number in its game, 12 × player + marker.
    TLegion(TPlayer *owner, uint8_t colour, std::string name, uint8_t ref);
    TLegion(const TLegion &) = delete;
    TLegion &operator=(const TLegion &) = delete;

    // Takes the creature from `stacks` (the Vorun has none).
    void RecruitCrit(uint8_t type, bool unsure, TCharLeft &stacks);
    // Returns the removed creature type, 0 on failure. The stacks are not touched.
    uint8_t DeleteCrit(int position);
    void SortCrit(int from, int to);
    // Moves the creature at `position` behind the last creature of `target` (which may be this
    // legion), unsure flag and all. The stacks are not touched, so the creature cannot be lost
    // to a count that would wrap on its way through them. False, with nothing changed, when
    // there is no such creature or the target is full.
    bool TransferCrit(int position, TLegion &target);
    void CritUnsure(int position);
    // Empties the legion into the stacks: every creature when returned, only those that go back
    // when killed (ReturnsWhenKilled) when killed. The land is the game's to leave.
    void EmptyInto(TCharLeft &stacks, bool kill);
    // Fills the legion from saved codes (type + 26 when unsure); no checks, no stacks, no land.
    void SetCrits(const std::array<int32_t, MaxCrits> &codes);
    // Puts back a state recorded earlier, unchecked; the land's slots are the caller's.
    void SetState(uint8_t land, const Crits &crits, const Flags &flags);
    void SetLocation(uint8_t land) { location = land; }

    TPlayer *GetOwner() const { return owner; }
    const std::string &GetName() const { return name; }
    uint8_t GetColor() const { return colour; }
    TRgb GetColorValue() const { return ColorValues[colour]; }
    // The colour and marker names, as the program's questions name a legion: "Red Salamander".
    std::string ColouredName() const { return std::string(ColorNames[colour]) + " " + name; }
    const Crits &GetCrits() const { return creatures; }
    const Flags &GetUnsure() const { return unsure; }
    uint8_t GetLocation() const { return location; }
    uint8_t Ref() const { return ref; }
    int CritCount() const;
    bool Full() const { return creatures[MaxCrits - 1] != Crit::None; }
    // The legion's worth: the sum of its creatures' values. Unknown (shown with "?") while it
    // holds the Vorun, whose value nobody may know.
    int Points() const;
    bool PointsUnknown() const;

private:
    // Moves the creatures behind `position` one place forward, up to the last of them; returns
    // the position that was last occupied, for the caller to fill or clear.
    int CloseGapAfter(int position);

    TPlayer *owner;
    uint8_t colour;
    std::string name;
    uint8_t ref;
    uint8_t location = 0;
    Crits creatures{};
    Flags unsure{};
};
