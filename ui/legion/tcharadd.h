#pragma once

#include "tmodelessform.h"

class TLegion;
struct TVorunWindows;

// The creature picker: all creature types, from which the user picks the one to recruit into a
// legion. Modeless; created once and shown when a legion recruits.
class TMonSelectForm : public TModelessForm {
public:
    explicit TMonSelectForm(TVorunWindows &windows);

    // Prepares the picker for a legion that exists and is not full, and shows it.
    void ShowForLgn(TLegion *legion);

private:
    TVorunWindows &windows;
    TLegion *TargetLgn = nullptr;
};
