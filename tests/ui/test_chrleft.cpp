#include "board_game.h"
#include "tboardview.h"
#include "tcharleft.h"
#include "tchrleft.h"
#include "tplayer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using Setup = std::function<void(TVorunGame &)>;
Q_DECLARE_METATYPE(Setup)

namespace {

// The rows that differ from those of full stacks and no creature in play: "name left killed".
QString ChangedRows(const TCharLeftForm &form)
{
    QStringList rows;
    for (uint8_t t = Crit::FirstType; t <= Crit::LastType; ++t) {
        const QString row = form.Edits[t]->text() + ' ' + form.KilledLbls[t]->text();
        if (row != (t == Crit::Vorun ? "0 ?" : QString("%1 0").arg(StackTotal[t])))
            rows << form.NameLbls[t]->text() + ' ' + row;
    }
    return rows.join(", ");
}

void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// The title screen with two players who have no creatures yet, and full stacks (which outlive
// the windows of each case).
struct FreshSession {
    FreshSession()
    {
        std::array<int32_t, 25> full{};
        std::copy(StackTotal.begin(), StackTotal.end(), full.begin());
        RecruitStacks().SetCharLeft(full);
        windows->MainForm->Game().AddPlayer("Anne", 1, 0, 0, 1);
        windows->MainForm->Game().AddPlayer("Bob", 5, 0, 0, 1);
    }
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TCharLeftForm &form = *windows->CharLeftForm;
};

} // namespace

class TestCharLeft : public QObject {
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void update_data();
    void update();
};

void TestCharLeft::counts_data()
{
    QTest::addColumn<Setup>("setup"); // none: the saved board game
    QTest::addColumn<QString>("rows");
    // Recruits into player p's legion m, then kills (k) or returns (r) one creature or all.
    const auto edit = [](int p, int m, std::vector<uint8_t> types, const char *then = "") {
        return Setup([=](TVorunGame &game) {
            TLegion &legion = *game.GetPlayer(p)->GetLegion(m);
            for (uint8_t t : types)
                legion.RecruitCrit(t, p == 1, false); // unsure ones count like the others
            if (then == std::string("k1"))
                legion.DeleteCrit(0, false);
            else if (*then)
                legion.RemoveFromBoard(*then == 'k');
        });
    };
    QTest::newRow("fresh") << edit(0, 0, {}) << "";
    QTest::newRow("three centaurs") << edit(0, 0, {4, 4, 4}) << "Centaurs 22 0";
    QTest::newRow("unsure, second player")
        << edit(1, 11, {1, 19, 24}) << "Angels 17 0, Wyverns 17 0";
    QTest::newRow("one killed") << edit(0, 0, {20, 20}, "k1") << "Trolls 26 1";
    QTest::newRow("legion killed") << edit(1, 3, {1, 16, 16}, "kall") << "Ogres 23 2";
    QTest::newRow("legion returned") << edit(0, 0, {8, 8, 19}, "rall") << "";
    QTest::newRow("raised") << Setup([](TVorunGame &) {
        RecruitStacks().ReturnToStack(10);
        RecruitStacks().SetCount(16, 30);
        RecruitStacks().SetCount(13, 0);
        RecruitStacks().SetCount(Crit::Vorun, 3);
    }) << "Gorgons 26 -1, Hydras 0 10, Ogres 30 -5, Voruns 3 ?";
    QTest::newRow("saved game") << Setup() // counts never lowered for most of its creatures
                                << "Angels 16 1, Centaurs 21 2, Cyclopses 28 -2, Gargoyles 17 2, "
                                   "Gorgons 25 -1, Griffons 18 -1, Lions 28 -1, Ogres 21 1, "
                                   "Rangers 28 -4, Trolls 28 -8, Warbears 21 -2, Wyverns 18 -2";
}

