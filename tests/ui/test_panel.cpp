#include "board_game.h"
#include "tlandpanel.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// The panel's shown controls in their order: shapes by colour, labels and buttons by text.
QString Shown(const TLandPanel &p)
{
    QStringList shown;
    for (QWidget *w : QWidgetList{p.ActvLandLbl, p.ActvLandShape, p.AddMrkrBtn, p.ActvLgnLbl,
                                  p.ActvLgnShape, p.LgnTroopsLbl1, p.ViewLgnBtn, p.ActvLgnLbl2,
                                  p.ActvLgnShape2, p.LgnTroopsLbl2, p.RotateLgnBtn}) {
        if (!w->isVisible())
            continue;
        if (auto *shape = dynamic_cast<TShape *>(w))
            shown << shape->BrushColor().name();
        else
            shown << w->property("text").toString().remove('&');
    }
    return shown.join(" | ");
}

} // namespace

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void describesTheSelectedLand_data();
    void describesTheSelectedLand();
    void clearAndRefresh();
};

void TestPanel::describesTheSelectedLand_data()
{
    QTest::addColumn<int>("before"); // selected first, so controls it left shown would be caught
    QTest::addColumn<int>("land");
    QTest::addColumn<bool>("rotated"); // Rotate clicked after selecting
    QTest::addColumn<QString>("shown");

    const QString add = " | Add Marker", view = " | View/Edit", rotate = " | Rotate";
    const QString fist = " | Fist | #d40000 | Troll, Troll, Troll, Troll, Ranger, Ranger, Wyvern, "
                         "Warbear";
    const QString anchor = " | Anchor | #000080 | Vorun?, Angel?, Centaur, Centaur, Gargoyle, "
                           "Gargoyle, Ogre, Ogre";
    const QString bat = " | Bat | #000080 | Lion, Troll", cross = " | Cross | #d40000 | Ogre";
    const QString candle = " | Candle | #000080 | Cyclops, Cyclops, Gorgon?";
    const QString eagle = " | Eagle | #d40000 | Griffon";
    const QString tower200 = "Tower 200  (2S) | #f0f0f0", tower600 = "Tower 600  (3S) | #f0f0f0";
    QTest::newRow("empty") << 90 << 1 << false << "Plains 1 | #ffe840" + add + " | None";
    QTest::newRow("one legion") << 86 << 8 << false
                                << "Marsh 8  (1S) | #c07030" + add + fist + view;
    QTest::newRow("two legions") << 90 << 86 << false
                                 << tower200 + add + candle + view + eagle + rotate;
    QTest::newRow("three legions") << 1 << 90 << false << tower600 + anchor + view + bat + rotate;
    QTest::newRow("two rotated") << 1 << 86 << true
                                 << tower200 + add + eagle + view + candle + rotate;
    QTest::newRow("three rotated") << 1 << 90 << true << tower600 + bat + view + cross + rotate;
}

void TestPanel::describesTheSelectedLand()
{
    QFETCH(int, before);
    QFETCH(int, land);
    QFETCH(bool, rotated);
    QFETCH(QString, shown);
    BoardSession s;
    TVorunMainForm &form = s.form;
    form.SelectLand(before);
    form.SelectLand(land);
    if (rotated)
        QTest::mouseClick(form.Panel->RotateLgnBtn, Qt::LeftButton);

    QCOMPARE(Shown(*form.Panel), shown);
    QCOMPARE(form.Panel->ActvLandLbl->palette().color(QPalette::WindowText), QColor(Qt::black));
    TLegion *top = form.LandStacks(land).GetStack(0);
    QCOMPARE(form.ActiveLegion(), top);
    QCOMPARE(form.focusWidget(), top ? form.Panel->ViewLgnBtn : form.Panel->AddMrkrBtn);
    QCOMPARE(form.Board()->GetLand(before).GetHighlight(), uint8_t(0));
    QCOMPARE(form.Board()->GetLand(land).GetHighlight(), uint8_t(1));
    VERIFY_PLATFORM_DONE(s.fake);
}

// SelectLand(0) redraws the selected land from the model, and reports a call with nothing
// selected; ClearSelection empties the panel and returns the land it cleared.
void TestPanel::clearAndRefresh()
{
    BoardSession s;
    TVorunMainForm &form = s.form;
    s.fake.queueAnswer(Platform::Answer::Ok);
    form.SelectLand(0);
    QCOMPARE(s.fake.prompts().value(0).text,
             QStringLiteral("is this normal and we should just return or is this a bug?"));
    QCOMPARE(form.SelectedLand(), nullptr);

    form.SelectLand(86);
    form.Game().Land(86).GetStack(0)->CritUnsure(0);
    form.SelectLand(0);
    QCOMPARE(form.SelectedLand(), &form.Board()->GetLand(86));
    QCOMPARE(form.Panel->LgnTroopsLbl1->text(), QStringLiteral("Cyclops?, Cyclops, Gorgon?"));

    QCOMPARE(form.ClearSelection(), 86);
    QCOMPARE(form.SelectedLand(), nullptr);
    QCOMPARE(form.ActiveLegion(), nullptr);
    QCOMPARE(form.Board()->GetLand(86).GetHighlight(), uint8_t(0));
    QCOMPARE(Shown(*form.Panel), QStringLiteral("None | None"));
    QCOMPARE(form.Panel->ActvLandLbl->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(form.ClearSelection(), 0);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
