#pragma once

#include <QWidget>

class QKeyEvent;

// The notes window: free text the players keep with the game, saved and loaded with it.
// Modeless, and left open beside the board while the players work.
class TNotesForm : public QWidget {
public:
    explicit TNotesForm(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
