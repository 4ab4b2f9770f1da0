#include "savefiles.h"

#include "filewrite.h"
#include "programfolders.h"
#include "readfile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *SavedGamesFolder = "SavedGames/";
constexpr const char *OldSavesFolder = "OLDSAVES/";
constexpr const char *SaveExtension = ".txt";
constexpr size_t StampPartLength = 7; // "_" and the six-character time stamp

constexpr const char *SaveOpenText = "Error opening save game file.";
constexpr const char *SaveOpenCaption = "File Error";
constexpr const char *SaveFailedText = "Error while attempting to save file.";
constexpr const char *SaveFailedCaption = "Save Error";

// A temporary file is the save's name, hidden, with "." and six random characters after it; the
// name is shortened where needed so the whole stays within the system's 255 bytes.
constexpr size_t NameMax = 255;
constexpr const char *TempSuffix = ".XXXXXX";
constexpr size_t TempSuffixLength = 7;
constexpr size_t LinkHopsMax = 40; // as the system's own limit on symbolic links

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size()
        && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string &text, const std::string &head)
{
    return text.compare(0, head.size(), head) == 0;
}

// An earlier save of the game: the file name, exactly seven characters, ".txt". Hidden files are
// not the program's.
bool IsEarlierSave(const std::string &name, const std::string &fileName)
{
    const std::string extension = SaveExtension;
    return name.size() == fileName.size() + StampPartLength + extension.size()
        && StartsWith(name, fileName) && EndsWith(name, extension) && name[0] != '.';
}

