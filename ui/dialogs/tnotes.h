#pragma once

#include "tmodelessform.h"

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
struct TVorunWindows;

// The notes window: free text the players keep with the game, saved and loaded with it.
// Modeless, and left open beside the board while the players work. The game record holds the
// notes; the memo shows them and writes every edit back, so a save needs nothing from here.
class TNotesForm : public TModelessForm {
public:
    explicit TNotesForm(TVorunWindows &windows);

    // The game's notes were filled from elsewhere (a load): the memo shows them from now on.
    void GameNotesChanged();

    // Event handlers, named after their control and event.
    void CloseBtnClick();
    // True when the key was used.
    bool Memo1KeyDown(QKeyEvent *event);

    // Null until the window is first shown.
    QPushButton *CloseBtn = nullptr;
    QPlainTextEdit *Memo1 = nullptr;

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Build();
    void FillMemo();
    void Memo1Change();

    TVorunWindows &windows;
    // Set while the memo is filled from the game, whose lines then need no writing back.
    bool filling = false;
};
