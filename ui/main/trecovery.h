#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <string>

#include "recovery.h"
#include "tdatetime.h"

class QWidget;
class TGameDocument;

// Keeps the game recoverable: whenever it holds edits no save holds, a snapshot of it is on the
// disk within a moment of the last edit; once it is saved, the snapshot goes. The game is
// serialised here, on the window thread, and written by the snapshot writer's worker, so a window
// never waits on the disk.
class TRecoveryKeeper : public QObject {
public:
    // Edits within `delayMs` of the first of them are written together.
    static constexpr int DefaultDelayMs = 200;

    // `window` asks the one question about a snapshot that cannot be written. `takeNotes` brings
    // the notes being typed into the game before it is written.
    TRecoveryKeeper(TGameDocument &document, QWidget &window, const std::string &savedGamesDir,
                    std::function<void()> takeNotes, int delayMs = DefaultDelayMs);
    ~TRecoveryKeeper() override;

    // A recovered snapshot becomes this program's, edited last at `lastEdit`.
    void Adopt(TRecoveryLock lock, const TDateTime &lastEdit);
    // Writes what is waiting now and gives up the snapshot, for the next program to offer: the
    // program is ending or starting anew.
    void Finish();

private:
    void StateChanged();
    void WriteNow();
    void Written(const std::string &failure);

    TGameDocument &document;
    QWidget &window;
    std::function<void()> takeNotes;
    QTimer delay;
    TDateTime lastEdit;
    bool failureShown = false;
    TSnapshotWriter writer; // last: its worker stops before the rest goes
};
