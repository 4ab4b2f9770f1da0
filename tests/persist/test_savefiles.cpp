#include "savefiles.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <thread>
#include <vector>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size()
        && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

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
    // A leading ">" marks one to be moved, a trailing "/" a folder, a trailing "@" a link.
    std::vector<std::string> saves;
    std::string oldSave = ""; // already in the old-saves folder
    bool withOldSaves = true;
    std::string keep = ""; // the save just written
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
    {"the new save itself",
     "fri",
     {"fri_13ecn0.txt", ">fri_13ecm9.txt"},
     "",
     true,
     "fri_13ecn0.txt"},
    {"symbolic link", "fri", {"fri_13ecm9.txt@"}},
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
            else if (save.back() == '@')
                fs::create_symlink("elsewhere.txt", saved / save.substr(0, save.size() - 1));
            else
                std::ofstream(saved / save.substr(save[0] == '>')) << "new";
        }
        if (!c.oldSave.empty())
            std::ofstream(old / c.oldSave) << "old";

        EXPECT_EQ(MoveOldSaves(saved.string(), old.string(), c.fileName, c.keep), toMove);
        for (std::string save : c.saves) {
            const bool moves = save[0] == '>';
            if (save.back() == '@')
                save.pop_back();
            const std::string name = save.substr(moves);
            EXPECT_EQ(fs::exists(fs::symlink_status(saved / name)), !moves) << name;
            EXPECT_EQ(Text(old / name), moves ? "new" : c.oldSave == name ? "old" : "") << name;
        }
    }
    EXPECT_EQ(MoveOldSaves("/nonexistent/SavedGames/", "/nonexistent/SavedGames/OLDSAVES/", "fri"),
              0);
}

// ---- Saving a game ----------------------------------------------------------------------------

const std::string NewSave = "2\r\nFriday game\r\nfri\r\n";
const std::string EarlierSave = "an earlier save of the game";
constexpr const char *EarlierName = "fri_13ecm0.txt";
constexpr const char *SaveName = "fri_13ecm9.txt";

// Bytes a failing disk still takes before it refuses the rest.
size_t room = 0;
ssize_t WriteWithinRoom(int fd, const void *bytes, size_t count)
{
    if (room == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t written = ::write(fd, bytes, std::min(count, room));
    if (written > 0)
        room -= size_t(written);
    return written;
}

// The program's folder holding SavedGames/ with OLDSAVES/ and one earlier save of the game.
struct SavesFolder : TempFolder {
    SavesFolder()
    {
        fs::create_directories(saved / "OLDSAVES");
        std::ofstream(saved / EarlierName) << EarlierSave;
    }
    ~SavesFolder()
    {
        if (mounted)
            ::umount2(saved.c_str(), MNT_DETACH);
        std::error_code ignored; // a read-only folder must go too
        fs::permissions(saved, fs::perms::owner_all, ignored);
    }
    SavesFolder(const SavesFolder &) = delete;
    SavesFolder &operator=(const SavesFolder &) = delete;

    // SavedGames on a small file system with no room left; false where the system does not allow
    // it.
    bool MountFullDisk()
    {
        fs::remove_all(saved);
        fs::create_directory(saved);
        if (::mount("tmpfs", saved.c_str(), "tmpfs", 0, "size=64k") != 0)
            return false;
        mounted = true;
        fs::create_directory(saved / "OLDSAVES");
        std::ofstream(saved / EarlierName) << EarlierSave;
        std::ofstream filler(saved / "filler");
        const std::string block(4096, 'x');
        while (filler << block && filler.flush()) { }
        return true;
    }

    // As the program saves: the folders first, then the file.
    SaveResult Save(const fs::path &target, WriteFunction write = nullptr) const
    {
        const std::string dir = path.string() + "/";
        const SaveFolders folders{SavedGamesDir(dir), OldSavesDir(dir), "fri"};
        const SaveResult prepared = PrepareSaveFolders(folders.savedGames, folders.oldSaves);
        if (prepared.outcome != SaveOutcome::Saved)
            return prepared;
        return SaveGameFile(target.string(), NewSave, folders, write);
    }

    // The hidden files a save may have left in a folder.
    static std::vector<std::string> Temporaries(const fs::path &folder)
    {
        std::vector<std::string> found;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; ++it)
            if (it->path().filename().string()[0] == '.')
                found.push_back(it->path().filename().string());
        return found;
    }

    const fs::path saved = path / "SavedGames";
    bool mounted = false;
};

std::string FirstLine(const std::string &text)
{
    return text.substr(0, text.find('\n'));
}

