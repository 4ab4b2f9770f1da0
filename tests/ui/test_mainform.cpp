#include "board_game.h"
#include "tboardview.h"
#include "tlandpanel.h"
#include "tpnames.h"
#include "tshape.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

using Windows = std::unique_ptr<TVorunWindows>;

// Rejects every modal dialog as soon as it is open and lists them, so a test learns whether an
// action opened the names dialog without blocking on it.
struct ModalWatch : QTimer {
    ModalWatch()
    {
        connect(this, &QTimer::timeout, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                shown << dialog;
                dialog->reject();
            }
        });
        start(5);
    }
    QWidgetList shown;
};

// The controls of the scrolled area that are shown.
QSet<QWidget *> Shown(const TVorunMainForm &form)
{
    QSet<QWidget *> shown;
    for (QWidget *widget : form.ScrollArea()->widget()->findChildren<QWidget *>())
        if (widget->isVisible())
            shown << widget;
    return shown;
}

// The menu items' states in order: "+" enabled, "-" disabled, "h" added when hidden.
QString MenuStates(const TVorunMainForm &form)
{
    QStringList items;
    for (QMenu *menu : {form.MainPopupMenu, form.DocSubM, form.SizeSubM})
        for (QAction *item : menu->actions())
            items << (item->isEnabled() ? "+" : "-") + QString(item->isVisible() ? "" : "h");
    return items.join(' ');
}

// What a user does. Keys go to the Load button, which holds the focus on the title screen.
using Action = std::function<void(TVorunMainForm &)>;

Action Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    return Action([=](TVorunMainForm &form) { QTest::keyClick(form.LoadBtn, key, modifiers); });
}

// A click on a control or, without one, on the background.
template<class Control = QWidget>
Action Click(Qt::MouseButton button, Control *TVorunMainForm::*control = nullptr)
{
    return Action([=](TVorunMainForm &form) {
        QTest::mouseClick(control ? static_cast<QWidget *>(form.*control)
                                  : form.ScrollArea()->viewport(),
                          button);
    });
}

// With a saved game on the command line not loaded yet, only its load is to happen.
enum class Outcome { Nothing, NewGame, OpenDialog, CommandLineLoad };
enum class Ending { Close, Restart, FailedRestart };

} // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Ending)

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    // A closed main window must not post a quit that would end the next test's dialog loop.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void titleScreenThenGameView();
    void leaveTitleScreen_data();
    void leaveTitleScreen();
    void endingAsksFirst_data();
    void endingAsksFirst();
    void placementAndBoardSize_data();
    void placementAndBoardSize();
};

void TestMainForm::titleScreenThenGameView()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::string game = folder.WriteFile("SavedGames/fri_13ecm9.txt", BoardGame);
    const Windows windows = StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    const QSet<QWidget *> title{form.TitleLabel,     form.MyCoprLabel, form.OrigCoprLabel,
                                form.ClickLoadLabel, form.LoadBtn,     form.ClickStartLabel};
    QCOMPARE(Shown(form), title);
    for (QWidget *widget : title)
        QVERIFY(form.ScrollArea()->viewport()->rect().contains(widget->geometry()));
    QTRY_VERIFY(form.LoadBtn->hasFocus());
    QVERIFY(!form.Board() && !form.FlashTimer->isActive());
    QCOMPARE(fake.randomizeCount(), 1);
    // A title screen offers only New, Load, Quit and the documents.
    QCOMPARE(MenuStates(form), QStringLiteral("+ + - - - - - - - - + - - + + + + + - - - - -"));

    fake.queueFileName(QString::fromStdString(game));
    QTest::mouseClick(form.LoadBtn, Qt::LeftButton);
    QCOMPARE(
        Shown(form),
        (QSet<QWidget *>{form.BoardImage, form.Panel, form.PlyrBgShapes[0], form.PlyrLabels[0],
                         form.PlyrBgShapes[1], form.PlyrLabels[1], form.Panel->SelLandLbl,
                         form.Panel->ActvLandLbl, form.Panel->LandLgnLbl, form.Panel->ActvLgnLbl}));
    QCOMPARE(MenuStates(form), QStringLiteral("-h -h + + + + + - - + + + + + + + + + + + + + +"));
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::leaveTitleScreen_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("letter N") << Key(Qt::Key_N) << Outcome::NewGame;
    QTest::newRow("left click on the background") << Click(Qt::LeftButton) << Outcome::NewGame;
    QTest::newRow("middle click on the background") << Click(Qt::MiddleButton) << Outcome::NewGame;
    QTest::newRow("left click on a label")
        << Click(Qt::LeftButton, &TVorunMainForm::ClickStartLabel) << Outcome::NewGame;
    QTest::newRow("right click on the background") << Click(Qt::RightButton) << Outcome::Nothing;
    QTest::newRow("Ctrl+S") << Key(Qt::Key_S, Qt::ControlModifier) << Outcome::Nothing;
    QTest::newRow("context-menu key") << Key(Qt::Key_Menu) << Outcome::Nothing;
    QTest::newRow("Enter") << Key(Qt::Key_Return) << Outcome::OpenDialog;
    QTest::newRow("Space") << Key(Qt::Key_Space) << Outcome::OpenDialog;
    QTest::newRow("click on Load")
        << Click(Qt::LeftButton, &TVorunMainForm::LoadBtn) << Outcome::OpenDialog;
    QTest::newRow("Load Game item")
        << Action([](TVorunMainForm &form) { form.LoadGameMI->trigger(); }) << Outcome::OpenDialog;
    QTest::newRow("left click, load pending") << Click(Qt::LeftButton) << Outcome::CommandLineLoad;
    QTest::newRow("Enter, load pending") << Key(Qt::Key_Return) << Outcome::CommandLineLoad;
}

