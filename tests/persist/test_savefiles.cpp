#include "savefiles.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

TEST(SaveFiles, NamesAndCaptionCarryTheTimeOfSaving)
{
    const TDateTime at{2010, 1, 1, 0, 0, 1};
    EXPECT_EQ(SaveFileName("fri", at), "fri_011000.txt");
    EXPECT_EQ(LastSavedSuffix(at), "  Last Saved 1/1/2010, 0:0:1");
    EXPECT_EQ(SavedGamesDir("/opt/vk/"), "/opt/vk/SavedGames/");
    EXPECT_EQ(OldSavesDir("/opt/vk/"), "/opt/vk/SavedGames/OLDSAVES/");
}

// A program folder with SavedGames/ and, unless told otherwise, SavedGames/OLDSAVES/.
struct ProgramFolder : TempFolder {
    explicit ProgramFolder(bool withOldSaves)
    {
        fs::create_directories(path / (withOldSaves ? "SavedGames/OLDSAVES" : "SavedGames"));
    }
};

std::string Text(const fs::path &path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct MoveCase {
    const char *what, *fileName;
    std::vector<std::string> saves; // a leading ">" marks one to be moved, a trailing "/" a folder
    std::string oldSave = ""; // already in the old-saves folder
    bool withOldSaves = true;
};

const MoveCase MoveCases[] = {
    {"earlier saves", "fri", {">fri_13ecm9.txt", ">fri_1cvxbz.txt"}},
    {"not this game's save name",
     "fri",
     {"fri_13ecm.txt", "fri_13ecm99.txt", "fri.txt", "fri_13ecm9.doc", "fri_13ecm9.TXT",
      "fro_13ecm9.txt"}},
    {"hidden file", ".fri", {".fri_13ecm9.txt"}},
    {"folder", "fri", {"fri_13ecm9.txt/"}},
    {"old save of that name", "fri", {"fri_13ecm9.txt", ">fri_13ecn0.txt"}, "fri_13ecm9.txt"},
    {"no old-saves folder", "fri", {"fri_13ecm9.txt"}, "", false},
};

TEST(SaveFiles, MoveOldSavesMovesOnlyEarlierSavesOfTheGame)
{
    for (const MoveCase &c : MoveCases) {
        SCOPED_TRACE(c.what);
        ProgramFolder program(c.withOldSaves);
        const fs::path saved = SavedGamesDir(program.path.string() + "/");
        const fs::path old = OldSavesDir(program.path.string() + "/");
        int toMove = 0;
        for (const std::string &save : c.saves) {
            toMove += save[0] == '>';
            if (save.back() == '/')
                fs::create_directory(saved / save);
            else
                std::ofstream(saved / save.substr(save[0] == '>')) << "new";
        }
        if (!c.oldSave.empty())
            std::ofstream(old / c.oldSave) << "old";

        EXPECT_EQ(MoveOldSaves(saved.string(), old.string(), c.fileName), toMove);
        for (const std::string &save : c.saves) {
            const bool moves = save[0] == '>';
            const std::string name = save.substr(moves);
            EXPECT_EQ(fs::exists(saved / name), !moves) << name;
            EXPECT_EQ(Text(old / name), moves ? "new" : c.oldSave == name ? "old" : "") << name;
        }
    }
    EXPECT_EQ(MoveOldSaves("/nonexistent/SavedGames/", "/nonexistent/SavedGames/OLDSAVES/", "fri"),
              0);
}

} // namespace
