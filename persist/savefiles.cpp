#include "savefiles.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char *SavedGamesFolder = "SavedGames/";
constexpr const char *OldSavesFolder = "OLDSAVES/";
constexpr const char *SaveExtension = ".txt";
constexpr size_t StampPartLength = 7; // "_" and the six-character time stamp

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size()
        && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// An earlier save of the game: the file name, exactly seven characters, ".txt". Hidden files are
// not the program's.
bool IsEarlierSave(const std::string &name, const std::string &fileName)
{
    const std::string extension = SaveExtension;
    return name.size() == fileName.size() + StampPartLength + extension.size()
        && name.compare(0, fileName.size(), fileName) == 0 && EndsWith(name, extension)
        && name[0] != '.';
}

std::vector<fs::path> EarlierSaves(const fs::path &folder, const std::string &fileName)
{
    std::vector<fs::path> saves;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)
            && IsEarlierSave(it->path().filename().string(), fileName))
            saves.push_back(it->path());
    }
    return saves;
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
                 const std::string &fileName)
{
    // Listed first, then moved: renaming while the folder is being read may skip or repeat names.
    int moved = 0;
    for (const fs::path &save : EarlierSaves(savedGamesDir, fileName)) {
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
