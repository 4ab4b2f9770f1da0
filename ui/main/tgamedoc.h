#pragma once

#include <QObject>
#include <QUndoStack>

#include "tedit.h"
#include "tgame.h"

// The game and its history: the one owner of the game record, and the one way the windows change
// it. Every edit goes on one QUndoStack, whose clean state says whether the game holds edits no
// save holds. The windows that show the game connect to Changed.
class TGameDocument : public QObject {
    Q_OBJECT

public:
    TGameDocument();
    TGameDocument(const TGameDocument &) = delete;
    TGameDocument &operator=(const TGameDocument &) = delete;

    TVorunGame &Game() { return game; }
    const TVorunGame &Game() const { return game; }
    QUndoStack &History() { return history; }

    // Applies the edit and puts it on the history, timed by the platform's clock. False when it
    // changed nothing, which leaves the history as it was.
    bool Perform(TEdit edit);
    // A game set up or loaded: its history starts here, with nothing unsaved.
    void StartHistory();
    void MarkSaved() { history.setClean(); }
    bool Unsaved() const { return !history.isClean(); }

signals:
    // fromHistory: an undo or a redo, after which the affected land is selected.
    void Changed(const TChange &change, bool fromHistory);

private:
    class TEditCommand;

    TVorunGame game;
    QUndoStack history;
};
