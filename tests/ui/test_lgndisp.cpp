#include "fake_platform.h"
#include "program_folder.h"
#include "qtcolor.h"
#include "tcharadd.h"
#include "tlegion.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tmastrbd.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Plains 1: Axes of seven. Woods 2: Die (Vorun, Guardian) and the empty Eye. Brush 3: Feather,
// Hand, Lightning of one each. Hills 4: Cross of eight and Eagle of two. Jungle 5: Fist of five.
constexpr const char *DisplayGame
    = "2\nDisplay game\ndsp\n16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 21 6 "
      "18 \n2 0 1 0 1\nAnne\n0 6 0 1 16 16 20 20 17 17 14 0\n1 2 19 12 0 0 0 0 0 0\n"
      "2 2 0 0 0 0 0 0 0 0\n3 3 4 0 0 0 0 0 0 0\n4 3 8 0 0 0 0 0 0 0\n5 3 16 0 0 0 0 0 0 0\n"
      "Bob\n5 3 60 4 16 16 16 16 20 20 20 20\n61 4 1 4 0 0 0 0 0 0\n62 5 4 8 10 14 16 0 0 0\n";

struct Session {
    explicit Session(int land)
    {
        // Over what a land with other legions showed before: three rows, or eight columns.
        for (const int shown : {land == 3 ? 4 : 3, land}) {
            windows->MainForm->SelectLand(shown);
            lgn.ShowLgns(shown);
        }
        QVERIFY(QTest::qWaitForWindowExposed(&lgn));
    }
    // The rows shown as "marker, value: creatures", with "?" for an unsure mark drawn over a
    // creature and "*" for the selection's blue above and below it; only names from the legions.
    QString Rows() const
    {
        const QImage image = lgn.grab().toImage();
        const std::array<QLabel *, 3> names{lgn.LgnMrkrLbl, lgn.LgnMrkrLbl2, lgn.LgnMrkrLbl3};
        QStringList rows;
        const TVorunMainForm &form = *windows->MainForm;
        for (size_t row = 0; row < 3 && names[row]->isVisible(); ++row) {
            const TLegion *legion
                = form.LandStacks(form.SelectedLand()->GetLandNumber()).GetStack(int(row));
            rows << names[row]->text() + ", " + lgn.ValueLbls[row]->text() + ":";
            for (size_t k = row * 8; k < row * 8 + 8 && lgn.CritImages[k]->isVisible(); ++k) {
                const QRect at = lgn.CritImages[k]->geometry();
                int ink = 0; // the creature pictures hold no pure black
                for (int y = at.top(); y < at.top() + 78; ++y)
                    ink += image.pixelColor(at.center().x(), y) == Qt::black;
                const bool selected = image.pixelColor(at.center().x(), at.top() - 3) == Qt::blue
                    && image.pixelColor(at.center().x(), at.bottom() + 4) == Qt::blue;
                rows.last() += QString(" ") + CritNames[legion->GetCrits()[k % 8]]
                    + (ink > 20 ? "?" : "") + (selected ? "*" : "");
            }
        }
        return rows.join(" | ");
    }
    // "p<k>" clicks picture k, "d<k>" double clicks it, "x,y" clicks a point, others are keys.
    void Act(const QString &action)
    {
        const QStringList xy = action.split(',');
        const bool picture = action[0] == 'p' || action[0] == 'd';
        if (xy.size() == 1 && !picture)
            return QTest::keySequence(&lgn, QKeySequence(action));
        const QPoint at = picture
            ? lgn.CritImages[size_t(action.mid(1).toInt())]->geometry().center()
            : QPoint(xy[0].toInt(), xy[1].toInt());
        if (action[0] == 'd')
            return QTest::mouseDClick(lgn.windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseClick(lgn.windowHandle(), Qt::LeftButton, {}, at);
    }
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, DisplayGame);
    TLgnDispForm &lgn = *windows->LgnDispForm;
};

} // namespace

class TestLgnDisp : public QObject {
    Q_OBJECT

private slots:
    void actions_data();
    void actions();
};

