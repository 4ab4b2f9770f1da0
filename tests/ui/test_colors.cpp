#include "fake_platform.h"
#include "program_folder.h"
#include "qtcolor.h"
#include "tcharleft.h"
#include "tpcolor.h"
#include "tshape.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Each row as the user reads it, "tower name swatch": the swatch is "#" while its player
// chooses, "-" when blank, else the chosen colour. Rows without a player show only a wrong
// swatch.
QString Rows(const TColorForm &form)
{
    QStringList rows;
    for (size_t r = 0; r < size_t(TColorForm::Rows); ++r) {
        const TShape &swatch = *form.Shapes[r];
        QString look = swatch.BrushColor() == form.palette().color(QPalette::Window) ? "-" : "?";
        for (size_t c = 0; c < ColorNames.size(); ++c)
            if (swatch.BrushColor() == ToQColor(ColorValues[c]))
                look = ColorNames[c];
        look = swatch.BrushStyle() == Qt::SolidPattern ? look : "#";
        if (look != "-" || !form.NameLabels[r]->text().isEmpty())
            rows << form.TowerLabels[r]->text() + " " + form.NameLabels[r]->text() + " " + look;
    }
    return rows.join(", ");
}

} // namespace

class TestColors : public QObject {
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
};

void TestColors::choose_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("towers"); // as entered, 0 for none
    QTest::addColumn<QList<int>>("draws"); // the random draws, 0 … 5
    QTest::addColumn<int>("escapeAfter"); // presses before Escape: 0 on the dialog, else a button
    QTest::addColumn<QString>("rows"); // when prepared
    QTest::addColumn<QStringList>("choosers"); // the player named before each press
    QTest::addColumn<QString>("players"); // the game's, in order
    const QStringList abc{"Al", "Bo", "Cy"};
    QTest::newRow("two, drawn") << QStringList{"Al", "Bo"} << QList<int>{0, 0} << QList<int>{2, 4}
                                << -1 << "500 Bo -, 300 Al #" << QStringList{"Al", "Bo"} << "Bo Al";
    QTest::newRow("collision redrawn")
        << abc << QList<int>{0, 0, 0} << QList<int>{2, 2, 5, 0} << -1
        << "600 Bo -, 300 Al -, 100 Cy #" << QStringList{"Cy", "Al", "Bo"} << "Bo Al Cy";
    QTest::newRow("Escape on the dialog") << abc << QList<int>{2, 6, 4} << QList<int>{} << 0
                                          << "600 Bo -, 400 Cy -, 200 Al #" << QStringList{} << "";
    QTest::newRow("Escape on a button after two")
        << abc << QList<int>{2, 6, 4} << QList<int>{} << 2 << "600 Bo -, 400 Cy -, 200 Al #"
        << QStringList{"Al", "Cy"} << "";
}

// Each player clicks the first colour left.
void TestColors::choose()
{
    QFETCH(QStringList, names);
    QFETCH(QList<int>, towers);
    QFETCH(QList<int>, draws);
    QFETCH(int, escapeAfter);
    QFETCH(QString, rows);
    FakePlatform fake;
    ProgramFolder folder;
    const std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TColorForm &form = *windows->ColorForm;
    RecruitStacks() = TCharLeft(); // the stacks outlive the windows; each case starts full
    std::vector<std::string> list;
    for (const QString &name : names)
        list.push_back(name.toStdString());
    const auto prepare = [&] {
        std::array<int, 6> entered{};
        std::copy(towers.begin(), towers.end(), entered.begin());
        for (int draw : draws)
            fake.queueRandom(draw);
        form.SetupPlayers(list, entered, int(list.size()));
    };
    prepare();
    QCOMPARE(Rows(form), rows);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QStringList choosers;
    for (size_t k = 0; k < size_t(names.size()) && int(k) != escapeAfter; ++k) {
        choosers << form.CurPlrLabel->text();
        QVERIFY(QApplication::focusWidget() == form.BitBtns[k]);
        QTest::mouseClick(form.BitBtns[k], Qt::LeftButton);
        // Only the chosen colour's button goes.
        QVERIFY(!form.BitBtns[k]->isVisibleTo(&form)
                && (k == 5 || form.BitBtns[5]->isVisibleTo(&form)));
        QVERIFY(Rows(form).contains(ColorNames[k]));
    }
    if (escapeAfter >= 0)
        QTest::keyClick(escapeAfter ? QApplication::focusWidget() : &form, Qt::Key_Escape);
    QTEST(choosers, "choosers");
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(escapeAfter < 0 ? QDialog::Accepted : QDialog::Rejected));
    QStringList players;
    for (int p = 0; p < windows->MainForm->Game().PlayerCount(); ++p)
        players << QString::fromStdString(windows->MainForm->Game().GetPlayer(p)->GetName());
    QTEST(players.join(" "), "players");

    prepare(); // everything of the last attempt gone
    QCOMPARE(Rows(form), rows);
    for (QPushButton *button : form.BitBtns)
        QVERIFY(button->isVisibleTo(&form));
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestColors)
#include "test_colors.moc"
