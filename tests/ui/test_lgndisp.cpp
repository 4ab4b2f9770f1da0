#include "fake_platform.h"
#include "program_folder.h"
#include "tcharadd.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tmastrbd.h"
#include "tshape.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Plains 1: Axes with seven creatures. Woods 2: Die (Vorun, Guardian) and the empty Eye.
// Brush 3: Feather, Hand, Lightning with one creature each. Hills 4: Cross with eight and Eagle
// with two. Jungle 5: Fist with five different creatures.
constexpr const char *DisplayGame = "2\nDisplay game\ndsp\n"
                                    "16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 "
                                    "21 6 18 \n"
                                    "2 0 1 0 1\n"
                                    "Anne\n"
                                    "0 6 0 1 16 16 20 20 17 17 14 0\n"
                                    "1 2 19 12 0 0 0 0 0 0\n"
                                    "2 2 0 0 0 0 0 0 0 0\n"
                                    "3 3 4 0 0 0 0 0 0 0\n"
                                    "4 3 8 0 0 0 0 0 0 0\n"
                                    "5 3 16 0 0 0 0 0 0 0\n"
                                    "Bob\n"
                                    "5 3 60 4 16 16 16 16 20 20 20 20\n"
                                    "61 4 1 4 0 0 0 0 0 0\n"
                                    "62 5 4 8 10 14 16 0 0 0\n";

struct Session {
    explicit Session(int land) { Show(land); }
    void Show(int land)
    {
        windows->MainForm->SelectLand(land);
        lgn.ShowLgns();
        QVERIFY(QTest::qWaitForWindowExposed(&lgn));
    }
    // The rows shown, as "marker, value: creatures", unsure creatures marked with "?"; the
    // names come from the legions, everything else from the window.
    QString Rows() const
    {
        const std::array<QLabel *, 3> names{lgn.LgnMrkrLbl, lgn.LgnMrkrLbl2, lgn.LgnMrkrLbl3};
        QStringList rows;
        for (size_t row = 0; row < 3 && names[row]->isVisible(); ++row) {
            const TLegion *legion = windows->MainForm->SelectedLand()->GetStack(int(row));
            QStringList crits;
            for (size_t k = row * 8; k < row * 8 + 8 && lgn.CritImages[k]->isVisible(); ++k)
                crits << QString(CritNames[legion->GetCrits()[k % 8]])
                        + (lgn.UnsureLbls[k]->isVisible() ? "?" : "");
            rows << names[row]->text() + ", " + lgn.ValueLbls[row]->text() + ": " + crits.join(' ');
        }
        return rows.join(" | ");
    }
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, DisplayGame);
    TLgnDispForm &lgn = *windows->LgnDispForm;
};

QPoint Centre(TLgnDispForm &lgn, QWidget *widget)
{
    return widget->mapTo(&lgn, widget->rect().center());
}

// One user action: "p<k>" clicks picture k, "d<k>" double clicks it, "x,y" clicks a point,
// "Unsure" and "Rotate" click those buttons, anything else is a key sequence.
void Act(TLgnDispForm &lgn, const QString &action)
{
    QWindow *window = lgn.windowHandle();
    if (action.startsWith('p') || action.startsWith('d')) {
        const QPoint at = Centre(lgn, lgn.CritImages[size_t(action.mid(1).toInt())]);
        if (action.startsWith('p'))
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
        else
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
    } else if (action.contains(',')) {
        const QStringList xy = action.split(',');
        QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(xy[0].toInt(), xy[1].toInt()));
    } else if (action == "Unsure" || action == "Rotate") {
        QTest::mouseClick(action == "Unsure" ? lgn.NotSureBtn : lgn.RotateBtn, Qt::LeftButton);
    } else {
        // Mnemonics need the window active, which the shown pickers may have taken.
        lgn.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&lgn));
        const QKeyCombination key = QKeySequence(action)[0];
        QTest::keyClick(&lgn, key.key(), key.keyboardModifiers());
    }
}

} // namespace

class TestLgnDisp : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsTheLand_data();
    void layoutFollowsTheLand();
    void actions_data();
    void actions();
    void looksRight_data();
    void looksRight();
};

