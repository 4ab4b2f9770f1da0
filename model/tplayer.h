#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tlegion.h"

// A player of the game with its twelve legions, one per marker of its colour.
class TPlayer {
public:
    static constexpr int LegionSlots = 60; // entries 12 … 59 are always empty

    // index: the player's place in the game, which numbers its legions (TLegion::Ref).
    TPlayer(std::string name, uint8_t colour, int32_t spare, uint8_t markerSetCount, int index);
    TPlayer(const TPlayer &) = delete;
    TPlayer &operator=(const TPlayer &) = delete;

    const std::string &GetName() const { return name; }
    void SetName(std::string newName) { name = std::move(newName); }
    uint8_t GetColor() const { return colour; }
    int32_t GetSpare() const { return spare; }
    uint8_t GetMarkerSetCount() const { return markerSetCount; }
    // Colour list of the saved game's marker sets; the first is the player's colour. Holds what
    // a saved game gave, so that saving again writes it back.
    const std::vector<uint8_t> &GetMarkerSetColors() const { return markerSetColors; }
    void SetMarkerSetColors(std::vector<uint8_t> colors) { markerSetColors = std::move(colors); }
    // m = 0 … 59; nullptr for 12 … 59.
    TLegion *GetLegion(int m) const;

private:
    std::string name;
    int32_t spare;
    uint8_t markerSetCount;
    uint8_t colour;
    std::vector<uint8_t> markerSetColors;
    std::array<std::unique_ptr<TLegion>, MarkersPerColor> legions;
};
