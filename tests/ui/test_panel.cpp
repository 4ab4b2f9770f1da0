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

QColor TextColor(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestPanel : public QObject {
    Q_OBJECT

private slots:
    void describesTheSelectedLand_data();
    void describesTheSelectedLand();
    void clearSelectionEmptiesThePanel();
    void refreshReselectsTheLand();
    void refreshWithNothingSelectedIsReported();
    void rotateBringsTheNextLegionForward_data();
    void rotateBringsTheNextLegionForward();
};

void TestPanel::describesTheSelectedLand_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("land");
    QTest::addColumn<QString>("landCaption");
    QTest::addColumn<QColor>("terrain");
    QTest::addColumn<QString>("legion1");
    QTest::addColumn<QString>("troops1");
    QTest::addColumn<QColor>("colour1");
    QTest::addColumn<QString>("legion2"); // empty: the second legion's controls are hidden
    QTest::addColumn<QString>("troops2");
    QTest::addColumn<QColor>("colour2");
    QTest::addColumn<bool>("addMarker");
    QTest::addColumn<bool>("rotate");

    const QColor blue(0, 0, 128), red(212, 0, 0), tower(240, 240, 240), none;
    // Each land is selected after one that shows other controls, so stale ones would show.
    QTest::newRow("empty") << 90 << 1 << "Plains 1" << QColor(255, 232, 64) << "None"
                           << "" << none << ""
                           << "" << none << true << false;
    QTest::newRow("one legion") << 86 << 8 << "Marsh 8  (1S)" << QColor(192, 112, 48) << "Fist"
                                << "Troll, Troll, Troll, Troll, Ranger, Ranger, Wyvern, Warbear"
                                << red << ""
                                << "" << none << true << false;
    QTest::newRow("two legions") << 90 << 86 << "Tower 200  (2S)" << tower << "Candle"
                                 << "Cyclops, Cyclops, Gorgon?" << blue << "Eagle"
                                 << "Griffon" << red << true << true;
    QTest::newRow("three legions")
        << 1 << 90 << "Tower 600  (3S)" << tower << "Anchor"
        << "Vorun?, Angel?, Centaur, Centaur, Gargoyle, Gargoyle, Ogre, Ogre" << blue << "Bat"
        << "Lion, Troll" << blue << false << true;
}

void TestPanel::describesTheSelectedLand()
{
    QFETCH(int, before);
    QFETCH(int, land);
    QFETCH(QString, landCaption);
    QFETCH(QColor, terrain);
    QFETCH(QString, legion1);
    QFETCH(QString, troops1);
    QFETCH(QColor, colour1);
    QFETCH(QString, legion2);
    QFETCH(QString, troops2);
    QFETCH(QColor, colour2);
    QFETCH(bool, addMarker);
    QFETCH(bool, rotate);
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    const TVorunMasterboard &board = *TheMasterboard();

    form.SelectLand(before);
    form.SelectLand(land);

    QCOMPARE(form.SelectedLand(), &board.GetLand(land));
    QCOMPARE(form.ActiveLegion(), board.GetLand(land).GetStack(0));
    QCOMPARE(board.GetLand(before).GetHighlight(), uint8_t(0));
    QCOMPARE(board.GetLand(land).GetHighlight(), uint8_t(1));
    QCOMPARE(form.ActvLandLbl->text(), landCaption);
    QCOMPARE(TextColor(form.ActvLandLbl), QColor(Qt::black));
    QVERIFY(form.ActvLandShape->isVisible());
    QCOMPARE(form.ActvLandShape->BrushColor(), terrain);
    QCOMPARE(form.AddMrkrBtn->isVisible(), addMarker);
    QCOMPARE(form.RotateLgnBtn->isVisible(), rotate);

    const bool hasLegion = form.ActiveLegion() != nullptr;
    QCOMPARE(form.ActvLgnLbl->text(), legion1);
    QVERIFY(form.ActvLgnLbl->isVisible());
    QCOMPARE(form.ActvLgnShape->isVisible(), hasLegion);
    QCOMPARE(form.LgnTroopsLbl1->isVisible(), hasLegion);
    QCOMPARE(form.ViewLgnBtn->isVisible(), hasLegion);
    QCOMPARE(form.focusWidget(), hasLegion ? form.ViewLgnBtn : form.AddMrkrBtn);
    if (hasLegion) {
        QCOMPARE(form.LgnTroopsLbl1->text(), troops1);
        QCOMPARE(form.ActvLgnShape->BrushColor(), colour1);
    }

    const bool second = !legion2.isEmpty();
    for (QWidget *widget :
         std::initializer_list<QWidget *>{form.ActvLgnLbl2, form.ActvLgnShape2, form.LgnTroopsLbl2})
        QCOMPARE(widget->isVisible(), second);
    if (second) {
        QCOMPARE(form.ActvLgnLbl2->text(), legion2);
        QCOMPARE(form.LgnTroopsLbl2->text(), troops2);
        QCOMPARE(form.ActvLgnShape2->BrushColor(), colour2);
    }
    VERIFY_PLATFORM_DONE(fake);
}

