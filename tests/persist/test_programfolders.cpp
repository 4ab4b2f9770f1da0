#include "programfolders.h"

#include "settings.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

enum class Layout {
    Portable, // data beside the program, folder writable
    ReadOnlyCopy, // data beside the program, folder read-only
    Installed, // bin/ with share/vorunkelm/ beside it
    InstalledWritable, // the same, with bin/ writable (a user's own prefix)
    NoData,
};

// A program's folder laid out one of the ways the program may meet: the executable's folder, and
// where the board pictures are.
struct ProgramLayout {
    explicit ProgramLayout(Layout layout)
    {
        const bool installed = layout == Layout::Installed || layout == Layout::InstalledWritable;
        exeDir = (installed ? root.path / "usr" / "bin" : root.path / "VorunKelm").string() + "/";
        fs::create_directories(exeDir);
        if (installed)
            fs::create_directories(root.path / "usr" / "share" / "vorunkelm" / "GRAPHICS");
        else if (layout != Layout::NoData)
            fs::create_directories(fs::path(exeDir) / "GRAPHICS");
        if (layout == Layout::ReadOnlyCopy || layout == Layout::Installed)
            fs::permissions(exeDir, fs::perms::owner_read | fs::perms::owner_exec);
    }
    ~ProgramLayout() { fs::permissions(exeDir, fs::perms::owner_all); }
    ProgramLayout(const ProgramLayout &) = delete;
    ProgramLayout &operator=(const ProgramLayout &) = delete;

    TempFolder root;
    std::string exeDir;
};

const TUserFolders User{"/home/anne/.local/share/vorunkelm/", "/home/anne/.config/vorunkelm/"};

} // namespace

// Saves and settings stay beside a portable copy that can take them; every other layout uses the
// user's folders. The data is found beside the program or in ../share/vorunkelm.
TEST(ProgramFolders, EachLayoutKeepsItsGamesWhereTheyCanBeWritten)
{
    enum Data { BesideProgram, Shared, Nowhere };
    const struct {
        const char *what;
        Layout layout;
        Data data;
        bool portable;
    } cases[] = {
        {"portable copy", Layout::Portable, BesideProgram, true},
        {"read-only copy", Layout::ReadOnlyCopy, BesideProgram, false},
        {"installed", Layout::Installed, Shared, false},
        {"installed, writable bin", Layout::InstalledWritable, Shared, false},
        {"no data", Layout::NoData, Nowhere, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProgramLayout layout(c.layout);
        const std::string shared
            = fs::canonical(layout.root.path).string() + "/usr/share/vorunkelm/";
        const std::string data = c.data == BesideProgram ? layout.exeDir
            : c.data == Shared                           ? shared
                                                         : std::string();
        EXPECT_EQ(FindDataDir(layout.exeDir), data);
        const TProgramFolders folders = ChooseProgramFolders(layout.exeDir, User);
        EXPECT_EQ(folders.data, data.empty() ? layout.exeDir : data); // where it will be missed
        EXPECT_EQ(folders.games, c.portable ? layout.exeDir : User.data);
        EXPECT_EQ(folders.settings, (c.portable ? layout.exeDir : User.config) + IniFileBaseName);
    }
}
