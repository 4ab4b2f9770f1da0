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

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

const TDateTime Edited{2026, 12, 7, 21, 5, 9};

std::string Text(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string GameText(const std::string &gameName, const std::string &fileName = "game")
{
    TVorunGame game;
    game.GameName = gameName;
    game.FileName = fileName;
    game.AddPlayer("Anne", 0, 1, 0, 1);
    game.AddPlayer("Bob", 5, 2, 0, 1);
    return SavedGameText(game);
}

// The saves folder; its names, hidden ones too, sorted.
struct SavesFolder : TempFolder {
    std::vector<std::string> Sorted() const
    {
        auto names = TempFolder::Names();
        std::sort(names.begin(), names.end());
        return names;
    }
    const std::string dir = path.string() + "/";
};

// The reports of one writer's worker, waited for in turn from the test's thread.
struct Reports {
    TSnapshotWriter::Report Callback()
    {
        return [this](const std::string &failure) {
            std::lock_guard<std::mutex> guard(mutex);
            failures.push_back(failure);
            arrived.notify_all();
        };
    }
    std::string Next()
    {
        std::unique_lock<std::mutex> guard(mutex);
        arrived.wait(guard, [this] { return failures.size() > seen; });
        return failures[seen++];
    }

    std::mutex mutex;
    std::condition_variable arrived;
    Names failures;
    size_t seen = 0;
};

} // namespace

// Two programs running side by side write a snapshot each, and neither is offered while its
// program runs; once both have ended, both are, the latest edit first.
TEST(Recovery, EveryProgramKeepsItsOwnSnapshot)
{
    SavesFolder folder;
    Reports firstReports, secondReports;
    auto first = std::make_unique<TSnapshotWriter>(folder.dir, firstReports.Callback());
    TSnapshotWriter second(folder.dir, secondReports.Callback());
    first->Write(GameText("First game", "first"), Edited);
    second.Write(GameText("Second game"), {2026, 12, 7, 22, 0, 0});
    EXPECT_EQ(firstReports.Next() + secondReports.Next(), "");
    EXPECT_TRUE(FindRecoverable(folder.dir).empty());

    first.reset();
    std::vector<TRecoverable> found = FindRecoverable(folder.dir);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].gameName + " " + found[0].fileName, "First game first");
    EXPECT_EQ(TimeStamp(found[0].lastEdit), TimeStamp(Edited));
    EXPECT_EQ(Text(found[0].lock.Snapshot()), GameText("First game", "first"));
    // Held by this finder, so another start does not offer it twice.
    EXPECT_TRUE(FindRecoverable(folder.dir).empty());
    found.clear();

    second.Finish();
    found = FindRecoverable(folder.dir);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].gameName + ", " + found[1].gameName, "Second game, First game");
}

// A save makes the snapshot go; a program that writes again after Finish (a restart that could not
// start the new run) takes up the same snapshot.
TEST(Recovery, ClearRemovesTheSnapshotAndFinishLetsItGo)
{
    SavesFolder folder;
    Reports reports;
    TSnapshotWriter writer(folder.dir, reports.Callback());
    writer.Write(GameText("Game"), Edited);
    EXPECT_EQ(reports.Next(), "");
    const Names written = folder.Sorted();
    ASSERT_EQ(written.size(), 2u); // the lock and the snapshot

    writer.Finish();
    writer.Write(GameText("Game"), Edited);
    EXPECT_EQ(reports.Next(), "");
    EXPECT_EQ(folder.Sorted(), written);

    writer.Clear();
    EXPECT_EQ(reports.Next(), "");
    EXPECT_EQ(folder.Sorted(), Names{written[0]}); // the lock, till the end
    writer.Finish();
    EXPECT_TRUE(FindRecoverable(folder.dir).empty());
    EXPECT_EQ(folder.Sorted(), Names{}); // the lock nobody needs went with the search
}

// A write that fails part-way leaves the last snapshot as it was, and no temporary file.
TEST(Recovery, AFailedWriteKeepsTheLastSnapshot)
{
    SavesFolder folder;
    std::string reason;
    const TRecoveryLock lock = TRecoveryLock::Create(folder.dir, reason);
    ASSERT_TRUE(lock.Held()) << reason;
    ASSERT_EQ(WriteSnapshot(lock, GameText("Before"), Edited), "");
    const auto diskFull = [](int, const void *, size_t count) -> ssize_t {
        errno = ENOSPC;
        return count < 10 ? ssize_t(count) : -1;
    };
    EXPECT_EQ(WriteSnapshot(lock, GameText("After"), Edited, diskFull),
              lock.Snapshot() + ": No space left on device");
    EXPECT_EQ(Text(lock.Snapshot()), GameText("Before"));
    EXPECT_EQ(folder.Sorted().size(), 2u);
}

// What is not a snapshot of a game stays on the disk under another name, out of the way of every
// later start; leftovers of ended programs (a half-written snapshot, a lock without a snapshot)
// go.
TEST(Recovery, WhatIsNoGameIsPutAsideQuietly)
{
    SavesFolder folder;
    const std::string at = folder.dir + ".recovery-";
    std::ofstream(folder.dir + "game.txt", std::ios::binary) << GameText("Game");
    std::ofstream(at + "aaaaaa.txt") << "not a game";
    std::ofstream(at + "bbbbbb.txt") << "3\r\nA later version\r\n";
    std::ofstream(at + "cccccc.txt");
    fs::create_symlink(folder.dir + "game.txt", at + "dddddd.txt");
    fs::create_directory(at + "eeeeee.txt");
    std::ofstream(at + "ffffff.lock");
    std::ofstream(at + "gggggg.txt", std::ios::binary) << GameText("Sound");
    std::ofstream(at + "gggggg.tmp") << "2\r\nSou";

    const std::vector<TRecoverable> found = FindRecoverable(folder.dir);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].gameName, "Sound");
    EXPECT_EQ(
        folder.Sorted(),
        (Names{".recovery-aaaaaa.refused", ".recovery-bbbbbb.refused", ".recovery-cccccc.refused",
               ".recovery-dddddd.refused", ".recovery-eeeeee.refused", ".recovery-gggggg.lock",
               ".recovery-gggggg.txt", "game.txt"}));
    EXPECT_EQ(Text(at + "aaaaaa.refused"), "not a game");
}

// Discarded, a snapshot becomes an old save named as the game's saves are, for the time of its last
// edit; a name already taken there is never replaced.
TEST(Recovery, KeptAsAnOldSaveOfItsGame)
{
    SavesFolder folder;
    TSnapshotWriter(folder.dir, nullptr).Write(GameText("Game", "fri"), Edited);
    const std::string oldSaves = folder.dir + "OLDSAVES/";
    fs::create_directories(oldSaves);
    std::ofstream(oldSaves + SaveFileName("fri", Edited)) << "an earlier save";

    std::vector<TRecoverable> found = FindRecoverable(folder.dir);
    ASSERT_EQ(found.size(), 1u);
    std::string reason;
    const std::string kept = KeepAsOldSave(found[0], oldSaves, reason);
    EXPECT_EQ(kept, oldSaves + SaveFileName("fri", {2026, 12, 7, 21, 5, 11}));
    EXPECT_EQ(Text(kept), GameText("Game", "fri"));
    EXPECT_EQ(Text(oldSaves + SaveFileName("fri", Edited)), "an earlier save");
    EXPECT_EQ(folder.Sorted(), Names{"OLDSAVES"});
}
