#pragma once

#include <QDialog>

// The last step of a new game: each player in turn picks a colour, and the players are created.
// Modal, prepared before each use.
class TColorForm : public QDialog {
public:
    explicit TColorForm(QWidget *parent = nullptr);
};
