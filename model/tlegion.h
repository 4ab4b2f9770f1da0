#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tcatalog.h"

class TPlayer;
class TVorunMBLand;

// One stack of up to eight creatures under a named legion marker. Each player owns one legion per
// marker for the whole run; a legion with location 0 is off the board and its marker is free.
// Impossible requests are reported through the diagnostic routine and change nothing.
class TLegion {
public:
    static constexpr int MaxCrits = 8;
    using Crits = std::array<uint8_t, MaxCrits>;
    using Flags = std::array<bool, MaxCrits>;

    TLegion(TPlayer *owner, uint8_t colour, std::string name);
    TLegion(const TLegion &) = delete;
    TLegion &operator=(const TLegion &) = delete;

    // land 0 places the legion on the land it already records.
    void PlaceOnBoard(uint8_t land);
    bool MoveStack(uint8_t land);
    void RecruitCrit(uint8_t type, bool unsure, bool redisplay);
    // Returns the removed creature type, 0 on failure. The stacks are not touched.
    uint8_t DeleteCrit(int position, bool redisplay);
    void SortCrit(int from, int to);
    // Moves the creature at `position` behind the last creature of `target` (which may be this
    // legion), unsure flag and all. The stacks are not touched, so the creature cannot be lost
    // to a count that would wrap on its way through them. False, with nothing changed, when
    // there is no such creature or the target is full.
    bool TransferCrit(int position, TLegion &target);
    void CritUnsure(int position, bool redisplay);
    void RemoveFromBoard(bool kill);
    // Fills the legion from saved codes (type + 26 when unsure); no checks, no stacks, no land.
    void SetCrits(const std::array<int32_t, MaxCrits> &codes);

    TPlayer *GetOwner() const { return owner; }
    const std::string &GetName() const { return name; }
    uint8_t GetColor() const { return colour; }
    TRgb GetColorValue() const { return ColorValues[colour]; }
    // The colour and marker names, as the program's questions name a legion: "Red Salamander".
    std::string ColouredName() const { return std::string(ColorNames[colour]) + " " + name; }
    const Crits &GetCrits() const { return creatures; }
    const Flags &GetUnsure() const { return unsure; }
    uint8_t GetLocation() const { return location; }
    int CritCount() const;
    bool Full() const { return creatures[MaxCrits - 1] != Crit::None; }

private:
    void Redisplay(bool redisplay) const;
    bool StandsIn(const TVorunMBLand &land) const;
    // Moves the creatures behind `position` one place forward, up to the last of them; returns
    // the position that was last occupied, for the caller to fill or clear.
    int CloseGapAfter(int position);

    TPlayer *owner;
    uint8_t colour;
    std::string name;
    uint8_t location = 0;
    Crits creatures{};
    Flags unsure{};
};
