#include "board_game.h"
#include "tshape.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

using Windows = std::unique_ptr<TVorunWindows>;

const QString LoadedCaption = QStringLiteral("Vorun - Friday game  (fri_<time>.txt)");

std::string ReadFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The two-player example game as the program writes it (CR LF line ends).
std::string ExampleGame()
{
    return ReadFile(qEnvironmentVariable("VK_TEST_DATA").toStdString() + "vkgame_example.txt");
}

// The names in a folder, sorted ignoring case.
QStringList Names(const fs::path &folder)
{
    return QDir(QString::fromStdString(folder.string()))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

enum class Chosen { Cancel, Missing, CutOff };
enum class SaveInto { Saved, Cancel, FolderInTheWay, FileAsSavesFolder };

} // namespace

Q_DECLARE_METATYPE(Chosen)
Q_DECLARE_METATYPE(SaveInto)

class TestLoadSave : public QObject {
    Q_OBJECT

private slots:
    void missingBoardPictureEndsTheProgram();
    void loadFailures_data();
    void loadFailures();
    void save_data();
    void save();
};

void TestLoadSave::missingBoardPictureEndsTheProgram()
{
    FakePlatform fake;
    ProgramFolder folder;
    fs::remove(folder.folder.path / "GRAPHICS");
    fake.queueAnswer(Platform::Answer::Ok);
    const Windows windows = StartWithGame(folder, ExampleGame());

    QCOMPARE(fake.boxes(),
             QStringList{"Cannot load main board image.  Bad install.\n"
                         + QString::fromStdString(folder.Dir())
                         + "GRAPHICS/VORNBRD1.BMP: No such file or directory | Critical Error | "
                           "Stop | Ok"});
    QCOMPARE(fake.exitCodes(), QList<int>{0});
    QCOMPARE(fake.startCount(), 0);
    VERIFY_PLATFORM_DONE(fake);
}

// Which file gives which message is the saved-game reader's; here, what the window does after
// each kind: nothing for a cancelled dialog, a message for a file it cannot open, a restart for a
// damaged one.
void TestLoadSave::loadFailures_data()
{
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<QString>("box"); // %1: the folder
    QTest::newRow("dialog cancelled") << Chosen::Cancel << QString();
    QTest::newRow("no such file")
        << Chosen::Missing
        << "Error opening game file\n%1SavedGames/game.txt: No such file or directory"
           " | Open Error | Stop | Ok";
    QTest::newRow("cut off in a legion record")
        << Chosen::CutOff << "Error loading game file. | Error | Stop | Ok";
}