// A fault in the saves folder, made before the save: the file the save should write, or nothing
// where this machine cannot make the fault.
using MakeFault = std::function<std::optional<fs::path>(SavesFolder &, fs::path &target)>;

std::optional<fs::path> Nothing(SavesFolder &, fs::path &target)
{
    return target;
}

// Each fault ends in its outcome with the system's reason. Whatever happens, no temporary file
// stays behind and the earlier save is intact: in OLDSAVES once the new save is in place, where it
// was otherwise.
TEST(SaveGameFile, EveryFaultOfTheSavesFolderHasItsOutcome)
{
    const auto notAFolder = [](const fs::path &path) {
        fs::remove_all(path);
        std::ofstream(path) << "not a folder";
    };
    const struct {
        const char *what;
        MakeFault make;
        SaveOutcome outcome;
        const char *reason; // how the message's second line ends
        bool earlierMoves;
    } cases[] = {
        {"ordinary save", Nothing, SaveOutcome::Saved, "", true},
        {"saves folder missing",
         [](SavesFolder &f, fs::path &target) { return fs::remove_all(f.saved), target; },
         SaveOutcome::Saved, "", false},
        {"a file in the saves folder's way",
         [&](SavesFolder &f, fs::path &target) { return notAFolder(f.saved), target; },
         SaveOutcome::OpenError, "/SavedGames: Not a directory", false},
        {"read-only saves folder",
         [](SavesFolder &f, fs::path &target) -> std::optional<fs::path> {
             fs::permissions(f.saved, fs::perms::owner_read | fs::perms::owner_exec);
             if (::access(f.saved.c_str(), W_OK) != 0)
                 return target;
             return std::nullopt; // this user writes into read-only folders
         },
         SaveOutcome::OpenError, ": Permission denied", false},
        {"a file in the old-saves folder's way",
         [&](SavesFolder &f, fs::path &target) { return notAFolder(f.saved / "OLDSAVES"), target; },
         SaveOutcome::Saved, "", false},
        {"symbolic link to another folder",
         [](SavesFolder &f, fs::path &target) -> std::optional<fs::path> {
             fs::create_directory(f.path / "elsewhere");
             fs::create_symlink("../elsewhere/kept.txt", target);
             return f.path / "elsewhere" / "kept.txt";
         },
         SaveOutcome::Saved, "", true},
        {"read-only file of that name",
         [](SavesFolder &, fs::path &target) {
             std::ofstream(target) << "read-only";
             fs::permissions(target, fs::perms::owner_read);
             return target;
         },
         SaveOutcome::OpenError, ": Permission denied", false},
        {"folder of that name",
         [](SavesFolder &, fs::path &target) { return fs::create_directory(target), target; },
         SaveOutcome::OpenError, ": Is a directory", false},
        {"name of 255 bytes",
         [](SavesFolder &f, fs::path &target) {
             return target = f.saved / ("fri_13ecm9" + std::string(241, 'n') + ".txt");
         },
         SaveOutcome::Saved, "", true},
        {"full disk",
         [](SavesFolder &f, fs::path &target) {
             return f.MountFullDisk() ? std::optional(target) : std::nullopt;
         },
         SaveOutcome::WriteError, ": No space left on device", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SavesFolder folder;
        fs::path target = folder.saved / SaveName;
        const std::optional<fs::path> written = c.make(folder, target);
        if (!written)
            continue; // no file systems of our own here
        const bool hadEarlier = fs::exists(folder.saved / EarlierName);
        const SaveResult result = folder.Save(target);

        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == SaveOutcome::Saved) {
            EXPECT_EQ(result.text, "");
            EXPECT_EQ(Text(*written), NewSave);
            EXPECT_EQ(fs::is_symlink(target), *written != target);
        } else {
            EXPECT_EQ(FirstLine(result.text),
                      c.outcome == SaveOutcome::OpenError ? "Error opening save game file."
                                                          : "Error while attempting to save file.");
            EXPECT_TRUE(EndsWith(result.text, c.reason)) << result.text;
        }
        EXPECT_EQ(SavesFolder::Temporaries(folder.saved), std::vector<std::string>{});
        EXPECT_EQ(SavesFolder::Temporaries(written->parent_path()), std::vector<std::string>{});
        if (hadEarlier) {
            EXPECT_EQ(
                Text((c.earlierMoves ? folder.saved / "OLDSAVES" : folder.saved) / EarlierName),
                EarlierSave);
        }
    }
}

