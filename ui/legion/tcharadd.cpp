#include "tcharadd.h"

namespace {

// Four rows of six 100-pixel pictures on a 106-pixel pitch, each framed by a 107-pixel square.
constexpr int InitialWidth = 5 * 106 + 107;
constexpr int InitialHeight = 3 * 106 + 107;

} // namespace

TMonSelectForm::TMonSelectForm(TVorunWindows &windows) : TModelessForm(nullptr), windows(windows)
{
    resize(InitialWidth, InitialHeight);
}

void TMonSelectForm::ShowForLgn(TLegion *legion)
{
    TargetLgn = legion;
    ShowInFront();
}