// Unless the program restarts, the title screen stays usable: the example game then loads.
void TestLoadSave::loadFailures()
{
    QFETCH(Chosen, chosen);
    QFETCH(QString, box);
    const bool restart = chosen == Chosen::CutOff;
    FakePlatform fake;
    ProgramFolder folder;
    const QString path = QString::fromStdString(folder.Dir() + "SavedGames/game.txt");
    const std::string example = ExampleGame();
    if (restart)
        folder.WriteFile("SavedGames/game.txt", example.substr(0, example.rfind(" 8 8")));
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    chosen == Chosen::Cancel ? fake.queueCancel() : fake.queueFileName(path);
    if (!box.isEmpty())
        fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(form.LoadBtn, Qt::Key_Return);

    QCOMPARE(fake.boxes(),
             box.isEmpty() ? QStringList()
                           : QStringList{box.arg(QString::fromStdString(folder.Dir()))});
    QVERIFY(!form.InGameView() && form.TitleLabel->isVisible());
    QCOMPARE(form.Game().PlayerCount(), 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorun"));
    QCOMPARE(fake.startCount(), restart ? 1 : 0);
    QCOMPARE(fake.exitCodes(), restart ? QList<int>{0} : QList<int>{});
    if (!restart) {
        folder.WriteFile("SavedGames/game.txt", example);
        fake.queueFileName(path);
        QTest::keyClick(form.LoadBtn, Qt::Key_Return);
        QCOMPARE(form.windowTitle() + ", " + form.PlyrLabels[0]->text() + " "
                     + form.PlyrLabels[1]->text() + " " + SlotNames(form, 90).join(' '),
                 LoadedCaption + ", Anne Bob Axes");
        QCOMPARE(form.PlyrBgShapes[1]->BrushColor(), QColor(212, 0, 0));
        QVERIFY(form.FlashTimer->isActive());
    }
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::save_data()
{
    QTest::addColumn<SaveInto>("into");
    QTest::addColumn<QString>("box"); // its second line ends with the path from the folder
    QTest::addColumn<QString>("folders"); // SavedGames / OLDSAVES afterwards
    const QString others = "fred_13ecm0.txt fri_13ecm0.txt ";
    QTest::newRow("saved") << SaveInto::Saved << QString()
                           << "fred_13ecm0.txt fri_13ecm9.txt OLDSAVES / fri_13ecm0.txt";
    QTest::newRow("dialog cancelled") << SaveInto::Cancel << QString() << others + "OLDSAVES / ";
    QTest::newRow("folder in the way")
        << SaveInto::FolderInTheWay
        << "Error opening save game file.\n/SavedGames/fri_13ecm9.txt: Is a directory"
           " | File Error | Stop | Ok"
        << others + "fri_13ecm9.txt OLDSAVES / ";
    QTest::newRow("a file instead of the saves folder")
        << SaveInto::FileAsSavesFolder
        << "Error opening save game file.\n/SavedGames: Not a directory | File Error | Stop | Ok"
        << " / ";
}

// A save moves the game's earlier saves aside, not another game's. Unsaved, nothing is written or
// moved and the caption stays; without a saves folder no dialog is shown at all: it would offer
// some other folder. The game comes from the command line, whose bytes are the file's name in
// whatever character set; a player's name is shown as it stands, never as markup.
void TestLoadSave::save()
{
    QFETCH(SaveInto, into);
    QFETCH(QString, box);
    QFETCH(QString, folders);
    FakePlatform fake;
    ProgramFolder folder;
    const fs::path savedGames = folder.folder.path / "SavedGames";
    const fs::path target = savedGames / "fri_13ecm9.txt";
    std::string text = ExampleGame();
    text.replace(text.find("Bob\r\n"), 3, "<b>Bo</b>");
    const Windows windows = StartProgram(folder, {folder.WriteFile("caf\xe9.txt", text)});
    TVorunMainForm &form = *windows->MainForm;
    QTRY_VERIFY(form.InGameView());
    QCOMPARE(form.PlyrLabels[1]->text(), QStringLiteral("<b>Bo</b>"));
    QCOMPARE(form.PlyrLabels[1]->textFormat(), Qt::PlainText);
    folder.WriteFile("SavedGames/fri_13ecm0.txt", "an earlier save");
    folder.WriteFile("SavedGames/fred_13ecm0.txt", "another game");
    if (into == SaveInto::FolderInTheWay)
        fs::create_directory(target);
    if (into == SaveInto::FileAsSavesFolder) {
        fs::remove_all(savedGames);
        folder.WriteFile("SavedGames", "in the way");
    }
    if (into != SaveInto::FileAsSavesFolder)
        into == SaveInto::Cancel ? fake.queueCancel() : fake.queueFileName(target.string());
    if (!box.isEmpty())
        fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);

    const QString path = QString::fromStdString(folder.folder.path.string());
    QCOMPARE(fake.boxes(),
             box.isEmpty() ? QStringList() : QStringList{box.replace("\n", "\n" + path)});
    if (into != SaveInto::FileAsSavesFolder) {
        const FakePlatform::Prompt dialog = fake.prompts().value(0);
        QCOMPARE(dialog.kind, FakePlatform::PromptKind::SaveFile);
        QCOMPARE(dialog.initialDir, QString::fromStdString(folder.Dir() + "SavedGames/"));
        QCOMPARE(dialog.proposedName, QStringLiteral("fri_13ecm9.txt"));
    }
    QCOMPARE(Names(savedGames).join(' ') + " / " + Names(savedGames / "OLDSAVES").join(' '),
             folders);
    const bool saved = into == SaveInto::Saved;
    QCOMPARE(saved ? ReadFile(target) : text, text);
    QCOMPARE(form.windowTitle(), LoadedCaption + (saved ? "  Last Saved 3/14/2001, 9:5:7" : ""));
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestLoadSave)
#include "test_loadsave.moc"
