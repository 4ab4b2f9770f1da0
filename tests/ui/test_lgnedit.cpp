#include "fake_platform.h"
#include "pictures.h"
#include "program_folder.h"
#include "tcharadd.h"
#include "tcharleft.h"
#include "thistory.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tmastrbd.h"
#include "tshape.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QUndoView>

namespace {

using Changes = QMap<int, int>;

// Plains 1: Axes (Ogre, Troll, unsure Gorgon), Die (five), Cross (eight). Woods 2: Eye of six.
// Brush 3: Feather (Angel, Ogre, Ogre, Vorun) alone. Hills 4: Hand (Gorgon, Angel), Eagle (Troll).
constexpr const char *EditGame
    = "2\nEdit game\nedt\n16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 21 6 18 \n"
      "2 0 1 0 1\nAnne\n0 5 0 1 16 20 36 0 0 0 0 0\n1 1 1 4 8 14 17 0 0 0\n"
      "2 2 4 8 10 14 16 17 0 0\n3 3 1 16 16 19 0 0 0 0\n4 4 10 1 0 0 0 0 0 0\n"
      "Bob\n5 2 60 1 16 16 16 16 20 20 20 20\n61 4 20 0 0 0 0 0 0 0\n";

struct Session {
    explicit Session(int land)
    {
        windows->MainForm->SelectLand(land);
        lgn.ShowLgns(land);
        lgn.move(0, 0); // inside the screen, where the drag looks for its target
        QVERIFY(QTest::qWaitForWindowExposed(&lgn));
    }
    // The land's legions as "marker: creatures", unsure ones marked with "?".
    QString Legions() const
    {
        QStringList legions;
        const TVorunMainForm &form = *windows->MainForm;
        for (const TLegion *legion :
             form.LandStacks(form.SelectedLand()->GetLandNumber()).GetSlots())
            if (legion) {
                legions << QString::fromStdString(legion->GetName()) + ":";
                for (size_t i = 0; i < size_t(legion->CritCount()); ++i)
                    legions.last() += QString(" ") + CritNames[legion->GetCrits()[i]]
                        + (legion->GetUnsure()[i] ? "?" : "");
            }
        return legions.join(" | ");
    }
    // "p<k>", "row r" (right of its creatures), "marker r", "stacks", "graveyard"; else background.
    QPoint Spot(const QString &name) const
    {
        const QMap<QString, QWidget *> named{
            {"marker 0", lgn.LgnValueLbl},     {"marker 1", lgn.LgnMrkrLbl2},
            {"marker 2", lgn.LgnMrkrShape3},   {"stacks", lgn.CStacksImage},
            {"graveyard", lgn.GraveyardImage}, {"background", nullptr}};
        const int n = name.section(' ', -1).remove('p').toInt();
        if (name.startsWith("row"))
            return QPoint(650, 112 + 163 * n);
        QWidget *widget = name.startsWith('p') ? lgn.CritImages[size_t(n)] : named.value(name);
        return widget ? widget->mapTo(&lgn, QPoint(4, 4)) : QPoint(720, 30);
    }
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, EditGame);
    TLgnDispForm &lgn = *windows->LgnDispForm;
};

} // namespace

class TestLgnEdit : public QObject {
    Q_OBJECT

private slots:
    void edits_data();
    void edits();
    void undoMenuAndHistory();
};