void TestCharLeft::counts()
{
    QFETCH(Setup, setup);
    QFETCH(QString, rows);
    std::unique_ptr<FreshSession> fresh = setup ? std::make_unique<FreshSession>() : nullptr;
    std::unique_ptr<BoardSession> board = setup ? nullptr : std::make_unique<BoardSession>();
    TVorunWindows &windows = fresh ? *fresh->windows : *board->windows;
    TCharLeftForm &form = *windows.CharLeftForm;
    form.ShowInFront(); // filled, then hidden again: the next show must fill it anew
    form.hide();
    if (setup)
        setup(windows.MainForm->Game());
    form.ShowInFront();
    QCOMPARE(ChangedRows(form), rows);
    // The Vorun has no stack: "Yes" stands in place of its box.
    QVERIFY(!form.Edits[Crit::Vorun]->isVisible() && !form.Edits[Crit::Vorun]->isEnabled());
    QCOMPARE(form.VorunsAvailLbl->geometry(), form.Edits[Crit::Vorun]->geometry());
    QCOMPARE(form.TotalLbls[Crit::Vorun]->text() + form.TotalLbls[24]->text(), "018");
    if (QTest::currentDataTag() == QString("fresh"))
        form.grab().save("/tmp/chrleft.png");
    VERIFY_PLATFORM_DONE(fresh ? fresh->fake : board->fake);
}

void TestCharLeft::update_data()
{
    QTest::addColumn<QStringList>("typed"); // "type=text"
    QTest::addColumn<QString>("how"); // Update pressed, or the window left
    QTest::addColumn<QStringList>("bad"); // the creatures named by the boxes, in order
    QTest::addColumn<QString>("stored"); // the typed types' counts afterwards
    const QStringList none;
    QTest::newRow("Enter") << QStringList{"1=12", "16=0"} << "Enter" << none << "12 0";
    QTest::newRow("blanks around") << QStringList{"4= 7 "} << "Update" << none << "7";
    QTest::newRow("low 8 bits") << QStringList{"20=300", "21=256"} << "Update" << none << "44 0";
    QTest::newRow("empty Ogres") << QStringList{"1=3", "16="} << "Update" << QStringList{"Ogre"}
                                 << "3 21";
    QTest::newRow("not numbers") << QStringList{"6=-3", "10=abc", "11=4294967296"} << "Update"
                                 << QStringList{"Cyclops", "Gorgon", "Griffon"} << "28 25 18";
    QTest::newRow("two bad") << QStringList{"24=", "1=x", "16=5"} << "Update"
                             << QStringList{"Angel", "Wyvern"} << "18 16 5";
    QTest::newRow("Cancel") << QStringList{"1=5"} << "Cancel" << none << "16";
    QTest::newRow("Escape") << QStringList{"1=5"} << "Escape" << none << "16";
    QTest::newRow("board click") << QStringList{"1=5"} << "board" << none << "16";
}

// Bad entries are named one by one and the good ones stored; what was typed stays until the
// window is hidden, and the next show fills it from the stacks again.
void TestCharLeft::update()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, how);
    QFETCH(QStringList, bad);
    QFETCH(QString, stored);
    BoardSession s;
    TCharLeftForm &form = *s.windows->CharLeftForm;
    s.form.CharLeftMI->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const QString &entry : typed)
        Type(form.Edits[size_t(entry.section('=', 0, 0).toInt())], entry.section('=', 1));
    QStringList boxes;
    for (const QString &name : bad) {
        s.fake.queueAnswer(Platform::Answer::Ok);
        boxes << QString("Error processing updated %1 count.\nMake sure all entries contain only "
                         "numbers. | Bad Input | None | Ok")
                     .arg(name);
    }
    if (how == "Update" || how == "Cancel")
        QTest::mouseClick(how == "Update" ? form.UpdateBtn : form.CancelBtn, Qt::LeftButton);
    else if (how != "board")
        QTest::keyClick(form.Edits[1], how == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
    else
        QTest::mouseClick(s.form.BoardImage, Qt::LeftButton, {},
                          s.form.BoardImage->rect().center());

    QCOMPARE(s.fake.boxes(), boxes);
    QCOMPARE(form.isVisible(), !bad.isEmpty());
    QCOMPARE(form.KilledLbls[1]->text(), "1"); // worked out again at the next show only
    if (!form.isVisible()) {
        s.form.activateWindow(); // where the menu is opened
        QTRY_VERIFY(s.form.isActiveWindow());
        s.form.CharLeftMI->trigger();
        QTRY_VERIFY(form.isActiveWindow());
    }
    QStringList counts;
    for (const QString &entry : typed) {
        const auto type = uint8_t(entry.section('=', 0, 0).toInt());
        counts << QString::number(RecruitStacks().GetCharLeft(type));
        // As typed while the window stays open; from the stacks once shown again.
        QCOMPARE(form.Edits[type]->text(), bad.isEmpty() ? counts.last() : entry.section('=', 1));
    }
    QCOMPARE(counts.join(' '), stored);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestCharLeft)
#include "test_chrleft.moc"
