#pragma once

#include <QObject>
#include <QUndoStack>

#include "tedit.h"
#include "tgame.h"

// The game and its history: the one owner of the game record, and the one way the windows change
// it. Every edit goes on one QUndoStack, whose clean state (with the notes, which are typed
// outside it) says whether the game holds edits no save holds. The windows that show the game
// connect to Changed.
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
    // A game loaded, set up or recovered: its history starts here. Only a loaded game starts
    // with nothing unsaved.
    void StartHistory(bool unsaved);
    void MarkSaved();
    // The notes were typed in; they reach the game record only when it is written.
    void NotesEdited();
    bool Unsaved() const { return notesEdited || !history.isClean(); }

signals:
    // fromHistory: an undo or a redo, after which the affected land is selected.
    void Changed(const TChange &change, bool fromHistory);
    // The game or whether it is saved changed: an edit, an undo or redo, the notes, a save, a new
    // game.
    void StateChanged();

private:
    class TEditCommand;

    void Report(const TChange &change, bool fromHistory);

    TVorunGame game;
    QUndoStack history;
    bool notesEdited = false;
};
