#include "tlandpanel.h"
#include "board_game.h"
#include "fake_platform.h"
#include "program_folder.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// The program started on the board game.
// One legion's row in the panel. No troops: the land is empty; no name: the row hides.
struct Shown {
    QString name, troops;
    QColor colour;
};

struct PanelRow {
    int before; // selected first, so controls it left shown would be caught
    int land;
    bool rotated; // Rotate clicked after selecting
    QString caption;
    QColor terrain;
    Shown first, second;
    bool addMarker, rotate;
};

QColor TextColor(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

Q_DECLARE_METATYPE(PanelRow)

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void describesTheSelectedLand_data();
    void describesTheSelectedLand();
    void clearAndRefresh();
};

void TestPanel::describesTheSelectedLand_data()
{
    QTest::addColumn<PanelRow>("row");
    const QColor blue(0, 0, 128), red(212, 0, 0), tower(240, 240, 240);
    const Shown fist{"Fist", "Troll, Troll, Troll, Troll, Ranger, Ranger, Wyvern, Warbear", red};
    const Shown anchor{"Anchor", "Vorun?, Angel?, Centaur, Centaur, Gargoyle, Gargoyle, Ogre, Ogre",
                       blue};
    const Shown bat{"Bat", "Lion, Troll", blue}, cross{"Cross", "Ogre", red};
    const Shown candle{"Candle", "Cyclops, Cyclops, Gorgon?", blue}, eagle{"Eagle", "Griffon", red};
    const QColor plains(255, 232, 64), marsh(192, 112, 48);
    const Shown none{"None", "", {}};
    auto row = [](const char *name, const PanelRow &value) {
        QTest::newRow(name) << value;
    };
    row("empty", {90, 1, false, "Plains 1", plains, none, {}, true, false});
    row("one legion", {86, 8, false, "Marsh 8  (1S)", marsh, fist, {}, true, false});
    row("two legions", {90, 86, false, "Tower 200  (2S)", tower, candle, eagle, true, true});
    row("three legions", {1, 90, false, "Tower 600  (3S)", tower, anchor, bat, false, true});
    row("two rotated", {1, 86, true, "Tower 200  (2S)", tower, eagle, candle, true, true});
    row("three rotated", {1, 90, true, "Tower 600  (3S)", tower, bat, cross, false, true});
}

void TestPanel::describesTheSelectedLand()
{
    QFETCH(PanelRow, row);
    BoardSession s;
    TVorunMainForm &form = s.form;
    const TVorunMBLand &land = form.Board()->GetLand(row.land);
    form.SelectLand(row.before);
    form.SelectLand(row.land);
    if (row.rotated)
        QTest::mouseClick(form.Panel->RotateLgnBtn, Qt::LeftButton);

    QCOMPARE(form.SelectedLand(), &land);
    QCOMPARE(form.ActiveLegion(), form.LandStacks(row.land).GetStack(0));
    QCOMPARE(form.Board()->GetLand(row.before).GetHighlight(), uint8_t(0));
    QCOMPARE(land.GetHighlight(), uint8_t(1));
    QCOMPARE(form.Panel->ActvLandLbl->text(), row.caption);
    QCOMPARE(TextColor(form.Panel->ActvLandLbl), QColor(Qt::black));
    QVERIFY(form.Panel->ActvLandShape->isVisible());
    QCOMPARE(form.Panel->ActvLandShape->BrushColor(), row.terrain);
    QCOMPARE(form.Panel->AddMrkrBtn->isVisible(), row.addMarker);
    QCOMPARE(form.Panel->RotateLgnBtn->isVisible(), row.rotate);
    QCOMPARE(form.Panel->ActvLgnLbl->text(), row.first.name);
    QVERIFY(form.Panel->ActvLgnLbl->isVisible());

    const bool first = !row.first.troops.isEmpty();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             form.Panel->ActvLgnShape, form.Panel->LgnTroopsLbl1, form.Panel->ViewLgnBtn})
        QCOMPARE(widget->isVisible(), first);
    QCOMPARE(form.focusWidget(), first ? form.Panel->ViewLgnBtn : form.Panel->AddMrkrBtn);
    if (first) {
        QCOMPARE(form.Panel->LgnTroopsLbl1->text(), row.first.troops);
        QCOMPARE(form.Panel->ActvLgnShape->BrushColor(), row.first.colour);
    }
    const bool second = !row.second.name.isEmpty();
    for (QWidget *widget : std::initializer_list<QWidget *>{
             form.Panel->ActvLgnLbl2, form.Panel->ActvLgnShape2, form.Panel->LgnTroopsLbl2})
        QCOMPARE(widget->isVisible(), second);
    if (second) {
        QCOMPARE(form.Panel->ActvLgnLbl2->text(), row.second.name);
        QCOMPARE(form.Panel->LgnTroopsLbl2->text(), row.second.troops);
        QCOMPARE(form.Panel->ActvLgnShape2->BrushColor(), row.second.colour);
    }
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
    QCOMPARE(s.fake.prompts().size(), 1);
    QCOMPARE(s.fake.prompts().first().text,
             QStringLiteral("is this normal and we should just return or is this a bug?"));
    QCOMPARE(form.SelectedLand(), nullptr);

    // Tower 200 shows every control but the third legion's.
    form.SelectLand(86);
    TVorunMBLand &tower = form.Board()->GetLand(86);
    form.Game().Land(86).GetStack(0)->CritUnsure(0);
    form.SelectLand(0);
    QCOMPARE(form.SelectedLand(), &tower);
    QCOMPARE(form.ActiveLegion(), form.LandStacks(86).GetStack(0));
    QCOMPARE(tower.GetHighlight(), uint8_t(1));
    QCOMPARE(form.Panel->LgnTroopsLbl1->text(), QStringLiteral("Cyclops?, Cyclops, Gorgon?"));
    QCOMPARE(form.Panel->ActvLandLbl->text(), QStringLiteral("Tower 200  (2S)"));

    QCOMPARE(form.ClearSelection(), 86);
    QCOMPARE(form.SelectedLand(), nullptr);
    QCOMPARE(form.ActiveLegion(), nullptr);
    QCOMPARE(tower.GetHighlight(), uint8_t(0));
    QCOMPARE(form.Panel->ActvLandLbl->text(), QStringLiteral("None"));
    QCOMPARE(TextColor(form.Panel->ActvLandLbl), QColor(Qt::white));
    QCOMPARE(form.Panel->ActvLgnLbl->text(), QStringLiteral("None"));
    QVERIFY(form.Panel->ActvLandLbl->isVisible());
    QVERIFY(form.Panel->ActvLgnLbl->isVisible());
    for (QWidget *widget : std::initializer_list<QWidget *>{
             form.Panel->ActvLandShape, form.Panel->ActvLgnShape, form.Panel->LgnTroopsLbl1,
             form.Panel->ActvLgnLbl2, form.Panel->ActvLgnShape2, form.Panel->LgnTroopsLbl2,
             form.Panel->ViewLgnBtn, form.Panel->RotateLgnBtn, form.Panel->AddMrkrBtn})
        QVERIFY2(!widget->isVisible(), qPrintable(widget->metaObject()->className()));
    QCOMPARE(form.ClearSelection(), 0);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
