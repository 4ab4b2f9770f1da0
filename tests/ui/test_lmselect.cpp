#include "board_game.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tplayer.h"
#include "tshape.h"

#include <QLabel>
#include <QTest>

namespace {

// In the board game Anne plays Blue (row 0) with Anchor, Bat and Candle on the board; Bob plays
// Red (row 1) with Cross, Eagle, Fist and Gong.
const QColor Blue(0, 0, 128), Red(212, 0, 0), Grey(128, 128, 128);
constexpr int Cloud = 3; // Anne's first free marker
constexpr int Fist = 14;

// As Add Marker (newStack false) or the legion window's New Stack opens it.
TLMSelectForm &Open(BoardSession &s, int land, bool newStack)
{
    TLMSelectForm &picker = *s.windows->LMSelectForm;
    if (land)
        s.form.SelectLand(land);
    picker.NewStackMode = newStack;
    picker.ShowPicker();
    if (!QTest::qWaitForWindowExposed(&picker))
        qWarning("picker not exposed");
    return picker;
}

// A real click on the middle of a control, or on its bottom edge (below a marker's label).
void Click(TLMSelectForm &picker, QWidget *control, bool middle = true)
{
    const QPoint at(control->width() / 2, middle ? control->height() / 2 : control->height() - 5);
    QTest::mouseClick(picker.windowHandle(), Qt::LeftButton, {}, control->mapTo(&picker, at));
}

// The marker labels of row p.
QString Row(const TLMSelectForm &picker, int p)
{
    QStringList texts;
    for (int m = 0; m < MarkersPerColor; ++m)
        texts << picker.MarkerLbls[size_t(MarkersPerColor * p + m)]->text();
    return texts.join(' ');
}

// The free counts of both rows, then the tags of the grey squares.
QString Summary(const TLMSelectForm &picker)
{
    QStringList parts{picker.NLLbls[0]->text(), picker.NLLbls[1]->text(), "grey:"};
    for (int k = 0; k < TLMSelectForm::GridSize; ++k)
        if (picker.MarkerShapes[size_t(k)] && picker.MarkerShapes[size_t(k)]->BrushColor() == Grey)
            parts << QString::number(k);
    return parts.join(' ');
}

} // namespace

class TestLMSelect : public QObject {
    Q_OBJECT

private slots:
    void showsMarkersOfEachPlayer();
    void placesChosenMarker_data();
    void placesChosenMarker();
    void refusesOtherPressesEscapeHides();
};

// The free markers are counted each time the picker opens, not while it stays open.
void TestLMSelect::showsMarkersOfEachPlayer()
{
    BoardSession s;
    TLMSelectForm &picker = Open(s, 1, false);
    for (int p = 0; p < TLMSelectForm::Rows; ++p) {
        QCOMPARE(picker.ColorShapes[size_t(p)]->isVisible(), p < 2);
        QCOMPARE(picker.NLLbls[size_t(p)]->isVisible() || picker.LeftLbls[size_t(p)]->isVisible(),
                 p < 2);
        QCOMPARE(picker.MarkerShapes[size_t(MarkersPerColor * p)] != nullptr, p < 2);
    }
    QCOMPARE(picker.ColorShapes[1]->BrushColor(), Red);
    QCOMPARE(Row(picker, 0), QStringLiteral("Anc Bat Can Clo Egg Foo Fou Moo Oct Pad Tor Tri"));
    QCOMPARE(Row(picker, 1), QStringLiteral("Cro Eag Fis Gon Hea Jes Sal Shi Spi Sta Swo Tor"));
    QCOMPARE(Summary(picker), QStringLiteral("9 8 grey: 0 1 2 12 13 14 15"));
    QCOMPARE(picker.MarkerShapes[Cloud]->BrushColor(), Blue);

    s.form.Game().GetPlayer(1)->GetLegion(Fist - MarkersPerColor)->RemoveFromBoard(true);
    picker.ShowPicker();
    QCOMPARE(Summary(picker), QStringLiteral("9 8 grey: 0 1 2 12 13 14 15"));
    picker.hide();
    Open(s, 0, false);
    QCOMPARE(Summary(picker), QStringLiteral("9 9 grey: 0 1 2 12 13 15"));
    QCOMPARE(picker.MarkerShapes[Fist]->BrushColor(), Red);

    // A second grid replaces the first.
    picker.BuildMarkers(1, {s.form.Game().GetPlayer(0)});
    QCOMPARE(int(picker.findChildren<QWidget *>().size()),
             3 * TLMSelectForm::Rows + 2 * MarkersPerColor);
    QVERIFY(!picker.ColorShapes[1]->isVisible());
    VERIFY_PLATFORM_DONE(s.fake);
}

