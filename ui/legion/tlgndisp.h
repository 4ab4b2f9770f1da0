#pragma once

#include "tmodelessform.h"

struct TVorunWindows;

// The legion contents window: the legions of the selected land, one row each, where the user
// edits them. Modeless; created once and shown, hidden and brought to the front as needed.
class TLgnDispForm : public TModelessForm {
public:
    // The other windows are reached through `windows` only once the program runs.
    explicit TLgnDispForm(TVorunWindows &windows);

    // Redisplays the selected land's legions and brings the window to the front.
    void ShowLgns();

private:
    TVorunWindows &windows;
};
