#include "tlandpanel.h"
#include "board_game.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tplayer.h"
#include "tshape.h"

#include <QLabel>
#include <QTest>

class TestLMSelect : public QObject {
    Q_OBJECT

private slots:
    void clicks_data();
    void clicks();
    void captionsFitTheirSquares();
};

void TestLMSelect::clicks_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<bool>("newStack"); // opened by New Stack of the legion window
    QTest::addColumn<QString>("control"); // the one pressed, or Esc
    QTest::addColumn<QStringList>("names"); // the land's legions afterwards
    QTest::addColumn<QString>("box"); // text | caption
    const QString inUse = "That legion marker is already in use.\nPlease choose another. | In Use";
    const QString notMarker = "The first box only displays the number of markers of that color "
                              "remaining.\nPlease select a legion marker to the right. | Not a "
                              "Legion Marker";
    QTest::newRow("add marker") << 1 << false << "square 3" << QStringList{"Cloud"} << "";
    QTest::newRow("new stack") << 8 << true << "label 3" << QStringList{"Fist", "Cloud"} << "";
    QTest::newRow("full") << 90 << true << "label 3" << QStringList{"Anchor", "Bat", "Cross"}
                          << "Can't have more than 3 stacks on a land. | Land is full";
    QTest::newRow("grey square") << 1 << false << "square 0" << QStringList() << inUse;
    QTest::newRow("grey label") << 1 << false << "label 13" << QStringList() << inUse;
    QTest::newRow("colour box") << 1 << false << "colour 1" << QStringList() << notMarker;
    QTest::newRow("count") << 1 << false << "count 0" << QStringList() << notMarker;
    QTest::newRow("left") << 1 << false << "left 1" << QStringList() << notMarker;
    QTest::newRow("Escape") << 1 << false << "Esc" << QStringList() << "";
}

// Anne (Blue) has Anchor, Bat and Candle on the board, Bob (Red) Cross, Eagle, Fist and Gong.
void TestLMSelect::clicks()
{
    QFETCH(int, land);
    QFETCH(bool, newStack);
    QFETCH(QString, control);
    QFETCH(QStringList, names);
    QFETCH(QString, box);
    BoardSession s;
    TLMSelectForm &picker = *s.windows->LMSelectForm;
    s.form.SelectLand(land);
    if (newStack)
        s.windows->LgnDispForm->ShowLgns(land);
    picker.ShowPicker(land);
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QString labels;
    for (QLabel *label : picker.MarkerLbls)
        labels += label ? label->text() : QString();
    QCOMPARE(labels, "AncBatCanCloEggFooFouMooOctPadTorTriCroEagFisGonHeaJesSalShiSpiStaSwoTor");
    for (size_t p = 0; p < size_t(TLMSelectForm::Rows); ++p) // one row per player
        QCOMPARE(picker.ColorShapes[p]->isVisible() + picker.LeftLbls[p]->isVisible(), 2 * (p < 2));

    if (!box.isEmpty())
        s.fake.queueAnswer(Platform::Answer::Ok);
    const QMap<QString, QWidget *> controls{
        {"square 3", picker.MarkerShapes[3]}, {"label 3", picker.MarkerLbls[3]},
        {"square 0", picker.MarkerShapes[0]}, {"label 13", picker.MarkerLbls[13]},
        {"colour 1", picker.ColorShapes[1]},  {"count 0", picker.NLLbls[0]},
        {"left 1", picker.LeftLbls[1]}};
    if (QWidget *widget = controls.value(control)) {
        // Near the top right corner, clear of the labels over the squares.
        const QPoint at = widget->mapTo(&picker, QPoint(widget->width() - 4, 4));
        QCOMPARE(picker.childAt(at), widget);
        QTest::mouseClick(picker.windowHandle(), Qt::LeftButton, {}, at);
    } else {
        QTest::keyClick(picker.windowHandle(), Qt::Key_Escape);
    }
    QCOMPARE(picker.isVisible(), names.isEmpty() && control != "Esc");
    // The legion window that opened the picker shows the new legion with the others.
    TLgnDispForm &legions = *s.windows->LgnDispForm;
    QCOMPARE(legions.isVisible(), newStack && !names.isEmpty());
    if (legions.isVisible())
        QCOMPARE(legions.LgnMrkrLbl2->text(), names.value(1));
    QCOMPARE(SlotNames(s.form, land), names);
    QCOMPARE(s.fake.boxes().join(""), box.isEmpty() ? "" : box + " | None | Ok");
    QCOMPARE(s.form.Panel->ActvLandLbl->text().section('(', 1),
             names.isEmpty() ? "" : QString("%1S)").arg(names.size()));

    // Shown again, the counts and the greyed markers follow the board.
    s.form.Game().RemoveLegion(*s.form.Game().GetPlayer(1)->GetLegion(2), true); // Fist
    picker.hide();
    picker.ShowPicker(land);
    QStringList counts{picker.NLLbls[0]->text(), picker.NLLbls[1]->text(), "grey:"};
    for (size_t k = 0; k < size_t(TLMSelectForm::GridSize); ++k)
        if (picker.MarkerShapes[k] && picker.MarkerShapes[k]->BrushColor() == Qt::darkGray)
            counts << QString::number(k);
    QCOMPARE(counts.join(' '),
             names.contains("Cloud") ? "8 9 grey: 0 1 2 3 12 13 15" : "9 9 grey: 0 1 2 12 13 15");
    picker.BuildMarkers(1, {s.form.Game().GetPlayer(0)});
    QVERIFY(!picker.ColorShapes[1]->isVisible() && !picker.MarkerShapes[12]);
    VERIFY_PLATFORM_DONE(s.fake);
}

// Every caption of all six colours, and the widest count, ends inside its square's outline
// whatever font stands in for the design's.
void TestLMSelect::captionsFitTheirSquares()
{
    BoardSession s;
    TLMSelectForm &picker = *s.windows->LMSelectForm;
    std::vector<std::unique_ptr<TPlayer>> owners;
    std::vector<TPlayer *> players;
    for (uint8_t colour = 0; colour < TLMSelectForm::Rows; ++colour)
        players.push_back(
            owners.emplace_back(std::make_unique<TPlayer>("P", colour, 0, 1, colour)).get());
    picker.BuildMarkers(TLMSelectForm::Rows, players);
    picker.ShowPicker(0);
    QVERIFY(QTest::qWaitForWindowExposed(&picker));
    QCOMPARE(picker.NLLbls[0]->text(), QStringLiteral("12"));
    const auto outside = [](const QLabel *label, const QWidget *square) {
        constexpr int outline = 3;
        const QRect room = square->geometry().adjusted(outline, outline, -outline, -outline);
        return room.contains(label->geometry()) ? QString() : label->text();
    };
    QStringList overflowing;
    for (size_t k = 0; k < size_t(TLMSelectForm::GridSize); ++k)
        overflowing << outside(picker.MarkerLbls[k], picker.MarkerShapes[k]);
    for (size_t p = 0; p < size_t(TLMSelectForm::Rows); ++p)
        overflowing << outside(picker.NLLbls[p], picker.ColorShapes[p])
                    << outside(picker.LeftLbls[p], picker.ColorShapes[p]);
    overflowing.removeAll(QString());
    QCOMPARE(overflowing, QStringList());
    // Back to the game's players before these go.
    picker.BuildMarkers(2, {s.form.Game().GetPlayer(0), s.form.Game().GetPlayer(1)});
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestLMSelect)
#include "test_lmselect.moc"