void TestLgnDisp::layoutFollowsTheLand_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("addStack");

    QTest::newRow("one legion") << 1 << QSize(700, 183)
                                << "Axes, 103 points: Ogre Ogre Troll Troll Ranger Ranger Lion"
                                << true;
    QTest::newRow("two legions, Vorun and empty")
        << 2 << QSize(700, 346) << "Die, ?48 points: Vorun Guardian | Eye, 0 points: " << true;
    QTest::newRow("three legions") << 3 << QSize(700, 509)
                                   << "Feather, 12 points: Centaur | Hand, 12 points: Gargoyle | "
                                      "Lightning, 12 points: Ogre"
                                   << false;
    QTest::newRow("a full legion")
        << 4 << QSize(800, 346)
        << "Cross, 112 points: Ogre Ogre Ogre Ogre Troll Troll Troll Troll | Eagle, 36 points: "
           "Angel Centaur"
        << true;
}

void TestLgnDisp::layoutFollowsTheLand()
{
    QFETCH(int, land);
    QFETCH(QSize, size);
    QFETCH(QString, rows);
    QFETCH(bool, addStack);
    // What a land with more legions showed before must go.
    Session s(land == 3 ? 4 : 3);
    s.Show(land);

    QCOMPARE(s.lgn.size(), size);
    QCOMPARE(s.Rows(), rows);
    QCOMPARE(s.lgn.windowTitle(),
             "Legion Contents -  "
                 + QString::fromStdString(s.windows->MainForm->SelectedLand()->GetName()));
    const int count = int(rows.count('|')) + 1;
    for (QWidget *box : {s.lgn.PaintBox1, s.lgn.PaintBox2, s.lgn.PaintBox3})
        QCOMPARE(box->width(), size.width());
    QCOMPARE(s.lgn.PaintBox2->isVisible(), count >= 2);
    QCOMPARE(s.lgn.PaintBox3->isVisible(), count == 3);
    QCOMPARE(s.lgn.Panel2->isVisible(), count >= 2);
    QCOMPARE(s.lgn.Panel3->isVisible(), count == 3);
    QCOMPARE(s.lgn.AddStackBtn->isVisible(), addStack);
    QCOMPARE(s.lgn.RotateBtn->isVisible(), count >= 2);
    VERIFY_PLATFORM_DONE(s.fake);
}

void TestLgnDisp::actions_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("rows"); // empty: the window is hidden
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("newStack"); // the marker picker shows, in new-stack mode
    QTest::addColumn<QString>("box");

    const int none = TLgnDispForm::NoSelection;
    const QString fist = "Fist, 69 points: Centaur Gargoyle Gorgon Lion Ogre";
    const QString feather = "Feather, 12 points: Centaur", hand = "Hand, 12 points: Gargoyle";
    const QString lightning = "Lightning, 12 points: Ogre";
    const QString woods = "Die, ?48 points: Vorun Guardian | Eye, 0 points: ";
    const QString noUnsure = "Please select a creature first. | Unsure: Invalid Selection";
    const QString noKill = "Please select a creature to remove first. | Remove Creature: "
                           "Invalid Selection";
    auto row = [](const char *name, int land, const QString &actions, const QString &rows,
                  int selected, bool newStack = false, const QString &box = {}) {
        QTest::newRow(name) << land << actions << rows << selected << newStack
                            << (box.isEmpty() ? box : box + " | None | Ok");
    };
    row("select", 5, "p2", fist, 2);
    row("select another", 5, "p2 p4", fist, 4);
    row("unsure", 5, "p2 Unsure", "Fist, 69 points: Centaur Gargoyle Gorgon? Lion Ogre", none);
    row("unsure twice", 5, "p2 Unsure p2 Unsure", fist, none);
    row("unsure, nothing selected", 5, "Unsure", fist, none, false, noUnsure);
    row("Alt+U", 5, "p1 Alt+U", "Fist, 69 points: Centaur Gargoyle? Gorgon Lion Ogre", none);
    row("double click the first", 5, "d0", "Fist, 69 points: Gargoyle Gorgon Lion Ogre Centaur",
        none);
    row("double click the middle", 5, "d2", "Fist, 69 points: Centaur Gargoyle Lion Ogre Gorgon",
        none);
    row("double click the last", 5, "d4", fist, none);
    row("rotate", 3, "Rotate", hand + " | " + lightning + " | " + feather, none);
    row("rotate twice", 3, "Rotate Alt+R", lightning + " | " + feather + " | " + hand, none);
    row("escape", 5, "p1 Esc", "", none);
    row("K, nothing selected", 5, "K", fist, none, false, noKill);
    row("N", 2, "N", woods, none, true);
    row("Alt+N", 2, "Alt+N", woods, none, true);
    row("N, three legions", 3, "N", feather + " | " + hand + " | " + lightning, none);
    row("other key", 5, "p1 X", fist, 1);
    row("between the rows", 2, "300,164", "", none);
    row("right of the last creature", 2, "p0 450,110", "", none);
    row("empty row", 2, "150,270", "", none);
    row("row panel", 2, "500,190", "", none);
    row("selection frame", 2, "p0 50,59", woods, 0);
    row("stacks picture", 2, "p0 280,30", woods, 0);
    row("graveyard", 2, "p0 390,30", woods, 0);
    row("marker", 2, "p0 100,30", woods, none);
}

