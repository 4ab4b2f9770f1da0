#include "recovery.h"

#include "savefiles.h"
#include "savegame.h"
#include "temp_folder.h"
#include "tgame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const TDateTime Edited{2026, 12, 7, 21, 5, 9};

std::string Text(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string GameText(const std::string &gameName, const std::string &fileName)
{
    TVorunGame game;
    game.GameName = gameName;
    game.FileName = fileName;
    game.AddPlayer("Anne", 0, 1, 0, 1);
    game.AddPlayer("Bob", 5, 2, 0, 1);
    return SavedGameText(game);
}

// The names in the folder, hidden ones too, sorted.
std::vector<std::string> Names(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The reports of one writer's worker, waited for from the test's thread.
struct Reports {
    TSnapshotWriter::Report Callback()
    {
        return [this](const std::string &failure) {
            std::lock_guard<std::mutex> guard(mutex);
            failures.push_back(failure);
            arrived.notify_all();
        };
    }
    std::string WaitForNext()
    {
        std::unique_lock<std::mutex> guard(mutex);
        arrived.wait(guard, [this] { return failures.size() > seen; });
        return failures[seen++];
    }

    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::string> failures;
    size_t seen = 0;
};

struct SavesFolder : TempFolder {
    SavesFolder() { fs::create_directories(saved); }
    std::string Dir() const { return saved.string() + "/"; }
    fs::path saved = path / "SavedGames";
};

} // namespace

// Two programs running side by side write a snapshot each, and neither is offered while its
// program runs; once both have ended, both are, the latest edit first.
TEST(Recovery, EveryProgramKeepsItsOwnSnapshot)
{
    SavesFolder folder;
    Reports firstReports, secondReports;
    auto first = std::make_unique<TSnapshotWriter>(folder.Dir(), firstReports.Callback());
    TSnapshotWriter second(folder.Dir(), secondReports.Callback());
    first->Write(GameText("First game", "first"), Edited);
    second.Write(GameText("Second game", "second"), {2026, 12, 7, 22, 0, 0});
    EXPECT_EQ(firstReports.WaitForNext(), "");
    EXPECT_EQ(secondReports.WaitForNext(), "");
    EXPECT_TRUE(FindRecoverable(folder.Dir()).empty());

    first.reset();
    std::vector<TRecoverable> found = FindRecoverable(folder.Dir());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].gameName, "First game");
    EXPECT_EQ(found[0].fileName, "first");
    EXPECT_EQ(TimeStamp(found[0].lastEdit), TimeStamp(Edited));
    EXPECT_EQ(Text(found[0].lock.Snapshot()), GameText("First game", "first"));
    // Held by this finder, so another start does not offer it twice.
    EXPECT_TRUE(FindRecoverable(folder.Dir()).empty());
    found.clear();

    second.Finish();
    found = FindRecoverable(folder.Dir());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].gameName, "Second game");
    EXPECT_EQ(found[1].gameName, "First game");
}

// A save makes the snapshot go; a program that writes again after Finish (a restart that could not
// start the new run) takes up the same snapshot.
TEST(Recovery, ClearRemovesTheSnapshotAndFinishLetsItGo)
{
    SavesFolder folder;
    Reports reports;
    TSnapshotWriter writer(folder.Dir(), reports.Callback());
    writer.Write(GameText("Game", "game"), Edited);
    EXPECT_EQ(reports.WaitForNext(), "");
    const std::vector<std::string> written = Names(folder.saved);
    ASSERT_EQ(written.size(), 2u); // the lock and the snapshot

    writer.Finish();
    writer.Write(GameText("Game", "game"), Edited);
    EXPECT_EQ(reports.WaitForNext(), "");
    EXPECT_EQ(Names(folder.saved), written);

    writer.Clear();
    EXPECT_EQ(reports.WaitForNext(), "");
    EXPECT_EQ(Names(folder.saved), std::vector<std::string>{written[0]}); // the lock, till the end
    writer.Finish();
    EXPECT_TRUE(FindRecoverable(folder.Dir()).empty());
    EXPECT_TRUE(Names(folder.saved).empty()); // the lock nobody needs went with the search
}

