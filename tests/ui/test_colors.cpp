#include "fake_platform.h"
#include "program_folder.h"
#include "qtcolor.h"
#include "tpcolor.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Rows with a player (or a wrong swatch) as "tower name swatch", the swatch "#" while its player
// chooses, "-" blank, else its colour; then the tags of the colour buttons left.
QString Seen(const TColorForm &form)
{
    QStringList rows;
    QString left;
    for (size_t r = 0; r < size_t(TColorForm::Rows); ++r) {
        const QColor brush = form.Shapes[r]->BrushColor();
        QString look = brush == form.palette().color(QPalette::Window) ? "-" : "?";
        for (size_t c = 0; c < ColorNames.size(); ++c)
            look = brush == ToQColor(ColorValues[c]) ? ColorNames[c] : look;
        look = form.Shapes[r]->BrushStyle() == Qt::SolidPattern ? look : "#";
        if (look != "-" || !form.NameLabels[r]->text().isEmpty())
            rows << form.TowerLabels[r]->text() + " " + form.NameLabels[r]->text() + " " + look;
        left += form.BitBtns[r]->isVisibleTo(&form) ? QString::number(r) : ""; // r as a tag
    }
    return rows.join(", ") + " | " + left;
}

} // namespace

class TestColors : public QObject {
    Q_OBJECT

private slots:
    void choose();
    void longAndOddNamesKeepTheDialogsSize();
};

// Three players, one draw repeated; lowest tower first, each takes the colour with the focus.
void TestColors::choose()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TColorForm &form = *windows->ColorForm;
    for (int draw : {2, 2, 5, 0})
        fake.queueRandom(draw);
    std::array<int, 6> towers{};
    form.SetupPlayers({"Al", "Bo", "Cy"}, towers, 3);
    QStringList seen{Seen(form)};
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    while (form.isVisible() && seen.size() < 4) {
        seen << form.CurPlrLabel->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QVERIFY(!form.isVisible());
    form.AddPlayersTo(windows->MainForm->Game());
    QStringList players;
    for (int p = 0; p < windows->MainForm->Game().PlayerCount(); ++p)
        players << QString::fromStdString(windows->MainForm->Game().GetPlayer(p)->GetName());
    QCOMPARE(seen << Seen(form) << players.join(" "),
             QStringList({"600 Bo -, 300 Al -, 100 Cy # | 012345", "Cy", "Al", "Bo",
                          "600 Bo Brown, 300 Al Blue, 100 Cy Black | 345", "Bo Al Cy"}));
    towers = {2, 6, 4}; // entered, prepared anew
    form.SetupPlayers({"Al", "Bo", "Cy"}, towers, 3);
    QCOMPARE(Seen(form), "600 Bo -, 400 Cy -, 200 Al # | 012345");
    VERIFY_PLATFORM_DONE(fake);
}

// The longest legal name is cut to its column, markup is shown as typed, and the dialog keeps its
// size while each player chooses, so the buttons never move under the pointer.
void TestColors::longAndOddNamesKeepTheDialogsSize()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TColorForm &form = *windows->ColorForm;
    std::array<int, 6> towers{6, 5};
    form.SetupPlayers({"Al", "Bo"}, towers, 2);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const QSize size = form.size();
    form.reject();

    const std::string longest(40, 'W');
    towers = {6, 5, 4};
    form.SetupPlayers({longest, "<b>Bo</b>", "E<br>x"}, towers, 3);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.NameLabels[1]->text(), QStringLiteral("<b>Bo</b>"));
    QCOMPARE(form.NameLabels[2]->text(), QStringLiteral("E<br>x"));
    for (QLabel *label : {form.NameLabels[1], form.NameLabels[2], form.CurPlrLabel})
        QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(form.NameLabels[0]->text().endsWith(QChar(0x2026)));
    QCOMPARE(form.NameLabels[0]->toolTip(), QString::fromStdString(longest));
    while (form.isVisible()) {
        QCOMPARE(form.size(), size);
        QVERIFY(form.CurPlrLabel->width() <= form.CurPlrLabel->maximumWidth());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestColors)
#include "test_colors.moc"
