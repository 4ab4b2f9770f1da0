#include "bench_common.h"
#include "platform.h"
#include "qtplatform.h"
#include "tboardview.h"
#include "tlandstacks.h"
#include "tmastrbd.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

// CPU cost of one flash tick in the game view: the program's windows with a game loaded from
// the command line, a land with a legion selected, then many ticks, each followed by the
// repaint it asks for. The flash timer is stopped so that only the counted ticks paint. Then the
// cost of a change of board size, picture made and board repainted, for each size: at a device
// pixel ratio above 1 (QT_SCALE_FACTOR=2) that is where the board picture is drawn.
//
// Usage: bench_flash PROGRAM_DIR SAVED_GAME [TICKS]. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise (startup.sh runs it on its Xvfb server).

namespace {

constexpr int DefaultTicks = 2000;
constexpr int SizeChanges = 5; // of each size, timed
constexpr qint64 WaitLimitMs = 30000;

// Counts the board's paints and remembers the area of the last one.
class PaintCounter : public QObject {
public:
    int paints = 0;
    QRect lastRect;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            lastRect = static_cast<QPaintEvent *>(event)->rect();
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs the event loop until the condition holds; false after the wait limit.
template<typename Condition>
bool ProcessUntil(Condition condition)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > WaitLimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

// The first land with a legion, so that the tick blinks a marker's border.
int LandWithLegion(const TVorunMainForm &form)
{
    for (int n = 1; n <= LandCount; ++n)
        if (form.LandStacks(n).GetStack(0))
            return n;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_flash PROGRAM_DIR SAVED_GAME [TICKS]\n");
        return 2;
    }
    OffscreenWithoutDisplay();
    const int ticks = argc > 3 ? std::atoi(argv[3]) : DefaultTicks;
    QApplication app(argc, argv);
    QtPlatform platform;
    InstallPlatform(&platform);
    TVorunWindows windows(PortableFolders(argv[1]), {std::string(argv[2])});
    TVorunMainForm &mainForm = *windows.MainForm;
    mainForm.show();
    if (!ProcessUntil([&] { return mainForm.InGameView() && !mainForm.StartupPending(); })) {
        std::fprintf(stderr, "bench_flash: the game did not load\n");
        return 1;
    }
    mainForm.FlashTimer->stop();
    const int land = LandWithLegion(mainForm);
    mainForm.SelectLand(land);
    PaintCounter counter;
    mainForm.BoardImage->installEventFilter(&counter);
    ProcessUntil([&] { return counter.paints > 0; });

    const int paintsBefore = counter.paints;
    const double cpuStart = CpuMicroseconds();
    for (int i = 0; i < ticks; ++i) {
        const int expected = counter.paints + 1;
        mainForm.FlashTimerTimer();
        if (!ProcessUntil([&] { return counter.paints >= expected; })) {
            std::fprintf(stderr, "bench_flash: tick %d painted nothing\n", i);
            return 1;
        }
    }
    const double cpu = CpuMicroseconds() - cpuStart;
    const QRect box = mainForm.BoardImage->LandBoxRect(land);
    std::printf("flash tick: %.1f us CPU per tick (%d ticks on land %d, %d paints, last painted "
                "%dx%d, land box %dx%d)\n",
                cpu / ticks, ticks, land, counter.paints - paintsBefore, counter.lastRect.width(),
                counter.lastRect.height(), box.width(), box.height());

    // A change to the size: the processor time until the picture is made (the change itself
    // runs at once), and until the board has painted it.
    struct Cost {
        double made = 0;
        double painted = 0;
    };
    const auto changeTo = [&](int size, Cost &cost) {
        const int expected = counter.paints + 1;
        const double start = CpuMicroseconds();
        mainForm.SizeMIs[size_t(size - 1)]->trigger();
        cost.made += CpuMicroseconds() - start;
        const bool painted = ProcessUntil([&] { return counter.paints >= expected; });
        cost.painted += CpuMicroseconds() - start;
        return painted;
    };
    // From the previous size to this one, so that every change makes a new picture.
    std::printf("size change at device pixel ratio %g, ms CPU to the picture made / painted (mean "
                "of %d):",
                mainForm.BoardImage->devicePixelRatioF(), SizeChanges);
    for (int size = 1; size <= BoardSizeCount; ++size) {
        Cost cost;
        Cost untimed;
        for (int i = 0; i < SizeChanges; ++i) {
            const int previous = size == 1 ? BoardSizeCount : size - 1;
            if ((mainForm.ChosenBoardSize() != previous && !changeTo(previous, untimed))
                || !changeTo(size, cost)) {
                std::fprintf(stderr, "bench_flash: size %d painted nothing\n", size);
                return 1;
            }
        }
        std::printf(" size %d %.1f / %.1f", size, cost.made / SizeChanges / 1000,
                    cost.painted / SizeChanges / 1000);
    }
    std::printf("\n");
    return 0;
}
