#include "fake_platform.h"
#include "pictures.h"
#include "program_folder.h"
#include "tcharadd.h"
#include "tcharleft.h"
#include "tdragcontroller.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tmastrbd.h"
#include "tshape.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTest>

#include <functional>

namespace {

// Stack count changes by creature type.
using Changes = QMap<int, int>;

constexpr int NoDropCursor = 1000;
constexpr int CreatureCursor = 1001;
constexpr int LegionCursor = 1002;

// Plains 1: Axes (Ogre, Troll, unsure Gorgon), Die (five creatures), Cross (eight). Woods 2:
// Eye with six different creatures. Brush 3: Feather (Angel, Ogre, Ogre, Vorun) alone. Hills 4:
// Hand (Gorgon, Angel) and Eagle (Troll).
constexpr const char *EditGame = "2\nEdit game\nedt\n"
                                 "16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 "
                                 "21 6 18 \n"
                                 "2 0 1 0 1\n"
                                 "Anne\n"
                                 "0 5 0 1 16 20 36 0 0 0 0 0\n"
                                 "1 1 1 4 8 14 17 0 0 0\n"
                                 "2 2 4 8 10 14 16 17 0 0\n"
                                 "3 3 1 16 16 19 0 0 0 0\n"
                                 "4 4 10 1 0 0 0 0 0 0\n"
                                 "Bob\n"
                                 "5 2 60 1 16 16 16 16 20 20 20 20\n"
                                 "61 4 20 0 0 0 0 0 0 0\n";

struct Session {
    explicit Session(int land) : land(land)
    {
        windows->MainForm->SelectLand(land);
        lgn.ShowLgns();
        // Inside the screen, where the drag looks for its target.
        lgn.move(0, 0);
        QVERIFY(QTest::qWaitForWindowExposed(&lgn));
    }
    // The land's legions as "marker: creatures", unsure ones marked with "?".
    QString Legions() const
    {
        QStringList legions;
        for (int slot = 0; slot < TVorunMBLand::MaxStacks; ++slot) {
            const TLegion *legion = TheMasterboard()->GetLand(land).GetStack(slot);
            QStringList crits;
            for (int i = 0; legion && i < legion->CritCount(); ++i)
                crits << QString(CritNames[legion->GetCrits()[size_t(i)]])
                        + (legion->GetUnsure()[size_t(i)] ? "?" : "");
            if (legion)
                legions << QString::fromStdString(legion->GetName()) + ": " + crits.join(' ');
        }
        return legions.join(" | ");
    }
    // The named places of the tables.
    QPoint Spot(const QString &name) const
    {
        const auto centre = [this](QWidget *w) {
            return w->mapTo(&lgn, w->rect().center());
        };
        if (name.startsWith('p'))
            return centre(lgn.CritImages[size_t(name.mid(1).toInt())]);
        if (name.startsWith("row ")) // x 650: right of the row's creatures
            return QPoint(650, std::array{112, 275, 438}[size_t(name.mid(4).toInt())]);
        if (name.startsWith("marker ")) // a label, or the shape beside them
            return std::array{
                centre(lgn.LgnValueLbl), centre(lgn.LgnMrkrLbl2),
                lgn.LgnMrkrShape3->mapTo(&lgn, QPoint(4, 4))}[size_t(name.mid(7).toInt())];
        if (name == "stacks" || name == "graveyard")
            return centre(name == "stacks" ? lgn.CStacksImage : lgn.GraveyardImage);
        return QPoint(720, 30); // the background
    }
    // Presses at `from`, moves past the threshold onto `to`, runs `over` there, and drops.
    void Drag(const QString &from, const QString &to, const std::function<void()> &over = {})
    {
        QWindow *window = lgn.windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, Spot(from));
        QTest::mouseMove(window, Spot(from) + QPoint(3, 3));
        QTest::mouseMove(window, Spot(to));
        if (over)
            over();
        QTest::mouseRelease(window, Qt::LeftButton, {}, Spot(to));
    }
    int land;
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, EditGame);
    TLgnDispForm &lgn = *windows->LgnDispForm;
};

QImage OverrideCursor()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->pixmap().toImage() : QImage();
}

Changes CountChanges(const TCharLeft::Counts &before)
{
    Changes changes;
    const TCharLeft::Counts &after = RecruitStacks().CharLeftArray();
    for (size_t type = 1; type < after.size(); ++type)
        if (after[type] != before[type])
            changes[int(type)] = after[type] - before[type];
    return changes;
}

} // namespace

class TestLgnEdit : public QObject {
    Q_OBJECT

private slots:
    void dropTargets_data();
    void dropTargets();
    void edits_data();
    void edits();
};

