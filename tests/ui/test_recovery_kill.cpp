// The program killed at random moments during a burst of edits: each time, the snapshot left
// behind is offered, loads, and is the game after some prefix of the edits, never a half-written
// file. The edits are made by a child process running the program's own document and recovery
// keeper; this process kills it and looks at what the next start would find.

#include "edit_script.h"
#include "fake_platform.h"
#include "recovery.h"
#include "savegame.h"
#include "temp_folder.h"
#include "tgamedoc.h"
#include "trecovery.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <unordered_set>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int Kills = 100;
constexpr int MaxEdits = 1000;
constexpr uint32_t Seed = 20261207;
constexpr int EditIntervalMs = 1;
constexpr int KeeperDelayMs = 5;
constexpr int MaxKillDelayMs = 80;

// The child: the largest game, edited once a millisecond until killed.
int EditUntilKilled(int argc, char **argv, const std::string &savedGames)
{
    QApplication app(argc, argv);
    FakePlatform platform;
    TGameDocument document;
    BuildLargestGame(document.Game());
    document.StartHistory(false);
    QWidget window;
    TRecoveryKeeper keeper(document, window, savedGames, nullptr, KeeperDelayMs);
    std::mt19937 rng(Seed);
    int made = 0;
    QTimer edits;
    QObject::connect(&edits, &QTimer::timeout, [&] {
        // The same draws as ApplyRandomEdits: a refused edit is drawn again at once.
        while (made < MaxEdits && !document.Perform(RandomEdit(document.Game(), rng).Make())) { }
        ++made;
    });
    edits.start(EditIntervalMs);
    return app.exec();
}

std::string Text(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool HasSnapshot(const fs::path &folder)
{
    for (const auto &entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".txt")
            return true;
    return false;
}

int Fail(int round, const std::string &what)
{
    std::fprintf(stderr, "FAIL in round %d: %s\n", round, what.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--edit")
        return EditUntilKilled(argc, argv, argv[2]);

    // Every state the child's game passes through, as the program writes it.
    std::unordered_set<std::string> prefixes;
    {
        TVorunGame game;
        BuildLargestGame(game);
        prefixes.insert(SavedGameText(game));
        ApplyRandomEdits(game, MaxEdits, Seed, [&](const TVorunGame &edited, const TEdit &) {
            prefixes.insert(SavedGameText(edited));
        });
    }

    TempFolder folder;
    const fs::path savedGames = folder.path / "SavedGames";
    std::mt19937 rng(std::random_device{}());
    for (int round = 1; round <= Kills; ++round) {
        fs::remove_all(savedGames);
        fs::create_directory(savedGames);
        const std::string dir = savedGames.string() + "/";
        const pid_t child = ::fork();
        if (child == 0) {
            ::execl("/proc/self/exe", argv[0], "--edit", dir.c_str(), nullptr);
            ::_exit(127);
        }
        // The first snapshot is there; the kill comes at a random moment after it.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!HasSnapshot(savedGames)) {
            if (std::chrono::steady_clock::now() > deadline
                || ::waitpid(child, nullptr, WNOHANG) != 0)
                return Fail(round, "the child wrote no snapshot");
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(rng() % MaxKillDelayMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
            return Fail(round, "the child ended before it was killed");

        std::vector<TRecoverable> offered = FindRecoverable(dir);
        if (offered.size() != 1)
            return Fail(round, std::to_string(offered.size()) + " snapshots offered");
        const std::string snapshot = offered[0].lock.Snapshot();
        if (prefixes.count(Text(snapshot)) == 0)
            return Fail(round, "the snapshot is no state the game passed through");
        TVorunGame loaded;
        if (LoadSavedGameFile(snapshot, loaded).outcome != LoadOutcome::Loaded)
            return Fail(round, "the snapshot does not load");
    }
    std::printf("PASS: %d kills, each left a sound snapshot of the game\n", Kills);
    return 0;
}
