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

// WCAG 2.x contrast of two sRGB colours, 1 … 21.
double Contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
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

// The text of a control as it paints it, on its own face or on what lies behind it; and the face
// of a window, or of a control that fills its background, with the text colour it passes on.
std::array<Text, 2> TextsOf(const QWidget *control)
{
    const QPalette &palette = control->palette();
    const QString name = control->metaObject()->className();
    const QColor foreground = palette.color(control->foregroundRole());
    Text text;
    if (const auto *button = qobject_cast<const QPushButton *>(control))
        text = {button->text(), palette.color(QPalette::ButtonText),
                palette.color(QPalette::Button)};
    else if (qobject_cast<const QLineEdit *>(control)
             || qobject_cast<const QPlainTextEdit *>(control)
             || qobject_cast<const QTextEdit *>(control)
             || qobject_cast<const QAbstractItemView *>(control))
        text = {name, palette.color(QPalette::Text), palette.color(QPalette::Base)};
    else if (qobject_cast<const QLabel *>(control)
             || qobject_cast<const QAbstractButton *>(control)) // check and radio boxes
        text = {control->property("text").toString(), foreground, Behind(control)};
    else if (const auto *group = qobject_cast<const QGroupBox *>(control))
        text = {group->title(), foreground, Behind(control)};
    if (!control->isWindow() && !control->autoFillBackground())
        return {text, Text()};
    return {text,
            Text{"the face of a " + name, foreground, palette.color(control->backgroundRole())}};
}

// Every shown text, and every face, of the window whose contrast is below 4.5:1, as "text: #text
// on #background 1.2:1"; checked counts the texts looked at.
QStringList Unreadable(QWidget *window, const QWidgetList &exempt, int &checked)
{
    QStringList found;
    for (QWidget *control : QWidgetList{window} + window->findChildren<QWidget *>()) {
        if (!control->isVisible() || exempt.contains(control))
            continue;
        for (const Text &text : TextsOf(control)) {
            if (text.shown.isEmpty())
                continue;
            ++checked;
            const bool valid = text.background.isValid();
            const double ratio = valid ? Contrast(text.colour, text.background) : 0.0;
            if (ratio < 4.5)
                found << QString("%1: %2 on %3 %4:1")
                             .arg(text.shown.left(30), text.colour.name(),
                                  valid ? text.background.name() : "a picture")
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

// Opens window by its menu item, if given; a dialog is looked at from inside its exec().
void Open(const Look &look, QWidget &window, QAction *item = nullptr, QWidgetList exempt = {})
{
    if (auto *dialog = qobject_cast<QDialog *>(&window)) {
        When(dialog, [dialog, &look] {
            look(dialog, {});
            dialog->reject();
        });
        return item->trigger();
    }
    if (item)
        item->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    look(&window, exempt);
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestThemes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallFontSubstitutions();
        QApplication::setStyle(QStringLiteral("Fusion"));
    }
    void cleanup() { QApplication::setPalette(QPalette()); }
    void darkPalette_data();
    void darkPalette();
    void noteKeepsItsRedOnALightFace();
};

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
    row("title screen", false,
        [](auto &w, auto &look) { look(w.MainForm.get(), {w.MainForm->TitleLabel}); });
    // Tower 200 holds two legions: both rows of the panel, on their players' colours.
    row("game view", true, [](auto &w, auto &look) {
        w.MainForm->SelectLand(86);
        look(w.MainForm.get(), {});
    });
    // Tower 600: three legions, the first with two unsure creatures, whose marks are drawn over
    // the creatures' pictures.
    row("legion window", true, [](auto &w, auto &look) {
        w.MainForm->SelectLand(90);
        QTest::mouseClick(w.MainForm->Panel->ViewLgnBtn, Qt::LeftButton);
        const auto &unsure = w.LgnDispForm->UnsureLbls;
        Open(look, *w.LgnDispForm, nullptr, QWidgetList(unsure.begin(), unsure.end()));
    });
    // Desert 7's legion of seven, with no Ogres left: one picture is covered.
    row("creature picker", true, [](auto &w, auto &look) {
        w.MainForm->Game().Stacks().SetCount(Crit::Ogre, 0);
        w.MainForm->SelectLand(7);
        QTest::mouseClick(w.MainForm->Panel->ViewLgnBtn, Qt::LeftButton);
        w.LgnDispForm->CStacksImageDblClick();
        Open(look, *w.MonSelectForm);
    });
    // The markers in use are shown greyed, as unavailable.
    row("marker picker", true, [](auto &w, auto &look) {
        w.MainForm->SelectLand(1);
        QTest::mouseClick(w.MainForm->Panel->AddMrkrBtn, Qt::LeftButton);
        TLMSelectForm &m = *w.LMSelectForm;
        QWidgetList inUse;
        for (size_t k = 0; k < m.MarkerLbls.size(); ++k)
            if (m.MarkerShapes[k]
                && m.MarkerShapes[k]->BrushColor()
                    != m.ColorShapes[k / MarkersPerColor]->BrushColor())
                inUse << m.MarkerLbls[k];
        QVERIFY(!inUse.isEmpty());
        Open(look, m, nullptr, inUse);
    });
    row("creatures remaining", true,
        [](auto &w, auto &look) { Open(look, *w.CharLeftForm, w.MainForm->CharLeftMI); });
    row("notes", true, [](auto &w, auto &look) { Open(look, *w.NotesForm, w.MainForm->NotesMI); });
    row("game history", true, [](auto &w, auto &look) {
        w.MainForm->SelectLand(86);
        w.MainForm->RotateLgnBtnClick();
        Open(look, *w.HistoryForm, w.MainForm->HistoryMI);
    });
    row("configuration", true,
        [](auto &w, auto &look) { Open(look, *w.ConfigForm, w.MainForm->ConfigMI); });
    row("about", true, [](auto &w, auto &look) { Open(look, *w.AboutForm, w.MainForm->AboutMI); });
    row("names, renaming", true,
        [](auto &w, auto &look) { Open(look, *w.NamesForm, w.MainForm->NameChangeMI); });
    // A new game shows the note about games in progress, in red.
    row("names, new game", false,
        [](auto &w, auto &look) { Open(look, *w.NamesForm, w.MainForm->StartGameMI); });
    row("colours", false, [](auto &w, auto &look) {
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
    const auto windows = inGame ? StartWithGame(folder, BoardGame) : StartProgram(folder);
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
    const auto windows = StartProgram(folder);
    TNamesForm &names = *windows->NamesForm;
    QColor shown;
    const Look look = [&](QWidget *, QWidgetList) {
        shown = names.InProgressNoteLbl->palette().color(QPalette::WindowText);
    };
    Open(look, names, windows->MainForm->StartGameMI);
    QCOMPARE(shown, QColor(255, 0, 0));
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestThemes)
#include "test_themes.moc"
