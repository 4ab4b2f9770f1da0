#include "board_game.h"
#include "tabout.h"
#include "tboardview.h"
#include "tcharadd.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "thelpviewer.h"
#include "thistory.h"
#include "tlandpanel.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
#include "tshape.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

// What a screen reader would announce with nothing to say: a shown button, picture or
// custom-painted control (the board and the coloured boxes) without an accessible name. Read
// through Qt's accessibility interfaces, as the desktop's bridge reads them.
QStringList Unnamed(QWidget *window)
{
    QStringList unnamed;
    const std::function<void(QAccessibleInterface *)> visit = [&](QAccessibleInterface *node) {
        if (node->state().invisible)
            return;
        const QAccessible::Role role = node->role();
        QObject *object = node->object();
        const bool control = role == QAccessible::Button || role == QAccessible::RadioButton
            || role == QAccessible::CheckBox || role == QAccessible::Graphic
            || dynamic_cast<TShape *>(object) || dynamic_cast<TBoardView *>(object);
        if (control && node->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString("%1 at %2,%3 (role %4)")
                           .arg(object ? object->metaObject()->className() : "?")
                           .arg(node->rect().x())
                           .arg(node->rect().y())
                           .arg(int(role), 0, 16);
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface *child = node->child(i))
                visit(child);
    };
    visit(QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void everyControlIsNamed();
};

// The title screen, then every window opened at once, on a game where the panel shows two legions
// and the legion window three, a full one among them.
void TestAccessibility::everyControlIsNamed()
{
    {
        FakePlatform fake;
        ProgramFolder folder;
        QCOMPARE(Unnamed(StartProgram(folder)->MainForm.get()), QStringList());
        VERIFY_PLATFORM_DONE(fake);
    }
    BoardSession s;
    TVorunWindows &w = *s.windows;
    s.form.SelectLand(90);
    QTest::mouseClick(s.form.Panel->ViewLgnBtn, Qt::LeftButton);
    w.LgnDispForm->RecruitRequest(1);
    w.LMSelectForm->ShowPicker(1);
    w.NamesForm->SetUpNames(0, "", "", nullptr);
    std::array<int, 6> towers{1, 2};
    w.ColorForm->SetupPlayers({"Al", "Bo"}, towers, 2);
    THelpViewer help;
    QStringList unnamed;
    for (QWidget *window : QWidgetList{
             &s.form, w.LgnDispForm.get(), w.MonSelectForm.get(), w.LMSelectForm.get(),
             w.CharLeftForm.get(), w.NotesForm.get(), w.HistoryForm.get(), w.AboutForm.get(),
             w.ConfigForm.get(), w.NamesForm.get(), w.ColorForm.get(), &help}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        for (const QString &control : Unnamed(window))
            unnamed << window->windowTitle() + ": " + control;
    }
    QCOMPARE(unnamed, QStringList());
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
