#include "board_game.h"
#include "settings.h"
#include "tconfig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

constexpr const char *FileSettings = "WindowMax=No\nWindowTop=10\nWindowLeft=-20\nWindowWidth=800\n"
                                     "WindowHeight=600\nBoardSize=2\n";

std::string ReadText(const std::string &path)
{
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The program on the board game, started with the given settings file (none when empty).
struct ConfigSession {
    explicit ConfigSession(const QString &settings) : written(Write(settings)) { }
    bool Write(const QString &settings) const
    {
        if (settings.isEmpty())
            return std::filesystem::remove(ini);
        return !folder.WriteFile(IniFileBaseName, settings.toStdString()).empty();
    }
    FakePlatform fake;
    ProgramFolder folder;
    const std::string ini = folder.Dir() + IniFileBaseName;
    bool written; // before the program starts and reads it
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, BoardGame);
    TConfigForm &form = *windows->ConfigForm;

    // Opens the dialog from the menu and, once it runs, does what the user does in it.
    int Run(const std::function<void(TConfigForm &)> &user)
    {
        QTimer::singleShot(0, &form, [this, user] { user(form); });
        windows->MainForm->ConfigMI->trigger();
        return form.result();
    }
};

// Both columns of values ("When Program Starts" | "In Use Right Now"), then the new settings:
// board size, maximise box, the four boxes, "-" marking a disabled one.
QString Shown(const TConfigForm &f)
{
    QStringList parts;
    for (QLabel *label : {f.CFBSLbl, f.CFWMLbl, f.CFWTLbl, f.CFWLLbl, f.CFWWLbl, f.CFWHLbl})
        parts << label->text();
    parts << "|";
    for (QLabel *label : {f.CABSLbl, f.CAWMLbl, f.CAWTLbl, f.CAWLLbl, f.CAWWLbl, f.CAWHLbl})
        parts << label->text();
    parts << "|" << QString::number(f.BoardSizeIndex()) << (f.MaxChkBox->isChecked() ? "Y" : "N");
    for (QLineEdit *edit : {f.Edit1, f.Edit2, f.Edit3, f.Edit4})
        parts << (edit->isEnabled() ? "" : "-") + edit->text();
    return parts.join(' ');
}

void Click(QWidget *control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
}

} // namespace

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void dialog_data();
    void dialog();
};

void TestConfig::dialog_data()
{
    QTest::addColumn<QString>("settings"); // the file at start, or none
    QTest::addColumn<bool>("maximise"); // the main window, by the user
    QTest::addColumn<QString>("shown"); // %1: the main window's bounds now
    QTest::addColumn<QStringList>("typed"); // Edit1 … Edit4, or left as shown
    QTest::addColumn<int>("size"); // the board size item clicked, or -1
    QTest::addColumn<bool>("toggle"); // the maximise box clicked
    QTest::addColumn<QString>("blocker"); // what keeps the file from being written
    QTest::addColumn<QString>("written"); // the file's six settings
    const QString fromFile = "2 No 10 -20 800 600 | 2 No %1 | 2 N 10 -20 800 600";
    const QString asRead = "WindowMax=No WindowTop=10 WindowLeft=-20 WindowWidth=800 "
                           "WindowHeight=600 BoardSize=2";
    const QStringList none;
    QTest::newRow("no file") << "" << false << "0 Yes 0 0 640 443 | 3 Yes %1 | 0 Y -0 -0 -640 -443"
                             << none << -1 << false << ""
                             << "WindowMax=Yes WindowTop=0 WindowLeft=0 WindowWidth=640 "
                                "WindowHeight=443 BoardSize=0";
    QTest::newRow("maximised now")
        << FileSettings << true << "2 No 10 -20 800 600 | 2 Yes %1 | 2 N 10 -20 800 600" << none
        << -1 << false << "" << asRead;
    QTest::newRow("typed, unchecked")
        << FileSettings << false << fromFile << QStringList{"+3 ", "x", "abc", "1000"} << 5 << false
        << ""
        << "WindowMax=No WindowTop=+3  WindowLeft=x WindowWidth=abc WindowHeight=1000 BoardSize=5";
    QTest::newRow("ticked, boxes disabled")
        << FileSettings << false << fromFile << QStringList{"1", "2", "3", "4"} << -1 << true << ""
        << "WindowMax=Yes WindowTop=1 WindowLeft=2 WindowWidth=3 WindowHeight=4 BoardSize=2";
    QTest::newRow("read-only file")
        << FileSettings << false << fromFile << QStringList{"7"} << 1 << false << "read-only"
        << "";
    QTest::newRow("folder in the way")
        << FileSettings << false << fromFile << none << -1 << false << "folder"
        << "";
}

