#pragma once

#include <QDialog>

#include <string>
#include <vector>

class TPlayer;
struct TVorunWindows;

// The new game dialog: game name, save file name, player names and towers; in its second mode
// it renames the game and the players of the game in progress. Modal, prepared before each use.
class TNamesForm : public QDialog {
public:
    explicit TNamesForm(TVorunWindows &windows);

    // playerCount 0 prepares a new game; 1 … 6 renames the game and these players.
    void SetUpNames(int playerCount, const std::string &gameName, const std::string &fileName,
                    const std::vector<TPlayer *> *players);

private:
    TVorunWindows &windows;
};