void TestMainForm::leaveTitleScreen()
{
    QFETCH(Action, action);
    QFETCH(Outcome, outcome);
    const bool loadPending = outcome == Outcome::CommandLineLoad;
    FakePlatform fake;
    ProgramFolder folder;
    ModalWatch watch;
    const std::string game = folder.WriteFile("SavedGames/g.txt", BoardGame);
    // A pending load waits for the first idle moment: shown, but with no event processed yet.
    const Windows windows = loadPending
        ? std::make_unique<TVorunWindows>(folder.Folders(), std::vector<std::string>{game})
        : StartProgram(folder);
    TVorunMainForm &form = *windows->MainForm;
    form.show();
    QCOMPARE(form.StartupPending(), loadPending);
    if (outcome == Outcome::OpenDialog)
        fake.queueCancel();
    action(form);

    QCOMPARE(watch.shown,
             outcome == Outcome::NewGame ? QWidgetList{windows->NamesForm.get()} : QWidgetList{});
    if (outcome == Outcome::OpenDialog) {
        QCOMPARE(fake.prompts().value(0).kind, FakePlatform::PromptKind::OpenFile);
        QCOMPARE(fake.prompts().value(0).initialDir,
                 QString::fromStdString(folder.Dir() + "SavedGames/"));
    }
    QVERIFY(!form.InGameView() && form.LoadBtn->isVisible());
    if (loadPending)
        QTRY_VERIFY(form.InGameView());
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::endingAsksFirst_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<Ending>("ending");
    const Action close([](TVorunMainForm &form) { form.close(); });
    const Action quit = Key(Qt::Key_Q, Qt::ControlModifier);
    const Action restart([](TVorunMainForm &form) { form.RestartMI->trigger(); });
    QTest::newRow("close, Cancel") << close << false << Ending::Close;
    QTest::newRow("close, OK") << close << true << Ending::Close;
    QTest::newRow("Quit Game by Ctrl+Q, Cancel") << quit << false << Ending::Close;
    QTest::newRow("Quit Game by Ctrl+Q, OK") << quit << true << Ending::Close;
    QTest::newRow("Alt+F4, Cancel") << Key(Qt::Key_F4, Qt::AltModifier) << false << Ending::Close;
    QTest::newRow("restart, Cancel") << restart << false << Ending::Restart;
    QTest::newRow("restart, OK") << restart << true << Ending::Restart;
    QTest::newRow("restart, OK, new run fails") << restart << true << Ending::FailedRestart;
}

