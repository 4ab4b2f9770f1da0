#include "tlandpanel.h"
#include "board_game.h"
#include "fonts.h"
#include "tcatalog.h"
#include "tcharadd.h"
#include "tcharleft.h"
#include "tplayer.h"
#include "tshape.h"

#include <QLabel>
#include <QTest>

class TestMonSelect : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void framesAndPicks_data();
    void framesAndPicks();
};

void TestMonSelect::framesAndPicks_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("left");
    QTest::addColumn<QColor>("frame"); // invalid: no frame
    const QColor yellow(255, 255, 0), red(255, 0, 0), none;
    const auto rows = [](uint8_t type, std::initializer_list<std::pair<int, QColor>> cases) {
        for (const auto &[left, frame] : cases)
            QTest::addRow("%s %d", CritNames[type], left) << int(type) << left << frame;
    };
    rows(Crit::Gorgon,
         {{25, none}, {11, none}, {10, yellow}, {6, yellow}, {5, red}, {1, red}, {0, none}});
    rows(Crit::Archangel, {{5, none}, {4, yellow}, {2, red}});
    rows(Crit::Vorun, {{0, none}, {1, none}});
}

// For Desert 7's Red Gong of seven creatures, opened first over the opposite state so that nothing
// may linger from before. A pick fills the eighth place, takes just that creature from the stacks
// and shows in the panel at once; a covered picture, on its corner or its cover, takes no click.
void TestMonSelect::framesAndPicks()
{
    QFETCH(int, type);
    QFETCH(int, left);
    QFETCH(QColor, frame);
    BoardSession s;
    s.form.SelectLand(7);
    TMonSelectForm &picker = *s.windows->MonSelectForm;
    TLegion &gong = *s.form.Game().GetPlayer(1)->GetLegion(3);
    for (const int count : {left == 0 ? 1 : 0, left}) {
        s.form.Game().Stacks().SetCount(uint8_t(type), count);
        picker.ShowForLgn(&gong);
    }
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    const size_t index = size_t(type - 1);
    const bool covered = left == 0 && type != Crit::Vorun;
    QCOMPARE(picker.Shapes[index]->isVisible() ? picker.Shapes[index]->BrushColor() : QColor(),
             frame);
    QCOMPARE(picker.Labels[index]->isVisible(), covered);
    QCOMPARE(picker.Images[index]->isEnabled(), !covered);
    QCOMPARE(picker.Images[index]->toolTip(), covered ? "" : QString::number(left) + " left");

    TCharLeft::Counts expected = s.form.Game().Stacks().CharLeftArray();
    expected[size_t(type)] -= !covered && type != Crit::Vorun;
    QWindow *window = picker.windowHandle();
    const QPoint at = picker.Images[index]->pos();
    QTest::mouseClick(window, Qt::LeftButton, {}, at + QPoint(8, 8)); // clear of any cover
    if (covered) {
        QTest::mouseClick(window, Qt::LeftButton, {}, at + QPoint(50, 50));
        QVERIFY(picker.isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        // Nor does a pick with no legion set, which is reported.
        s.fake.queueAnswer(Platform::Answer::Ok);
        TMonSelectForm(s.form.Document()).ImageClick(Crit::Angel);
    }
    QTRY_VERIFY(!picker.isVisible());
    QCOMPARE(int(gong.GetCrits().back()), covered ? Crit::None : type);
    QVERIFY(!gong.GetUnsure().back());
    QVERIFY(s.form.Game().Stacks().CharLeftArray() == expected);
    QCOMPARE(s.form.Panel->LgnTroopsLbl1->text(),
             "Troll, Troll, Troll, Ranger, Ranger, Wyvern, Warbear"
                 + (covered ? QString() : QString(", ") + CritNames[size_t(type)]));
    QCOMPARE(s.fake.boxes().join(""),
             covered ? "Bug!  Attempted to recruit into deep space. | Debug Info | None | Ok" : "");
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestMonSelect)
#include "test_monselect.moc"
