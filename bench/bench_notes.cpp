#include "bench_common.h"
#include "platform.h"
#include "qtplatform.h"
#include "tgame.h"
#include "tnotes.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// CPU cost of one keystroke in the notes window holding a long note: the key is typed and the
// event loop runs until it has been painted. With "eager", every keystroke also copies the whole
// memo into the game, as the notes window once did, for comparison.
//
// Usage: bench_notes PROGRAM_DIR [MEGABYTES [KEYS [eager]]]. Runs on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise.

namespace {

constexpr int DefaultMegabytes = 10;
constexpr int DefaultKeys = 200;
constexpr int LineLength = 79; // and its line break: 80 bytes a line

// What the notes window did after every keystroke before it waited for the save.
void CopyIntoGame(const QPlainTextEdit &memo, TVorunGame &game)
{
    std::vector<std::string> lines;
    for (const QString &line : memo.toPlainText().split(u'\n'))
        lines.push_back(line.toStdString());
    game.SetNotes(std::move(lines));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_notes PROGRAM_DIR [MEGABYTES [KEYS [eager]]]\n");
        return 2;
    }
    OffscreenWithoutDisplay();
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : DefaultMegabytes;
    const int keys = argc > 3 ? std::atoi(argv[3]) : DefaultKeys;
    const bool eager = argc > 4 && std::string(argv[4]) == "eager";
    QApplication app(argc, argv);
    QtPlatform platform;
    InstallPlatform(&platform);
    TVorunWindows windows(PortableFolders(argv[1]), {});
    TVorunGame &game = windows.MainForm->Game();
    const size_t lineCount = size_t(megabytes) * 1000000 / (LineLength + 1);
    game.SetNotes(std::vector<std::string>(lineCount, std::string(LineLength, 'n')));
    TNotesForm &notes = *windows.NotesForm;
    notes.ShowInFront();
    notes.GameNotesChanged();
    QPlainTextEdit &memo = *notes.Memo1;
    memo.moveCursor(QTextCursor::End);
    QCoreApplication::processEvents();

    const double cpuStart = CpuMicroseconds();
    for (int i = 0; i < keys; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        QCoreApplication::sendEvent(&memo, &press);
        if (eager)
            CopyIntoGame(memo, game);
        QCoreApplication::processEvents();
    }
    const double cpu = CpuMicroseconds() - cpuStart;
    const double saveStart = CpuMicroseconds();
    notes.TakeNotesIntoGame();
    const double save = CpuMicroseconds() - saveStart;
    std::printf("notes keystroke: %.2f ms CPU per key (%d keys, %zu lines, %d MB%s); taking the "
                "notes into the game for a save: %.1f ms\n",
                cpu / keys / 1000, keys, lineCount, megabytes, eager ? ", copied every key" : "",
                save / 1000);
    return 0;
}