void TestLgnDisp::actions()
{
    QFETCH(int, land);
    QFETCH(QString, actions);
    QFETCH(QString, rows);
    QFETCH(int, selected);
    QFETCH(bool, newStack);
    QFETCH(QString, box);
    Session s(land);
    if (!box.isEmpty())
        s.fake.queueAnswer(Platform::Answer::Ok);

    for (const QString &action : actions.split(' ')) {
        // Every press and key hides both pickers.
        s.windows->MonSelectForm->show();
        s.windows->LMSelectForm->show();
        Act(s.lgn, action);
    }

    // A mnemonic presses its button for a moment before it clicks.
    QTRY_COMPARE(s.lgn.isVisible() ? s.Rows() : QString(), rows);
    QTRY_COMPARE(s.fake.boxes(), box.isEmpty() ? QStringList() : QStringList{box});
    QTRY_COMPARE(s.windows->LMSelectForm->isVisible(), newStack);
    QCOMPARE(s.windows->LMSelectForm->NewStackMode, newStack);
    QVERIFY(!s.windows->MonSelectForm->isVisible());
    QCOMPARE(s.lgn.SelCrit, selected);
    for (size_t k = 0; k < TLgnDispForm::PictureCount; ++k)
        QCOMPARE(s.lgn.SelShapes[k]->isVisible(), int(k) == selected);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(!TDragController::Instance().Armed());
    VERIFY_PLATFORM_DONE(s.fake);
}

void TestLgnDisp::looksRight_data()
{
    QTest::addColumn<int>("land");
    QTest::newRow("one legion") << 1;
    QTest::newRow("three legions") << 3;
}

// A selected, unsure creature: blue above and below it, and the mark drawn over it.
void TestLgnDisp::looksRight()
{
    QFETCH(int, land);
    Session s(land);
    TheMasterboard()->GetLand(land).GetStack(0)->CritUnsure(0, true);
    Act(s.lgn, "p0");

    const QImage image = s.lgn.grab().toImage();
    if (qEnvironmentVariableIsSet("VK_SAVE_GRABS"))
        image.save(QDir::temp().filePath(QString("lgndisp-%1.png").arg(land)));
    QCOMPARE(image.pixelColor(50, 59), QColor(Qt::blue));
    QCOMPARE(image.pixelColor(50, 166), QColor(Qt::blue));
    QVERIFY(image.pixelColor(150, 59) != QColor(Qt::blue));
    int ink = 0;
    for (int y = 62; y < 140; ++y)
        for (int x = 30; x < 70; ++x)
            ink += image.pixelColor(x, y) == QColor(Qt::black);
    QVERIFY2(ink > 200, qPrintable(QString::number(ink)));
    // The marker: a white outline around the player's colour.
    QCOMPARE(image.pixelColor(7, 7), QColor(Qt::white));
    QCOMPARE(image.pixelColor(20, 12), QColor(Qt::black));
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestLgnDisp)
#include "test_lgndisp.moc"
