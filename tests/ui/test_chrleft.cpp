#include "board_game.h"
#include "tboardview.h"
#include "tcharleft.h"
#include "tchrleft.h"
#include "tplayer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestCharLeft : public QObject {
    Q_OBJECT

private slots:
    void counts();
    void update_data();
    void update();
};

// Shown anew, only the rows unlike full stacks with nothing in play differ.
void TestCharLeft::counts()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TVorunGame &game = windows->MainForm->Game();
    game.AddPlayer("Anne", 1, 0, 0, 1);
    game.AddPlayer("Bob", 5, 0, 0, 1);
    TCharLeftForm &form = *windows->CharLeftForm;
    const auto shown = [&form] {
        form.hide();
        form.ShowInFront();
        QStringList rows;
        for (uint8_t t = Crit::FirstType; t <= Crit::LastType; ++t) {
            const QString row = form.Edits[t]->text() + ' ' + form.KilledLbls[t]->text();
            if (row != (t == Crit::Vorun ? "0 ?" : QString("%1 0").arg(StackTotal[t])))
                rows << form.NameLbls[t]->text() + ' ' + row;
        }
        return rows.join(", ");
    };
    QCOMPARE(shown(), "");
    for (uint8_t t : {4, 4, 4, 20, 20})
        game.GetPlayer(0)->GetLegion(0)->RecruitCrit(t, false, game.Stacks());
    for (uint8_t t : {1, 19, 24}) // unsure ones count like the others
        game.GetPlayer(1)->GetLegion(11)->RecruitCrit(t, true, game.Stacks());
    game.GetPlayer(0)->GetLegion(0)->DeleteCrit(4); // a Troll killed
    game.Stacks().SetCount(16, 30);
    game.Stacks().SetCount(Crit::Vorun, 3);
    QCOMPARE(shown(),
             "Angels 17 0, Centaurs 22 0, Ogres 30 -5, Voruns 3 ?, Trolls 26 1, Wyverns 17 0");
    // Voruns have no stack: a label stands where their box would be.
    QVERIFY(!form.Edits[Crit::Vorun]->isVisible() && !form.Edits[Crit::Vorun]->isEnabled());
    QCOMPARE(form.VorunsAvailLbl->geometry(), form.Edits[Crit::Vorun]->geometry());
    QCOMPARE(form.VorunsAvailLbl->text() + form.TotalLbls[Crit::Vorun]->text(), "Yes0");
    VERIFY_PLATFORM_DONE(fake);
}

void TestCharLeft::update_data()
{
    QTest::addColumn<QStringList>("typed"); // "type=text"
    QTest::addColumn<QString>("how"); // Update pressed, or the window left
    QTest::addColumn<QStringList>("bad"); // the creatures named by the boxes, in order
    QTest::addColumn<QString>("stored"); // the typed types' counts afterwards
    QTest::newRow("Enter") << QStringList{"1=12", "4= 7 ", "16=0", "20=300", "21=256"} << "Enter"
                           << QStringList() << "12 7 0 44 0";
    QTest::newRow("bad") << QStringList{"16=", "1=x", "6=-3", "10=abc", "11=4294967296", "24=5"}
                         << "Update" << QStringList{"Angel", "Cyclops", "Gorgon", "Griffon", "Ogre"}
                         << "21 16 28 25 18 5";
    for (const char *how : {"Cancel", "Escape", "board"})
        QTest::newRow(how) << QStringList{"1=5"} << how << QStringList() << "16";
}

// On the board game. Update stores the good entries and leaves every box as typed; each box of a
// row of them sits on this window, which stays open with the typed corrections.
void TestCharLeft::update()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, how);
    QFETCH(QStringList, bad);
    BoardSession s;
    TCharLeftForm &form = *s.windows->CharLeftForm;
    s.form.CharLeftMI->trigger();
    for (const QString &entry : typed)
        form.Edits[size_t(entry.section('=', 0, 0).toInt())]->setText(entry.section('=', 1));
    for (QString &name : bad) { // into the box expected
        s.fake.queueAnswer(Platform::Answer::Ok);
        name = "Error processing updated " + name
            + " count.\nMake sure all entries contain only numbers. | Bad Input | None | Ok";
    }
    if (how == "board")
        QTest::mouseClick(s.form.BoardImage, Qt::LeftButton);
    else if (how == "Update" || how == "Cancel")
        QTest::mouseClick(how == "Update" ? form.UpdateBtn : form.CancelBtn, Qt::LeftButton);
    else
        QTest::keyClick(form.Edits[1], how == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
    QCOMPARE(s.fake.boxes(), bad);
    for (const FakePlatform::Prompt &prompt : s.fake.prompts())
        QCOMPARE(prompt.asker.data(), &form);
    QCOMPARE(form.isVisible(), !bad.isEmpty());
    QCOMPARE(form.KilledLbls[1]->text(), "1"); // worked out again at the next show only
    QStringList counts;
    for (const QString &entry : typed) {
        const auto type = uint8_t(entry.section('=', 0, 0).toInt());
        counts << QString::number(s.form.Game().Stacks().GetCharLeft(type));
        QCOMPARE(form.Edits[type]->text(), entry.section('=', 1));
    }
    QTEST(counts.join(' '), "stored");
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestCharLeft)
#include "test_chrleft.moc"
