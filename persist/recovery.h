#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "filewrite.h"
#include "tdatetime.h"

// Recovery snapshots: after every edit the whole game, as an ordinary saved game, in a hidden
// file beside the saves, so that a crash, a power cut or a close without saving loses nothing.
// Every running program writes a snapshot of its own and holds a lock on it while it runs; a
// snapshot whose lock nobody holds was left by a program that ended with edits unsaved, and is
// offered at the next start. The snapshot's modification time is the time of the game's last
// edit; the game's save file name is inside it.

// One snapshot and its lock: ".recovery-XXXXXX.txt" and ".recovery-XXXXXX.lock" in the saves
// folder. The lock is a lock file held with flock, so it ends with the process however that
// ends. Move-only; the lock is given up when the object goes.
class TRecoveryLock {
public:
    TRecoveryLock() = default;
    ~TRecoveryLock();
    TRecoveryLock(TRecoveryLock &&other) noexcept;
    TRecoveryLock &operator=(TRecoveryLock &&other) noexcept;

    // A new snapshot name in `folder` (ending with "/"), locked. On failure the result holds
    // nothing and `reason` says why.
    static TRecoveryLock Create(const std::string &folder, std::string &reason);
    // Locks the snapshot named `snapshot`; nothing when another program holds it.
    static TRecoveryLock Take(const std::string &snapshot);

    bool Held() const { return fd >= 0; }
    const std::string &Snapshot() const { return snapshot; }
    // Gives up the lock (the lock file goes, the snapshot stays) but keeps the name, to take
    // the same lock again later (Relock): a program started meanwhile may have taken over the
    // snapshot, and then Relock fails.
    void Unlock();
    bool Relock();
    // Gives the lock up for good.
    void Release();

private:
    std::string LockFile() const;

    int fd = -1;
    std::string snapshot;
};

// A snapshot that no running program holds, locked by this one until it is recovered or kept.
struct TRecoverable {
    TRecoveryLock lock;
    TDateTime lastEdit;
    std::string gameName; // the game's text as saved, in whatever character set it has
    std::string fileName;
};

// The snapshots in `savedGamesDir` (ending with "/") that no running program holds, the most
// recently edited first. A snapshot that is not a sound saved game is renamed aside (the same
// name with ".refused" in place of ".txt") and not listed, and lock files nobody needs any more
// are removed.
std::vector<TRecoverable> FindRecoverable(const std::string &savedGamesDir);

// Keeps a snapshot as an ordinary save of its game in `oldSavesDir`, named as the game's saves
// are, from its file name and the time of its last edit; never replaces a file there. The lock
// is released. Returns the new file's path, or empty when the snapshot could not move (it then
// stays where it is, to be offered again) with `reason` saying why.
std::string KeepAsOldSave(TRecoverable &recoverable, const std::string &oldSavesDir,
                          std::string &reason);

// Writes `text` as the snapshot of `lock`: a temporary file beside it, flushed to the disk,
// stamped with `lastEdit` and renamed into place. Empty when written, otherwise the snapshot's
// path and the system's reason.
std::string WriteSnapshot(const TRecoveryLock &lock, const std::string &text,
                          const TDateTime &lastEdit, WriteFunction write = nullptr);

// The worker thread that writes this program's snapshot, so that no window ever waits on the
// disk. Requests replace one another: a burst of edits made while a write is under way ends in
// one more write, of the latest game. The snapshot's name and lock are made with its first write.
class TSnapshotWriter {
public:
    // Called on the worker thread after each write or removal: empty when it succeeded,
    // otherwise why not.
    using Report = std::function<void(const std::string &failure)>;

    TSnapshotWriter(std::string savedGamesDir, Report report, WriteFunction write = nullptr);
    // Finishes what was asked first.
    ~TSnapshotWriter();
    TSnapshotWriter(const TSnapshotWriter &) = delete;
    TSnapshotWriter &operator=(const TSnapshotWriter &) = delete;

    // The game holds edits no save holds: it is to be written as `text`.
    void Write(std::string text, const TDateTime &lastEdit);
    // The game is saved: its snapshot is removed.
    void Clear();
    // Takes over a recovered snapshot, which from now on is this program's.
    void Adopt(TRecoveryLock lock);
    // Waits until all that was asked is on the disk, then gives up the lock, so that the next
    // program started can offer the snapshot. A later request takes the lock again.
    void Finish();

private:
    enum class Job { None, Write, Clear };

    void Run();
    void Do(Job job, const std::string &text, const TDateTime &lastEdit);
    void Ask(Job job, std::string text, const TDateTime &lastEdit);
    void WaitIdle(std::unique_lock<std::mutex> &guard);

    const std::string folder;
    const Report report;
    const WriteFunction write;

    std::mutex mutex;
    std::condition_variable wake; // a job was asked, or the writer stops
    std::condition_variable idle; // the worker has nothing left to do
    Job pending = Job::None;
    std::string pendingText;
    TDateTime pendingTime;
    bool busy = false;
    bool stopping = false;
    // Touched by the worker only, or while it is idle.
    TRecoveryLock lock;
    std::thread worker; // started with the first request, so a run that edits nothing has none
};
