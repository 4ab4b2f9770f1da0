// The model's headers come before Qt's: a land has a member named slots.
#include "tmastrbd.h"
#include "tmbland.h"

#include "fake_platform.h"
#include "program_folder.h"
#include "tboardview.h"
#include "tlegion.h"
#include "tpnames.h"
#include "tshape.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

using Windows = std::unique_ptr<TVorunWindows>;

std::string ExampleGame()
{
    std::ifstream in(qEnvironmentVariable("VK_TEST_DATA").toStdString() + "vkgame_example.txt",
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QString Box(const FakePlatform::Prompt &prompt)
{
    constexpr std::array<const char *, 4> icons{"None", "Stop", "Warning", "Question"};
    return QStringLiteral("%1 | %2 | %3 | %4")
        .arg(prompt.text, prompt.caption, icons[size_t(prompt.icon)],
             prompt.buttons == Platform::Buttons::Ok ? "Ok" : "OkCancel");
}

// Rejects every modal dialog as soon as it is open and counts them, so a test learns whether an
// action opened the names dialog without blocking on it.
struct ModalWatch {
    ModalWatch()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, &timer, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                shown = dialog;
                ++count;
                dialog->reject();
            }
        });
        timer.start();
    }
    QTimer timer;
    QWidget *shown = nullptr;
    int count = 0;
};

// What a user does on the title screen. Keys go to the Load button, which holds the focus.
using Action = std::function<void(TVorunMainForm &)>;

Action Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return [=](TVorunMainForm &form) {
        QTest::keyClick(form.LoadBtn, key, modifiers);
    };
}

Action ClickBackground(Qt::MouseButton button)
{
    return [=](TVorunMainForm &form) {
        QTest::mouseClick(form.ScrollArea()->viewport(), button, {}, QPoint(20, 400));
    };
}

template<class Control>
Action ClickOn(Control *TVorunMainForm::*control, Qt::MouseButton button)
{
    return [=](TVorunMainForm &form) {
        QTest::mouseClick(form.*control, button);
    };
}

Action Choose(QAction *TVorunMainForm::*item)
{
    return [=](TVorunMainForm &form) {
        (form.*item)->trigger();
    };
}

enum class Outcome { Nothing, NewGame, OpenDialog };

QAction *MenuItem(const TVorunMainForm &form, const QString &caption)
{
    for (QMenu *menu : {form.MainPopupMenu, form.DocSubM, form.SizeSubM}) {
        for (QAction *item : menu->actions()) {
            if (item->text() == caption)
                return item;
        }
    }
    return nullptr;
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void titleScreenAfterStart();
    void menuEnabling_data();
    void menuEnabling();
    void leaveTitleScreen_data();
    void leaveTitleScreen();
    void pendingCommandLineLoadIgnoresInput();
    void closeAsksFirst_data();
    void closeAsksFirst();
    void restart_data();
    void restart();
    void boardSizeKeepsLegionsAndSelection();
    void gameViewPlacement_data();
    void gameViewPlacement();
};

