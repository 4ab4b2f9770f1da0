#include "commandline.h"
#include "fonts.h"
#include "product.h"
#include "qtplatform.h"
#include "thelpviewer.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include <fstream>
#include <set>

Q_DECLARE_METATYPE(Platform::Icon)
Q_DECLARE_METATYPE(TCommandLine::Action)
Q_DECLARE_METATYPE(std::vector<std::string>)

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void messageBox_data()
    {
        QTest::addColumn<Platform::Icon>("icon");
        QTest::addColumn<bool>("cancel"); // Ok and Cancel, or Ok alone
        QTest::addColumn<bool>("escape"); // or Enter
        QTest::addColumn<bool>("askerHidden");
        using I = Platform::Icon;
        QTest::newRow("Critical") << I::Stop << false << false << false;
        QTest::newRow("Warning") << I::Warning << false << true << true;
        QTest::newRow("Question") << I::Question << true << false << true;
        QTest::newRow("NoIcon") << I::None << true << true << false;
    }

    // Only Escape on a box with Cancel cancels. Markup in a name is shown as typed. Two prompts in
    // a row sit on the window that asks, although no window is active for a moment between them,
    // and the keyboard goes back to it. A window that has hidden itself (the legion window while a
    // creature is dragged onto the board) leaves them to the main window. Each box is looked at and
    // answered inside its modal loop, so that a failed check cannot leave it open.
    void messageBox()
    {
        QFETCH(Platform::Icon, icon);
        QFETCH(bool, cancel);
        QFETCH(bool, escape);
        QFETCH(bool, askerHidden);
        QMainWindow mainWindow;
        mainWindow.show();
        QWidget asker;
        asker.show();
        asker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&asker));
        asker.setVisible(!askerHidden);
        QWidget *expected = askerHidden ? static_cast<QWidget *>(&mainWindow) : &asker;
        QStringList seen; // parent, text, caption, icon: the row's name, buttons
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, &mainWindow, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                seen << QString("%1|%2%3|%4|%5|%6")
                            .arg(box->parentWidget() == expected ? "expected" : "elsewhere",
                                 box->text(), box->textFormat() == Qt::PlainText ? " (plain)" : "",
                                 box->windowTitle(),
                                 QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()))
                            .arg(box->standardButtons().toInt());
                QTest::keyClick(box, escape ? Qt::Key_Escape : Qt::Key_Return);
            });
            const auto buttons = cancel ? Platform::Buttons::OkCancel : Platform::Buttons::Ok;
            QCOMPARE(QtPlatform().MessageBox(&asker, "<b>Bo</b>?", "Confirm", icon, buttons),
                     cancel && escape ? Platform::Answer::Cancel : Platform::Answer::Ok);
        }
        const QString box
            = QString("expected|<b>Bo</b>? (plain)|Confirm|%1|%2")
                  .arg(QTest::currentDataTag())
                  .arg((cancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok).toInt());
        QCOMPARE(seen, QStringList({box, box}));
        QTRY_COMPARE(QApplication::activeWindow(), expected);
    }

    // The test program has no board pictures beside it, like an installed program: its games
    // and settings go to the user's XDG folders, or to their defaults under HOME.
    void userFoldersFollowXdg_data()
    {
        QTest::addColumn<QByteArray>("xdg"); // where both XDG folders are, or unset
        QTest::addColumn<QString>("games");
        QTest::addColumn<QString>("settings");
        QTest::newRow("XDG set") << QByteArray("/tmp/vk-xdg") << "/tmp/vk-xdg/data/vorunkelm/"
                                 << "/tmp/vk-xdg/conf/vorunkelm/VorunKelm.ini";
        QTest::newRow("XDG unset") << QByteArray() << "/tmp/vk-home/.local/share/vorunkelm/"
                                   << "/tmp/vk-home/.config/vorunkelm/VorunKelm.ini";
    }

    void userFoldersFollowXdg()
    {
        QFETCH(QByteArray, xdg);
        const auto restore = qScopeGuard([home = qgetenv("HOME")] {
            qputenv("HOME", home);
            qunsetenv("XDG_DATA_HOME");
            qunsetenv("XDG_CONFIG_HOME");
        });
        qputenv("HOME", "/tmp/vk-home");
        xdg.isEmpty() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", xdg + "/data");
        xdg.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg + "/conf");
        const TProgramFolders folders = QtProgramFolders();
        QTEST(QString::fromStdString(folders.games), "games");
        QTEST(QString::fromStdString(folders.settings), "settings");
    }

    void commandLine_data()
    {
        using A = TCommandLine::Action;
        using Games = std::vector<std::string>;
        QTest::addColumn<QByteArrayList>("arguments"); // as the system gives them
        QTest::addColumn<TCommandLine::Action>("action");
        QTest::addColumn<std::vector<std::string>>("games");
        QTest::addColumn<QString>("textStart");
        const QString usage = "Usage: vorunkelm [options] [game]\n";
        const QString version = QStringLiteral("vorunkelm %1\n").arg(ProductVersion);
        const auto row = [](const char *name, const QByteArrayList &arguments, A action,
                            const Games &games, const QString &text = {}) {
            QTest::newRow(name) << arguments << action << games << text;
        };
        row("nothing", {}, A::Run, {});
        row("a game", {"fri.txt"}, A::Run, {"fri.txt"});
        row("--help", {"--help"}, A::Help, {}, usage);
        row("-h", {"-h", "fri.txt"}, A::Help, {}, usage);
        row("--version", {"--version"}, A::Version, {}, version);
        row("-v", {"-v"}, A::Version, {}, version);
        row("unknown short", {"-x", "fri.txt"}, A::Usage, {},
            "vorunkelm: Unknown option 'x'.\n\n" + usage);
        row("unknown long", {"--frobnicate"}, A::Usage, {},
            "vorunkelm: Unknown option 'frobnicate'.");
        row("a file named --help", {"./--help"}, A::Run, {"./--help"});
        row("after --", {"--", "--help"}, A::Run, {"--help"});
        row("Qt's own options", {"-platform", "offscreen", "-reverse", "g.txt"}, A::Run, {"g.txt"});
        row("Latin-1 file name", {"caf\xe9.txt"}, A::Run, {"caf\xe9.txt"});
    }

    // The options and the games; a game's name stays the system's bytes.
    void commandLine()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QString, textStart);
        std::vector<const char *> argv{"/usr/bin/vorunkelm"};
        for (const QByteArray &argument : arguments)
            argv.push_back(argument.constData());
        const TCommandLine command = ParseCommandLine(int(argv.size()), argv.data());
        QTEST(command.action, "action");
        QTEST(command.games, "games");
        QVERIFY2(QString::fromStdString(command.text).startsWith(textStart), command.text.c_str());
    }

    void saveDialogProposesTheName()
    {
        const std::string folder = QDir::tempPath().toStdString() + "/";
        for (const bool accept : {true, false}) {
            QString selected;
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                selected = dialog->selectedFiles().value(0);
                accept ? dialog->QDialog::accept() : dialog->reject();
            });
            QCOMPARE(QtPlatform().SaveFileName(nullptr, folder, "fri_13ecm9.txt"),
                     accept ? std::optional(folder + "fri_13ecm9.txt") : std::nullopt);
            QCOMPARE(selected.toStdString(), folder + "fri_13ecm9.txt");
        }
    }

    void clockRandomAndDocuments()
    {
        QtPlatform platform;
        const TDateTime now = platform.Now();
        const QDateTime shown(QDate(now.year, now.month, now.day),
                              QTime(now.hour, now.minute, now.second));
        QVERIFY(shown.isValid() && qAbs(shown.secsTo(QDateTime::currentDateTime())) <= 1);
        std::set<int> drawn;
        for (int i = 0; i < 600; ++i)
            drawn.insert(platform.Random(6));
        QVERIFY(drawn == std::set<int>({0, 1, 2, 3, 4, 5}));
        QVERIFY(platform.Random(0) == 0 && platform.Random(-3) == 0);
        QCOMPARE(platform.OpenDocument(QDir::tempPath().toStdString() + "/vk-none/History.txt"),
                 std::string("No such file or directory"));
    }

    // The real help window: a long document opens at its contents, where links, Back and the keys
    // the help describes work; a file that cannot be read gives its reason and no window.
    void helpViewerOpensAtContents()
    {
        const auto viewer = [] {
            for (QWidget *top : QApplication::topLevelWidgets())
                if (auto *found = dynamic_cast<THelpViewer *>(top))
                    return found;
            return static_cast<THelpViewer *>(nullptr);
        };
        QtPlatform platform;
        QCOMPARE(platform.ShowHelp(QDir::tempPath().toStdString() + "/vk-none/VorunKelm.html"),
                 std::string("No such file or directory"));
        QVERIFY(!viewer());
        const QString filler = QStringLiteral("<p>filler</p>").repeated(150);
        QTemporaryDir dir;
        const std::string path = dir.filePath("VorunKelm.html").toStdString();
        std::ofstream(path) << (filler + "<a name=\"contents\"></a><h2>Contents</h2>"
                                + "<a href=\"#moves\">Moves</a>" + filler
                                + "<a name=\"moves\"></a><h2>Moves</h2>" + filler)
                                   .toStdString();

        QCOMPARE(platform.ShowHelp(path), std::string());
        QTextBrowser *browser = viewer()->Browser;
        QTRY_VERIFY(viewer()->isActiveWindow());
        const auto topLine = [browser] {
            return browser->cursorForPosition({9, 9}).block().text();
        };
        QTRY_COMPARE(topLine(), QStringLiteral("Contents"));
        const QRect link = browser->cursorRect(browser->document()->find("Moves"));
        QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link.center() - QPoint(9, 0));
        QTRY_COMPARE(topLine(), QStringLiteral("Moves"));
        QTest::mouseClick(viewer()->BackBtn, Qt::LeftButton);
        QTRY_COMPARE(topLine(), QStringLiteral("Contents"));
        QTest::keyClick(browser, Qt::Key_Right, Qt::AltModifier);
        QTRY_COMPARE(topLine(), QStringLiteral("Moves"));
        QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
        QTRY_COMPARE(topLine(), QStringLiteral("Contents"));
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!viewer()->isVisible());
    }

    void windowsFontsMapToInstalledOnes()
    {
        InstallFontSubstitutions();
        const QString kinds[][2]
            = {{"Tahoma", "Sans"}, {"Copperplate Gothic Bold", "Serif"}, {"Courier New", "Mono"}};
        for (const auto &[family, kind] : kinds) {
            const QFontInfo info(QFont(family, 9, QFont::Bold));
            if (!QFontDatabase::hasFamily(family)) // else the Windows font itself is installed
                QVERIFY2(info.family().contains(kind) && info.fixedPitch() == (kind == "Mono"),
                         qPrintable(info.family()));
        }
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
