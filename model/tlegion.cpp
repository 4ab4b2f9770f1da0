#include "tlegion.h"

#include "tcharleft.h"
#include "uilink.h"

TLegion::TLegion(TPlayer *owner, uint8_t colour, std::string name, uint8_t ref)
    : owner(owner), colour(colour), name(std::move(name)), ref(ref)
{ }

void TLegion::RecruitCrit(uint8_t type, bool unsureFlag, TCharLeft &stacks)
{
    if (type != Crit::Vorun && stacks.GetCharLeft(type) < 1) {
        Ui::Diagnostic("Bug?: attempt to recruit creature type with none remaining");
        return;
    }
    int position = 0;
    while (position < MaxCrits && creatures[position] != Crit::None)
        ++position;
    // Looked for before taking, so that a full legion never costs the stacks a creature.
    if (position == MaxCrits) {
        Ui::Diagnostic("Bug, trying to recruit more than 8 chars.");
    } else {
        if (type != Crit::Vorun)
            stacks.TakeFromStack(type);
        creatures[position] = type;
        unsure[position] = unsureFlag;
    }
}

uint8_t TLegion::DeleteCrit(int position)
{
    if (position < 0 || position >= MaxCrits || creatures[position] == Crit::None) {
        Ui::Diagnostic("bug? trying to delete nonexistent creature or bad index");
        return 0;
    }
    uint8_t type = creatures[position];
    int last = CloseGapAfter(position);
    creatures[last] = Crit::None;
    unsure[last] = false;
    return type;
}

void TLegion::SortCrit(int from, int to)
{
    if (from < 0 || from >= MaxCrits || creatures[from] == Crit::None) {
        Ui::Diagnostic("Bug: trying to sort bad critter");
        return;
    }
    if (from == to)
        return;
    uint8_t moved = creatures[from];
    bool movedFlag = unsure[from];
    if (to >= 0 && to < MaxCrits - 1 && creatures[to + 1] != Crit::None) {
        if (to > from) {
            for (int i = from; i < to; ++i) {
                creatures[i] = creatures[i + 1];
                unsure[i] = unsure[i + 1];
            }
        } else {
            for (int i = from; i > to; --i) {
                creatures[i] = creatures[i - 1];
                unsure[i] = unsure[i - 1];
            }
        }
        creatures[to] = moved;
        unsure[to] = movedFlag;
    } else {
        int last = CloseGapAfter(from);
        creatures[last] = moved;
        unsure[last] = movedFlag;
    }
}

bool TLegion::TransferCrit(int position, TLegion &target)
{
    if (position < 0 || position >= MaxCrits || creatures[position] == Crit::None || target.Full())
        return false;
    const uint8_t type = creatures[position];
    const bool flag = unsure[position];
    DeleteCrit(position);
    const int free = target.CritCount();
    target.creatures[free] = type;
    target.unsure[free] = flag;
    return true;
}

void TLegion::CritUnsure(int position)
{
    if (position >= 0 && position < MaxCrits)
        unsure[position] = !unsure[position];
    else
        Ui::Diagnostic("bad index in CritUnsure()");
}

void TLegion::EmptyInto(TCharLeft &stacks, bool kill)
{
    for (int i = 0; i < MaxCrits; ++i) {
        uint8_t type = creatures[i];
        creatures[i] = Crit::None;
        unsure[i] = false;
        if (type != Crit::None && (!kill || ReturnsWhenKilled(type)))
            stacks.ReturnToStack(type);
    }
}

void TLegion::SetCrits(const std::array<int32_t, MaxCrits> &codes)
{
    for (int i = 0; i < MaxCrits; ++i) {
        creatures[i] = uint8_t(codes[i] % 26);
        unsure[i] = codes[i] >= 26;
    }
}

void TLegion::SetState(uint8_t land, const Crits &crits, const Flags &flags)
{
    location = land;
    creatures = crits;
    unsure = flags;
}

int TLegion::CritCount() const
{
    int count = 0;
    while (count < MaxCrits && creatures[count] != Crit::None)
        ++count;
    return count;
}

int TLegion::CloseGapAfter(int position)
{
    int i = position;
    for (; i < MaxCrits - 1 && creatures[i + 1] != Crit::None; ++i) {
        creatures[i] = creatures[i + 1];
        unsure[i] = unsure[i + 1];
    }
    return i;
}

int TLegion::Points() const
{
    int total = 0;
    for (int i = 0; i < MaxCrits && creatures[i] != Crit::None; ++i)
        total += CritValue[creatures[i] % Crit::CodeCount];
    return total;
}

bool TLegion::PointsUnknown() const
{
    for (int i = 0; i < MaxCrits && creatures[i] != Crit::None; ++i)
        if (creatures[i] == Crit::Vorun)
            return true;
    return false;
}