void TestLMSelect::placesChosenMarker_data()
{
    QTest::addColumn<int>("land");
    QTest::addColumn<bool>("newStack");
    QTest::addColumn<QStringList>("names"); // the land's legions afterwards
    QTest::newRow("add marker") << 1 << false << QStringList{"Cloud"};
    QTest::newRow("new stack") << 8 << true << QStringList{"Fist", "Cloud"};
    QTest::newRow("third slot") << 86 << false << QStringList{"Candle", "Eagle", "Cloud"};
    QTest::newRow("full") << 90 << true << QStringList{"Anchor", "Bat", "Cross"};
}

void TestLMSelect::placesChosenMarker()
{
    QFETCH(int, land);
    QFETCH(bool, newStack);
    QFETCH(QStringList, names);
    BoardSession s;
    const bool full = !names.contains("Cloud");
    if (full)
        s.fake.queueAnswer(Platform::Answer::Ok);
    TLMSelectForm &picker = Open(s, land, newStack);
    Click(picker,
          newStack ? static_cast<QWidget *>(picker.MarkerLbls[Cloud]) : picker.MarkerShapes[Cloud],
          newStack);

    QVERIFY(!picker.isVisible());
    QVERIFY(!picker.NewStackMode);
    QCOMPARE(s.windows->LgnDispForm->isVisible(), newStack);
    QCOMPARE(SlotNames(land), names);
    QCOMPARE(
        s.fake.boxes(),
        full ? QStringList{"Can't have more than 3 stacks on a land. | Land is full | None | Ok"}
             : QStringList());
    // The panel was refreshed: its caption counts the land's legions.
    QVERIFY(s.form.ActvLandLbl->text().endsWith(QStringLiteral("(%1S)").arg(names.size())));
    if (names.size() < 3)
        QCOMPARE((names.size() == 1 ? s.form.ActvLgnLbl : s.form.ActvLgnLbl2)->text(), "Cloud");

    s.windows->LgnDispForm->hide();
    Open(s, 0, false);
    QCOMPARE(Summary(picker),
             full ? "9 8 grey: 0 1 2 12 13 14 15" : "8 8 grey: 0 1 2 3 12 13 14 15");
    VERIFY_PLATFORM_DONE(s.fake);
}

// Grey markers, colour boxes and their captions answer with a message and change nothing.
void TestLMSelect::refusesOtherPressesEscapeHides()
{
    BoardSession s;
    TLMSelectForm &picker = Open(s, 1, true);
    const QString inUse = "That legion marker is already in use.\nPlease choose another. | In Use"
                          " | None | Ok";
    const QString notMarker = "The first box only displays the number of markers of that color "
                              "remaining.\nPlease select a legion marker to the right. | Not a "
                              "Legion Marker | None | Ok";
    const QList<QWidget *> controls{picker.MarkerShapes[0], picker.MarkerLbls[13],
                                    picker.ColorShapes[1], picker.NLLbls[0], picker.LeftLbls[1]};
    for (QWidget *control : controls) {
        s.fake.queueAnswer(Platform::Answer::Ok);
        Click(picker, control);
    }
    QCOMPARE(s.fake.boxes(), QStringList({inUse, inUse, notMarker, notMarker, notMarker}));
    QVERIFY(picker.isVisible());
    QVERIFY(picker.NewStackMode);
    QCOMPARE(SlotNames(1), QStringList());
    QCOMPARE(Summary(picker), QStringLiteral("9 8 grey: 0 1 2 12 13 14 15"));

    QTest::keyClick(picker.windowHandle(), Qt::Key_Escape);
    QVERIFY(!picker.isVisible());
    QVERIFY(!picker.NewStackMode);
    QVERIFY(!s.windows->LgnDispForm->isVisible());
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestLMSelect)
#include "test_lmselect.moc"