// A write that fails part-way leaves the last snapshot as it was, and no temporary file.
TEST(Recovery, AFailedWriteKeepsTheLastSnapshot)
{
    SavesFolder folder;
    std::string reason;
    const TRecoveryLock lock = TRecoveryLock::Create(folder.Dir(), reason);
    ASSERT_TRUE(lock.Held()) << reason;
    const std::string before = GameText("Before", "game");
    ASSERT_EQ(WriteSnapshot(lock, before, Edited), "");
    const auto diskFull = [](int, const void *, size_t count) -> ssize_t {
        if (count < 10)
            return ssize_t(count);
        errno = ENOSPC;
        return -1;
    };
    const std::string failure = WriteSnapshot(lock, GameText("After", "game"), Edited, diskFull);
    EXPECT_EQ(failure, lock.Snapshot() + ": No space left on device");
    EXPECT_EQ(Text(lock.Snapshot()), before);
    EXPECT_EQ(Names(folder.saved).size(), 2u);
}

// What is not a snapshot of a game stays on the disk under another name, out of the way of every
// later start; leftovers of ended programs (a half-written snapshot, a lock without a snapshot)
// go.
TEST(Recovery, WhatIsNoGameIsPutAsideQuietly)
{
    SavesFolder folder;
    const fs::path game = folder.saved / "game.txt";
    std::ofstream(game, std::ios::binary) << GameText("Game", "game");
    std::ofstream(folder.saved / ".recovery-aaaaaa.txt") << "not a game";
    std::ofstream(folder.saved / ".recovery-bbbbbb.txt") << "3\r\nA later version\r\n";
    std::ofstream(folder.saved / ".recovery-cccccc.txt");
    fs::create_symlink(game, folder.saved / ".recovery-dddddd.txt");
    fs::create_directory(folder.saved / ".recovery-eeeeee.txt");
    std::ofstream(folder.saved / ".recovery-ffffff.lock");
    std::ofstream(folder.saved / ".recovery-gggggg.txt", std::ios::binary)
        << GameText("Sound", "sound");
    std::ofstream(folder.saved / ".recovery-gggggg.tmp") << "2\r\nSou";

    const std::vector<TRecoverable> found = FindRecoverable(folder.Dir());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].gameName, "Sound");
    EXPECT_EQ(Names(folder.saved),
              (std::vector<std::string>{".recovery-aaaaaa.refused", ".recovery-bbbbbb.refused",
                                        ".recovery-cccccc.refused", ".recovery-dddddd.refused",
                                        ".recovery-eeeeee.refused", ".recovery-gggggg.lock",
                                        ".recovery-gggggg.txt", "game.txt"}));
    EXPECT_EQ(Text(folder.saved / ".recovery-aaaaaa.refused"), "not a game");
}

// Discarded, a snapshot becomes an old save named as the game's saves are, for the time of its last
// edit; a name already taken there is never replaced.
TEST(Recovery, KeptAsAnOldSaveOfItsGame)
{
    SavesFolder folder;
    const std::string text = GameText("Game", "fri");
    {
        TSnapshotWriter writer(folder.Dir(), nullptr);
        writer.Write(text, Edited);
    }
    const std::string oldSaves = OldSavesDir(folder.path.string() + "/");
    fs::create_directories(oldSaves);
    const std::string taken = oldSaves + SaveFileName("fri", Edited);
    std::ofstream(taken) << "an earlier save";

    std::vector<TRecoverable> found = FindRecoverable(folder.Dir());
    ASSERT_EQ(found.size(), 1u);
    std::string reason;
    const std::string kept = KeepAsOldSave(found[0], oldSaves, reason);
    EXPECT_EQ(kept, oldSaves + SaveFileName("fri", {2026, 12, 7, 21, 5, 11}));
    EXPECT_EQ(Text(kept), text);
    EXPECT_EQ(Text(taken), "an earlier save");
    EXPECT_EQ(Names(folder.saved), std::vector<std::string>{"OLDSAVES"});
}
