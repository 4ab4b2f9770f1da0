#include "programfolders.h"

#include "settings.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *SharedData = "../share/vorunkelm/";
// The data is where the board pictures are: without them the program cannot show a game.
constexpr const char *DataMark = "GRAPHICS";

bool HoldsData(const std::string &dir)
{
    std::error_code error;
    return fs::is_directory(fs::path(dir) / DataMark, error);
}

} // namespace

std::string FindDataDir(const std::string &exeDir)
{
    if (HoldsData(exeDir))
        return exeDir;
    const std::string shared = exeDir + SharedData;
    if (!HoldsData(shared))
        return {};
    // Said without the "..", as the help and the About box show it.
    std::error_code error;
    const fs::path canonical = fs::canonical(shared, error);
    return error ? shared : canonical.string() + "/";
}

bool IsWritableFolder(const std::string &dir)
{
    struct stat info { };
    return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
        && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(dir.c_str(), W_OK) == 0;
}

TProgramFolders ChooseProgramFolders(const std::string &exeDir, const TUserFolders &user)
{
    const std::string data = FindDataDir(exeDir);
    if (data == exeDir && IsWritableFolder(exeDir))
        return {data, exeDir, exeDir + IniFileBaseName};
    return {data.empty() ? exeDir : data, user.data, user.config + IniFileBaseName};
}
