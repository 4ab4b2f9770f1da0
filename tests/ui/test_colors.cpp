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
};

// Three players, one draw repeated; lowest tower first, each takes the colour with the focus. Set
// up anew with entered towers and long or odd names, the dialog keeps its size while each player
// chooses, so the buttons never move under the pointer; the longest legal name is cut to its
// column, and markup is shown as typed.
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
    const QSize size = form.size();
    while (form.isVisible() && seen.size() < 4) {
        seen << form.CurPlrLabel->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QVERIFY(!form.isVisible());
    QCOMPARE(seen << Seen(form),
             QStringList({"600 Bo -, 300 Al -, 100 Cy # | 012345", "Cy", "Al", "Bo",
                          "600 Bo Brown, 300 Al Blue, 100 Cy Black | 345"}));

    const std::string longest(40, 'W');
    towers = {2, 6, 4, 1};
    form.SetupPlayers({"Al", "<b>Bo</b>", "E<br>x", longest}, towers, 4);
    const QLabel &cut = *form.NameLabels[5];
    QCOMPARE(Seen(form),
             "600 <b>Bo</b> -, 400 E<br>x -, 200 Al -, 100 " + cut.text() + " # | 012345");
    QVERIFY(cut.text().endsWith(QChar(0x2026)));
    QCOMPARE(cut.toolTip(), QString::fromStdString(longest));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    for (QLabel *label : {form.NameLabels[0], form.NameLabels[2], form.CurPlrLabel})
        QCOMPARE(label->textFormat(), Qt::PlainText);
    while (form.isVisible()) {
        QCOMPARE(form.size(), size);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestColors)
#include "test_colors.moc"
