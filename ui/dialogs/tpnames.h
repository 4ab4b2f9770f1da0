#pragma once

#include <QDialog>

// The new game dialog: game name, save file name, player names and towers; in its second mode
// it renames the game and the players of the game in progress. Modal, prepared before each use.
class TNamesForm : public QDialog {
public:
    explicit TNamesForm(QWidget *parent = nullptr);
};
