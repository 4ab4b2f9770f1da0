#include "fake_platform.h"
#include "program_folder.h"
#include "tcharleft.h"
#include "tpcolor.h"
#include "tpnames.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QQueue>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Replaces an edit's text the way a user does: select all, then type.
void Type(QLineEdit *edit, const QString &text)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Acts on modal dialogs from inside their exec(): each step runs once its dialog is the modal
// window and has the keyboard.
struct ModalScript : QTimer {
    ModalScript()
    {
        connect(this, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!steps.isEmpty() && modal == steps.head().first
                && QApplication::activeWindow() == modal)
                steps.dequeue().second();
        });
        start(5);
    }
    void On(QWidget *dialog, std::function<void()> step) { steps.enqueue({dialog, step}); }
    QQueue<QPair<QWidget *, std::function<void()>>> steps;
};

struct Session {
    Session() { RecruitStacks() = TCharLeft(); } // the stacks outlive the windows
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TVorunMainForm &main = *windows->MainForm;
    TNamesForm &names = *windows->NamesForm;
    TColorForm &colors = *windows->ColorForm;
};

} // namespace

class TestNames : public QObject {
    Q_OBJECT

private slots:
    void done_data();
    void done();
    void setUpGuards();
    void newGameThenRename();
    void cancelThenCleanAttempt_data();
    void cancelThenCleanAttempt();
};

void TestNames::done_data()
{
    QTest::addColumn<QStringList>("names"); // by row; none: the defaults stay
    QTest::addColumn<QStringList>("towers");
    QTest::addColumn<QString>("box"); // text | caption of the refusal
    QTest::addColumn<QString>("passed"); // the colour dialog's names, top row first
    const QStringList ab{"A", "B"};
    const QString badTower = "Invalid Tower Number.  If tower numbers are entered,\nthey must be "
                             "1,2,3,4,5,6, or 100,200,300,400,500,600. | That ain't no tower.";
    const QString someTowers
        = "Must enter towers for all players or none at all. | I can't handle it!";
    QTest::newRow("defaults") << QStringList{} << QStringList{} << ""
                              << "Player 2 Player 1";
    QTest::newRow("3 and 300") << ab << QStringList{"3", "300"}
                               << "Duplicate Tower Number. | Watch where you're driving!"
                               << "";
    for (const char *tower : {"0", "7", "250", "700", "-1", "x"})
        QTest::newRow(tower) << ab << QStringList{"1", tower} << badTower << "";
    QTest::newRow("towers in blank rows ignored")
        << QStringList{"A", "", "  ", "B"} << QStringList{"2", "x", "7", "400"} << ""
        << "B A";
    QTest::newRow("blank tower is none") << ab << QStringList{"1", " "} << someTowers << "";
    QTest::newRow("partial towers")
        << QStringList{"A", "B", "C"} << QStringList{"1", "2"} << someTowers << "";
    QTest::newRow("one name") << QStringList{"A", " "} << QStringList{}
                              << "Must have at least 2 players. | Doh!"
                              << "";
    QTest::newRow("rows 1, 3, 6 in order")
        << QStringList{"A", "", "B", "", "", "C"} << QStringList{} << ""
        << "C B A";
}

