#include "savefiles.h"

#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <random>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

const std::string NewSave = "2\r\nFriday game\r\nfri\r\n", EarlierSave = "an earlier save";
constexpr const char *EarlierName = "fri_13ecm0.txt", *SaveName = "fri_13ecm9.txt";

std::string Text(const fs::path &path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The hidden files a save may have left in a folder, sorted.
Names Temporaries(const fs::path &folder)
{
    Names found;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; ++it)
        if (it->path().filename().string()[0] == '.')
            found.push_back(it->path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
}

// The program's folder: SavedGames/OLDSAVES/ and an earlier save of the game.
struct SavesFolder : TempFolder {
    SavesFolder()
    {
        fs::create_directories(saved / "OLDSAVES");
        std::ofstream(saved / EarlierName) << EarlierSave;
    }
    ~SavesFolder()
    {
        std::error_code ignored; // a read-only folder must go too
        fs::permissions(saved, fs::perms::owner_all, ignored);
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
        return prepared.outcome != SaveOutcome::Saved
            ? prepared
            : SaveGameFile(target.string(), NewSave, Folders(), write);
    }

    const fs::path saved = path / "SavedGames";
};

TEST(SaveFiles, NameAndCaptionCarryTheTimeOfSaving)
{
    const TDateTime at{2010, 1, 1, 0, 0, 1};
    EXPECT_EQ(SaveFileName("fri", at), "fri_011000.txt");
    EXPECT_EQ(LastSavedSuffix(at), "  Last Saved 1/1/2010, 0:0:1");
}

// Only ordinary, visible files named as this game's saves move, never the save just written and
// never over an old save.
TEST(SaveFiles, MoveOldSavesMovesOnlyEarlierSavesOfTheGame)
{
    const TempFolder program;
    const fs::path saved = program.path / "SavedGames", old = saved / "OLDSAVES";
    fs::create_directories(old);
    std::ofstream(program.path / "elsewhere.txt") << "a file a link leads to";
    // ">" marks a file to be moved, "!" the save just written, "=" one whose name OLDSAVES holds
    // already; a trailing "/" makes a folder, a trailing "@" a link.
    std::istringstream files(
        ">fri_13ecm9.txt >fri_1cvxbz.txt !fri_kept00.txt =fri_13ecn0.txt fri_folder.txt/ "
        "fri_linked.txt@ .fri_13ecm9.txt fri_13ecm.txt fri_13ecm99.txt fri.txt fri_13ecm9.doc "
        "fri_13ecm9.TXT fro_13ecm9.txt");
    std::vector<std::pair<char, std::string>> made; // mark, name
    for (std::string file; files >> file;) {
        const char mark = std::strchr(">!=", file[0]) ? file[0] : ' ', type = file.back();
        const std::string name
            = file.substr(mark != ' ', file.size() - (mark != ' ') - (type == '/' || type == '@'));
        if (type == '/')
            fs::create_directory(saved / name);
        else if (type == '@')
            fs::create_symlink(program.path / "elsewhere.txt", saved / name);
        else
            std::ofstream(saved / name) << "new";
        if (mark == '=')
            std::ofstream(old / name) << "old";
        made.emplace_back(mark, name);
    }
    const std::string from = saved.string() + "/", to = old.string() + "/";
    EXPECT_EQ(MoveOldSaves(from, from + "missing/", "fri"), 0);
    EXPECT_EQ(MoveOldSaves(from, to, ".fri"), 0); // only a hidden file has that name
    EXPECT_EQ(MoveOldSaves(from, to, "fri", "fri_kept00.txt"), 2);
    for (const auto &[mark, name] : made) {
        EXPECT_EQ(fs::exists(fs::symlink_status(saved / name)), mark != '>') << name;
        EXPECT_EQ(Text(old / name), mark == '>' ? "new" : mark == '=' ? "old" : "") << name;
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
    room -= size_t(std::max<ssize_t>(written, 0));
    return written;
}

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
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
                      "Error opening save game file.");
            EXPECT_TRUE(EndsWith(result.text, c.reason)) << result.text;
        }
        EXPECT_EQ(Temporaries(folder.saved), Names{});
        EXPECT_EQ(Temporaries(written.parent_path()), Names{});
        const fs::path earlier = c.earlierMoves ? folder.saved / "OLDSAVES" : folder.saved;
        EXPECT_EQ(Text(earlier / EarlierName), hadEarlier ? EarlierSave : "");
    }
}

