#pragma once

#include <QDialog>

#include <array>
#include <string>
#include <vector>

struct TVorunWindows;

// The last step of a new game: each player in turn picks a colour, and the players are created.
// Modal, prepared before each use.
class TColorForm : public QDialog {
public:
    explicit TColorForm(TVorunWindows &windows);

    // towers: count entries of 1 … 6 in the order of names, or all 0; the towers drawn here for
    // players without one are written back.
    void SetupPlayers(const std::vector<std::string> &names, std::array<int, 6> &towers, int count);

private:
    TVorunWindows &windows;
};