// The program's own save path, failing after every number of bytes: each failure says so, and
// leaves the earlier file of that name, the earlier saves and the folder as they were.
TEST(SaveGameFile, AWriteThatFailsPartWayChangesNothing)
{
    SavesFolder folder;
    const fs::path target = folder.saved / SaveName;
    std::ofstream(target) << "the save made a second ago";
    for (size_t bytes = 0; bytes < NewSave.size(); ++bytes) {
        room = bytes;
        const SaveResult result = folder.Save(target, WriteWithinRoom);
        EXPECT_EQ(result.outcome, SaveOutcome::WriteError) << bytes;
        EXPECT_EQ(result.text,
                  "Error while attempting to save file.\n" + target.string()
                      + ": No space left on device");
        EXPECT_EQ(result.caption, "Save Error");
        EXPECT_EQ(Text(target), "the save made a second ago");
        EXPECT_EQ(Text(folder.saved / EarlierName), EarlierSave);
        EXPECT_EQ(SavesFolder::Temporaries(folder.saved), std::vector<std::string>{});
    }
    room = NewSave.size();
    EXPECT_EQ(folder.Save(target, WriteWithinRoom).outcome, SaveOutcome::Saved);
    EXPECT_EQ(Text(target), NewSave);
}

// A save of the same name within the same two seconds keeps the earlier one in OLDSAVES; the new
// save has the mode any new file gets, whatever the earlier one had; the temporary files of an
// interrupted save of this game go, other files stay.
TEST(SaveGameFile, ReplacingASaveKeepsItAndTidiesUp)
{
    SavesFolder folder;
    const fs::path target = folder.saved / SaveName;
    std::ofstream(target) << "two seconds ago";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const std::vector<std::string> stale = {".fri_13ecm9.txt.Ab3dE9", ".fri_13ecm0.txt.zzzzzz"};
    const std::vector<std::string> others
        = {".fred_13ecm0.txt.Ab3dE9", ".fri_13ecm9.txt.notes", ".fri_13ecm9.txt.Ab-dE9"};
    for (const std::string &name : stale)
        std::ofstream(folder.saved / name) << "cut off";
    for (const std::string &name : others)
        std::ofstream(folder.saved / name) << "someone else's";

    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(folder.Save(target).outcome, SaveOutcome::Saved);
    EXPECT_EQ(Text(target), NewSave);
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / SaveName), "two seconds ago");
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / EarlierName), EarlierSave);
    struct stat info { };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    std::vector<std::string> left = SavesFolder::Temporaries(folder.saved);
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = others;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

// Killed at random moments during a burst of saves, 50 times over: every file under a save name
// is a whole save, the saves folder always holds one, and the next save leaves no temporary file.
TEST(SaveGameFile, SurvivesBeingKilledAtAnyMoment)
{
    SavesFolder folder;
    const std::string dir = folder.path.string() + "/";
    const SaveFolders folders{SavedGamesDir(dir), OldSavesDir(dir), "fri"};
    // Large enough that a kill often lands inside the writing.
    const std::string game = NewSave + std::string(1 << 20, 'n') + "\r\n";
    ASSERT_EQ(SaveGameFile((folder.saved / "fri_000000.txt").string(), game, folders).outcome,
              SaveOutcome::Saved);
    std::mt19937 random(7);
    int next = 1;
    for (int kill = 0; kill < 50; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const int first = next;
        const pid_t child = ::fork();
        if (child == 0) {
            for (int n = first;; ++n) {
                char name[32];
                std::snprintf(name, sizeof name, "fri_%06d.txt", n);
                SaveGameFile((folder.saved / name).string(), game, folders);
                (void)!::write(ready[1], "s", 1);
            }
        }
        ::close(ready[1]);
        char done = 0;
        ASSERT_EQ(::read(ready[0], &done, 1), 1); // one whole save, then a random moment
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        while (::read(ready[0], &done, 1) == 1)
            ++next;
        ::close(ready[0]);
        next += 2; // past the save in progress

        int saves = 0;
        for (const fs::path &in : {folder.saved, folder.saved / "OLDSAVES"}) {
            for (const auto &entry : fs::directory_iterator(in)) {
                const std::string name = entry.path().filename().string();
                if (name[0] == '.' || !entry.is_regular_file() || name == EarlierName)
                    continue;
                EXPECT_EQ(fs::file_size(entry.path()), game.size()) << name;
                saves += in == folder.saved;
            }
        }
        EXPECT_GE(saves, 1) << "kill " << kill;
    }
    EXPECT_EQ(SaveGameFile((folder.saved / "fri_999999.txt").string(), game, folders).outcome,
              SaveOutcome::Saved);
    EXPECT_EQ(SavesFolder::Temporaries(folder.saved), std::vector<std::string>{});
}

} // namespace