void TestLgnEdit::edits_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QString>("from"); // "dclick" double clicks the stacks picture
    QTest::addColumn<QString>("to"); // "K" selects `from` and presses K
    QTest::addColumn<QString>("shows"); // a message box, the creature picker's caption, "no drop"
    QTest::addColumn<QString>("legions");
    QTest::addColumn<Changes>("changes"); // in the stacks, by creature type

    const QString die = "Die: Angel Centaur Gargoyle Lion Ranger";
    const QString cross = " | Cross: Ogre Ogre Ogre Ogre Troll Troll Troll Troll";
    const QString plains = "Axes: Ogre Troll Gorgon? | " + die + cross;
    const QString hills = "Hand: Gorgon Angel", add = "Select character to add to Black ";
    const QString all = "Kill all creatures in ", removeIt = " and remove it from the board?";
    const auto row = [](const char *name, int land, const QString &from, const QString &to,
                        const QString &shows, const QString &legions, const Changes &changes = {}) {
        QTest::newRow(name) << land << from << to << shows << legions << changes;
    };
    // Refused drops: the pointer says so, Escape ends the drag, and nothing changes.
    for (const QString name :
         {"p0 on marker 2", "p0 on background", "stacks on stacks", "stacks on graveyard",
          "stacks on marker 2", "marker 1 on p9", "marker 1 on row 1", "marker 1 on marker 2"})
        row(qPrintable(name), 1, name.section(" on ", 0, 0), name.section(" on ", 1), "no drop",
            plains);
    row("onto the first creature", 1, "p2", "p8", {},
        "Axes: Ogre Troll | Die: Gorgon? Angel Centaur Gargoyle Lion Ranger" + cross);
    row("onto the row", 1, "p2", "row 1", {}, "Axes: Ogre Troll | " + die + " Gorgon?" + cross);
    row("onto a full legion", 1, "p2", "p17",
        "The legion you're trying to split that creature into is full. | Target Legion Full",
        plains);
    row("0 onto 3", 2, "p0", "p3", {}, "Eye: Gargoyle Gorgon Lion Centaur Ogre Ranger");
    row("4 onto 1", 2, "p4", "p1", {}, "Eye: Centaur Ogre Gargoyle Gorgon Lion Ranger");
    row("onto the last", 2, "p1", "p5", {}, "Eye: Centaur Gorgon Lion Ogre Ranger Gargoyle");
    row("onto its row", 2, "p0", "row 0", {}, "Eye: Gargoyle Gorgon Lion Ogre Ranger Centaur");
    row("onto itself", 2, "p2", "p2", {}, "Eye: Centaur Gargoyle Gorgon Lion Ogre Ranger");
    row("kill Gorgon", 1, "p2", "graveyard", "Kill Gorgon?", "Axes: Ogre Troll | " + die + cross);
    row("return Ogre", 3, "p1", "stacks", "Return Ogre to recruitment stacks?",
        "Feather: Angel Ogre Vorun", {{Crit::Ogre, 1}});
    row("return Vorun", 3, "p3", "stacks", "Return Vorun to recruitment stacks?",
        "Feather: Angel Ogre Ogre");
    row("kill the last one", 4, "p8", "graveyard", "Kill Troll?", hills + " | Eagle:");
    row("K on an Angel", 3, "p0", "K", "Kill Angel?", "Feather: Ogre Ogre Vorun",
        {{Crit::Angel, 1}});
    row("kill cancelled", 3, "p0", "graveyard", "Kill Angel?", "Feather: Angel Ogre Ogre Vorun");
    row("kill all, only legion", 3, "marker 0", "graveyard", all + "Black Feather" + removeIt, "",
        {{Crit::Angel, 1}});
    row("return all", 3, "marker 0", "stacks",
        "Return all creatures in Black Feather to recruitment stacks," + removeIt, "",
        {{Crit::Angel, 1}, {Crit::Ogre, 2}});
    row("kill all, first of two", 4, "marker 0", "graveyard", all + "Black Hand" + removeIt,
        "Eagle: Troll", {{Crit::Angel, 1}});
    row("kill all cancelled", 1, "marker 2", "graveyard", all + "Red Cross" + removeIt, plains);
    row("recruit onto a row", 1, "stacks", "row 1", add + "Die", plains);
    row("recruit onto a picture", 1, "stacks", "p1", add + "Axes", plains);
    row("recruit into a full legion", 1, "stacks", "p20", "Stack is full. | No Room", plains);
    row("double click the stacks", 4, "dclick", "", add + "Hand", hills + " | Eagle: Troll");
}

