#include "savegame.h"

#include "tgame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// One in-memory file for every run, named the way the program names a file on disk.
int File()
{
    static const int fd = memfd_create("fuzz_loadfile", 0);
    if (fd < 0)
        abort();
    return fd;
}

std::string Path()
{
    return "/proc/self/fd/" + std::to_string(File());
}

} // namespace

// The load from a file, as the program does it: whatever the file holds, the load either leaves
// the game untouched, or loads a game that saves and loads again unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (ftruncate(File(), 0) != 0 || pwrite(File(), data, size, 0) != ssize_t(size))
        abort();
    TVorunGame game;
    const std::string untouched = SavedGameText(game);
    const LoadResult result = LoadSavedGameFile(Path(), game);
    const std::string loaded = SavedGameText(game);
    if (result.outcome != LoadOutcome::Loaded) {
        if (loaded != untouched || result.text.empty())
            abort();
        return 0;
    }
    if (ftruncate(File(), 0) != 0
        || pwrite(File(), loaded.data(), loaded.size(), 0) != ssize_t(loaded.size()))
        abort();
    TVorunGame again;
    if (LoadSavedGameFile(Path(), again).outcome != LoadOutcome::Loaded
        || SavedGameText(again) != loaded)
        abort();
    return 0;
}
