#include "tcatalog.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "tmbland.h"

#include "fake_platform.h"
#include "program_folder.h"
#include "tshape.h"

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

#include <unistd.h>

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

QString Box(const FakePlatform::Prompt &prompt)
{
    constexpr std::array<const char *, 4> icons{"None", "Stop", "Warning", "Question"};
    return QStringLiteral("%1 | %2 | %3 | %4")
        .arg(prompt.text, prompt.caption, icons[size_t(prompt.icon)],
             prompt.buttons == Platform::Buttons::Ok ? "Ok" : "OkCancel");
}

// Sorted names in a folder; the SavedGames folder always holds OLDSAVES.
QStringList Names(const fs::path &folder)
{
    QStringList names;
    for (const auto &entry : fs::directory_iterator(folder))
        names << QString::fromStdString(entry.path().filename().string());
    names.sort();
    return names;
}

void PressCtrlS(TVorunMainForm &form)
{
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
}

// Gives a folder made read-only back its write permission, so the test folder can be removed.
struct WritableAgain {
    ~WritableAgain()
    {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, ignored);
    }
    fs::path path;
};

enum class Chosen { Cancel, Missing, Written };
enum class SaveInto { Cancel, ReadOnlyFolder, MissingFolder, FolderInTheWay };

} // namespace

class TestLoadSave : public QObject {
    Q_OBJECT

private slots:
    void loadThroughTheLoadButton();
    void missingBoardPictureEndsTheProgram();
    void loadFailures_data();
    void loadFailures();
    void saveNamesWritesAndMovesEarlierSaves();
    void unsavedGames_data();
    void unsavedGames();
};

void TestLoadSave::loadThroughTheLoadButton()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::string game = folder.WriteFile("SavedGames/fri_13ecm9.txt", ExampleGame());
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    fake.queueFileName(QString::fromStdString(game));
    QTest::mouseClick(form.LoadBtn, Qt::LeftButton);

    QCOMPARE(fake.prompts().size(), 1);
    QCOMPARE(fake.prompts()[0].initialDir, QString::fromStdString(folder.Dir() + "SavedGames/"));
    QVERIFY(form.InGameView());
    QVERIFY(!form.TitleLabel->isVisible() && !form.LoadBtn->isVisible());
    QCOMPARE(form.windowTitle(), LoadedCaption);
    QCOMPARE(form.PlyrLabels[0]->text(), QStringLiteral("Anne"));
    QCOMPARE(form.PlyrLabels[1]->text(), QStringLiteral("Bob"));
    for (int k = 0; k < TVorunGame::MaxPlayers; ++k) {
        QCOMPARE(form.PlyrLabels[size_t(k)]->isVisible(), k < 2);
        QCOMPARE(form.PlyrBgShapes[size_t(k)]->isVisible(), k < 2);
    }
    const auto colour = [](int c) {
        return QColor(ColorValues[size_t(c)].red, ColorValues[size_t(c)].green,
                      ColorValues[size_t(c)].blue);
    };
    QCOMPARE(form.PlyrBgShapes[0]->BrushColor(), colour(0));
    QCOMPARE(form.PlyrBgShapes[1]->BrushColor(), colour(5));

    const TVorunMasterboard *board = TheMasterboard();
    QVERIFY(board);
    QCOMPARE(board->GetLand(90).GetStack(0), form.Game().GetPlayer(0)->GetLegion(0));
    QCOMPARE(board->GetLand(86).GetStack(0), form.Game().GetPlayer(1)->GetLegion(0));
    QCOMPARE(board->GetLand(90).GetStack(1), nullptr);
    QCOMPARE(form.ActvLandLbl->text(), QStringLiteral("None"));
    QVERIFY(form.FlashTimer->isActive());
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::missingBoardPictureEndsTheProgram()
{
    FakePlatform fake;
    ProgramFolder folder;
    fs::remove(folder.folder.path / "GRAPHICS");
    fake.queueAnswer(Platform::Answer::Ok);
    const Windows windows = StartWithGame(folder, ExampleGame());

    QCOMPARE(fake.prompts().size(), 1);
    QCOMPARE(
        Box(fake.prompts()[0]),
        QStringLiteral("Cannot load main board image.  Bad install. | Critical Error | Stop | Ok"));
    QCOMPARE(fake.exitCodes(), QList<int>{0});
    QCOMPARE(fake.startCount(), 0);
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::loadFailures_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<std::string>("content");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<bool>("restart");
    const std::string example = ExampleGame();
    QTest::newRow("dialog cancelled") << int(Chosen::Cancel) << std::string() << QString() << false;
    QTest::newRow("no such file") << int(Chosen::Missing) << std::string()
                                  << "Error opening game file | Open Error | Stop | Ok" << false;
    QTest::newRow("version 3") << int(Chosen::Written) << Replaced(example, "2\r\n", "3\r\n")
                               << "Bad File Format or Wrong Saved Game Version | Error | Stop | Ok"
                               << false;
    QTest::newRow("cut off in a legion record")
        << int(Chosen::Written) << example.substr(0, example.rfind(" 8 8"))
        << "Error loading game file. | Error | Stop | Ok" << true;
    QTest::newRow("land 97") << int(Chosen::Written) << Replaced(example, " 0 90 ", " 0 97 ")
                             << "Error loading game file. | Error | Stop | Ok" << true;
}

