#include "tmbland.h"

#include "tmastrbd.h"
#include "uilink.h"

TVorunMBLand::TVorunMBLand(int number)
    : number(number),
      terrain(LandTable[size_t(number)].terrain),
      label(LandLabel(number)),
      name(LandName(number))
{ }

bool TVorunMBLand::AddStack(TLegion *legion, bool onTop)
{
    int count = StackCount();
    if (count == MaxStacks) {
        Ui::Message("Can't have more than 3 stacks on a land.", "Land is full");
        return false;
    }
    if (onTop) {
        for (int i = count; i > 0; --i)
            stacks[size_t(i)] = stacks[size_t(i - 1)];
        stacks[0] = legion;
    } else {
        stacks[size_t(count)] = legion;
    }
    Ui::RepaintLand(number);
    return true;
}

void TVorunMBLand::RemoveStack(TLegion *legion)
{
    int i = 0;
    while (i < MaxStacks && stacks[size_t(i)] != legion)
        ++i;
    if (i == MaxStacks || !legion) {
        Ui::Diagnostic("Bug: request to remove legion that's not there from land %d", number);
        return;
    }
    for (; i < MaxStacks - 1; ++i)
        stacks[size_t(i)] = stacks[size_t(i + 1)];
    stacks[MaxStacks - 1] = nullptr;
    Ui::RepaintLand(number);
}

void TVorunMBLand::RotateStacks()
{
    int count = StackCount();
    if (count < 2)
        return;
    TLegion *first = stacks[0];
    for (int i = 0; i < count - 1; ++i)
        stacks[size_t(i)] = stacks[size_t(i + 1)];
    stacks[size_t(count - 1)] = first;
    Ui::RepaintLand(number);
    Ui::RefreshPanel();
}

TLegion *TVorunMBLand::GetStack(int index) const
{
    return index >= 0 && index < MaxStacks ? stacks[size_t(index)] : nullptr;
}

int TVorunMBLand::StackCount() const
{
    int count = 0;
    while (count < MaxStacks && stacks[size_t(count)])
        ++count;
    return count;
}

bool TVorunMBLand::IsUpward() const
{
    return LandIsUpward(number);
}

void TVorunMBLand::PlaceAreas(int s)
{
    int dx = Ui::ScrollX();
    int dy = Ui::ScrollY();
    TRect box = LandBox(number, s);
    TRect active = LandActiveArea(number, s);
    drawingArea = {box.left - dx, box.top - dy, box.right - dx, box.bottom - dy};
    activeArea = {active.left - dx, active.top - dy, active.right - dx, active.bottom - dy};
}
