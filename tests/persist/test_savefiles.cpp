#include "savefiles.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <random>
#include <thread>
#include <vector>

#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string NewSave = "2\r\nFriday game\r\nfri\r\n";
const std::string EarlierSave = "an earlier save of the game";
constexpr const char *EarlierName = "fri_13ecm0.txt";
constexpr const char *SaveName = "fri_13ecm9.txt";

std::string Text(const fs::path &path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The program's folder holding SavedGames/ with, unless told otherwise, OLDSAVES/ and one earlier
// save of the game.
struct SavesFolder : TempFolder {
    explicit SavesFolder(bool withOldSaves = true, bool withEarlier = true)
    {
        fs::create_directories(withOldSaves ? saved / "OLDSAVES" : saved);
        if (withEarlier)
            std::ofstream(saved / EarlierName) << EarlierSave;
    }
    ~SavesFolder()
    {
        if (mounted)
            ::umount2(saved.c_str(), MNT_DETACH);
        std::error_code ignored; // a read-only folder must go too
        fs::permissions(saved, fs::perms::owner_all, ignored);
    }
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

    SaveFolders Folders() const
    {
        const std::string dir = path.string() + "/";
        return {SavedGamesDir(dir), OldSavesDir(dir), "fri"};
    }

    // As the program saves: the folders first, then the file.
    SaveResult Save(const fs::path &target, WriteFunction write = nullptr) const
    {
        const SaveResult prepared = PrepareSaveFolders(Folders().savedGames, Folders().oldSaves);
        if (prepared.outcome != SaveOutcome::Saved)
            return prepared;
        return SaveGameFile(target.string(), NewSave, Folders(), write);
    }

    // The hidden files a save may have left in a folder, sorted.
    static std::vector<std::string> Temporaries(const fs::path &folder)
    {
        std::vector<std::string> found;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; ++it)
            if (it->path().filename().string()[0] == '.')
                found.push_back(it->path().filename().string());
        std::sort(found.begin(), found.end());
        return found;
    }

    const fs::path saved = path / "SavedGames";
    bool mounted = false;
};

TEST(SaveFiles, NamesAndCaptionCarryTheTimeOfSaving)
{
    const TDateTime at{2010, 1, 1, 0, 0, 1};
    EXPECT_EQ(SaveFileName("fri", at), "fri_011000.txt");
    EXPECT_EQ(LastSavedSuffix(at), "  Last Saved 1/1/2010, 0:0:1");
    EXPECT_EQ(OldSavesDir("/opt/vk/"), "/opt/vk/SavedGames/OLDSAVES/");
}