// Each failure ends in its message; the title screen stays usable unless the program restarts.
void TestLoadSave::loadFailures()
{
    QFETCH(int, chosen);
    QFETCH(std::string, content);
    QFETCH(QString, message);
    QFETCH(bool, restart);
    FakePlatform fake;
    ProgramFolder folder;
    const QString path = QString::fromStdString(folder.Dir() + "SavedGames/game.txt");
    if (Chosen(chosen) == Chosen::Written)
        folder.WriteFile("SavedGames/game.txt", content);
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    if (Chosen(chosen) == Chosen::Cancel)
        fake.queueCancel();
    else
        fake.queueFileName(path);
    if (!message.isEmpty())
        fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(form.LoadBtn, Qt::Key_Return);

    QCOMPARE(fake.prompts().size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty())
        QCOMPARE(Box(fake.prompts()[1]), message);
    QVERIFY(!form.InGameView());
    QVERIFY(form.TitleLabel->isVisible());
    QCOMPARE(form.Game().PlayerCount(), 0);
    QCOMPARE(form.windowTitle(), QStringLiteral("Vorun"));
    QCOMPARE(fake.startCount(), restart ? 1 : 0);
    QCOMPARE(fake.exitCodes(), restart ? QList<int>{0} : QList<int>{});
    if (!restart) {
        folder.WriteFile("SavedGames/game.txt", ExampleGame());
        fake.queueFileName(path);
        QTest::keyClick(form.LoadBtn, Qt::Key_Return);
        QVERIFY(form.InGameView());
        QCOMPARE(form.Game().PlayerCount(), 2);
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
    PressCtrlS(form);
    QCOMPARE(fake.prompts().size(), 1);
    QCOMPARE(fake.prompts()[0].kind, FakePlatform::PromptKind::SaveFile);
    QCOMPARE(fake.prompts()[0].initialDir, QString::fromStdString(folder.Dir() + "SavedGames/"));
    QCOMPARE(fake.prompts()[0].proposedName, QStringLiteral("fri_13ecm9.txt"));
    QCOMPARE(ReadFile(savedGames / "fri_13ecm9.txt"), ExampleGame());
    QCOMPARE(form.windowTitle(), LoadedCaption + "  Last Saved 3/14/2001, 9:5:7");

    fake.setNow({2001, 12, 31, 23, 59, 59});
    fake.queueFileName(QString::fromStdString((savedGames / "fri_1cvxbz.txt").string()));
    PressCtrlS(form);
    QCOMPARE(fake.prompts().size(), 2);
    QCOMPARE(fake.prompts()[1].proposedName, QStringLiteral("fri_1cvxbz.txt"));
    QCOMPARE(Names(savedGames),
             (QStringList{"OLDSAVES", "fred_13ecm0.txt", "fri_1cvxbz.txt", "test.txt"}));
    QCOMPARE(Names(savedGames / "OLDSAVES"), QStringList{"fri_13ecm9.txt"});
    QCOMPARE(form.windowTitle(), LoadedCaption + "  Last Saved 12/31/2001, 23:59:59");
    VERIFY_PLATFORM_DONE(fake);
}

void TestLoadSave::unsavedGames_data()
{
    QTest::addColumn<int>("into");
    QTest::addColumn<QString>("message"); // empty: none
    const QString openError = "Error opening save game file. | File Error | Stop | Ok";
    QTest::newRow("dialog cancelled") << int(SaveInto::Cancel) << QString();
    QTest::newRow("read-only folder") << int(SaveInto::ReadOnlyFolder) << openError;
    QTest::newRow("missing folder") << int(SaveInto::MissingFolder) << openError;
    QTest::newRow("folder in the way") << int(SaveInto::FolderInTheWay)
                                       << "Error while attempting to save file. | Save Error | "
                                          "Stop | Ok";
}

// Nothing is written and the caption stays; once a name was chosen the earlier saves are moved.
void TestLoadSave::unsavedGames()
{
    QFETCH(int, into);
    QFETCH(QString, message);
    FakePlatform fake;
    ProgramFolder folder;
    folder.WriteFile("SavedGames/fri_13ecm0.txt", "an earlier save");
    const fs::path savedGames = folder.folder.path / "SavedGames";
    WritableAgain locked{savedGames / "locked"};
    fs::path target = savedGames / "fri_13ecm9.txt";
    if (SaveInto(into) == SaveInto::ReadOnlyFolder) {
        fs::create_directory(locked.path);
        fs::permissions(locked.path, fs::perms::owner_read | fs::perms::owner_exec);
        if (access(locked.path.c_str(), W_OK) == 0)
            QSKIP("this user can write into read-only folders");
        target = locked.path / "fri_13ecm9.txt";
    } else if (SaveInto(into) == SaveInto::MissingFolder) {
        target = savedGames / "nowhere" / "fri_13ecm9.txt";
    } else if (SaveInto(into) == SaveInto::FolderInTheWay) {
        fs::create_directory(target);
    }
    const Windows windows = StartWithGame(folder, ExampleGame());
    if (SaveInto(into) == SaveInto::Cancel) {
        fake.queueCancel();
    } else {
        fake.queueFileName(QString::fromStdString(target.string()));
        fake.queueAnswer(Platform::Answer::Ok);
    }
    PressCtrlS(*windows->MainForm);

    QCOMPARE(fake.prompts().size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty())
        QCOMPARE(Box(fake.prompts()[1]), message);
    QVERIFY(!fs::is_regular_file(target));
    QCOMPARE(Names(savedGames / "OLDSAVES"),
             message.isEmpty() ? QStringList{} : QStringList{"fri_13ecm0.txt"});
    QCOMPARE(windows->MainForm->windowTitle(), LoadedCaption);
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestLoadSave)
#include "test_loadsave.moc"
