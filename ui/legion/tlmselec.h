#pragma once

#include "tmodelessform.h"

#include <vector>

class TPlayer;
struct TVorunWindows;

// The legion marker picker: every player's twelve markers, from which the user picks the
// marker of a new legion on the selected land. Modeless; created once, its grid built when the
// game is shown.
class TLMSelectForm : public TModelessForm {
public:
    explicit TLMSelectForm(TVorunWindows &windows);

    // The players of the game in order; called once, when the game view is entered.
    void BuildMarkers(int playerCount, const std::vector<TPlayer *> &players);
    void ShowPicker();

    // Set when the legion contents window opens the picker for a new stack, which it then shows;
    // cleared whenever the picker hides.
    bool NewStackMode = false;

private:
    TVorunWindows &windows;
    int playerCount = 0;
    std::vector<TPlayer *> players;
};
