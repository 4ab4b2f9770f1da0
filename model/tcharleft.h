#pragma once

#include <array>
#include <cstdint>

// The creatures left in each recruitment stack, by creature type; the game owns them. Creatures
// leave and re-enter the stacks only through TakeFromStack and ReturnToStack. Counts are 8 bits
// wide and may exceed the stack size after hand corrections.
class TCharLeft {
public:
    using Counts = std::array<uint8_t, 25>;

    TCharLeft();

    bool TakeFromStack(uint8_t type);
    // Stops at 255, the largest count.
    void ReturnToStack(uint8_t type);
    uint8_t GetCharLeft(uint8_t type) const;
    const Counts &CharLeftArray() const;
    // Keeps the low 8 bits of entries 1 … 24; entry 0 is ignored.
    void SetCharLeft(const std::array<int32_t, 25> &values);
    // One hand-corrected count (low 8 bits kept).
    void SetCount(uint8_t type, int32_t value);

private:
    Counts CharLeft;
};
