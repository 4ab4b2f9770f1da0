#include "recovery.h"

#include "gametext.h"
#include "programfolders.h"
#include "readfile.h"
#include "savefiles.h"
#include "savegame.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <tuple>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *SnapshotPrefix = ".recovery-";
constexpr size_t UniqueLength = 6; // the characters mkstemps chooses
constexpr const char *SnapshotExtension = ".txt";
constexpr const char *LockExtension = ".lock";
constexpr const char *TemporaryExtension = ".tmp";
constexpr const char *RefusedExtension = ".refused";
constexpr int NameTries = 10;
// An old save is never replaced: a clash takes the next two-second stamp, up to a minute later.
constexpr int StampTries = 30;
constexpr int StampStep = 2;

// The snapshot's, lock's or temporary file's sibling with another extension.
std::string WithExtension(const std::string &path, const char *extension)
{
    return path.substr(0, path.rfind('.')) + extension;
}

// The saves folder, made when missing. Empty when it is there, otherwise why not.
std::string MakeFolder(const std::string &folder)
{
    fs::path path(folder);
    if (!path.has_filename())
        path = path.parent_path(); // without the "/", which a file in the way would not pass
    std::error_code error;
    if (fs::exists(path, error) && !fs::is_directory(path, error))
        return folder + ": " + Reason(ENOTDIR);
    fs::create_directories(path, error);
    return error ? folder + ": " + error.message() : std::string();
}