void TestNames::done()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, towers);
    QFETCH(QString, box);
    QFETCH(QString, passed);
    Session s;
    s.names.SetUpNames(0, "old", "old", nullptr);
    s.names.show();
    for (size_t k = 0; k < size_t(TNamesForm::Rows) && !names.isEmpty(); ++k)
        Type(s.names.NameEdits[k], names.value(int(k)));
    for (size_t k = 0; k < size_t(TNamesForm::Rows); ++k)
        Type(s.names.TowerEdits[k], towers.value(int(k)));
    if (!box.isEmpty())
        s.fake.queueAnswer(Platform::Answer::Ok);
    for (int draw = 0; draw < TNamesForm::Rows; ++draw) // towers 1, 2, 3, … where none entered
        s.fake.queueRandom(draw);
    QTest::mouseClick(s.names.NamesDoneBtn, Qt::LeftButton);
    QCOMPARE(s.fake.boxes().join(""), box.isEmpty() ? "" : box + " | None | Ok");
    QCOMPARE(s.names.isVisible(), passed.isEmpty());
    QStringList shown;
    for (size_t r = 0; r < size_t(TColorForm::Rows) && passed.size(); ++r)
        if (!s.colors.NameLabels[r]->text().isEmpty())
            shown << s.colors.NameLabels[r]->text();
    QCOMPARE(shown.join(" "), passed);
    VERIFY_PLATFORM_DONE(s.fake);
}

void TestNames::setUpGuards()
{
    Session s;
    s.fake.queueAnswer(Platform::Answer::Ok);
    s.fake.queueAnswer(Platform::Answer::Ok);
    s.names.SetUpNames(0, "", "", nullptr);
    s.names.show();
    s.names.hide();
    s.names.show(); // hiding used the set-up up
    s.names.hide();
    s.names.SetUpNames(2, "g", "f", nullptr);
    QCOMPARE(s.fake.boxes(),
             QStringList({"Bug: form not set up before being shown | Debug Info | None | Ok",
                          "bug: can't access player names | Debug Info | None | Ok"}));
    VERIFY_PLATFORM_DONE(s.fake);
}

