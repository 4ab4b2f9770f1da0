#include "programfolders.h"

#include "settings.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {
const TUserFolders User{"/home/anne/.local/share/vorunkelm/", "/home/anne/.config/vorunkelm/"};
} // namespace

// Saves and settings stay beside a portable copy that can take them; every other layout uses the
// user's folders. The data is found beside the program or in ../share/vorunkelm.
TEST(ProgramFolders, EachLayoutKeepsItsGamesWhereTheyCanBeWritten)
{
    enum Data { BesideProgram, Shared, Nowhere };
    const struct {
        const char *what;
        Data data;
        bool writable, portable;
    } cases[] = {
        {"portable copy", BesideProgram, true, true},
        {"read-only copy", BesideProgram, false, false},
        {"installed", Shared, false, false},
        {"installed in a user's own prefix", Shared, true, false},
        {"no data", Nowhere, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder root;
        const std::string exeDir
            = root.path.string() + (c.data == Shared ? "/usr/bin/" : "/VorunKelm/");
        const std::string shared = fs::canonical(root.path).string() + "/usr/share/vorunkelm/";
        const std::string data = c.data == Nowhere ? "" : c.data == Shared ? shared : exeDir;
        fs::create_directories(exeDir);
        if (!data.empty())
            fs::create_directories(data + "GRAPHICS");
        if (!c.writable)
            fs::permissions(exeDir, fs::perms::owner_read | fs::perms::owner_exec);

        EXPECT_EQ(FindDataDir(exeDir), data);
        const TProgramFolders folders = ChooseProgramFolders(exeDir, User);
        EXPECT_EQ(folders.data, data.empty() ? exeDir : data); // where it will be missed
        EXPECT_EQ(folders.games, c.portable ? exeDir : User.data);
        EXPECT_EQ(folders.settings, (c.portable ? exeDir : User.config) + IniFileBaseName);
        fs::permissions(exeDir, fs::perms::owner_all); // so that the folder can go
    }
}