bool IsSnapshotName(const std::string &name, const char *extension)
{
    const std::string prefix = SnapshotPrefix;
    const size_t length = prefix.size() + UniqueLength + std::char_traits<char>::length(extension);
    if (name.size() != length || name.compare(0, prefix.size(), prefix) != 0
        || name.compare(prefix.size() + UniqueLength, std::string::npos, extension) != 0)
        return false;
    return std::all_of(name.begin() + std::ptrdiff_t(prefix.size()),
                       name.begin() + std::ptrdiff_t(prefix.size() + UniqueLength),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Whether the open file is still the one the name leads to: a lock file removed by the program
// that gave it up is no lock at all.
bool StillNamed(int fd, const std::string &path)
{
    struct stat opened {
    }, named{};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0
        && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The lock file opened and locked, or -1 when another program holds it.
int LockFileAt(const std::string &path, int flags)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | flags, 0644);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !StillNamed(fd, path)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

timespec ToTimespec(const TDateTime &time)
{
    std::tm parts{};
    parts.tm_year = time.year - 1900;
    parts.tm_mon = time.month - 1;
    parts.tm_mday = time.day;
    parts.tm_hour = time.hour;
    parts.tm_min = time.minute;
    parts.tm_sec = time.second;
    parts.tm_isdst = -1;
    return {std::mktime(&parts), 0};
}

TDateTime FromTime(time_t seconds)
{
    std::tm parts{};
    if (!::localtime_r(&seconds, &parts))
        return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

// Renames without ever replacing what is there.
int RenameNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the flag: the check and the rename are two steps there.
    struct stat existing { };
    if (::lstat(to.c_str(), &existing) == 0)
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// A snapshot that is not a saved game of this program's (damaged, foreign, not a file at all)
// stays on the disk for whoever wants to look at it, out of the way of the next start.
void PutAside(const std::string &snapshot)
{
    (void)RenameNoReplace(snapshot, WithExtension(snapshot, RefusedExtension));
}

} // namespace

TRecoveryLock::~TRecoveryLock()
{
    Release();
}

TRecoveryLock::TRecoveryLock(TRecoveryLock &&other) noexcept
    : fd(std::exchange(other.fd, -1)), snapshot(std::move(other.snapshot))
{
    other.snapshot.clear();
}

TRecoveryLock &TRecoveryLock::operator=(TRecoveryLock &&other) noexcept
{
    if (this != &other) {
        Release();
        fd = std::exchange(other.fd, -1);
        snapshot = std::move(other.snapshot);
        other.snapshot.clear();
    }
    return *this;
}

TRecoveryLock TRecoveryLock::Create(const std::string &folder, std::string &reason)
{
    if (!MayWrite(folder)) {
        reason = folder + ": " + Reason(EACCES);
        return {};
    }
    for (int attempt = 0; attempt < NameTries; ++attempt) {
        std::string path = folder + SnapshotPrefix + "XXXXXX" + LockExtension;
        const int made
            = ::mkstemps(path.data(), int(std::char_traits<char>::length(LockExtension)));
        if (made < 0) {
            reason = folder + ": " + Reason(errno);
            return {};
        }
        ::close(made);
        TRecoveryLock lock;
        lock.snapshot = WithExtension(path, SnapshotExtension);
        lock.fd = LockFileAt(path, 0);
        // A snapshot of that name whose lock file went missing is someone's game: not ours.
        struct stat existing { };
        if (lock.Held() && ::lstat(lock.snapshot.c_str(), &existing) != 0)
            return lock;
        if (!lock.Held())
            lock.snapshot.clear(); // another program's by now; its lock file is not ours to remove
    }
    reason = folder + ": " + Reason(EEXIST);
    return {};
}

TRecoveryLock TRecoveryLock::Take(const std::string &snapshot)
{
    TRecoveryLock lock;
    lock.snapshot = snapshot;
    if (!lock.Relock())
        lock.snapshot.clear();
    return lock;
}

std::string TRecoveryLock::LockFile() const
{
    return WithExtension(snapshot, LockExtension);
}

void TRecoveryLock::Unlock()
{
    if (fd < 0)
        return;
    ::unlink(LockFile().c_str()); // while still held, so no one else takes it meanwhile
    ::close(fd);
    fd = -1;
}

bool TRecoveryLock::Relock()
{
    if (fd < 0 && !snapshot.empty())
        fd = LockFileAt(LockFile(), O_CREAT);
    return Held();
}

void TRecoveryLock::Release()
{
    Unlock();
    snapshot.clear();
}

std::vector<TRecoverable> FindRecoverable(const std::string &savedGamesDir)
{
    std::vector<std::string> snapshots, locks;
    std::error_code error;
    for (fs::directory_iterator it(savedGamesDir, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (IsSnapshotName(name, SnapshotExtension))
            snapshots.push_back(it->path().string());
        else if (IsSnapshotName(name, LockExtension))
            locks.push_back(it->path().string());
    }

    std::vector<TRecoverable> found;
    for (const std::string &snapshot : snapshots) {
        TRecoveryLock lock = TRecoveryLock::Take(snapshot);
        if (!lock.Held())
            continue; // a running program's
        (void)::unlink(WithExtension(snapshot, TemporaryExtension).c_str()); // half-written
        struct stat info { };
        if (::lstat(snapshot.c_str(), &info) != 0)
            continue; // handled by another program meanwhile
        SavedGame saved;
        const FileRead read = ReadRegularFile(snapshot);
        if (!S_ISREG(info.st_mode) || read.status != ReadStatus::Read
            || ParseSavedGame(read.bytes, saved).outcome != LoadOutcome::Loaded) {
            PutAside(snapshot);
            continue;
        }
        found.push_back({std::move(lock), FromTime(info.st_mtime), saved.gameName, saved.fileName});
    }
    // Lock files of programs that ended with nothing unsaved.
    for (const std::string &lockFile : locks) {
        const std::string snapshot = WithExtension(lockFile, SnapshotExtension);
        struct stat info { };
        if (::lstat(snapshot.c_str(), &info) != 0)
            TRecoveryLock::Take(snapshot); // released, so removed, unless held
    }
    std::stable_sort(found.begin(), found.end(), [](const TRecoverable &a, const TRecoverable &b) {
        const auto key = [](const TDateTime &t) {
            return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
        };
        return key(a.lastEdit) > key(b.lastEdit);
    });
    return found;
}

std::string KeepAsOldSave(TRecoverable &recoverable, const std::string &oldSavesDir,
                          std::string &reason)
{
    std::error_code ignored;
    fs::create_directories(oldSavesDir, ignored);
    const std::string fileName = CleanFileName(DisplayUtf8(recoverable.fileName)).name;
    const time_t edited = ToTimespec(recoverable.lastEdit).tv_sec;
    int error = EEXIST;
    for (int attempt = 0; attempt < StampTries && error == EEXIST; ++attempt) {
        const std::string target
            = oldSavesDir + SaveFileName(fileName, FromTime(edited + attempt * StampStep));
        error = RenameNoReplace(recoverable.lock.Snapshot(), target);
        if (error == 0) {
            SyncFolder(oldSavesDir);
            recoverable.lock.Release();
            return target;
        }
    }
    reason = recoverable.lock.Snapshot() + ": " + Reason(error);
    return {};
}

std::string WriteSnapshot(const TRecoveryLock &lock, const std::string &text,
                          const TDateTime &lastEdit, WriteFunction write)
{
    const std::string &snapshot = lock.Snapshot();
    const std::string temporary = WithExtension(snapshot, TemporaryExtension);
    const int fd
        = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0)
        return temporary + ": " + Reason(errno);
    int error = WriteAll(fd, text, write ? write : ::write);
    const timespec times[2] = {{0, UTIME_NOW}, ToTimespec(lastEdit)};
    if (error == 0 && ::futimens(fd, times) != 0)
        error = errno;
    const int closed = SyncAndClose(fd);
    if (error == 0)
        error = closed;
    if (error == 0 && std::rename(temporary.c_str(), snapshot.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return snapshot + ": " + Reason(error);
    }
    SyncFolder(fs::path(snapshot).parent_path().string());
    return {};
}

TSnapshotWriter::TSnapshotWriter(std::string savedGamesDir, Report report, WriteFunction write)
    : folder(std::move(savedGamesDir)), report(std::move(report)), write(write)
{ }

TSnapshotWriter::~TSnapshotWriter()
{
    {
        std::unique_lock<std::mutex> guard(mutex);
        WaitIdle(guard);
        stopping = true;
    }
    wake.notify_all();
    if (worker.joinable())
        worker.join();
}

void TSnapshotWriter::Write(std::string text, const TDateTime &lastEdit)
{
    Ask(Job::Write, std::move(text), lastEdit);
}

void TSnapshotWriter::Clear()
{
    Ask(Job::Clear, {}, {});
}

void TSnapshotWriter::Ask(Job job, std::string text, const TDateTime &lastEdit)
{
    {
        std::lock_guard<std::mutex> guard(mutex);
        pending = job;
        pendingText = std::move(text);
        pendingTime = lastEdit;
        if (!worker.joinable())
            worker = std::thread(&TSnapshotWriter::Run, this);
    }
    wake.notify_one();
}

void TSnapshotWriter::Adopt(TRecoveryLock recovered)
{
    std::unique_lock<std::mutex> guard(mutex);
    WaitIdle(guard);
    lock = std::move(recovered);
}

void TSnapshotWriter::Finish()
{
    std::unique_lock<std::mutex> guard(mutex);
    WaitIdle(guard);
    lock.Unlock();
}

void TSnapshotWriter::WaitIdle(std::unique_lock<std::mutex> &guard)
{
    idle.wait(guard, [this] { return pending == Job::None && !busy; });
}

void TSnapshotWriter::Run()
{
    std::unique_lock<std::mutex> guard(mutex);
    for (;;) {
        wake.wait(guard, [this] { return pending != Job::None || stopping; });
        if (pending == Job::None)
            return;
        const Job job = std::exchange(pending, Job::None);
        const std::string text = std::move(pendingText);
        const TDateTime time = pendingTime;
        busy = true;
        guard.unlock();
        Do(job, text, time);
        guard.lock();
        busy = false;
        if (pending == Job::None)
            idle.notify_all();
    }
}

void TSnapshotWriter::Do(Job job, const std::string &text, const TDateTime &lastEdit)
{
    std::string failure;
    if (job == Job::Clear) {
        // Once given up, the snapshot may be another program's: only a held one is removed.
        if ((lock.Held() || lock.Relock()) && ::unlink(lock.Snapshot().c_str()) != 0
            && errno != ENOENT)
            failure = lock.Snapshot() + ": " + Reason(errno);
    } else {
        // After Finish the same snapshot is taken up again, unless a program started meanwhile
        // took it over; then this program starts a snapshot of its own.
        if (!lock.Held() && !lock.Relock()) {
            failure = MakeFolder(folder);
            lock = failure.empty() ? TRecoveryLock::Create(folder, failure) : TRecoveryLock();
        }
        if (lock.Held())
            failure = WriteSnapshot(lock, text, lastEdit, write);
    }
    if (report)
        report(failure);
}
