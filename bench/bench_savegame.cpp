#include "recovery.h"
#include "savefiles.h"
#include "savegame.h"
#include "tgame.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

// The largest game the format allows: six players with all twelve legions on the board, every
// legion full, and a long page of notes. Loads and saves of real games are no slower than this.

namespace {

constexpr int Players = TVorunGame::MaxPlayers;
constexpr int NoteLines = 1000;

std::array<int32_t, TLegion::MaxCrits> FullLegion(int seed)
{
    std::array<int32_t, TLegion::MaxCrits> codes{};
    for (int i = 0; i < TLegion::MaxCrits; ++i) {
        const int type = 1 + (seed + i) % Crit::LastType;
        codes[size_t(i)] = i % 3 == 0 ? type + Crit::CodeCount : type; // some unsure
    }
    return codes;
}

// One legion a land; the creatures are written in, not taken from the stacks.
void FillLargestGame(TVorunGame &game)
{
    game.GameName = "The largest game a saved file can hold, six players";
    game.FileName = "largest";
    for (int p = 0; p < Players; ++p) {
        game.AddPlayer("Player number " + std::to_string(p + 1), uint8_t(p), 0, 0, 1);
        TPlayer *player = game.GetPlayer(p);
        for (int m = 0; m < MarkersPerColor; ++m) {
            TLegion *legion = player->GetLegion(m);
            game.PlaceLegion(*legion, uint8_t(1 + p * MarkersPerColor + m));
            legion->SetCrits(FullLegion(p + m));
        }
    }
    const std::string line(56, 'n');
    for (int i = 0; i < NoteLines; ++i)
        game.AddNoteLine("Turn " + std::to_string(i) + ": " + line);
}

// One game built once for every benchmark.
struct Fixture {
    Fixture()
    {
        FillLargestGame(game);
        text = SavedGameText(game);
    }
    TVorunGame game;
    std::string text;
};

const Fixture &Largest()
{
    static const Fixture fixture;
    return fixture;
}

// Writing in memory: the bytes of the file, as the save and `vkgame write` produce them.
void BM_WriteSavedGame(benchmark::State &state)
{
    const Fixture &f = Largest();
    for (auto _ : state) {
        std::string text = SavedGameText(f.game);
        benchmark::DoNotOptimize(text);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.text.size()));
}
BENCHMARK(BM_WriteSavedGame)->Unit(benchmark::kMicrosecond);

void BM_ParseSavedGame(benchmark::State &state)
{
    const Fixture &f = Largest();
    for (auto _ : state) {
        SavedGame saved;
        LoadResult result = ParseSavedGame(f.text, saved);
        benchmark::DoNotOptimize(result);
        if (result.outcome != LoadOutcome::Loaded)
            state.SkipWithError("the largest game does not parse");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.text.size()));
}
BENCHMARK(BM_ParseSavedGame)->Unit(benchmark::kMicrosecond);

void BM_ParseAndApply(benchmark::State &state)
{
    const Fixture &f = Largest();
    for (auto _ : state) {
        SavedGame saved;
        TVorunGame game;
        ParseSavedGame(f.text, saved);
        LoadResult result = ApplySavedGame(saved, game);
        benchmark::DoNotOptimize(result);
        if (result.outcome != LoadOutcome::Loaded)
            state.SkipWithError("the largest game does not apply");
    }
}
BENCHMARK(BM_ParseAndApply)->Unit(benchmark::kMicrosecond);

// The whole save as the program does it: temporary file, flush to disk, rename.
void BM_SaveGameFile(benchmark::State &state)
{
    const Fixture &f = Largest();
    std::string dir = (std::filesystem::temp_directory_path() / "vkbenchXXXXXX").string();
    if (mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = dir + "/largest_1cvxbz.txt";
    const SaveFolders folders{dir + "/", dir + "/OLDSAVES/", "largest"};
    for (auto _ : state) {
        SaveResult result = SaveGameFile(path, SavedGameText(f.game), folders);
        if (result.outcome != SaveOutcome::Saved)
            state.SkipWithError("the save failed");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SaveGameFile)->Unit(benchmark::kMicrosecond);

// A folder of its own for the snapshot benchmarks, removed afterwards.
struct BenchFolder {
    BenchFolder()
    {
        dir = (std::filesystem::temp_directory_path() / "vkbenchXXXXXX").string();
        ok = mkdtemp(dir.data()) != nullptr;
        dir += "/";
    }
    ~BenchFolder() { std::filesystem::remove_all(dir); }
    std::string dir;
    bool ok = false;
};

// What an edit costs the window thread for the recovery snapshot: the game serialised in memory
// and handed to the worker, which writes it meanwhile on its own thread.
void BM_SnapshotOnWindowThread(benchmark::State &state)
{
    const Fixture &f = Largest();
    BenchFolder folder;
    if (!folder.ok) {
        state.SkipWithError("no temporary folder");
        return;
    }
    TSnapshotWriter writer(folder.dir, nullptr);
    for (auto _ : state)
        writer.Write(SavedGameText(f.game), TDateTime{2026, 12, 7, 20, 0, 0});
}
BENCHMARK(BM_SnapshotOnWindowThread)->Unit(benchmark::kMicrosecond);

// The worker's part, off the window thread: temporary file, fsync, rename, fsync of the folder.
void BM_SnapshotWrite(benchmark::State &state)
{
    const Fixture &f = Largest();
    BenchFolder folder;
    std::string reason;
    const TRecoveryLock lock = TRecoveryLock::Create(folder.dir, reason);
    if (!folder.ok || !lock.Held()) {
        state.SkipWithError("no snapshot lock");
        return;
    }
    for (auto _ : state)
        if (!WriteSnapshot(lock, f.text, TDateTime{2026, 12, 7, 20, 0, 0}).empty())
            state.SkipWithError("the snapshot was not written");
}
BENCHMARK(BM_SnapshotWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