void TestPanel::clearSelectionEmptiesThePanel()
{
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    form.SelectLand(90);

    QCOMPARE(form.ClearSelection(), 90);

    QCOMPARE(form.SelectedLand(), nullptr);
    QCOMPARE(form.ActiveLegion(), nullptr);
    QCOMPARE(TheMasterboard()->GetLand(90).GetHighlight(), uint8_t(0));
    QCOMPARE(form.ActvLandLbl->text(), QStringLiteral("None"));
    QCOMPARE(TextColor(form.ActvLandLbl), QColor(Qt::white));
    QCOMPARE(form.ActvLgnLbl->text(), QStringLiteral("None"));
    QVERIFY(form.ActvLandLbl->isVisible());
    QVERIFY(form.ActvLgnLbl->isVisible());
    for (QWidget *widget :
         std::initializer_list<QWidget *>{form.ActvLandShape, form.ActvLgnShape, form.LgnTroopsLbl1,
                                          form.ActvLgnLbl2, form.ActvLgnShape2, form.LgnTroopsLbl2,
                                          form.ViewLgnBtn, form.RotateLgnBtn, form.AddMrkrBtn})
        QVERIFY2(!widget->isVisible(), qPrintable(widget->metaObject()->className()));
    QCOMPARE(form.ClearSelection(), 0);
    VERIFY_PLATFORM_DONE(fake);
}

void TestPanel::refreshReselectsTheLand()
{
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    form.SelectLand(86);
    TLegion &candle = *TheMasterboard()->GetLand(86).GetStack(0);
    candle.CritUnsure(0, false);

    form.SelectLand(0);

    QCOMPARE(form.SelectedLand(), &TheMasterboard()->GetLand(86));
    QCOMPARE(form.ActiveLegion(), &candle);
    QCOMPARE(TheMasterboard()->GetLand(86).GetHighlight(), uint8_t(1));
    QCOMPARE(form.LgnTroopsLbl1->text(), QStringLiteral("Cyclops?, Cyclops, Gorgon?"));
    QCOMPARE(form.ActvLandLbl->text(), QStringLiteral("Tower 200  (2S)"));
    QVERIFY(form.RotateLgnBtn->isVisible());
    VERIFY_PLATFORM_DONE(fake);
}

void TestPanel::refreshWithNothingSelectedIsReported()
{
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    fake.queueAnswer(Platform::Answer::Ok);

    form.SelectLand(0);

    QCOMPARE(fake.prompts().size(), 1);
    const FakePlatform::Prompt &prompt = fake.prompts().first();
    QCOMPARE(prompt.text,
             QStringLiteral("is this normal and we should just return or is this a bug?"));
    QCOMPARE(prompt.caption, QStringLiteral("Debug Info"));
    QCOMPARE(prompt.icon, Platform::Icon::None);
    QCOMPARE(prompt.buttons, Platform::Buttons::Ok);
    QCOMPARE(form.SelectedLand(), nullptr);
    QCOMPARE(form.ActvLandLbl->text(), QStringLiteral("None"));
    QVERIFY(!form.ActvLandShape->isVisible());
    VERIFY_PLATFORM_DONE(fake);
}

void TestPanel::rotateBringsTheNextLegionForward_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("three legions") << 90 << QStringList{"Bat", "Cross", "Anchor"};
    QTest::newRow("two legions") << 86 << QStringList{"Eagle", "Candle"};
}

void TestPanel::rotateBringsTheNextLegionForward()
{
    QFETCH(int, land);
    QFETCH(QStringList, order);
    FakePlatform fake;
    ProgramFolder folder;
    auto windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
    const TVorunMBLand &mbLand = TheMasterboard()->GetLand(land);
    form.SelectLand(land);

    QTest::mouseClick(form.RotateLgnBtn, Qt::LeftButton);

    QCOMPARE(SlotNames(mbLand.GetLandNumber()), order);
    QCOMPARE(form.SelectedLand(), &mbLand);
    QCOMPARE(form.ActiveLegion(), mbLand.GetStack(0));
    QCOMPARE(mbLand.GetHighlight(), uint8_t(1));
    QCOMPARE(form.ActvLgnLbl->text(), order.at(0));
    QCOMPARE(form.ActvLgnLbl2->text(), order.at(1));
    QCOMPARE(form.LgnTroopsLbl1->text(),
             QString::fromStdString(TVorunMainForm::TroopsText(*mbLand.GetStack(0))));
    QCOMPARE(form.ActvLandLbl->text().right(4), QStringLiteral("(%1S)").arg(order.size()));
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestPanel)
#include "test_panel.moc"
