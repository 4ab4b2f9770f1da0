#pragma once

#include "tmodelessform.h"

#include <vector>

class TPlayer;

// The legion marker picker: every player's twelve markers, from which the user picks the
// marker of a new legion on the selected land. Modeless; created once, its grid built when the
// game is shown.
class TLMSelectForm : public TModelessForm {
public:
    explicit TLMSelectForm(QWidget *parent = nullptr);

    // The players of the game in order; called once, when the game view is entered.
    void BuildMarkers(int playerCount, const std::vector<TPlayer *> &players);
    void ShowPicker();

private:
    int playerCount = 0;
    std::vector<TPlayer *> players;
};