// Four players from a click on the title screen to the game view, then renamed after a save.
void TestNames::newGameThenRename()
{
    Session s;
    s.fake.setNow({2002, 7, 4, 13, 30, 2});
    s.fake.queueAnswer(Platform::Answer::Ok);
    ModalScript script;
    script.On(&s.names, [&s] {
        Type(s.names.GameNameEdit, "  Big game ");
        Type(s.names.FilenameEdit, " b\\i/g:*?\"<>| ");
        const QStringList names{"Ann", "Bob", "Cy", "Dee"}, towers{"2", "400", "5", "100"};
        for (size_t k = 0; k < 4; ++k) {
            Type(s.names.NameEdits[k], names[int(k)]);
            Type(s.names.TowerEdits[k], towers[int(k)]);
        }
        QTest::keyClick(s.names.TowerEdits[3], Qt::Key_Return);
    });
    script.On(&s.colors, [&s] {
        QTest::mouseClick(s.colors.BitBtns[5], Qt::LeftButton); // Dee: Red
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // Ann: Black, the next
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Bob: Blue
        QTest::mouseClick(s.colors.BitBtns[3], Qt::LeftButton); // Cy: Gold
    });
    QTest::mouseClick(s.main.ScrollArea()->viewport(), Qt::LeftButton);
    QVERIFY(s.main.InGameView());
    QCOMPARE(s.fake.boxes(),
             QStringList{"Warning: invalid character(s) removed from filename. | Bad Filename | "
                         "Warning | Ok"});
    QStringList players;
    for (int p = 0; p < s.main.Game().PlayerCount(); ++p) {
        const TPlayer &player = *s.main.Game().GetPlayer(p);
        players << QString("%1 %2 %3 %4")
                       .arg(QString::fromStdString(player.GetName()),
                            s.main.PlyrLabels[size_t(p)]->text(), ColorNames[player.GetColor()])
                       .arg(player.GetLegion(0)->GetLocation());
    }
    QCOMPARE(
        players,
        QStringList({"Cy Cy Gold 89", "Bob Bob Blue 88", "Ann Ann Black 86", "Dee Dee Red 85"}));
    QCOMPARE(RecruitStacks().GetCharLeft(Crit::Angel), StackTotal[Crit::Angel] - 4);
    QCOMPARE(s.main.windowTitle(), "Vorun - Big game  (big_<time>.txt)");
    const TDateTime &t = s.main.Game().StartTime;
    QCOMPARE(QList<int>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
             QList<int>({2002, 7, 4, 13, 30, 2}));

    QVERIFY(QTest::qWaitForWindowActive(&s.main)); // the keyboard is back with the main window
    s.fake.queueFileName(QString::fromStdString(s.folder.Dir() + "SavedGames/big_1.txt"));
    QTest::keyClick(&s.main, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(s.main.windowTitle() != "Vorun - Big game  (big_<time>.txt)");
    int shownEdits = 0;
    s.fake.queueAnswer(Platform::Answer::Ok);
    script.On(&s.names, [&] {
        for (size_t k = 0; k < size_t(TNamesForm::Rows); ++k)
            shownEdits
                += s.names.NameEdits[k]->isVisible() + 10 * s.names.TowerEdits[k]->isVisible();
        Type(s.names.NameEdits[1], " ");
        QTest::mouseClick(s.names.NamesDoneBtn, Qt::LeftButton);
    });
    script.On(&s.names, [&s] {
        Type(s.names.NameEdits[1], "  Bea ");
        Type(s.names.GameNameEdit, "Bigger");
        QTest::mouseClick(s.names.NamesDoneBtn, Qt::LeftButton);
    });
    s.main.NameChangeMI->trigger();
    QVERIFY(script.steps.isEmpty());
    QCOMPARE(shownEdits, 4);
    QCOMPARE(s.fake.boxes().last(), "All players must have a name! | Oops. | None | Ok");
    QCOMPARE(s.main.windowTitle(), "Vorun - Bigger  (big_<time>.txt)");
    QCOMPARE(s.main.Game().GetPlayer(1)->GetName(), "Bea");
    QCOMPARE(s.main.PlyrLabels[1]->text(), "Bea");
    VERIFY_PLATFORM_DONE(s.fake);
}

// Where the user gives up: the names dialog's Cancel, or the colour dialog after one choice.
void TestNames::cancelThenCleanAttempt_data()
{
    QTest::addColumn<int>("step");
    QTest::newRow("names: Cancel") << 0;
    QTest::newRow("colours: Escape") << 1;
    QTest::newRow("colours: closed") << 2;
}

void TestNames::cancelThenCleanAttempt()
{
    QFETCH(int, step);
    Session s;
    ModalScript script;
    for (int draw : {0, 1, 2})
        s.fake.queueRandom(draw);
    script.On(&s.names, [&s, step] {
        Type(s.names.GameNameEdit, "X");
        Type(s.names.FilenameEdit, "Y");
        Type(s.names.NameEdits[2], "Zed");
        QTest::mouseClick(step ? s.names.NamesDoneBtn : s.names.CancelBtn, Qt::LeftButton);
    });
    script.On(&s.colors, [&s, step] {
        QTest::mouseClick(s.colors.BitBtns[0], Qt::LeftButton);
        if (step == 1)
            QTest::keyClick(&s.colors, Qt::Key_Escape);
        else
            s.colors.close();
    });
    QTest::keyClick(s.main.LoadBtn, Qt::Key_N);
    QCOMPARE(script.steps.size(), step ? 0 : 1);
    QVERIFY(!s.main.InGameView() && s.main.LoadBtn->isVisible());
    QCOMPARE(s.main.Game().PlayerCount(), 0);

    QStringList fields;
    script.steps.clear();
    script.On(&s.names, [&s, &fields] {
        for (QLineEdit *edit : {s.names.GameNameEdit, s.names.FilenameEdit})
            fields << edit->text();
        for (size_t k = 0; k < size_t(TNamesForm::Rows); ++k)
            fields << s.names.NameEdits[k]->text() + s.names.TowerEdits[k]->text();
        s.names.reject();
    });
    QTest::mouseClick(s.main.ScrollArea()->viewport(), Qt::LeftButton);
    QCOMPARE(fields, QStringList({"", "", "Player 1", "Player 2", "", "", "", ""}));
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestNames)
#include "test_names.moc"
