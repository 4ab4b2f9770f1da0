#include "tmbland.h"

#include "tmastrbd.h"
#include "uilink.h"

TVorunMBLand::TVorunMBLand(int number)
    : number(number),
      terrain(LandTable[size_t(number)].terrain),
      label(LandLabel(number)),
      name(LandName(number))
{ }

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