// Only ordinary, visible files named as this game's saves move, and never over an old save.
TEST(SaveFiles, MoveOldSavesMovesOnlyEarlierSavesOfTheGame)
{
    // The files in the saves folder: ">" marks one to be moved, "!" the save just written, "=" one
    // whose name OLDSAVES holds already; a trailing "/" makes a folder, a trailing "@" a link.
    const struct {
        const char *what, *fileName, *files;
        bool withOldSaves = true;
    } cases[] = {
        {"earlier saves", "fri", ">fri_13ecm9.txt >fri_1cvxbz.txt"},
        {"not this game's save name", "fri",
         "fri_13ecm.txt fri_13ecm99.txt fri.txt fri_13ecm9.doc fri_13ecm9.TXT fro_13ecm9.txt"},
        {"hidden file", ".fri", ".fri_13ecm9.txt"},
        {"folder", "fri", "fri_13ecm9.txt/"},
        {"old save of that name", "fri", "=fri_13ecm9.txt >fri_13ecn0.txt"},
        {"no old-saves folder", "fri", "fri_13ecm9.txt", false},
        {"the new save itself", "fri", "!fri_13ecn0.txt >fri_13ecm9.txt"},
        {"symbolic link", "fri", "fri_13ecm9.txt@"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const SavesFolder program(c.withOldSaves, false);
        std::ofstream(program.path / "elsewhere.txt") << "a file a link leads to";
        const fs::path saved = program.Folders().savedGames, old = program.Folders().oldSaves;
        std::vector<std::pair<char, std::string>> made; // mark, name
        std::string keep;
        int toMove = 0;
        std::istringstream files(c.files);
        for (std::string file; files >> file;) {
            const char mark = std::strchr(">!=", file[0]) ? file[0] : ' ';
            std::string name = file.substr(mark != ' ');
            const char type = name.back();
            if (type == '/' || type == '@')
                name.pop_back();
            if (type == '/')
                fs::create_directory(saved / name);
            else if (type == '@')
                fs::create_symlink(program.path / "elsewhere.txt", saved / name);
            else
                std::ofstream(saved / name) << "new";
            if (mark == '=')
                std::ofstream(old / name) << "old";
            keep = mark == '!' ? name : keep;
            toMove += mark == '>';
            made.emplace_back(mark, name);
        }
        EXPECT_EQ(MoveOldSaves(saved.string(), old.string(), c.fileName, keep), toMove);
        for (const auto &[mark, name] : made) {
            EXPECT_EQ(fs::exists(fs::symlink_status(saved / name)), mark != '>') << name;
            EXPECT_EQ(Text(old / name), mark == '>' ? "new" : mark == '=' ? "old" : "") << name;
        }
    }
    EXPECT_EQ(MoveOldSaves("/nonexistent/SavedGames/", "/nonexistent/SavedGames/OLDSAVES/", "fri"),
              0);
}

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

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size()
        && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool Block(const fs::path &folder)
{
    fs::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    return true;
}

// Each fault ends in its outcome with the system's reason. Whatever happens, no temporary file
// stays behind and the earlier save is intact: in OLDSAVES once the new save is in place, where it
// was otherwise.
TEST(SaveGameFile, EveryFaultOfTheSavesFolderHasItsOutcome)
{
    using O = SaveOutcome;
    // Made before the save; may move its target and the file that should get the bytes. False
    // where this machine cannot make the fault.
    using Fault = std::function<bool(SavesFolder &, fs::path & target, fs::path & written)>;
    const struct {
        const char *what;
        Fault make;
        SaveOutcome outcome;
        const char *reason; // how the message's second line ends
        bool earlierMoves;
    } cases[] = {
        {"ordinary save", [](auto &...) { return true; }, O::Saved, "", true},
        {"saves folder missing", [](auto &f, auto &...) { return fs::remove_all(f.saved) > 0; },
         O::Saved, "", false},
        {"a file in the saves folder's way", [](auto &f, auto &...) { return Block(f.saved); },
         O::OpenError, "/SavedGames: Not a directory", false},
        {"read-only saves folder",
         [](auto &f, auto &...) {
             fs::permissions(f.saved, fs::perms::owner_read | fs::perms::owner_exec);
             return ::access(f.saved.c_str(), W_OK) != 0; // not so for root
         },
         O::OpenError, ": Permission denied", false},
        {"a file in the old-saves folder's way",
         [](auto &f, auto &...) { return Block(f.saved / "OLDSAVES"); }, O::Saved, "", false},
        {"symbolic link to another folder",
         [](auto &f, fs::path &target, fs::path &written) {
             fs::create_directory(f.path / "elsewhere");
             fs::create_symlink("../elsewhere/kept.txt", target);
             written = f.path / "elsewhere" / "kept.txt";
             return true;
         },
         O::Saved, "", true},
        {"read-only file of that name",
         [](auto &, fs::path &target, auto &) {
             std::ofstream(target) << "read-only";
             fs::permissions(target, fs::perms::owner_read);
             return true;
         },
         O::OpenError, ": Permission denied", false},
        {"folder of that name",
         [](auto &, fs::path &target, auto &) { return fs::create_directory(target); },
         O::OpenError, ": Is a directory", false},
        {"name of 255 bytes",
         [](auto &f, fs::path &target, fs::path &written) {
             written = target = f.saved / ("fri_13ecm9" + std::string(241, 'n') + ".txt");
             return true;
         },
         O::Saved, "", true},
        {"full disk", [](auto &f, auto &...) { return f.MountFullDisk(); }, O::WriteError,
         ": No space left on device", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SavesFolder folder;
        fs::path target = folder.saved / SaveName, written = target;
        if (!c.make(folder, target, written))
            continue; // not a fault this machine can make
        const bool hadEarlier = fs::exists(folder.saved / EarlierName);
        const SaveResult result = folder.Save(target);

        EXPECT_EQ(result.outcome, c.outcome);
        if (c.outcome == O::Saved) {
            EXPECT_EQ(result.text, "");
            EXPECT_EQ(Text(written), NewSave);
            EXPECT_EQ(fs::is_symlink(target), written != target);
        } else {
            EXPECT_EQ(result.text.substr(0, result.text.find('\n')),
                      c.outcome == O::OpenError ? "Error opening save game file."
                                                : "Error while attempting to save file.");
            EXPECT_TRUE(EndsWith(result.text, c.reason)) << result.text;
        }
        EXPECT_EQ(SavesFolder::Temporaries(folder.saved), std::vector<std::string>{});
        EXPECT_EQ(SavesFolder::Temporaries(written.parent_path()), std::vector<std::string>{});
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
    const std::vector<std::string> others // sorted
        = {".fred_13ecm0.txt.Ab3dE9", ".fri_13ecm9.txt.Ab-dE9", ".fri_13ecm9.txt.notes"};
    for (const std::string &name : others)
        std::ofstream(folder.saved / name) << "someone else's";
    for (const char *stale : {".fri_13ecm9.txt.Ab3dE9", ".fri_13ecm0.txt.zzzzzz"})
        std::ofstream(folder.saved / stale) << "cut off";

    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(folder.Save(target).outcome, SaveOutcome::Saved);
    EXPECT_EQ(Text(target), NewSave);
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / SaveName), "two seconds ago");
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / EarlierName), EarlierSave);
    struct stat info { };
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
    EXPECT_EQ(SavesFolder::Temporaries(folder.saved), others);
}

// Killed at random moments during a burst of saves, 50 times over: every file under a save name
// is a whole save, the saves folder always holds one, and the next save leaves no temporary file.
TEST(SaveGameFile, SurvivesBeingKilledAtAnyMoment)
{
    SavesFolder folder;
    const SaveFolders folders = folder.Folders();
    // Large enough that a kill often lands inside the writing.
    const std::string game = NewSave + std::string(1 << 20, 'n') + "\r\n";
    ASSERT_EQ(SaveGameFile((folder.saved / "fri_000000.txt").string(), game, folders).outcome,
              SaveOutcome::Saved);
    std::mt19937 random(7);
    for (int kill = 1; kill <= 50; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            for (int n = kill * 10000;; ++n) { // names of its own for each round
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
        ::close(ready[0]);

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
