#include "board_game.h"
#include "fake_platform.h"
#include "fonts.h"
#include "tcatalog.h"
#include "tcharadd.h"
#include "tcharleft.h"
#include "tlegion.h"
#include "tplayer.h"
#include "tshape.h"

#include <QLabel>
#include <QTest>

namespace {

constexpr const char *GongTroops = "Troll, Troll, Troll, Ranger, Ranger, Wyvern, Warbear";

// The board game with Desert 7 selected and the picker open for its seven-creature Red Gong.
struct PickerSession : BoardSession {
    PickerSession()
    {
        form.SelectLand(7);
        Open();
    }
    void Open()
    {
        picker.ShowForLgn(&gong);
        QVERIFY(QTest::qWaitForWindowExposed(&picker));
    }
    // By default near the corner, where no "None Left" cover lies over the picture.
    void Click(uint8_t type, QPoint inPicture = {8, 8})
    {
        const QPoint pos = picker.Images[type - 1]->pos() + inPicture;
        QTest::mouseClick(picker.windowHandle(), Qt::LeftButton, {}, pos);
    }
    TMonSelectForm &picker = *windows->MonSelectForm;
    TLegion &gong = *form.Game().GetPlayer(1)->GetLegion(3);
};

} // namespace

class TestMonSelect : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void framesByStock_data();
    void framesByStock();
    void clickRecruits_data();
    void clickRecruits();
    void nothingAdded();
};

void TestMonSelect::framesByStock_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("left");
    QTest::addColumn<QColor>("frame"); // invalid: no frame
    QTest::addColumn<bool>("covered");
    const QColor yellow(255, 255, 0), red(255, 0, 0), none;
    const auto row = [](int type, int left, QColor frame, bool covered = false) {
        QTest::addRow("%s %d", CritNames[size_t(type)], left) << type << left << frame << covered;
    };
    for (const auto &[left, frame] :
         {std::pair(25, none), {11, none}, {10, yellow}, {6, yellow}, {5, red}, {1, red}})
        row(Crit::Gorgon, left, frame);
    row(Crit::Gorgon, 0, none, true);
    row(Crit::Archangel, 5, none);
    row(Crit::Archangel, 4, yellow);
    row(Crit::Archangel, 2, red);
    row(Crit::Vorun, 0, none);
    row(Crit::Vorun, 1, none);
}

// Each row reopens the picker over the opposite state, so nothing may linger from before.
void TestMonSelect::framesByStock()
{
    QFETCH(int, type);
    QFETCH(int, left);
    QFETCH(QColor, frame);
    QFETCH(bool, covered);
    PickerSession s;
    RecruitStacks().SetCount(uint8_t(type), left == 0 ? 1 : 0);
    s.Open();
    RecruitStacks().SetCount(uint8_t(type), left);
    s.Open();
    const size_t index = size_t(type - 1);
    QCOMPARE(s.picker.Shapes[index]->isVisible(), frame.isValid());
    if (frame.isValid())
        QCOMPARE(s.picker.Shapes[index]->BrushColor(), frame);
    QCOMPARE(s.picker.Labels[index]->isVisible(), covered);
    QCOMPARE(s.picker.Images[index]->isEnabled(), !covered);
    QCOMPARE(s.picker.Images[index]->toolTip(), covered ? "" : QString::number(left) + " left");
}

void TestMonSelect::clickRecruits_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("Angel") << int(Crit::Angel);
    QTest::newRow("Vorun, from no stack") << int(Crit::Vorun);
}

// The eighth place fills, the stacks lose just that creature, and the panel shows it at once.
void TestMonSelect::clickRecruits()
{
    QFETCH(int, type);
    PickerSession s;
    QCOMPARE(s.picker.windowTitle(), "Select character to add to Red Gong");
    TCharLeft::Counts expected = RecruitStacks().CharLeftArray();
    expected[size_t(type)] -= type != Crit::Vorun;
    s.Click(uint8_t(type));
    QVERIFY(!s.picker.isVisible());
    QCOMPARE(s.gong.GetCrits().back(), type);
    QVERIFY(!s.gong.GetUnsure().back());
    QVERIFY(RecruitStacks().CharLeftArray() == expected);
    QCOMPARE(s.form.LgnTroopsLbl1->text(), QString(GongTroops) + ", " + CritNames[size_t(type)]);
    VERIFY_PLATFORM_DONE(s.fake);
}

// A covered picture, on its edge or its cover, and Escape add nothing; nor does a pick with no
// legion, which is reported.
void TestMonSelect::nothingAdded()
{
    PickerSession s;
    RecruitStacks().SetCount(Crit::Gorgon, 0);
    s.Open();
    const TCharLeft::Counts before = RecruitStacks().CharLeftArray();
    s.Click(Crit::Gorgon);
    s.Click(Crit::Gorgon, {50, 50});
    QVERIFY(s.picker.isVisible());
    QTest::keyClick(s.picker.windowHandle(), Qt::Key_Escape);
    QTRY_VERIFY(!s.picker.isVisible());
    QCOMPARE(s.gong.CritCount(), 7);
    QCOMPARE(s.form.LgnTroopsLbl1->text(), GongTroops);

    TMonSelectForm unset(*s.windows);
    s.fake.queueAnswer(Platform::Answer::Ok);
    unset.ImageClick(Crit::Angel);
    QCOMPARE(s.fake.boxes(),
             QStringList("Bug!  Attempted to recruit into deep space. | Debug Info | None | Ok"));
    QVERIFY(RecruitStacks().CharLeftArray() == before);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestMonSelect)
#include "test_monselect.moc"
