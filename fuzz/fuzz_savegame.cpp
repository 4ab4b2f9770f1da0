#include "savegame.h"

#include "tgame.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

// Loads a parsed game into a fresh record and writes it back.
std::string Rewritten(const SavedGame &saved)
{
    TVorunGame game;
    if (ApplySavedGame(saved, game).outcome != LoadOutcome::Loaded)
        abort();
    std::ostringstream out;
    if (!WriteSavedGame(out, game))
        abort();
    return out.str();
}

} // namespace

// Whatever the file holds, the reader either refuses it or loads a game that the writer writes
// and the reader reads back to the very same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SavedGame saved;
    if (ParseSavedGame(std::string(reinterpret_cast<const char *>(data), size), saved).outcome
        != LoadOutcome::Loaded)
        return 0;
    const std::string first = Rewritten(saved);
    SavedGame again;
    if (ParseSavedGame(first, again).outcome != LoadOutcome::Loaded)
        abort();
    if (Rewritten(again) != first)
        abort();
    return 0;
}
