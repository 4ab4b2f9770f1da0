#include "board_game.h"
#include "savefiles.h"
#include "savegame.h"
#include "tnotes.h"

#include <QPlainTextEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

using Windows = std::unique_ptr<TVorunWindows>;

const TDateTime EditTime{2001, 3, 14, 9, 5, 7};

std::string Text(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Snapshots(const ProgramFolder &folder)
{
    std::vector<std::string> found;
    for (const auto &entry : fs::directory_iterator(folder.folder.path / "SavedGames"))
        if (entry.path().filename().string().rfind(".recovery-", 0) == 0
            && entry.path().extension() == ".txt")
            found.push_back(entry.path().string());
    return found;
}

enum class Start { Recover, Discard, AfterSave, Damaged, CommandLine };

} // namespace

Q_DECLARE_METATYPE(Start)

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void startWithSnapshot_data();
    void startWithSnapshot();
    void closeAndRestartHint_data();
    void closeAndRestartHint();
    void unwritableFolderWarnsOnce();
};

void TestRecovery::startWithSnapshot_data()
{
    QTest::addColumn<Start>("start");
    QTest::newRow("recover") << Start::Recover;
    QTest::newRow("discard") << Start::Discard;
    QTest::newRow("saved before the end") << Start::AfterSave;
    QTest::newRow("damaged snapshot") << Start::Damaged;
    QTest::newRow("a game on the command line") << Start::CommandLine;
}

// The question comes only for edits no save holds. Recovered, the game is as it was edited and
// still unsaved; otherwise the edited game is kept in OLDSAVES under the game's own name, and no
// later start asks again.
void TestRecovery::startWithSnapshot()
{
    QFETCH(Start, start);
    FakePlatform fake;
    ProgramFolder folder;
    std::string edited; // by a run that ends unsaved, leaving its snapshot
    {
        fake.setNow(EditTime);
        const Windows windows = StartWithGame(folder, BoardGame);
        windows->MainForm->Document().Perform(TEdit::RotateLand(90));
        fake.setNow({2001, 3, 14, 10, 0, 0});
        edited = SavedGameText(windows->MainForm->Game());
    }
    QCOMPARE(Snapshots(folder).size(), size_t(1));
    const std::string snapshot = Snapshots(folder).front();
    if (start == Start::AfterSave) {
        fake.queueAnswer(Platform::Answer::Ok); // Recover
        const Windows windows = StartProgram(folder);
        QTRY_VERIFY(windows->MainForm->InGameView());
        fake.queueFileName(folder.Dir() + "SavedGames/saved.txt");
        QTest::keyClick(windows->MainForm.get(), Qt::Key_S, Qt::ControlModifier);
    }
    if (start == Start::Damaged)
        std::ofstream(snapshot, std::ios::binary) << "2\r\nBoard game\r\n";
    const bool offered = start == Start::Recover || start == Start::Discard;
    if (offered)
        fake.queueAnswer(start == Start::Recover ? Platform::Answer::Ok : Platform::Answer::Cancel);
    const int promptsBefore = int(fake.prompts().size());

    const Windows windows
        = start == Start::CommandLine ? StartWithGame(folder, BoardGame) : StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    QTRY_VERIFY(!form.StartupPending());
    QCOMPARE(fake.boxes().mid(promptsBefore),
             offered ? QStringList{"The game \"Board game\" has unsaved changes, last edited on "
                                   "3/14/2001 at 9:05:07.\nRecover opens it with them; Discard "
                                   "keeps it in OLDSAVES. | Recover Game | Question | "
                                   "Recover/Discard"}
                     : QStringList{});
    const fs::path kept
        = folder.folder.path / "SavedGames" / "OLDSAVES" / SaveFileName("brd", EditTime);
    const bool keeps = start == Start::Discard || start == Start::CommandLine;
    QCOMPARE(fs::exists(kept) ? "kept " + Text(kept) : "", keeps ? "kept " + edited : "");
    QCOMPARE(fs::exists(fs::path(snapshot).replace_extension(".refused")), start == Start::Damaged);
    QCOMPARE(form.InGameView(), start == Start::Recover || start == Start::CommandLine);
    if (start == Start::Recover) {
        QCOMPARE(form.windowTitle(), QStringLiteral("Vorun - Board game  (brd_<time>.txt)"));
        QCOMPARE(SavedGameText(form.Game()), edited);
        QVERIFY(form.Document().Unsaved());
        // Saved as the game's own file name, like any loaded game.
        fake.queueCancel();
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fake.prompts().last().proposedName,
                 QString::fromStdString(SaveFileName("brd", {2001, 3, 14, 10, 0, 0})));
        QCOMPARE(Snapshots(folder), std::vector<std::string>{snapshot}); // now this run's
    } else {
        QVERIFY(Snapshots(folder).empty());
    }
    VERIFY_PLATFORM_DONE(fake);
}