// The closing keys start no game from the title screen. A restart ends this run only once the new
// one started, so the players never lose both.
void TestMainForm::endingAsksFirst()
{
    QFETCH(Action, action);
    QFETCH(bool, ok);
    QFETCH(Ending, ending);
    const bool restart = ending != Ending::Close;
    FakePlatform fake;
    ProgramFolder folder;
    ModalWatch watch;
    const Windows windows = restart ? StartWithGame(folder, BoardGame) : StartProgram(folder);
    fake.setStartResult(ending == Ending::Restart);
    fake.queueAnswer(ok ? Platform::Answer::Ok : Platform::Answer::Cancel);
    QStringList boxes{restart ? "Are you sure you want to restart? | Confirm | Question | OkCancel"
                              : "Are you sure you want to close the program? | Close Program? | "
                                "Question | OkCancel"};
    if (ok && ending == Ending::FailedRestart) {
        fake.queueAnswer(Platform::Answer::Ok);
        boxes << "The program could not be started again. | Restart Error | Stop | Ok";
    }
    action(*windows->MainForm);
    QCOMPARE(fake.boxes(), boxes);
    QCOMPARE(windows->MainForm->isVisible(), !ok || restart);
    if (restart) {
        QCOMPARE(fake.startCount(), ok ? 1 : 0);
        QCOMPARE(fake.exitCodes(), ok && ending == Ending::Restart ? QList<int>{0} : QList<int>{});
    }
    QVERIFY(watch.shown.isEmpty());
    VERIFY_PLATFORM_DONE(fake);
}

void TestMainForm::placementAndBoardSize_data()
{
    QTest::addColumn<int>("boardSize"); // in the settings file
    QTest::addColumn<QRect>("settings"); // left, top, width, height in the settings file
    QTest::addColumn<QRect>("placed"); // on the test platform's 800 × 800 screen
    QTest::addColumn<int>("chosen");
    QTest::newRow("size from the settings")
        << 4 << QRect(30, 20, 700, 700) << QRect(30, 20, 700, 700) << 4;
    QTest::newRow("automatic, 700 high")
        << 0 << QRect(30, 20, 700, 700) << QRect(30, 20, 700, 700) << 2;
    QTest::newRow("automatic, 800 high")
        << 0 << QRect(30, 0, 700, 800) << QRect(30, 0, 700, 800) << 3;
    // Settings for a larger or another screen: the window comes within reach.
    QTest::newRow("far left and too large")
        << 0 << QRect(-1280, -20, 2000, 2000) << QRect(0, 0, 800, 800) << 3;
    QTest::newRow("beyond the right edge")
        << 2 << QRect(1280, 600, 700, 500) << QRect(100, 300, 700, 500) << 2;
}

// Another board size keeps the legions and the selection; the size in use reloads nothing.
void TestMainForm::placementAndBoardSize()
{
    QFETCH(int, boardSize);
    QFETCH(QRect, settings);
    QFETCH(QRect, placed);
    QFETCH(int, chosen);
    FakePlatform fake;
    ProgramFolder folder;
    folder.WriteFile("VorunKelm.ini",
                     QString::asprintf("WindowMax=No\nWindowTop=%d\nWindowLeft=%d\nWindowWidth=%d\n"
                                       "WindowHeight=%d\nBoardSize=%d\n",
                                       settings.top(), settings.left(), settings.width(),
                                       settings.height(), boardSize)
                         .toStdString());
    const Windows windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    QCOMPARE(form.frameGeometry(), placed);
    QVERIFY(!form.isMaximized());
    const TWindowSettings kept = form.GetWindowSettings(); // as read, for the next start
    QCOMPARE(QRect(kept.leftStart, kept.topStart, kept.widthStart, kept.heightStart), settings);
    QCOMPARE(form.ChosenBoardSize(), chosen);
    QAction *chosenItem = form.SizeMIs[size_t(chosen - 1)];
    QVERIFY(chosenItem->isChecked());
    const QPixmap &picture = form.BoardImage->Picture();
    const qint64 firstPicture = picture.cacheKey();
    const QSize firstSize = picture.size();
    chosenItem->trigger();
    QCOMPARE(picture.cacheKey(), firstPicture);

    form.SelectLand(90);
    const QString landCaption = form.Panel->ActvLandLbl->text();
    const QStringList legions = SlotNames(form, 90) + SlotNames(form, 86);
    TLegion *active = form.ActiveLegion();
    const int other = chosen == 3 ? 2 : 3;
    form.SizeMIs[size_t(other - 1)]->trigger();
    QCOMPARE(form.ChosenBoardSize(), other);
    QVERIFY(form.SizeMIs[size_t(other - 1)]->isChecked() && !chosenItem->isChecked());
    QVERIFY(picture.size() != firstSize);
    QCOMPARE(SlotNames(form, 90) + SlotNames(form, 86), legions);
    QCOMPARE(form.SelectedLand(), &form.Board()->GetLand(90));
    QCOMPARE(form.ActiveLegion(), active);
    QCOMPARE(form.Panel->ActvLandLbl->text(), landCaption);
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"
