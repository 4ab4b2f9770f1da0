#include "programfolders.h"

#include "settings.h"

#include <filesystem>
#include <system_error>

#include <fcntl.h>
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

bool MayWrite(const std::string &path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0
        && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

TProgramFolders ChooseProgramFolders(const std::string &exeDir, const TUserFolders &user)
{
    const std::string data = FindDataDir(exeDir);
    if (data == exeDir && MayWrite(exeDir))
        return {data, exeDir, exeDir + IniFileBaseName};
    return {data.empty() ? exeDir : data, user.data, user.config + IniFileBaseName};
}
