#include "tcharleft.h"

#include "tcatalog.h"

#include <cstdint>

TCharLeft::TCharLeft() : CharLeft(StackTotal) { }

bool TCharLeft::TakeFromStack(uint8_t type)
{
    if (type == Crit::Vorun || type >= CharLeft.size() || CharLeft[type] < 1)
        return false;
    --CharLeft[type];
    return true;
}

void TCharLeft::ReturnToStack(uint8_t type)
{
    // A full count stays full: wrapping to 0 would lose the creature from the legion and the
    // stacks alike.
    if (type != Crit::Vorun && type < CharLeft.size() && CharLeft[type] < UINT8_MAX)
        ++CharLeft[type];
}

uint8_t TCharLeft::GetCharLeft(uint8_t type) const
{
    return type < CharLeft.size() ? CharLeft[type] : 0;
}

const TCharLeft::Counts &TCharLeft::CharLeftArray() const
{
    return CharLeft;
}

void TCharLeft::SetCharLeft(const std::array<int32_t, 25> &values)
{
    for (uint8_t t = Crit::FirstType; t <= Crit::LastType; ++t)
        SetCount(t, values[t]);
}

void TCharLeft::SetCount(uint8_t type, int32_t value)
{
    if (type < CharLeft.size())
        CharLeft[type] = uint8_t(uint32_t(value) & 0xff);
}