void TestMainForm::initTestCase()
{
    // A closed main window must not post a quit that would end the next test's dialog loop.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestMainForm::titleScreenAfterStart()
{
    FakePlatform fake;
    ProgramFolder folder;
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;

    QCOMPARE(form.windowTitle(), QStringLiteral("Vorun"));
    QCOMPARE(form.TitleLabel->text(), QStringLiteral("VORUN"));
    QCOMPARE(form.ClickLoadLabel->text(),
             QStringLiteral("To load a game, press <Enter> or <Space> or click"));
    QCOMPARE(form.LoadBtn->text(), QStringLiteral("Load"));
    QCOMPARE(form.ClickStartLabel->text(),
             QStringLiteral("To start a new game, click anywhere else or press any other key."));
    const QRect visibleArea = form.ScrollArea()->viewport()->rect();
    for (QWidget *widget : std::initializer_list<QWidget *>{form.TitleLabel, form.MyCoprLabel,
                                                            form.OrigCoprLabel, form.ClickLoadLabel,
                                                            form.LoadBtn, form.ClickStartLabel}) {
        QVERIFY(widget->isVisible());
        QVERIFY2(visibleArea.contains(widget->geometry()), widget->metaObject()->className());
    }
    QVERIFY(form.LoadBtn->isDefault());
    QTRY_VERIFY(form.LoadBtn->hasFocus());

    for (size_t k = 0; k < form.PlyrLabels.size(); ++k)
        QVERIFY(!form.PlyrLabels[k]->isVisible() && !form.PlyrBgShapes[k]->isVisible());
    for (QWidget *widget : std::initializer_list<QWidget *>{
             form.BoardImage, form.SelLandLbl, form.ActvLandShape, form.ActvLandLbl,
             form.AddMrkrBtn, form.LandLgnLbl, form.ActvLgnLbl, form.LgnTroopsLbl1,
             form.ActvLgnLbl2, form.ViewLgnBtn, form.RotateLgnBtn})
        QVERIFY(!widget->isVisible());
    QVERIFY(!form.InGameView());
    QVERIFY(!TheMasterboard());
    QVERIFY(!form.FlashTimer->isActive());
    QCOMPARE(fake.randomizeCount(), 1);
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::menuEnabling_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("onTitle"); // enabled on the title screen, where every item is shown
    QTest::addColumn<bool>("inGame"); // enabled in the game view
    QTest::addColumn<bool>("shownInGame");
    struct Rule {
        const char *caption;
        bool onTitle, inGame, shownInGame;
    };
    constexpr std::array<Rule, 13> rules{{
        {"Start New Game", true, false, false},
        {"Load Game", true, false, false},
        {"Save Game", false, true, true},
        {"Restart Program", false, true, true},
        {"Show Creatures Remaining", false, true, true},
        {"Make Notes about game", false, true, true},
        {"Change Game/Player Names", false, true, true},
        {"Help/Documentation", true, true, true},
        {"About", true, true, true},
        {"Select Board Size", false, true, true},
        {"1280 x 1024", false, true, true},
        {"Startup Settings", false, true, true},
        {"Quit Game", true, true, true},
    }};
    for (const Rule &rule : rules)
        QTest::newRow(rule.caption)
            << QString(rule.caption) << rule.onTitle << rule.inGame << rule.shownInGame;
}

void TestMainForm::menuEnabling()
{
    QFETCH(QString, caption);
    QFETCH(bool, onTitle);
    QFETCH(bool, inGame);
    QFETCH(bool, shownInGame);
    FakePlatform fake;
    ProgramFolder folder;
    const std::string game = folder.WriteFile("SavedGames/fri_13ecm9.txt", ExampleGame());
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    QAction *item = MenuItem(form, caption);
    QVERIFY(item);
    QCOMPARE(item->isEnabled(), onTitle);
    QVERIFY(item->isVisible());

    fake.queueFileName(QString::fromStdString(game));
    QTest::mouseClick(form.LoadBtn, Qt::LeftButton);
    QVERIFY(form.InGameView());
    QCOMPARE(item->isEnabled(), inGame);
    QCOMPARE(item->isVisible(), shownInGame);
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::leaveTitleScreen_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("outcome");
    const int newGame = int(Outcome::NewGame), load = int(Outcome::OpenDialog);
    QTest::newRow("letter N") << Key(Qt::Key_N) << newGame;
    QTest::newRow("left click on the background") << ClickBackground(Qt::LeftButton) << newGame;
    QTest::newRow("middle click on the background") << ClickBackground(Qt::MiddleButton) << newGame;
    QTest::newRow("left click on a label")
        << ClickOn(&TVorunMainForm::ClickStartLabel, Qt::LeftButton) << newGame;
    QTest::newRow("right click on the background")
        << ClickBackground(Qt::RightButton) << int(Outcome::Nothing);
    QTest::newRow("right click on a label")
        << ClickOn(&TVorunMainForm::TitleLabel, Qt::RightButton) << int(Outcome::Nothing);
    QTest::newRow("Ctrl+S") << Key(Qt::Key_S, Qt::ControlModifier) << int(Outcome::Nothing);
    QTest::newRow("context-menu key") << Key(Qt::Key_Menu) << int(Outcome::Nothing);
    QTest::newRow("Enter") << Key(Qt::Key_Return) << load;
    QTest::newRow("Space") << Key(Qt::Key_Space) << load;
    QTest::newRow("click on Load") << ClickOn(&TVorunMainForm::LoadBtn, Qt::LeftButton) << load;
    QTest::newRow("Load Game item") << Choose(&TVorunMainForm::LoadGameMI) << load;
}

void TestMainForm::leaveTitleScreen()
{
    QFETCH(Action, action);
    QFETCH(int, outcome);
    FakePlatform fake;
    ProgramFolder folder;
    ModalWatch watch;
    const Windows windows = StartProgram(folder);
    if (Outcome(outcome) == Outcome::OpenDialog)
        fake.queueCancel();
    action(*windows->MainForm);

    QCOMPARE(watch.count, Outcome(outcome) == Outcome::NewGame ? 1 : 0);
    if (watch.count)
        QCOMPARE(watch.shown, static_cast<QWidget *>(windows->NamesForm.get()));
    QCOMPARE(fake.prompts().size(), Outcome(outcome) == Outcome::OpenDialog ? 1 : 0);
    if (!fake.prompts().isEmpty()) {
        QCOMPARE(fake.prompts()[0].kind, FakePlatform::PromptKind::OpenFile);
        QCOMPARE(fake.prompts()[0].initialDir,
                 QString::fromStdString(folder.Dir() + "SavedGames/"));
    }
    QVERIFY(!windows->MainForm->InGameView());
    QVERIFY(windows->MainForm->LoadBtn->isVisible());
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::pendingCommandLineLoadIgnoresInput()
{
    FakePlatform fake;
    ProgramFolder folder;
    ModalWatch watch;
    const std::string game = folder.WriteFile("SavedGames/fri_13ecm9.txt", ExampleGame());
    // Built and shown the way the program does, but with no event processed yet: the load waits
    // for the first idle moment.
    const Windows windows
        = std::make_unique<TVorunWindows>(folder.Dir(), QStringList{QString::fromStdString(game)});
    TVorunMainForm &form = *windows->MainForm;
    form.show();
    QVERIFY(form.CommandLineLoadPending());
    ClickBackground(Qt::LeftButton)(form);
    Key(Qt::Key_N)(form);
    Key(Qt::Key_Return)(form); // the load dialog would be an unscripted prompt
    QCOMPARE(watch.count, 0);
    QVERIFY(!form.InGameView());

    QTRY_VERIFY(form.InGameView());
    QVERIFY(!form.CommandLineLoadPending());
    QCOMPARE(form.PlyrLabels[0]->text(), QStringLiteral("Anne"));
    QCOMPARE(watch.count, 0);
    QVERIFY(fake.prompts().isEmpty());
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::closeAsksFirst_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("ok");
    const Action close = [](TVorunMainForm &form) {
        form.close();
    };
    QTest::newRow("close, Cancel") << close << false;
    QTest::newRow("close, OK") << close << true;
    QTest::newRow("Quit Game, Cancel") << Choose(&TVorunMainForm::QuitMI) << false;
    QTest::newRow("Quit Game, OK") << Choose(&TVorunMainForm::QuitMI) << true;
    QTest::newRow("Ctrl+Q, OK") << Key(Qt::Key_Q, Qt::ControlModifier) << true;
    QTest::newRow("Alt+F4, Cancel") << Key(Qt::Key_F4, Qt::AltModifier) << false;
}

void TestMainForm::closeAsksFirst()
{
    QFETCH(Action, action);
    QFETCH(bool, ok);
    FakePlatform fake;
    ProgramFolder folder;
    ModalWatch watch;
    const Windows windows = StartProgram(folder);
    fake.queueAnswer(ok ? Platform::Answer::Ok : Platform::Answer::Cancel);
    action(*windows->MainForm);
    QCOMPARE(fake.prompts().size(), 1);
    QCOMPARE(Box(fake.prompts()[0]),
             QStringLiteral("Are you sure you want to close the program? | Close Program? | "
                            "Question | OkCancel"));
    QCOMPARE(windows->MainForm->isVisible(), !ok);
    QCOMPARE(watch.count, 0);
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::restart_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("newRunStarts");
    QTest::addColumn<int>("starts");
    QTest::addColumn<QList<int>>("exits");
    QTest::newRow("Cancel") << false << true << 0 << QList<int>{};
    QTest::newRow("OK") << true << true << 1 << QList<int>{0};
    QTest::newRow("OK, new run fails") << true << false << 1 << QList<int>{};
}

void TestMainForm::restart()
{
    QFETCH(bool, ok);
    QFETCH(bool, newRunStarts);
    QFETCH(int, starts);
    QFETCH(QList<int>, exits);
    FakePlatform fake;
    ProgramFolder folder;
    const Windows windows = StartWithGame(folder, ExampleGame());
    fake.setStartResult(newRunStarts);
    fake.queueAnswer(ok ? Platform::Answer::Ok : Platform::Answer::Cancel);
    if (!newRunStarts)
        fake.queueAnswer(Platform::Answer::Ok);
    windows->MainForm->RestartMI->trigger();
    QCOMPARE(fake.prompts().size(), newRunStarts ? 1 : 2);
    QCOMPARE(Box(fake.prompts()[0]),
             QStringLiteral("Are you sure you want to restart? | Confirm | Question | OkCancel"));
    if (!newRunStarts) {
        QCOMPARE(Box(fake.prompts()[1]),
                 QStringLiteral("The program could not be started again. | Restart Error | "
                                "Stop | Ok"));
    }
    QCOMPARE(fake.startCount(), starts);
    QCOMPARE(fake.exitCodes(), exits);
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::boardSizeKeepsLegionsAndSelection()
{
    FakePlatform fake;
    ProgramFolder folder(1);
    const Windows windows = StartWithGame(folder, ExampleGame());
    TVorunMainForm &form = *windows->MainForm;
    TVorunMasterboard *board = TheMasterboard();
    QVERIFY(board);
    TLegion *anne = form.Game().GetPlayer(0)->GetLegion(0);
    TLegion *bob = form.Game().GetPlayer(1)->GetLegion(0);
    form.SelectLand(90);
    const QString landCaption = form.ActvLandLbl->text();
    const QPixmap &picture = form.BoardImage->Picture();

    const qint64 firstPicture = picture.cacheKey();
    QVERIFY(form.SizeMIs[0]->isChecked());
    form.SizeMIs[0]->trigger(); // the size in use: nothing to reload
    QCOMPARE(picture.cacheKey(), firstPicture);

    const QSize smaller = picture.size();
    form.SizeMIs[2]->trigger();
    QCOMPARE(form.ChosenBoardSize(), 3);
    QVERIFY(form.SizeMIs[2]->isChecked() && !form.SizeMIs[0]->isChecked());
    QVERIFY(picture.width() > smaller.width() && picture.height() > smaller.height());
    QCOMPARE(board->GetLand(90).GetStack(0), anne);
    QCOMPARE(board->GetLand(86).GetStack(0), bob);
    QCOMPARE(form.SelectedLand(), &board->GetLand(90));
    QCOMPARE(form.ActiveLegion(), anne);
    QCOMPARE(board->GetLand(90).GetHighlight(), uint8_t(1));
    QCOMPARE(form.ActvLandLbl->text(), landCaption);

    const qint64 largerPicture = picture.cacheKey();
    form.SizeMIs[2]->trigger();
    QCOMPARE(picture.cacheKey(), largerPicture);
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::gameViewPlacement_data()
{
    QTest::addColumn<int>("boardSize"); // in the settings file
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("chosen");
    QTest::newRow("size from the settings") << 4 << 700 << 4;
    QTest::newRow("automatic, 700 high") << 0 << 700 << 2;
    QTest::newRow("automatic, 800 high") << 0 << 800 << 3;
}

void TestMainForm::gameViewPlacement()
{
    QFETCH(int, boardSize);
    QFETCH(int, height);
    QFETCH(int, chosen);
    FakePlatform fake;
    ProgramFolder folder;
    folder.WriteFile("VorunKelm.ini",
                     "WindowMax=No\nWindowTop=20\nWindowLeft=30\nWindowWidth=900\nWindowHeight="
                         + std::to_string(height) + "\nBoardSize=" + std::to_string(boardSize)
                         + "\n");
    const Windows windows = StartWithGame(folder, ExampleGame());
    TVorunMainForm &form = *windows->MainForm;
    QVERIFY(form.InGameView());
    QCOMPARE(form.frameGeometry(), QRect(30, 20, 900, height));
    QVERIFY(!form.isMaximized());
    QCOMPARE(form.ChosenBoardSize(), chosen);
    QVERIFY(form.SizeMIs[size_t(chosen - 1)]->isChecked());
    QVERIFY(form.FlashTimer->isActive());
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"