// Replacing a save of the same name made within the same two seconds, through the program's own
// save path failing after every number of bytes: each failure says so and leaves the earlier file
// of that name, the earlier saves and the folder as they were. Once whole, the new save has the
// mode any new file gets, whatever the earlier one had, and the earlier one is kept in OLDSAVES;
// the temporary files of an interrupted save of this game go, other files stay.
TEST(SaveGameFile, ReplacingASaveChangesNothingUntilTheNewOneIsWhole)
{
    SavesFolder folder;
    const fs::path target = folder.saved / SaveName;
    std::ofstream(target) << "two seconds ago";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    const Names others
        = {".fred_13ecm0.txt.Ab3dE9", ".fri_13ecm9.txt.Ab-dE9", ".fri_13ecm9.txt.notes"};
    for (const std::string &name : others)
        std::ofstream(folder.saved / name) << "someone else's";
    for (const char *stale : {".fri_13ecm9.txt.Ab3dE9", ".fri_13ecm0.txt.zzzzzz"})
        std::ofstream(folder.saved / stale) << "cut off";
    for (size_t bytes = 0; bytes < NewSave.size(); ++bytes) {
        room = bytes;
        const SaveResult result = folder.Save(target, WriteWithinRoom);
        EXPECT_EQ(result.outcome, SaveOutcome::WriteError) << bytes;
        EXPECT_EQ(result.text + " | " + result.caption,
                  "Error while attempting to save file.\n" + target.string()
                      + ": No space left on device | Save Error");
        EXPECT_EQ(Text(target), "two seconds ago");
        EXPECT_EQ(Text(folder.saved / EarlierName), EarlierSave);
        EXPECT_EQ(Temporaries(folder.saved), others);
    }
    room = NewSave.size();

    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(folder.Save(target, WriteWithinRoom).outcome, SaveOutcome::Saved);
    EXPECT_EQ(Text(target), NewSave);
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / SaveName), "two seconds ago");
    EXPECT_EQ(Text(folder.saved / "OLDSAVES" / EarlierName), EarlierSave);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0666 & ~mask));
    EXPECT_EQ(Temporaries(folder.saved), others);
}

// Killed at random moments during a burst of saves, 50 times over: every file under a save name
// is a whole save, the saves folder always holds one, and the next save leaves no temporary file.
TEST(SaveGameFile, SurvivesBeingKilledAtAnyMoment)
{
    SavesFolder folder;
    const SaveFolders folders = folder.Folders();
    // Large enough that a kill often lands inside the writing.
    const std::string game = NewSave + std::string(1 << 20, 'n') + "\r\n";
    const auto save = [&](int n) {
        const std::string name = "fri_" + std::to_string(1000000 + n).substr(1) + ".txt";
        return SaveGameFile((folder.saved / name).string(), game, folders).outcome;
    };
    ASSERT_EQ(save(0), SaveOutcome::Saved);
    std::mt19937 random(7);
    for (int kill = 1; kill <= 50; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        for (int n = kill * 10000; child == 0; ++n) { // names of its own for each round
            save(n);
            (void)!::write(ready[1], "s", 1);
        }
        ::close(ready[1]);
        char done = 0;
        ASSERT_EQ(::read(ready[0], &done, 1), 1); // one whole save, then a random moment
        ::usleep(random() % 20000);
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
    EXPECT_EQ(save(999999), SaveOutcome::Saved);
    EXPECT_EQ(Temporaries(folder.saved), Names{});
}

} // namespace