void TestLgnEdit::dropTargets_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("cursor");

    const QStringList targets{"p9", "row 1", "stacks", "graveyard", "marker 2", "background"};
    const std::array<std::array<int, 6>, 3> cursors{
        {{CreatureCursor, CreatureCursor, CreatureCursor, CreatureCursor, NoDropCursor,
          NoDropCursor},
         {CreatureCursor, CreatureCursor, NoDropCursor, NoDropCursor, NoDropCursor, NoDropCursor},
         {NoDropCursor, NoDropCursor, LegionCursor, LegionCursor, NoDropCursor, NoDropCursor}}};
    const QStringList sources{"p0", "stacks", "marker 1"};
    for (size_t s = 0; s < 3; ++s)
        for (size_t t = 0; t < 6; ++t)
            QTest::addRow("%s on %s", qPrintable(sources[s]), qPrintable(targets[t]))
                << sources[s] << targets[t] << cursors[s][t];
}

void TestLgnEdit::dropTargets()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(int, cursor);
    Session s(1);
    const QString before = s.Legions();

    s.Drag(source, target, [&] {
        QCOMPARE(OverrideCursor(), ProgramCursor(cursor).pixmap().toImage());
        // Escape ends the drag without a drop.
        QTest::keyClick(&s.lgn, Qt::Key_Escape);
        QCOMPARE(OverrideCursor(), QImage());
    });

    QCOMPARE(s.Legions(), before);
    QVERIFY(s.lgn.isVisible());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    VERIFY_PLATFORM_DONE(s.fake);
}

void TestLgnEdit::edits_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<int>("gorgons"); // left in the stack; 0: as saved
    QTest::addColumn<QString>("from"); // "dclick" double clicks the stacks picture
    QTest::addColumn<QString>("to"); // "K" selects `from` and presses K
    QTest::addColumn<bool>("agree");
    QTest::addColumn<QString>("box"); // text | caption
    QTest::addColumn<QString>("legions");
    QTest::addColumn<Changes>("changes");
    QTest::addColumn<QString>("picker"); // the creature picker's caption, empty when hidden

    const QString die = "Die: Angel Centaur Gargoyle Lion Ranger";
    const QString plains = " | " + die + " | Cross: Ogre Ogre Ogre Ogre Troll Troll Troll Troll";
    const QString cross = " | Cross: Ogre Ogre Ogre Ogre Troll Troll Troll Troll";
    const QString axes = "Axes: Ogre Troll Gorgon?", eye = "Eye: Centaur Gargoyle Gorgon Lion ";
    const QString feather = "Feather: Angel Ogre Ogre Vorun", hills = "Hand: Gorgon Angel";
    const QString noRoom = "Stack is full. | No Room";
    const QString full = "The legion you're trying to split that creature into is full. | "
                         "Target Legion Full";
    const Changes none;
    auto row = [](const char *name, int land, int gorgons, const char *from, const char *to,
                  bool agree, const QString &box, const QString &legions, const Changes &changes,
                  const QString &picker = {}) {
        QTest::newRow(name) << land << gorgons << from << to << agree << box << legions << changes
                            << picker;
    };
    for (int gorgons : {0, 255}) {
        const QByteArray onto = "onto the first creature, " + QByteArray::number(gorgons);
        row(onto, 1, gorgons, "p2", "p8", true, {},
            "Axes: Ogre Troll | Die: Gorgon? Angel Centaur Gargoyle Lion Ranger" + cross, none);
        const QByteArray behind = "onto the row, " + QByteArray::number(gorgons);
        row(behind, 1, gorgons, "p2", "row 1", true, {},
            "Axes: Ogre Troll | " + die + " Gorgon?" + cross, none);
    }
    row("onto a full legion", 1, 0, "p2", "p17", true, full, axes + plains, none);
    row("0 onto 3", 2, 0, "p0", "p3", true, {}, "Eye: Gargoyle Gorgon Lion Centaur Ogre Ranger",
        none);
    row("4 onto 1", 2, 0, "p4", "p1", true, {}, "Eye: Centaur Ogre Gargoyle Gorgon Lion Ranger",
        none);
    row("onto the last", 2, 0, "p1", "p5", true, {},
        "Eye: Centaur Gorgon Lion Ogre Ranger Gargoyle", none);
    row("onto its row", 2, 0, "p0", "row 0", true, {},
        "Eye: Gargoyle Gorgon Lion Ogre Ranger Centaur", none);
    row("onto itself", 2, 0, "p2", "p2", true, {}, eye + "Ogre Ranger", none);
    row("kill Gorgon", 1, 0, "p2", "graveyard", true, "Kill Gorgon?", "Axes: Ogre Troll" + plains,
        none);
    row("kill Angel", 3, 0, "p0", "graveyard", true, "Kill Angel?", "Feather: Ogre Ogre Vorun",
        {{Crit::Angel, 1}});
    row("return Ogre", 3, 0, "p1", "stacks", true, "Return Ogre to recruitment stacks?",
        "Feather: Angel Ogre Vorun", {{Crit::Ogre, 1}});
    row("return Vorun", 3, 0, "p3", "stacks", true, "Return Vorun to recruitment stacks?",
        "Feather: Angel Ogre Ogre", none);
    row("kill the last one", 4, 0, "p8", "graveyard", true, "Kill Troll?",
        hills + " | Eagle: ", none);
    row("K", 3, 0, "p2", "K", true, "Kill Ogre?", "Feather: Angel Ogre Vorun", none);
    row("kill cancelled", 3, 0, "p0", "graveyard", false, "Kill Angel?", feather, none);
    row("kill all, only legion", 3, 0, "marker 0", "graveyard", true,
        "Kill all creatures in Black Feather and remove it from the board?", "",
        {{Crit::Angel, 1}});
    row("return all", 3, 0, "marker 0", "stacks", true,
        "Return all creatures in Black Feather to recruitment stacks, and remove it from the "
        "board?",
        "", {{Crit::Angel, 1}, {Crit::Ogre, 2}});
    row("kill all, first of two", 4, 0, "marker 0", "graveyard", true,
        "Kill all creatures in Black Hand and remove it from the board?", "Eagle: Troll",
        {{Crit::Angel, 1}});
    row("kill all cancelled", 1, 0, "marker 2", "graveyard", false,
        "Kill all creatures in Red Cross and remove it from the board?", axes + plains, none);
    row("recruit onto a row", 1, 0, "stacks", "row 1", true, {}, axes + plains, none,
        "Select character to add to Black Die");
    row("recruit onto a picture", 1, 0, "stacks", "p1", true, {}, axes + plains, none,
        "Select character to add to Black Axes");
    row("recruit into a full legion", 1, 0, "stacks", "p20", true, noRoom, axes + plains, none);
    row("double click the stacks", 4, 0, "dclick", "", true, {}, hills + " | Eagle: Troll", none,
        "Select character to add to Black Hand");
}

