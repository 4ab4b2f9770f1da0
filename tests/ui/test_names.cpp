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

#include <fstream>
#include <functional>
#include <iterator>

namespace {

// Retypes the visible boxes in tab order key by key, letters beyond ASCII too, presses button
// (none: Return) and returns the old texts.
QStringList Fill(TNamesForm &names, const QStringList &texts, QPushButton *button)
{
    QStringList held;
    for (QWidget *w = names.GameNameEdit; w != names.NamesDoneBtn; w = w->nextInFocusChain())
        if (auto *edit = qobject_cast<QLineEdit *>(w); edit && edit->isVisible()) {
            held << edit->text();
            edit->clear();
            for (const QChar c : texts.value(held.size() - 1))
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, c, Qt::NoModifier);
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
    void olderTextKeepsItsBytes();
};

void TestNames::refused_data()
{
    QTest::addColumn<QStringList>("rows"); // name and tower pairs from the top
    QTest::addColumn<QString>("box"); // text | caption
    QTest::newRow("3 and 300") << QStringList{"A", "3", "B", "300"}
                               << "Duplicate Tower Number. | Watch where you're driving!";
    for (const char *tower : {"0", "7", "250", "700", "-1", "x"})
        QTest::newRow(tower)
            << QStringList{"A", "1", "B", tower}
            << "Invalid Tower Number.  If tower numbers are entered,\nthey must be "
               "1,2,3,4,5,6, or 100,200,300,400,500,600. | That ain't no tower.";
    QTest::newRow("partial towers, a blank one is none")
        << QStringList{"A", "1", "B", "2", "C", " "}
        << "Must enter towers for all players or none at all. | I can't handle it!";
    QTest::newRow("one name; towers in blank rows ignored")
        << QStringList{"A", "", " ", "7", "", "200"} << "Must have at least 2 players. | Doh!";
}

void TestNames::refused()
{
    QFETCH(QStringList, rows);
    Session s;
    s.fake.queueAnswer(Platform::Answer::Ok);
    s.names.SetUpNames(0, "", "", nullptr);
    s.names.show();
    Fill(s.names, QStringList{"", ""} + rows, s.names.NamesDoneBtn);
    QFETCH(QString, box);
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
    const auto players = [&s] { // name, colour, starting land
        QString all;
        for (int k = 0; k < s.main.Game().PlayerCount(); ++k) {
            const TPlayer *p = s.main.Game().GetPlayer(k);
            all += QString::asprintf("%s %s %d, ", p->GetName().c_str(), ColorNames[p->GetColor()],
                                     p->GetLegion(0)->GetLocation());
        }
        return all;
    };
    QCOMPARE(players(), "Cy Gold 89, Bo Blue 88, Al Black 86, Di Red 85, ");
    QCOMPARE(s.main.windowTitle(), "Vorun - Big  (big_<time>.txt)");
    QCOMPARE(TimeStamp(s.main.Game().StartTime), TimeStamp({2001, 3, 14, 9, 5, 7})); // the fake's

    // Renamed after a save, the game counts as unsaved again.
    QVERIFY(QTest::qWaitForWindowActive(&s.main));
    s.fake.queueFileName(QString::fromStdString(s.folder.Dir() + "SavedGames/big_1.txt"));
    s.fake.queueAnswer(Platform::Answer::Ok);
    QTest::keyClick(&s.main, Qt::Key_S, Qt::ControlModifier);
    When(&s.names, [&s] {
        const QStringList held = Fill(s.names, {"Bigger", "big", "Cy", " ", "Al", "Di"}, nullptr);
        Fill(s.names, {"Bigger", "big", "Cy", "  Beatrix the Bold ", "Al", "Di"},
             s.names.NamesDoneBtn);
        QCOMPARE(held.join(","), "Big,big,Cy,Bo,Al,Di"); // four rows, no towers
    });
    s.main.NameChangeMI->trigger();
    QCOMPARE(s.fake.boxes().last(), "All players must have a name! | Oops. | None | Ok");
    QCOMPARE(s.main.windowTitle(), "Vorun - Bigger  (big_<time>.txt)");
    QCOMPARE(players(), "Cy Gold 89, Beatrix the Bold Blue 88, Al Black 86, Di Red 85, ");
    QLabel *const *labels = s.main.PlyrLabels.data();
    QCOMPARE(labels[1]->text(), "Beatrix the Bold");
    // The whole list widens to the longer name rather than cutting it off.
    QVERIFY(labels[1]->width() >= labels[1]->sizeHint().width());
    QCOMPARE(labels[0]->width(), labels[1]->width());
    VERIFY_PLATFORM_DONE(s.fake);
}

// A game saved on an older Western system: its names show decoded, keep their bytes through a
// rename that leaves them alone, and only what the user retypes becomes UTF-8. The saves get
// file names the desktop shows, inside the saves folder whatever the file's name line says.
void TestNames::olderTextKeepsItsBytes()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::string game = "2\r\nZo\xeb's game\r\n../../caf\xe9\r\n"
                             "16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 21 6 18 "
                             "\r\n2 0 1 0 1\r\nZo\xeb\r\n0 0 \r\nB\xf6rje\r\n5 0 \r\n";
    const std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, game);
    TVorunMainForm &main = *windows->MainForm;
    TNamesForm &names = *windows->NamesForm;
    QCOMPARE(main.PlyrLabels[0]->text(), QStringLiteral("Zo\u00eb"));
    QCOMPARE(main.windowTitle(),
             QStringLiteral("Vorun - Zo\u00eb's game  (../../caf\u00e9_<time>.txt)"));

    const std::string saved = folder.Dir() + "SavedGames/caf\xc3\xa9_13ecm9.txt";
    fake.queueFileName(saved);
    QTest::keyClick(&main, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fake.prompts().value(0).proposedName, QStringLiteral("caf\u00e9_13ecm9.txt"));
    std::ifstream in(saved, std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), game);

    // The slashes of the file name are no name; the longest names count characters, not bytes.
    const QString longest = QString(73, u'g') + QStringLiteral("\u00e4\u00f6\u00fc"); // 76
    const QString euros(40, QChar(0x20ac));
    fake.queueAnswer(Platform::Answer::Ok);
    When(&names, [&] {
        names.GameNameEdit->setText(longest + "x");
        names.NameEdits[1]->setText(euros + "x");
        QTest::keyClick(names.NamesDoneBtn, Qt::Key_Return);
    });
    main.NameChangeMI->trigger();
    QCOMPARE(QString::fromStdString(main.Game().GameName), longest);
    QCOMPARE(main.Game().FileName, "caf\xe9");
    QCOMPARE(main.Game().GetPlayer(0)->GetName(), "Zo\xeb");
    QCOMPARE(QString::fromStdString(main.Game().GetPlayer(1)->GetName()), euros);
    QCOMPARE(fake.boxes(),
             QStringList{"Warning: invalid character(s) removed from filename. | "
                         "Bad Filename | Warning | Ok"});
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestNames)
#include "test_names.moc"
