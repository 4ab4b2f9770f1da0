#include "fake_platform.h"
#include "program_folder.h"
#include "tpcolor.h"
#include "tpnames.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Retypes the visible boxes in tab order, presses button (none: Return), returns the old texts.
QStringList Fill(TNamesForm &names, const QStringList &texts, QPushButton *button)
{
    QStringList held;
    for (QWidget *w = names.GameNameEdit; w != names.NamesDoneBtn; w = w->nextInFocusChain())
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && edit->isVisible()) {
            held << edit->text();
            edit->clear();
            QTest::keyClicks(edit, texts.value(held.size() - 1));
        }
    button ? QTest::mouseClick(button, Qt::LeftButton)
           : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    return held;
}

// Runs step from inside the exec() of dialog, once that is the modal window with the keyboard.
void When(QWidget *dialog, const std::function<void()> &step)
{
    QTimer::singleShot(5, dialog, [dialog, step] {
        const QWidget *modal = QApplication::activeModalWidget();
        (modal == dialog && QApplication::activeWindow() == dialog) ? step() : When(dialog, step);
    });
}

struct Session {
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
    void refused_data();
    void refused();
    void newGameThenRename();
};

void TestNames::refused_data()
{
    QTest::addColumn<QStringList>("rows"); // name and tower pairs from the top
    QTest::addColumn<QString>("box"); // text | caption
    const QString badTower = "Invalid Tower Number.  If tower numbers are entered,\nthey must be "
                             "1,2,3,4,5,6, or 100,200,300,400,500,600. | That ain't no tower.";
    QTest::newRow("3 and 300") << QStringList{"A", "3", "B", "300"}
                               << "Duplicate Tower Number. | Watch where you're driving!";
    for (const char *tower : {"0", "7", "250", "700", "-1", "x"})
        QTest::newRow(tower) << QStringList{"A", "1", "B", tower} << badTower;
    QTest::newRow("partial towers, a blank one is none")
        << QStringList{"A", "1", "B", "2", "C", " "}
        << "Must enter towers for all players or none at all. | I can't handle it!";
    QTest::newRow("one name; towers in blank rows ignored")
        << QStringList{"A", "", " ", "7", "", "200"} << "Must have at least 2 players. | Doh!";
}

void TestNames::refused()
{
    QFETCH(QStringList, rows);
    QFETCH(QString, box);
    Session s;
    s.fake.queueAnswer(Platform::Answer::Ok);
    s.names.SetUpNames(0, "", "", nullptr);
    s.names.show();
    Fill(s.names, QStringList{"", ""} + rows, s.names.NamesDoneBtn);
    QCOMPARE(s.fake.boxes().join(""), box + " | None | Ok");
    QVERIFY(s.names.isVisible());
    VERIFY_PLATFORM_DONE(s.fake);
}

// The set-up guards; from the title screen, a new game given up in each dialog, one made, renamed.
void TestNames::newGameThenRename()
{
    Session s;
    for (int box = 0; box < 3; ++box)
        s.fake.queueAnswer(Platform::Answer::Ok);
    s.names.SetUpNames(2, "g", "f", nullptr);
    for (bool shown : {true, false, true, false}) // hiding used the set-up up
        s.names.setVisible(shown);
    const auto attempt = [&s](const QStringList &texts, QPushButton *button) {
        When(&s.names, [&s, texts, button] { // each attempt starts anew
            QCOMPARE(Fill(s.names, texts, button).join(","), ",,Player 1,,Player 2,,,,,,,,,");
        });
    };
    attempt({"X", "Y", "Zed", "3"}, s.names.CancelBtn);
    QTest::keyClick(s.main.LoadBtn, Qt::Key_N);
    for (int draw = 0; draw < 3; ++draw) // towers 1, 2, 3 in the order passed on
        s.fake.queueRandom(draw);
    attempt({"X", "Y", "A", "", "", "", "B", "", "", "", "", "", "C"}, s.names.NamesDoneBtn);
    QStringList passed; // top row first
    When(&s.colors, [&] {
        for (QLabel *label : s.colors.NameLabels)
            passed << label->text();
        QTest::mouseClick(s.colors.BitBtns[0], Qt::LeftButton);
        QTest::keyClick(&s.colors, Qt::Key_Escape);
    });
    QTest::mouseClick(s.main.ScrollArea()->viewport(), Qt::LeftButton);
    QCOMPARE(passed.join(","), ",,,C,B,A");
    QVERIFY(s.main.LoadBtn->isVisible() && s.main.Game().PlayerCount() == 0);

    attempt({"  Big ", " b\\i/g:*?\"<>| ", "Al", "2", "Bo", "400", "Cy", "5", "Di", "1"}, nullptr);
    When(&s.colors, [&s] {
        QTest::mouseClick(s.colors.BitBtns[5], Qt::LeftButton); // Di: Red
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // Al: Black, the next
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Bo: Blue
        QTest::mouseClick(s.colors.BitBtns[3], Qt::LeftButton); // Cy: Gold
    });
    QTest::mouseClick(s.main.ScrollArea()->viewport(), Qt::LeftButton);
    QCOMPARE(s.fake.boxes(),
             QStringList({"bug: can't access player names | Debug Info | None | Ok",
                          "Bug: form not set up before being shown | Debug Info | None | Ok",
                          "Warning: invalid character(s) removed from filename. | Bad Filename | "
                          "Warning | Ok"}));
    QString players; // name, colour, starting land
    for (int k = 0; k < s.main.Game().PlayerCount(); ++k) {
        const TPlayer *p = s.main.Game().GetPlayer(k);
        players += QString::asprintf("%s %s %d, ", p->GetName().c_str(), ColorNames[p->GetColor()],
                                     p->GetLegion(0)->GetLocation());
    }
    QCOMPARE(players, "Cy Gold 89, Bo Blue 88, Al Black 86, Di Red 85, ");
    QCOMPARE(s.main.windowTitle(), "Vorun - Big  (big_<time>.txt)");
    QCOMPARE(TimeStamp(s.main.Game().StartTime), TimeStamp({2001, 3, 14, 9, 5, 7})); // the fake's

    QVERIFY(QTest::qWaitForWindowActive(&s.main)); // the keyboard is back with the main window
    s.fake.queueFileName(QString::fromStdString(s.folder.Dir() + "SavedGames/big_1.txt"));
    s.fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(&s.main, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(s.main.windowTitle() != "Vorun - Big  (big_<time>.txt)");
    When(&s.names, [&s] {
        const QStringList held = Fill(s.names, {"Bigger", "big", "Cy", " ", "Al", "Di"}, nullptr);
        Fill(s.names, {"Bigger", "big", "Cy", "  Beatrix the Bold ", "Al", "Di"},
             s.names.NamesDoneBtn);
        QCOMPARE(held.join(","), "Big,big,Cy,Bo,Al,Di"); // four rows, no towers
    });
    s.main.NameChangeMI->trigger();
    QCOMPARE(s.fake.boxes().last(), "All players must have a name! | Oops. | None | Ok");
    QCOMPARE(s.main.windowTitle(), "Vorun - Bigger  (big_<time>.txt)");
    QCOMPARE(s.main.Game().GetPlayer(1)->GetName(), "Beatrix the Bold");
    QLabel *const *labels = s.main.PlyrLabels.data();
    QCOMPARE(labels[1]->text(), "Beatrix the Bold");
    // The whole list widens to the longer name rather than cutting it off.
    QVERIFY(labels[1]->width() >= labels[1]->sizeHint().width());
    QCOMPARE(labels[0]->width(), labels[1]->width());
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestNames)
#include "test_names.moc"