void TestLgnEdit::edits()
{
    QFETCH(int, land);
    QFETCH(int, gorgons);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, agree);
    QFETCH(QString, box);
    QFETCH(QString, legions);
    QFETCH(Changes, changes);
    QFETCH(QString, picker);
    Session s(land);
    QWindow *window = s.lgn.windowHandle();
    // At 255 the creature would be lost on a way through the stacks: the return wraps to 0.
    if (gorgons)
        RecruitStacks().SetCount(Crit::Gorgon, gorgons);
    const TCharLeft::Counts counts = RecruitStacks().CharLeftArray();
    const QString before = s.Legions();
    if (!box.isEmpty())
        s.fake.queueAnswer(agree ? Platform::Answer::Ok : Platform::Answer::Cancel);
    // A creature selected first: pressing a marker clears the selection.
    QTest::mouseClick(window, Qt::LeftButton, {}, s.Spot("p0"));

    if (from == "dclick") {
        QTest::mouseDClick(window, Qt::LeftButton, {}, s.Spot("stacks"));
    } else if (to == "K") {
        QTest::mouseClick(window, Qt::LeftButton, {}, s.Spot(from));
        QTest::keyClick(&s.lgn, Qt::Key_K);
    } else {
        s.Drag(from, to);
    }

    const bool question = box.endsWith('?');
    QCOMPARE(s.fake.boxes().join(""),
             box.isEmpty()
                 ? QString()
                 : box + (question ? " | Confirm | Question | OkCancel" : " | None | Ok"));
    QCOMPARE(s.Legions(), legions);
    QCOMPARE(CountChanges(counts), changes);
    QCOMPARE(s.lgn.isVisible(), !legions.isEmpty());
    // A creature that stays where it was stays selected.
    const bool kept = from.startsWith('p') && legions == before;
    QCOMPARE(s.lgn.SelCrit, kept ? from.mid(1).toInt() : TLgnDispForm::NoSelection);
    QCOMPARE(s.windows->MonSelectForm->isVisible(), !picker.isEmpty());
    if (!picker.isEmpty())
        QCOMPARE(s.windows->MonSelectForm->windowTitle(), picker);
    QCOMPARE(OverrideCursor(), QImage());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    // No drag is left pending, and a press on the stacks picture arms the next one.
    QVERIFY(!TDragController::Instance().Armed());
    if (s.lgn.isVisible()) {
        QTest::mousePress(window, Qt::LeftButton, {}, s.Spot("stacks"));
        QVERIFY(TDragController::Instance().Armed());
        QTest::mouseRelease(window, Qt::LeftButton, {}, s.Spot("stacks"));
    }
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestLgnEdit)
#include "test_lgnedit.moc"
