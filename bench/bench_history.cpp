#include "bench_common.h"
#include "edit_script.h"
#include "platform.h"
#include "qtplatform.h"
#include "tgamedoc.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <malloc.h>

// The game history as the program keeps it: the edit benchmark's ten thousand edits performed
// through the game's document, so each becomes a command on its undo stack with its time and
// sentence, then undone and redone through the stack. Reports the processor time per edit and
// the memory the stack holds for the run.

namespace {

constexpr int Edits = 10000;
constexpr uint32_t Seed = 20240611;

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char **argv)
{
    OffscreenWithoutDisplay();
    QApplication app(argc, argv);
    QtPlatform platform;
    InstallPlatform(&platform);

    std::vector<EditRecipe> recipes;
    {
        TVorunGame scratch;
        BuildLargestGame(scratch);
        recipes = ApplyRandomEdits(scratch, Edits, Seed).recipes;
    }
    TGameDocument document;
    BuildLargestGame(document.Game());
    std::vector<TEdit> edits;
    for (const EditRecipe &recipe : recipes)
        edits.push_back(recipe.Make());

    const size_t heapBefore = HeapInUse();
    double cpu = CpuMicroseconds();
    int performed = 0;
    for (TEdit &edit : edits)
        performed += document.Perform(std::move(edit));
    const double performCpu = CpuMicroseconds() - cpu;
    const size_t heapAfter = HeapInUse();
    if (performed != int(recipes.size())) {
        std::fprintf(stderr, "bench_history: %d of %zu edits changed nothing on the replay\n",
                     int(recipes.size()) - performed, recipes.size());
        return 1;
    }

    QUndoStack &history = document.History();
    cpu = CpuMicroseconds();
    history.setIndex(0);
    const double undoCpu = CpuMicroseconds() - cpu;
    cpu = CpuMicroseconds();
    history.setIndex(history.count());
    const double redoCpu = CpuMicroseconds() - cpu;

    const double n = performed;
    std::printf("history of %d edits: perform %.2f us, undo %.2f us, redo %.2f us CPU per edit; "
                "%.2f MiB held (%.0f bytes per edit)\n",
                performed, performCpu / n, undoCpu / n, redoCpu / n,
                double(heapAfter - heapBefore) / (1024.0 * 1024.0),
                double(heapAfter - heapBefore) / n);
    return 0;
}
