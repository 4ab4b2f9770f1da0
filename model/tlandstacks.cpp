#include "tlandstacks.h"

#include <algorithm>

#include "uilink.h"

bool TLandStacks::AddStack(TLegion *legion, bool onTop)
{
    const int count = StackCount();
    if (count == MaxStacks) {
        Ui::Message("Can't have more than 3 stacks on a land.", "Land is full");
        return false;
    }
    if (onTop) {
        std::copy_backward(stacks.begin(), stacks.begin() + count, stacks.begin() + count + 1);
        stacks[0] = legion;
    } else {
        stacks[size_t(count)] = legion;
    }
    return true;
}

void TLandStacks::RemoveStack(TLegion *legion, int land)
{
    const auto found = std::find(stacks.begin(), stacks.end(), legion);
    if (found == stacks.end() || !legion) {
        Ui::Diagnostic("Bug: request to remove legion that's not there from land %d", land);
        return;
    }
    std::copy(found + 1, stacks.end(), found);
    stacks.back() = nullptr;
}

void TLandStacks::RotateStacks()
{
    const int count = StackCount();
    if (count >= 2)
        std::rotate(stacks.begin(), stacks.begin() + 1, stacks.begin() + count);
}

TLegion *TLandStacks::GetStack(int index) const
{
    return index >= 0 && index < MaxStacks ? stacks[size_t(index)] : nullptr;
}

int TLandStacks::StackCount() const
{
    int count = 0;
    while (count < MaxStacks && stacks[size_t(count)])
        ++count;
    return count;
}

bool TLandStacks::Holds(const TLegion *legion) const
{
    return legion && std::find(stacks.begin(), stacks.end(), legion) != stacks.end();
}
