#include "board_game.h"
#include "fonts.h"
#include "tabout.h"
#include "tcharadd.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "thistory.h"
#include "tlandpanel.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
#include "tshape.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <cmath>
#include <functional>

namespace {

// WCAG 2.x: the relative luminance of an sRGB colour, and the contrast of two, 1 … 21.
double Luminance(QColor colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A desktop's dark theme: Qt derives every role from the dark face, text light on it.
const QPalette Dark(QColor(53, 53, 53), QColor(53, 53, 53));

// What is painted behind a control: the control's own filled background, a shape or a filled
// control stacked beneath it that covers its middle, or else the nearest ancestor that paints
// its background, as a window always does. Invalid when a picture lies beneath. The program
// uses no style sheets; the check for them is in the test.
QColor Behind(const QWidget *control)
{
    for (const QWidget *at = control; at; at = at->parentWidget()) {
        if (const auto *shape = dynamic_cast<const TShape *>(at);
            shape && shape->BrushStyle() == Qt::SolidPattern)
            return shape->BrushColor();
        if (at->autoFillBackground() || at->isWindow())
            return at->palette().color(at->backgroundRole());
        const QObjectList &siblings = at->parentWidget()->children();
        const QPoint middle = at->geometry().center();
        for (qsizetype i = siblings.indexOf(at) - 1; i >= 0; --i) {
            const auto *below = qobject_cast<const QWidget *>(siblings[i]);
            if (!below || below->isHidden() || !below->geometry().contains(middle))
                continue;
            const auto *shape = dynamic_cast<const TShape *>(below);
            if (shape && shape->BrushStyle() == Qt::SolidPattern)
                return shape->BrushColor();
            if (const auto *label = qobject_cast<const QLabel *>(below);
                label && !label->pixmap().isNull())
                return QColor();
            if (below->autoFillBackground())
                return below->palette().color(below->backgroundRole());
        }
    }
    return QColor();
}

struct Text {
    QString shown; // empty for a control that shows no text
    QColor colour;
    QColor background;
};

// The text of a control as it paints it, on its own face or on what lies behind it.
Text TextOf(const QWidget *control)
{
    const QPalette &palette = control->palette();
    const QString name = control->metaObject()->className();
    const QColor foreground = palette.color(control->foregroundRole());
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return {label->text(), foreground, Behind(control)};
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        return {button->text(), palette.color(QPalette::ButtonText),
                palette.color(QPalette::Button)};
    if (const auto *box = qobject_cast<const QAbstractButton *>(control)) // check and radio boxes
        return {box->text(), foreground, Behind(control)};
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return {group->title(), foreground, Behind(control)};
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control)
        || qobject_cast<const QTextEdit *>(control)
        || qobject_cast<const QAbstractItemView *>(control))
        return {name, palette.color(QPalette::Text), palette.color(QPalette::Base)};
    return {};
}

// The face of a window, or of a control that fills its background from the palette, with the
// text colour it passes on to the controls on it.
Text FaceOf(const QWidget *control)
{
    if (!control->isWindow() && !control->autoFillBackground())
        return {};
    const QPalette &palette = control->palette();
    return {QStringLiteral("the face of a ") + control->metaObject()->className(),
            palette.color(control->foregroundRole()), palette.color(control->backgroundRole())};
}

// Every shown text, and every face, of the window whose contrast is below 4.5:1, as "text: #text
// on #background 1.2:1"; checked counts the texts looked at.
QStringList Unreadable(QWidget *window, const QWidgetList &exempt, int &checked)
{
    QStringList found;
    for (QWidget *control : QWidgetList{window} + window->findChildren<QWidget *>()) {
        if (!control->isVisible() || exempt.contains(control))
            continue;
        for (const Text &text : {TextOf(control), FaceOf(control)}) {
            if (text.shown.isEmpty())
                continue;
            ++checked;
            const double ratio
                = text.background.isValid() ? Contrast(text.colour, text.background) : 0.0;
            if (ratio < 4.5)
                found << QString("%1: %2 on %3 %4:1")
                             .arg(text.shown.left(30), text.colour.name(),
                                  text.background.isValid() ? text.background.name() : "a picture")
                             .arg(ratio, 0, 'f', 2);
        }
    }
    return found;
}