// The dialog starts from this run's start, shows the window as it is, and saves for the next
// start only: nothing changes in this run, not even the dialog's values when it opens again.
void TestConfig::dialog()
{
    QFETCH(QString, settings);
    QFETCH(bool, maximise);
    QFETCH(QString, shown);
    QFETCH(QStringList, typed);
    QFETCH(int, size);
    QFETCH(bool, toggle);
    QFETCH(QString, blocker);
    QFETCH(QString, written);
    if (blocker == "read-only" && geteuid() == 0)
        QSKIP("root writes read-only files");
    ConfigSession s(settings);
    TVorunMainForm &main = *s.windows->MainForm;
    const QRect start = main.frameGeometry();
    if (maximise) {
        main.showMaximized();
        QTRY_VERIFY(main.isMaximized() && main.frameGeometry() != start);
    }
    const QRect frame = main.frameGeometry();
    shown = shown.arg(QString("%1 %2 %3 %4").arg(frame.top()).arg(frame.left()))
                .arg(frame.width())
                .arg(frame.height());
    namespace fs = std::filesystem;
    if (blocker == "folder" && fs::remove(s.ini))
        fs::create_directory(s.ini);
    if (blocker == "read-only")
        fs::permissions(s.ini, fs::perms::owner_read);

    QString before;
    s.fake.queueAnswer(Platform::Answer::Ok);
    const int result = s.Run([&](TConfigForm &form) {
        before = Shown(form);
        const std::array<QLineEdit *, 4> edits{form.Edit1, form.Edit2, form.Edit3, form.Edit4};
        for (int k = 0; k < typed.size(); ++k) {
            edits[size_t(k)]->selectAll();
            QTest::keyClicks(edits[size_t(k)], typed[k]);
        }
        if (size >= 0)
            Click(form.BoardSizeItems[size_t(size)]);
        if (toggle) { // on, off and on again: disabled boxes keep their text
            Click(form.MaxChkBox);
            QTest::keyClick(form.MaxChkBox, Qt::Key_Space);
            Click(form.MaxChkBox);
            QCOMPARE(Shown(form).section(" | ", 2), "2 Y -1 -2 -3 -4");
        }
        form.grab().save(QString("/tmp/config-%1.png").arg(QTest::currentDataTag()));
        Click(form.Button1);
    });
    QCOMPARE(before, shown);
    QCOMPARE(result, int(written.isEmpty() ? QDialog::Rejected : QDialog::Accepted));
    QCOMPARE(s.fake.boxes(),
             QStringList{written.isEmpty() ? "Cannot open .INI file | Error | Stop | Ok"
                                           : "The changes will take effect the next time you "
                                             "start this program. | Settings Saved | None | Ok"});
    if (written.isEmpty()) {
        QVERIFY(blocker == "folder" ? fs::is_empty(s.ini) : ReadText(s.ini) == FileSettings);
    } else {
        const QStringList lines = QString::fromStdString(ReadText(s.ini)).split('\n');
        QCOMPARE(lines.size(), 29 + 6 + 1); // header, settings, nothing after the last line end
        QCOMPARE(lines.mid(29, 6).join(' '), written);
        if (typed.size() > 2) // "abc" and 3: the next start takes the default
            QCOMPARE(ReadStartupSettingsFile(s.ini).WindowWidth, 640);
    }
    QCOMPARE(main.frameGeometry(), frame);
    QString again;
    s.Run([&again](TConfigForm &form) {
        again = Shown(form);
        QTest::keyClick(&form, Qt::Key_Escape); // saves nothing: no second box
    });
    QCOMPARE(again, before);
    VERIFY_PLATFORM_DONE(s.fake);
}

QTEST_MAIN(TestConfig)
#include "test_config.moc"
