#pragma once

#include "tmodelessform.h"

struct TVorunWindows;

// The notes window: free text the players keep with the game, saved and loaded with it.
// Modeless, and left open beside the board while the players work.
class TNotesForm : public TModelessForm {
public:
    explicit TNotesForm(TVorunWindows &windows);

private:
    TVorunWindows &windows;
};