void TestLgnDisp::actions_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("rows"); // empty: the window is hidden
    QTest::addColumn<QString>("shows"); // "picker": the marker picker, for a new stack; or a box
    QTest::addColumn<QString>("pictures"); // each shown picture's name, then its tip; or unchecked

    const QString fist = "Fist, 69 points: Centaur Gargoyle Gorgon Lion Ogre";
    const QString feather = "Feather, 12 points: Centaur", hand = "Hand, 12 points: Gargoyle";
    const QString lightning = "Lightning, 12 points: Ogre";
    const QString woods = "Die, ?48 points: Vorun Guardian | Eye, 0 points:";
    const QString unsure = " 552,31", rotate = " 610,31"; // the buttons
    auto row = [](const char *name, int land, const QString &actions, const QString &rows,
                  const QString &shows = {}, const QString &pictures = {}) {
        QTest::newRow(name) << land << actions << rows << shows << pictures;
    };
    row("one legion", 1, "", "Axes, 103 points: Ogre Ogre Troll Troll Ranger Ranger Lion");
    row("a full legion", 4, "",
        "Cross, 112 points: Ogre Ogre Ogre Ogre Troll Troll Troll Troll | Eagle, 36 points: "
        "Angel Centaur");
    row("select another", 5, "p2 p4", "Fist, 69 points: Centaur Gargoyle Gorgon Lion Ogre*");
    row("unsure, selected", 1, "p0" + unsure + " p0",
        "Axes, 103 points: Ogre?* Ogre Troll Troll Ranger Ranger Lion");
    row("unsure twice", 5, "p2" + unsure + " p2" + unsure, fist);
    row("unsure, nothing selected", 5, unsure, fist,
        "Please select a creature first. | Unsure: Invalid Selection");
    row("double click the first", 5, "d0", "Fist, 69 points: Gargoyle Gorgon Lion Ogre Centaur");
    row("double click the last", 5, "d4", fist);
    row("rotate twice", 3, rotate + rotate, lightning + " | " + feather + " | " + hand);
    row("escape", 5, "p1 Esc", "");
    row("K, nothing selected", 5, "K", fist,
        "Please select a creature to remove first. | Remove Creature: Invalid Selection");
    row("N", 2, "N", woods, "picker");
    row("N, three legions", 3, "N", feather + " | " + hand + " | " + lightning);
    row("other key", 5, "p1 X", "Fist, 69 points: Centaur Gargoyle* Gorgon Lion Ogre");
    row("between the rows", 2, "300,164", "");
    row("right of the last creature", 2, "p0 450,110", "");
    row("row panel", 2, "500,190", "");
    row("selection frame", 2, "p0 50,59", "Die, ?48 points: Vorun* Guardian | Eye, 0 points:");
    // A picture's name and tip are those of the creature it shows now, which an edit may change.
    row("marker", 2, "p0 100,30", woods, {},
        "Vorun: Vorun (?24 points) | Guardian: Guardian (24 points)");
    row("reordered", 2, "d0", "Die, ?48 points: Guardian Vorun | Eye, 0 points:", {},
        "Guardian: Guardian (24 points) | Vorun: Vorun (?24 points)");
    row("unsure names itself", 2, "p1" + unsure,
        "Die, ?48 points: Vorun Guardian? | Eye, 0 points:", {},
        "Vorun: Vorun (?24 points) | Guardian?: Guardian? (24 points)");
}

void TestLgnDisp::actions()
{
    QFETCH(int, land);
    QFETCH(QString, actions);
    QFETCH(QString, rows);
    QFETCH(QString, shows);
    QFETCH(QString, pictures);
    Session s(land);
    const bool box = !shows.isEmpty() && shows != "picker";
    if (box)
        s.fake.queueAnswer(Platform::Answer::Ok);
    for (const QString &action : actions.split(' ', Qt::SkipEmptyParts)) {
        s.windows->MonSelectForm->show(); // every press and key hides both pickers
        s.windows->LMSelectForm->show();
        s.Act(action);
    }

    QTRY_COMPARE(s.lgn.isVisible() ? s.Rows() : QString(), rows);
    QTRY_COMPARE(s.fake.boxes().join(""), box ? shows + " | None | Ok" : "");
    QTRY_COMPARE(s.windows->LMSelectForm->isVisible(), shows == "picker");
    QVERIFY(!s.windows->MonSelectForm->isVisible());
    QCOMPARE(s.lgn.SelCrit == TLgnDispForm::NoSelection, !rows.contains('*'));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QVERIFY(!TDragController::Instance().Armed());
    VERIFY_PLATFORM_DONE(s.fake);
    QStringList named;
    for (QLabel *picture : s.lgn.CritImages)
        if (picture->isVisible() && !pictures.isEmpty())
            named << picture->accessibleName() + ": " + picture->toolTip();
    QCOMPARE(named.join(" | "), pictures);
    if (!s.lgn.isVisible())
        return;
    // Eight columns only where a legion is full; New Stack up to two legions, Rotate from two.
    const int count = int(rows.count('|')) + 1;
    QCOMPARE(s.lgn.size(), QSize(land == 4 ? 800 : 700, 20 + 163 * count));
    for (QWidget *area : {s.lgn.PaintBox1, s.lgn.PaintBox2, s.lgn.PaintBox3})
        QCOMPARE(area->width(), s.lgn.width());
    QCOMPARE(s.lgn.PaintBox2->isVisible() + s.lgn.RotateBtn->isVisible(), 2 * (count >= 2));
    QCOMPARE(s.lgn.PaintBox3->isVisible() + !s.lgn.AddStackBtn->isVisible(), 2 * (count == 3));
    const TVorunMBLand &shown = *s.windows->MainForm->SelectedLand();
    QCOMPARE(s.lgn.windowTitle(), "Legion Contents -  " + QString::fromStdString(shown.GetName()));
    // The first marker: a white outline around the player's colour.
    const QImage image = s.lgn.grab().toImage();
    const TLegion &first = *s.windows->MainForm->LandStacks(shown.GetLandNumber()).GetStack(0);
    QCOMPARE(image.pixelColor(7, 7), QColor(Qt::white));
    QCOMPARE(image.pixelColor(20, 12), ToQColor(first.GetColorValue()));
}

QTEST_MAIN(TestLgnDisp)
#include "test_lgndisp.moc"