// The Gorgon stack holds 255: a creature moved through the stacks would wrap to 0 and be lost.
void TestLgnEdit::edits()
{
    QFETCH(int, land);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, shows);
    QFETCH(QString, legions);
    QFETCH(Changes, changes);
    Session s(land);
    QWindow *window = s.lgn.windowHandle();
    TCharLeft &stacks = s.windows->MainForm->Game().Stacks();
    stacks.SetCount(Crit::Gorgon, 255);
    const TCharLeft::Counts countsBefore = stacks.CharLeftArray();
    TCharLeft::Counts counts = countsBefore;
    for (auto change = changes.begin(); change != changes.end(); ++change)
        counts[size_t(change.key())] += change.value();
    const QString before = s.Legions();
    const bool picker = shows.startsWith("Select character"), refused = shows == "no drop";
    const bool box = !shows.isEmpty() && !picker && !refused;
    if (box)
        s.fake.queueAnswer(QString(QTest::currentDataTag()).endsWith("cancelled")
                               ? Platform::Answer::Cancel
                               : Platform::Answer::Ok);
    if (from.startsWith("marker")) // pressing a marker clears the selection
        QTest::mouseClick(window, Qt::LeftButton, {}, s.Spot("p0"));
    if (from == "dclick") {
        QTest::mouseDClick(window, Qt::LeftButton, {}, s.Spot("stacks"));
    } else if (to == "K") {
        QTest::mouseClick(window, Qt::LeftButton, {}, s.Spot(from));
        QTest::keyClick(&s.lgn, Qt::Key_K);
    } else {
        QTest::mousePress(window, Qt::LeftButton, {}, s.Spot(from));
        QTest::mouseMove(window, s.Spot(from) + QPoint(3, 3)); // past the threshold
        QTest::mouseMove(window, s.Spot(to));
        const int cursor = refused ? 1000 : 1001 + (from[0] == 'm'); // no drop, creature, legion
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->pixmap().toImage(),
                 ProgramCursor(cursor).pixmap().toImage());
        if (refused) { // Escape ends the drag without a drop
            QTest::keyClick(&s.lgn, Qt::Key_Escape);
            QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        }
        QTest::mouseRelease(window, Qt::LeftButton, {}, s.Spot(to));
    }

    const QString ask = shows.endsWith('?') ? " | Confirm | Question | OkCancel" : " | None | Ok";
    QCOMPARE(s.fake.boxes().join(""), box ? shows + ask : "");
    QCOMPARE(s.Legions(), legions);
    QVERIFY(stacks.CharLeftArray() == counts);
    QCOMPARE(s.lgn.isVisible(), !legions.isEmpty());
    // A creature that stays where it was stays selected.
    const bool kept = from.startsWith('p') && legions == before;
    QCOMPARE(s.lgn.SelCrit, kept ? from.mid(1).toInt() : TLgnDispForm::NoSelection);
    const QWidget &creatures = *s.windows->MonSelectForm;
    QCOMPARE(creatures.isVisible() ? creatures.windowTitle() : "", picker ? shows : "");
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    // No drag is left pending, and a press on the stacks picture arms the next one.
    QVERIFY(!TDragController::Instance().Armed());
    if (s.lgn.isVisible()) {
        QTest::mousePress(window, Qt::LeftButton, {}, s.Spot("stacks"));
        QVERIFY(TDragController::Instance().Armed());
        QTest::mouseRelease(window, Qt::LeftButton, {}, s.Spot("stacks"));
    }
    // Undone from this window, or from the main window once this one has gone, and redone: the
    // land shows each state again, creatures, flags, order and stack counts alike.
    QWidget *keys = s.lgn.isVisible() ? static_cast<QWidget *>(&s.lgn) : s.windows->MainForm.get();
    QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.Legions(), before);
    QVERIFY(stacks.CharLeftArray() == countsBefore);
    QTest::keyClick(keys, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s.Legions(), legions.isEmpty() ? before.section(" | ", 1) : legions);
    QVERIFY(stacks.CharLeftArray() == counts);
    VERIFY_PLATFORM_DONE(s.fake);
}

// The menu names what the keys would undo and redo; the history lists each edit with its time,
// and a double click on an entry goes back to just after it.
void TestLgnEdit::undoMenuAndHistory()
{
    Session s(3);
    TVorunMainForm &form = *s.windows->MainForm;
    QWindow *window = s.lgn.windowHandle();
    const QString start = s.Legions();
    QCOMPARE(form.UndoMI->text(), "Undo");
    QVERIFY(!form.UndoMI->isEnabled());
    s.fake.queueAnswer(Platform::Answer::Ok);
    QTest::mouseClick(window, Qt::LeftButton, {}, s.Spot("p0"));
    QTest::keyClick(&s.lgn, Qt::Key_K); // the Angel, which goes back to its stack
    const QString killed = s.Legions();
    s.fake.setNow({2001, 3, 14, 21, 4, 17});
    QTest::mouseDClick(window, Qt::LeftButton, {}, s.Spot("p0")); // the first Ogre to the back
    QCOMPARE(killed + " | " + s.Legions(), "Feather: Ogre Ogre Vorun | Feather: Ogre Vorun Ogre");
    QCOMPARE(form.UndoMI->text() + ", " + form.RedoMI->text(),
             "Undo Black Feather: Ogre sent to the back, Redo");

    QTest::keyClick(&s.lgn, Qt::Key_H, Qt::ControlModifier);
    TGameHistoryForm &history = *s.windows->HistoryForm;
    QVERIFY(QTest::qWaitForWindowExposed(&history));
    QAbstractItemModel &entries = *history.HistoryView->model();
    QStringList rows;
    for (int row = 0; row < entries.rowCount(); ++row)
        rows << entries.index(row, 0).data().toString();
    QCOMPARE(rows,
             (QStringList{"Start of this session", "09:05:07  Black Feather: Angel killed",
                          "21:04:17  Black Feather: Ogre sent to the back"}));
    const auto doubleClick = [&history, &entries](int row) {
        QTest::mouseDClick(history.HistoryView->viewport(), Qt::LeftButton, {},
                           history.HistoryView->visualRect(entries.index(row, 0)).center());
    };
    doubleClick(1);
    QCOMPARE(s.Legions(), killed);
    QCOMPARE(entries.rowCount(), 3); // the undone entry stays listed
    QCOMPARE(form.RedoMI->text(), "Redo Black Feather: Ogre sent to the back");
    doubleClick(0);
    QCOMPARE(s.Legions(), start);
    // Left open, the history goes with the main window, so that the program ends.
    s.fake.queueAnswer(Platform::Answer::Ok);
    QVERIFY(form.close());
    QVERIFY(!history.isVisible());
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestLgnEdit)
#include "test_lgnedit.moc"
