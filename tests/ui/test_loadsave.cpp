#include "tlandpanel.h"
#include "tmastrbd.h"
#include "tmbland.h"

#include "board_game.h"
#include "fake_platform.h"
#include "program_folder.h"
#include "tshape.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace fs = std::filesystem;

Q_DECLARE_METATYPE(std::string)

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

std::string Replaced(std::string text, const std::string &from, const std::string &to)
{
    return text.replace(text.find(from), from.size(), to);
}

// The names in a folder, sorted ignoring case; the SavedGames folder always holds OLDSAVES.
QStringList Names(const fs::path &folder)
{
    return QDir(QString::fromStdString(folder.string()))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

enum class Chosen { Cancel, Missing, Written };
enum class SaveInto { Cancel, FolderInTheWay, FileAsSavesFolder };

} // namespace

Q_DECLARE_METATYPE(Chosen)
Q_DECLARE_METATYPE(SaveInto)

class TestLoadSave : public QObject {
    Q_OBJECT

private slots:
    void missingBoardPictureEndsTheProgram();
    void loadFailures_data();
    void loadFailures();
    void saveNamesWritesAndMovesEarlierSaves();
    void unsavedGames_data();
    void unsavedGames();
    void anyFileNameAndPlayerNameLoads();
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

void TestLoadSave::loadFailures_data()
{
    QTest::addColumn<Chosen>("chosen");
    QTest::addColumn<std::string>("content");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("restart");
    const std::string example = ExampleGame();
    const QStringList loadError{"Error loading game file. | Error | Stop | Ok"};
    QTest::newRow("dialog cancelled") << Chosen::Cancel << std::string() << QStringList() << false;
    // %1: the folder
    QTest::newRow("no such file")
        << Chosen::Missing << std::string()
        << QStringList{"Error opening game file\n%1SavedGames/game.txt: No such file or directory"
                       " | Open Error | Stop | Ok"}
        << false;
    QTest::newRow("version 3")
        << Chosen::Written << Replaced(example, "2\r\n", "3\r\n")
        << QStringList{"Bad File Format or Wrong Saved Game Version | Error | Stop | Ok"} << false;
    QTest::newRow("cut off in a legion record")
        << Chosen::Written << example.substr(0, example.rfind(" 8 8")) << loadError << true;
    QTest::newRow("land 97") << Chosen::Written << Replaced(example, " 0 90 ", " 0 97 ")
                             << loadError << true;
}

// Each failure ends in its message. Unless the program restarts, the title screen stays usable: the
// example game then loads and is shown.
void TestLoadSave::loadFailures()
{
    QFETCH(Chosen, chosen);
    QFETCH(std::string, content);
    QFETCH(QStringList, boxes);
    QFETCH(bool, restart);
    FakePlatform fake;
    ProgramFolder folder;
    const QString path = QString::fromStdString(folder.Dir() + "SavedGames/game.txt");
    if (chosen == Chosen::Written)
        folder.WriteFile("SavedGames/game.txt", content);
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    if (chosen == Chosen::Cancel)
        fake.queueCancel();
    else
        fake.queueFileName(path);
    if (!boxes.isEmpty())
        fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(form.LoadBtn, Qt::Key_Return);

    for (QString &box : boxes)
        box = box.replace("%1", QString::fromStdString(folder.Dir()));
    QCOMPARE(fake.boxes(), boxes);
    QVERIFY(!form.InGameView() && form.TitleLabel->isVisible());
    QCOMPARE(form.Game().PlayerCount(), 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorun"));
    QCOMPARE(fake.startCount(), restart ? 1 : 0);
    QCOMPARE(fake.exitCodes(), restart ? QList<int>{0} : QList<int>{});
    if (!restart) {
        folder.WriteFile("SavedGames/game.txt", ExampleGame());
        fake.queueFileName(path);
        QTest::keyClick(form.LoadBtn, Qt::Key_Return);
        QCOMPARE(form.windowTitle(), LoadedCaption);
        QCOMPARE(form.PlyrLabels[0]->text(), QStringLiteral("Anne"));
        QCOMPARE(form.PlyrLabels[1]->text(), QStringLiteral("Bob"));
        QCOMPARE(form.PlyrBgShapes[0]->BrushColor(), QColor(Qt::black));
        QCOMPARE(form.PlyrBgShapes[1]->BrushColor(), QColor(212, 0, 0));
        QVERIFY(form.Board());
        QCOMPARE(SlotNames(form, 90), QStringList{"Axes"});
        QCOMPARE(SlotNames(form, 86), QStringList{"Cross"});
        QCOMPARE(form.Panel->ActvLandLbl->text(), QStringLiteral("None"));
        QVERIFY(form.FlashTimer->isActive());
    }
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::saveNamesWritesAndMovesEarlierSaves()
{
    FakePlatform fake;
    ProgramFolder folder;
    folder.WriteFile("SavedGames/fred_13ecm0.txt", "another game");
    const Windows windows = StartWithGame(folder, ExampleGame());
    TVorunMainForm &form = *windows->MainForm;
    const fs::path savedGames = folder.folder.path / "SavedGames";
    fake.setNow({2001, 3, 14, 9, 5, 7});
    fake.queueFileName(QString::fromStdString((savedGames / "fri_13ecm9.txt").string()));
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fake.prompts().size(), 1);
    QCOMPARE(fake.prompts()[0].kind, FakePlatform::PromptKind::SaveFile);
    QCOMPARE(fake.prompts()[0].initialDir, QString::fromStdString(folder.Dir() + "SavedGames/"));
    QCOMPARE(fake.prompts()[0].proposedName, QStringLiteral("fri_13ecm9.txt"));
    QCOMPARE(ReadFile(savedGames / "fri_13ecm9.txt"), ExampleGame());
    QCOMPARE(form.windowTitle(), LoadedCaption + "  Last Saved 3/14/2001, 9:5:7");

    fake.setNow({2001, 12, 31, 23, 59, 59});
    fake.queueFileName(QString::fromStdString((savedGames / "fri_1cvxbz.txt").string()));
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fake.prompts().last().proposedName, QStringLiteral("fri_1cvxbz.txt"));
    QCOMPARE(Names(savedGames),
             (QStringList{"fred_13ecm0.txt", "fri_1cvxbz.txt", "OLDSAVES", "test.txt"}));
    QCOMPARE(Names(savedGames / "OLDSAVES"), QStringList{"fri_13ecm9.txt"});
    QCOMPARE(form.windowTitle(), LoadedCaption + "  Last Saved 12/31/2001, 23:59:59");
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::unsavedGames_data()
{
    QTest::addColumn<SaveInto>("into");
    QTest::addColumn<QString>("box"); // its second line ends with the path from the folder
    QTest::newRow("dialog cancelled") << SaveInto::Cancel << QString();
    QTest::newRow("folder in the way")
        << SaveInto::FolderInTheWay
        << "Error opening save game file.\n/SavedGames/fri_13ecm9.txt: Is a directory"
           " | File Error | Stop | Ok";
    QTest::newRow("a file instead of the saves folder")
        << SaveInto::FileAsSavesFolder
        << "Error opening save game file.\n/SavedGames: Not a directory | File Error | Stop | Ok";
}

// Nothing is written, the caption stays and the earlier saves stay where they are. Without a saves
// folder no dialog is shown at all: it would offer some other folder.
void TestLoadSave::unsavedGames()
{
    QFETCH(SaveInto, into);
    QFETCH(QString, box);
    FakePlatform fake;
    ProgramFolder folder;
    const fs::path savedGames = folder.folder.path / "SavedGames";
    const fs::path target = savedGames / "fri_13ecm9.txt";
    if (into == SaveInto::FolderInTheWay)
        fs::create_directory(target);
    const std::string game = folder.WriteFile("game.txt", ExampleGame());
    const Windows windows = StartProgram(folder, {game});
    QTRY_VERIFY(windows->MainForm->InGameView());
    if (into == SaveInto::FileAsSavesFolder) {
        fs::remove_all(savedGames);
        folder.WriteFile("SavedGames", "in the way");
    } else {
        folder.WriteFile("SavedGames/fri_13ecm0.txt", "an earlier save");
    }
    if (into == SaveInto::Cancel)
        fake.queueCancel();
    else if (into != SaveInto::FileAsSavesFolder)
        fake.queueFileName(QString::fromStdString(target.string()));
    if (!box.isEmpty())
        fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(windows->MainForm.get(), Qt::Key_S, Qt::ControlModifier);

    const QString path = QString::fromStdString(folder.folder.path.string());
    QCOMPARE(fake.boxes(),
             box.isEmpty() ? QStringList() : QStringList{box.replace("\n", "\n" + path)});
    QVERIFY(!fs::is_regular_file(target));
    if (into != SaveInto::FileAsSavesFolder) {
        QCOMPARE(Names(savedGames / "OLDSAVES"), QStringList{});
        QVERIFY(fs::exists(savedGames / "fri_13ecm0.txt"));
    }
    QCOMPARE(windows->MainForm->windowTitle(), LoadedCaption);
    VERIFY_PLATFORM_DONE(fake);
}

// The command line's bytes are the file's name, in whatever character set; a player's name is
// shown as it stands, never as markup.
void TestLoadSave::anyFileNameAndPlayerNameLoads()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::string path = folder.WriteFile("SavedGames/caf\xe9.txt",
                                              Replaced(ExampleGame(), "Bob\r\n", "<b>Bo</b>\r\n"));
    const Windows windows = StartProgram(folder, {path});
    TVorunMainForm &form = *windows->MainForm;
    QTRY_VERIFY(form.InGameView());
    QCOMPARE(form.PlyrLabels[1]->text(), QStringLiteral("<b>Bo</b>"));
    QCOMPARE(form.PlyrLabels[1]->textFormat(), Qt::PlainText);
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestLoadSave)
#include "test_loadsave.moc"