// Runs step from inside the exec() of dialog, once that is the modal window with the keyboard.
void When(QWidget *dialog, const std::function<void()> &step)
{
    QTimer::singleShot(5, dialog, [dialog, step] {
        const QWidget *modal = QApplication::activeModalWidget();
        (modal == dialog && QApplication::activeWindow() == dialog) ? step() : When(dialog, step);
    });
}

// A window opened as the program opens it; look is called once it is on show, with the
// controls exempt from the check.
using Look = std::function<void(QWidget *window, QWidgetList exempt)>;
using Opener = std::function<void(TVorunWindows &windows, const Look &look)>;

void ShowModeless(QWidget &window, const Look &look, QWidgetList exempt = {})
{
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    look(&window, exempt);
}

void ShowModal(QDialog &dialog, QAction *item, const Look &look)
{
    When(&dialog, [&dialog, &look] {
        look(&dialog, {});
        dialog.reject();
    });
    item->trigger();
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestThemes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QApplication::setPalette(QPalette()); }
    void darkPalette_data();
    void darkPalette();
    void noteKeepsItsRedOnALightFace();
};

void TestThemes::initTestCase()
{
    InstallFontSubstitutions();
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestThemes::darkPalette_data()
{
    QTest::addColumn<bool>("inGame"); // else on the title screen
    QTest::addColumn<Opener>("open");
    QTest::addColumn<bool>("switched"); // the theme turns dark once the window is shown

    const auto row = [](const char *name, bool inGame, Opener open) {
        for (const bool switched : {false, true})
            QTest::addRow("%s, %s", name, switched ? "turned dark while shown" : "dark at start")
                << inGame << open << switched;
    };
    // The title is the program's name drawn as its emblem, in its own colours.
    row("title screen", false, [](TVorunWindows &w, const Look &look) {
        look(w.MainForm.get(), {w.MainForm->TitleLabel});
    });
    // Tower 200 holds two legions: both rows of the panel, on their players' colours.
    row("game view", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->SelectLand(86);
        look(w.MainForm.get(), {});
    });
    // Tower 600: three legions, the first with two unsure creatures, whose marks are drawn over
    // the creatures' pictures.
    row("legion window", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->SelectLand(90);
        QTest::mouseClick(w.MainForm->Panel->ViewLgnBtn, Qt::LeftButton);
        TLgnDispForm &legions = *w.LgnDispForm;
        ShowModeless(legions, look,
                     QWidgetList(legions.UnsureLbls.begin(), legions.UnsureLbls.end()));
    });
    // Desert 7's legion of seven, with no Ogres left: one picture is covered.
    row("creature picker", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->Game().Stacks().SetCount(Crit::Ogre, 0);
        w.MainForm->SelectLand(7);
        QTest::mouseClick(w.MainForm->Panel->ViewLgnBtn, Qt::LeftButton);
        w.LgnDispForm->CStacksImageDblClick();
        ShowModeless(*w.MonSelectForm, look);
    });
    // The markers in use are shown greyed, as unavailable.
    row("marker picker", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->SelectLand(1);
        QTest::mouseClick(w.MainForm->Panel->AddMrkrBtn, Qt::LeftButton);
        TLMSelectForm &markers = *w.LMSelectForm;
        QWidgetList inUse;
        for (size_t k = 0; k < markers.MarkerLbls.size(); ++k)
            if (markers.MarkerShapes[k]
                && markers.MarkerShapes[k]->BrushColor()
                    != markers.ColorShapes[k / MarkersPerColor]->BrushColor())
                inUse << markers.MarkerLbls[k];
        QVERIFY(!inUse.isEmpty());
        ShowModeless(markers, look, inUse);
    });
    row("creatures remaining", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->CharLeftMI->trigger();
        ShowModeless(*w.CharLeftForm, look);
    });
    row("notes", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->NotesMI->trigger();
        ShowModeless(*w.NotesForm, look);
    });
    row("game history", true, [](TVorunWindows &w, const Look &look) {
        w.MainForm->SelectLand(86);
        w.MainForm->RotateLgnBtnClick();
        w.MainForm->HistoryMI->trigger();
        ShowModeless(*w.HistoryForm, look);
    });
    row("configuration", true, [](TVorunWindows &w, const Look &look) {
        ShowModal(*w.ConfigForm, w.MainForm->ConfigMI, look);
    });
    row("about", true, [](TVorunWindows &w, const Look &look) {
        ShowModal(*w.AboutForm, w.MainForm->AboutMI, look);
    });
    row("names, renaming", true, [](TVorunWindows &w, const Look &look) {
        ShowModal(*w.NamesForm, w.MainForm->NameChangeMI, look);
    });
    // A new game shows the note about games in progress, in red.
    row("names, new game", false, [](TVorunWindows &w, const Look &look) {
        ShowModal(*w.NamesForm, w.MainForm->StartGameMI, look);
    });
    row("colours", false, [](TVorunWindows &w, const Look &look) {
        TNamesForm &names = *w.NamesForm;
        When(&names, [&names] {
            names.GameNameEdit->setText(QStringLiteral("Dark"));
            names.FilenameEdit->setText(QStringLiteral("dark"));
            QTest::mouseClick(names.NamesDoneBtn, Qt::LeftButton);
        });
        TColorForm &colours = *w.ColorForm;
        When(&colours, [&colours, &look] {
            QTest::mouseClick(colours.BitBtns[3], Qt::LeftButton); // a chosen swatch too
            look(&colours, {});
            colours.reject();
        });
        w.MainForm->StartGameMI->trigger();
    });
}