void TestRecovery::closeAndRestartHint_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<bool>("unsaved");
    QTest::newRow("loaded") << "" << false;
    QTest::newRow("edited") << "rotate" << true;
    QTest::newRow("edited and undone") << "rotate undo" << false;
    QTest::newRow("notes typed") << "notes" << true;
}

// The close and restart questions keep their text and add the hint only when edits are unsaved;
// a restart leaves the snapshot to the run it starts.
void TestRecovery::closeAndRestartHint()
{
    QFETCH(QString, edit);
    QFETCH(bool, unsaved);
    FakePlatform fake;
    ProgramFolder folder;
    const Windows windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    if (edit.startsWith("rotate"))
        form.Document().Perform(TEdit::RotateLand(90));
    if (edit.endsWith("undo"))
        form.UndoMI->trigger();
    if (edit == "notes") {
        windows->NotesForm->ShowInFront();
        QTest::keyClicks(windows->NotesForm->Memo1, "a note");
        windows->NotesForm->hide();
    }
    fake.queueAnswer(Platform::Answer::Cancel);
    form.close();
    fake.queueAnswer(Platform::Answer::Ok);
    form.RestartMI->trigger();

    const QString hint
        = unsaved ? "\nUnsaved changes will be offered for recovery at the next start." : "";
    QCOMPARE(fake.boxes(),
             (QStringList{"Are you sure you want to close the program?" + hint
                              + " | Close Program? | Question | OkCancel",
                          "Are you sure you want to restart?" + hint
                              + " | Confirm | Question | OkCancel"}));
    QVERIFY(form.isVisible());
    QCOMPARE(fake.startCount(), 1);
    const std::vector<TRecoverable> offered = FindRecoverable(folder.Dir() + "SavedGames/");
    QCOMPARE(offered.size(), size_t(unsaved ? 1 : 0));
    if (unsaved)
        QCOMPARE(Text(offered[0].lock.Snapshot()), SavedGameText(form.Game()));
    VERIFY_PLATFORM_DONE(fake);
}

// Without a folder for the snapshot the game goes on; one warning says so, not one per edit.
void TestRecovery::unwritableFolderWarnsOnce()
{
    FakePlatform fake;
    ProgramFolder folder;
    const Windows windows = StartProgram(folder, {folder.WriteFile("game.txt", BoardGame)});
    TVorunMainForm &form = *windows->MainForm;
    QTRY_VERIFY(form.InGameView());
    fs::remove_all(folder.folder.path / "SavedGames");
    folder.WriteFile("SavedGames", "in the way");
    fake.queueAnswer(Platform::Answer::Ok);
    for (int edit = 0; edit < 3; ++edit) {
        QVERIFY(form.Document().Perform(TEdit::RotateLand(90)));
        form.Recovery().Finish(); // written, or not, before the next edit
        QTRY_COMPARE(fake.boxes().size(), 1);
    }
    QCOMPARE(fake.boxes().first(),
             "Unsaved changes cannot be kept for recovery after a crash; save the game to keep "
             "them.\n"
                 + QString::fromStdString(folder.Dir())
                 + "SavedGames/: Not a directory | Recovery | Warning | Ok");
    QCOMPARE(form.Document().History().count(), 3);
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestRecovery)
#include "test_recovery.moc"
