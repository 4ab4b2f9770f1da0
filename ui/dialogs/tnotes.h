#pragma once

#include "tmodelessform.h"

#include <QHash>
#include <QString>

#include <functional>
#include <string>

class QKeyEvent;
class QPlainTextEdit;
class QPushButton;
class TVorunGame;

// The notes window: free text the players keep with the game, saved and loaded with it.
// Modeless, and left open beside the board while the players work. The game record holds the
// notes; the memo's edits reach it only when the game is saved, since copying a long text after
// every keystroke would make typing slow.
class TNotesForm : public TModelessForm {
public:
    explicit TNotesForm(TVorunGame &game);

    // The game's notes were filled from elsewhere (a load): the memo shows them from now on.
    void GameNotesChanged();
    // Called whenever the user changes the text.
    void SetEditedHandler(std::function<void()> handler) { edited = std::move(handler); }
    // Puts what the memo holds into the game, when it was edited. Lines the user left as they
    // were keep their bytes, whatever their character set.
    void TakeNotesIntoGame();

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

    TVorunGame &game;
    // The game's lines that the memo cannot give back as the same bytes (older text, characters
    // the editor changes), by the memo's text of them.
    QHash<QString, std::string> keptLines;
    std::function<void()> edited;
    bool filling = false; // the memo is being filled from the game, not typed in
};