// Under a dark desktop theme every text keeps a contrast of 4.5:1 with what is painted behind it,
// and every face with the text it gives the controls on it, whether the theme was dark when the
// window was made or turned dark while it was shown.
void TestThemes::darkPalette()
{
    QFETCH(bool, inGame);
    QFETCH(Opener, open);
    QFETCH(bool, switched);
    if (!switched)
        QApplication::setPalette(Dark);
    FakePlatform fake;
    ProgramFolder folder;
    for (int draw : {0, 1})
        fake.queueRandom(draw);
    const std::unique_ptr<TVorunWindows> windows
        = inGame ? StartWithGame(folder, BoardGame) : StartProgram(folder);
    QStringList unreadable;
    int checked = 0;
    bool looked = false;
    open(*windows, [&](QWidget *window, const QWidgetList &exempt) {
        if (switched)
            QApplication::setPalette(Dark);
        QTRY_COMPARE(window->palette().color(QPalette::Base), Dark.color(QPalette::Base));
        unreadable = Unreadable(window, exempt, checked);
        looked = true;
    });
    QTRY_VERIFY(looked);
    QVERIFY(checked > 0);
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(u'\n')));
    QVERIFY(qApp->styleSheet().isEmpty());
    for (const QWidget *widget : QApplication::allWidgets())
        QVERIFY2(widget->styleSheet().isEmpty(), "a style sheet paints what Behind() ignores");
    VERIFY_PLATFORM_DONE(fake);
}

// Only a dark face changes the note's colour; on the light face it was drawn for it stays.
void TestThemes::noteKeepsItsRedOnALightFace()
{
    FakePlatform fake;
    ProgramFolder folder;
    const std::unique_ptr<TVorunWindows> windows = StartProgram(folder);
    TNamesForm &names = *windows->NamesForm;
    QColor shown;
    When(&names, [&names, &shown] {
        shown = names.InProgressNoteLbl->palette().color(QPalette::WindowText);
        names.reject();
    });
    windows->MainForm->StartGameMI->trigger();
    QCOMPARE(shown, QColor(255, 0, 0));
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestThemes)
#include "test_themes.moc"
