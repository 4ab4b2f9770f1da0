#include "edit_script.h"
#include "tedit.h"
#include "tgame.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

// The edit history on the largest game: the edit tests' run of ten thousand random edits applied,
// undone and redone, each timed per edit, and the memory the history holds for them.

namespace {

constexpr int Edits = 10000;
constexpr uint32_t Seed = 20240611;

// The run, found once on a game of its own.
const std::vector<EditRecipe> &Recipes()
{
    static const std::vector<EditRecipe> recipes = [] {
        TVorunGame game;
        BuildLargestGame(game);
        return ApplyRandomEdits(game, Edits, Seed).recipes;
    }();
    return recipes;
}

std::vector<TEdit> MakeEdits()
{
    std::vector<TEdit> edits;
    edits.reserve(Recipes().size());
    for (const EditRecipe &recipe : Recipes())
        edits.push_back(recipe.Make());
    return edits;
}

// A fresh largest game with the run applied to it.
struct Applied {
    Applied()
    {
        BuildLargestGame(game);
        for (TEdit &edit : edits)
            ok = edit.Apply(game) && ok;
    }
    TVorunGame game;
    std::vector<TEdit> edits = MakeEdits();
    bool ok = true;
};

void CountPerEdit(benchmark::State &state)
{
    state.SetItemsProcessed(int64_t(state.iterations()) * Edits);
    state.counters["per_edit"] = benchmark::Counter(
        Edits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Each iteration applies the run to a fresh game; making the game and the edits is not timed.
void BM_ApplyEdits(benchmark::State &state)
{
    Recipes();
    auto game = std::make_unique<TVorunGame>();
    std::vector<TEdit> edits;
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        game = std::make_unique<TVorunGame>();
        BuildLargestGame(*game);
        edits = MakeEdits();
        state.ResumeTiming();
        for (TEdit &edit : edits)
            ok = edit.Apply(*game) && ok;
    }
    if (!ok)
        state.SkipWithError("an edit of the run changed nothing on the replay");
    CountPerEdit(state);
    // What the history holds for the run, as the program keeps it.
    size_t bytes = 0;
    for (const TEdit &edit : edits)
        bytes += sizeof(TEdit) + edit.HeapBytes();
    state.counters["history_bytes"] = double(bytes);
    state.counters["history_MiB"] = double(bytes) / (1024.0 * 1024.0);
    state.counters["bytes_per_edit"] = double(bytes) / Edits;
}
BENCHMARK(BM_ApplyEdits)->Unit(benchmark::kMillisecond);

// Each iteration undoes the whole run, newest first; the redo that restores the end is not timed.
void BM_UndoEdits(benchmark::State &state)
{
    Applied run;
    if (!run.ok)
        state.SkipWithError("an edit of the run changed nothing on the replay");
    for (auto _ : state) {
        for (auto edit = run.edits.rbegin(); edit != run.edits.rend(); ++edit)
            benchmark::DoNotOptimize(edit->Undo(run.game));
        state.PauseTiming();
        for (const TEdit &edit : run.edits)
            edit.Redo(run.game);
        state.ResumeTiming();
    }
    CountPerEdit(state);
}
BENCHMARK(BM_UndoEdits)->Unit(benchmark::kMillisecond);

// Each iteration redoes the whole run from the start; the undo back to the start is not timed.
void BM_RedoEdits(benchmark::State &state)
{
    Applied run;
    if (!run.ok)
        state.SkipWithError("an edit of the run changed nothing on the replay");
    for (auto edit = run.edits.rbegin(); edit != run.edits.rend(); ++edit)
        edit->Undo(run.game);
    for (auto _ : state) {
        for (const TEdit &edit : run.edits)
            benchmark::DoNotOptimize(edit.Redo(run.game));
        state.PauseTiming();
        for (auto edit = run.edits.rbegin(); edit != run.edits.rend(); ++edit)
            edit->Undo(run.game);
        state.ResumeTiming();
    }
    CountPerEdit(state);
}
BENCHMARK(BM_RedoEdits)->Unit(benchmark::kMillisecond);

} // namespace