// A temporary file of one of the game's saves: ".", the save's name (maybe shortened), "." and
// the six characters mkstemp chose.
bool IsTemporaryOfGame(const std::string &name, const std::string &fileName)
{
    if (name.size() < 1 + fileName.size() + 1 + TempSuffixLength || name[0] != '.'
        || name[name.size() - TempSuffixLength] != '.' || !StartsWith(name, "." + fileName + "_"))
        return false;
    for (size_t i = name.size() - TempSuffixLength + 1; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

bool IsOrdinaryFile(const fs::directory_entry &entry)
{
    std::error_code error;
    return entry.symlink_status(error).type() == fs::file_type::regular;
}

std::vector<fs::path> FilesWhere(const fs::path &folder,
                                 bool (*matches)(const std::string &, const std::string &),
                                 const std::string &fileName)
{
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (IsOrdinaryFile(*it) && matches(it->path().filename().string(), fileName))
            found.push_back(it->path());
    return found;
}

SaveResult Failure(SaveOutcome outcome, const fs::path &file, const std::string &reason)
{
    const bool open = outcome == SaveOutcome::OpenError;
    return SaveResult{outcome,
                      std::string(open ? SaveOpenText : SaveFailedText) + "\n" + file.string()
                          + ": " + reason,
                      open ? SaveOpenCaption : SaveFailedCaption};
}

// The file a save to `path` replaces: a symbolic link is followed to what it names, however many
// links lead there, so the links themselves stay. A missing file is its own target.
bool FollowLinks(fs::path &path, int &error)
{
    for (size_t hop = 0; hop < LinkHopsMax; ++hop) {
        std::error_code code;
        const fs::file_status status = fs::symlink_status(path, code);
        if (code || !fs::is_symlink(status))
            return true;
        const fs::path next = fs::read_symlink(path, code);
        if (code) {
            error = code.value();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = ELOOP;
    return false;
}

// What stands in the way of replacing an existing file: something that is no file, or a file
// its owner made read-only (which the rename of a save would otherwise replace all the same).
std::string CannotReplace(const fs::path &target)
{
    struct stat info { };
    if (::stat(target.c_str(), &info) != 0)
        return errno == ENOENT ? std::string() : Reason(errno);
    if (S_ISDIR(info.st_mode))
        return Reason(EISDIR);
    if (!S_ISREG(info.st_mode))
        return NotOrdinaryFileReason;
    if (!MayWrite(target))
        return Reason(EACCES);
    return {};
}

// A temporary file of an interrupted save is never anyone's game: removed at the game's next save.
void RemoveStaleTemporaries(const fs::path &folder, const std::string &fileName)
{
    for (const fs::path &stale : FilesWhere(folder, IsTemporaryOfGame, fileName)) {
        std::error_code ignored;
        fs::remove(stale, ignored);
    }
}

std::string TemporaryName(const fs::path &target)
{
    const std::string name = target.filename().string();
    return (target.parent_path()
            / ("." + name.substr(0, NameMax - 1 - TempSuffixLength) + TempSuffix))
        .string();
}

// The temporary file is made private by mkstemp; give it the mode a plainly created file gets.
void UsualFileMode(int fd)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask); // cosmetic: the save is sound either way
}

// 0 when every byte reached the disk and the file closed cleanly, otherwise the error.
int WriteAndClose(int fd, const std::string &bytes, WriteFunction write)
{
    const int error = WriteAll(fd, bytes, write);
    const int closed = SyncAndClose(fd);
    return error != 0 ? error : closed;
}

bool SameFolder(const fs::path &a, const fs::path &b)
{
    std::error_code error;
    return fs::equivalent(a, b, error);
}

// Saving again under the same name (twice within two seconds) replaces an earlier save; it keeps
// a copy in the old-saves folder, as if it had moved there before the save.
fs::path KeepReplacedSave(const fs::path &target, const SaveFolders &folders)
{
    const std::string name = target.filename().string();
    if (!SameFolder(target.parent_path(), folders.savedGames)
        || !IsEarlierSave(name, folders.fileName))
        return {};
    const fs::path kept = fs::path(folders.oldSaves) / name;
    return ::link(target.c_str(), kept.c_str()) == 0 ? kept : fs::path();
}

} // namespace

std::string SavedGamesDir(const std::string &programDir)
{
    return programDir + SavedGamesFolder;
}

std::string OldSavesDir(const std::string &programDir)
{
    return SavedGamesDir(programDir) + OldSavesFolder;
}

std::string SaveFileName(const std::string &fileName, const TDateTime &time)
{
    return fileName + "_" + TimeStamp(time) + SaveExtension;
}

std::string LastSavedSuffix(const TDateTime &time)
{
    return "  Last Saved " + std::to_string(time.month) + "/" + std::to_string(time.day) + "/"
        + std::to_string(time.year) + ", " + std::to_string(time.hour) + ":"
        + std::to_string(time.minute) + ":" + std::to_string(time.second);
}

int MoveOldSaves(const std::string &savedGamesDir, const std::string &oldSavesDir,
                 const std::string &fileName, const std::string &keep)
{
    // Listed first, then moved: renaming while the folder is being read may skip or repeat names.
    int moved = 0;
    for (const fs::path &save : FilesWhere(savedGamesDir, IsEarlierSave, fileName)) {
        if (save.filename() == keep)
            continue;
        const fs::path target = fs::path(oldSavesDir) / save.filename();
        std::error_code error;
        if (fs::exists(fs::symlink_status(target, error)))
            continue; // an old save of that name stays; the newer one stays where it is
        fs::rename(save, target, error);
        if (!error)
            ++moved;
    }
    return moved;
}

SaveResult PrepareSaveFolders(const std::string &savedGamesDir, const std::string &oldSavesDir)
{
    const fs::path folder = fs::path(savedGamesDir).parent_path(); // without the trailing "/"
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
        return Failure(SaveOutcome::OpenError, folder, Reason(ENOTDIR));
    fs::create_directories(folder, error);
    if (error)
        return Failure(SaveOutcome::OpenError, folder, error.message());
    fs::create_directory(fs::path(oldSavesDir).parent_path(), error);
    return {};
}

SaveResult SaveGameFile(const std::string &path, const std::string &text,
                        const SaveFolders &folders, WriteFunction write)
{
    fs::path target = path;
    int error = 0;
    if (!FollowLinks(target, error))
        return Failure(SaveOutcome::OpenError, path, Reason(error));
    const std::string inTheWay = CannotReplace(target);
    if (!inTheWay.empty())
        return Failure(SaveOutcome::OpenError, target, inTheWay);
    RemoveStaleTemporaries(target.parent_path(), folders.fileName);

    std::string tempName = TemporaryName(target);
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return Failure(SaveOutcome::OpenError, target, Reason(errno));
    UsualFileMode(fd);
    error = WriteAndClose(fd, text, write ? write : ::write);
    const fs::path kept = error == 0 ? KeepReplacedSave(target, folders) : fs::path();
    if (error == 0 && std::rename(tempName.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(tempName.c_str());
        if (!kept.empty())
            std::remove(kept.c_str());
        return Failure(SaveOutcome::WriteError, target, Reason(error));
    }
    SyncFolder(target.parent_path());
    MoveOldSaves(folders.savedGames, folders.oldSaves, folders.fileName,
                 SameFolder(target.parent_path(), folders.savedGames) ? target.filename().string()
                                                                      : std::string());
    return {};
}
