#include "commandline.h"
#include "fake_platform.h"
#include "fonts.h"
#include "product.h"
#include "qtplatform.h"
#include "thelpviewer.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QScopeGuard>
#include <QTimer>

#include <set>

Q_DECLARE_METATYPE(Platform::Icon)
Q_DECLARE_METATYPE(Platform::Answer)
Q_DECLARE_METATYPE(TCommandLine::Action)
Q_DECLARE_METATYPE(std::vector<std::string>)

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void diagnosticIsAnOkBoxWithoutIcon()
    {
        FakePlatform fake;
        fake.queueAnswer(Platform::Answer::Ok);
        ThePlatform().Diagnostic(nullptr, "bug %d", 7);
        const FakePlatform::Prompt box = fake.prompts().value(0);
        QCOMPARE(box.text + '|' + box.caption, QStringLiteral("bug 7|Debug Info"));
        QVERIFY(box.icon == Platform::Icon::None && box.buttons == Platform::Buttons::Ok);
    }

    void messageBox_data()
    {
        QTest::addColumn<Platform::Icon>("icon");
        QTest::addColumn<bool>("cancel"); // Ok and Cancel, or Ok alone
        QTest::addColumn<bool>("escape"); // or Enter
        QTest::addColumn<Platform::Answer>("answer");
        using I = Platform::Icon;
        using A = Platform::Answer;
        QTest::newRow("Critical") << I::Stop << false << false << A::Ok;
        QTest::newRow("Warning") << I::Warning << false << true << A::Ok;
        QTest::newRow("Question") << I::Question << true << false << A::Ok;
        QTest::newRow("NoIcon") << I::None << true << true << A::Cancel;
    }

    void messageBox()
    {
        QFETCH(Platform::Icon, icon);
        QFETCH(bool, cancel);
        QFETCH(bool, escape);
        QWidget mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
        // Looks and answers inside the modal loop: a failed check cannot leave the box open.
        QStringList seen; // parent, text, caption, icon: the row's name
        QMessageBox::StandardButtons seenButtons;
        QTimer::singleShot(0, &mainWindow, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen << (box->parentWidget() == &mainWindow ? "main window" : "elsewhere")
                 << box->text() + (box->textFormat() == Qt::PlainText ? " (plain)" : "")
                 << box->windowTitle()
                 << QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon());
            seenButtons = box->standardButtons();
            QTest::keyClick(box, escape ? Qt::Key_Escape : Qt::Key_Return);
        });
        const auto buttons = cancel ? Platform::Buttons::OkCancel : Platform::Buttons::Ok;
        // Markup in a name is shown as typed.
        QTEST(QtPlatform().MessageBox(&mainWindow, "<b>Bo</b>?", "Confirm", icon, buttons),
              "answer");
        QCOMPARE(seen.join('|'),
                 QString("main window|<b>Bo</b>? (plain)|Confirm|") + QTest::currentDataTag());
        QCOMPARE(seenButtons, cancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
    }

    // Two prompts in a row sit on the window that asks, although no window is active for a
    // moment between them, and the keyboard goes back to it. A window that has hidden itself (the
    // legion window while a creature is dragged onto the board) leaves them to the main window.
    void promptsStayWithTheWindowThatAsks_data()
    {
        QTest::addColumn<bool>("askerHidden");
        QTest::newRow("asker shown") << false;
        QTest::newRow("asker hidden") << true;
    }

    void promptsStayWithTheWindowThatAsks()
    {
        QFETCH(bool, askerHidden);
        QMainWindow mainWindow;
        mainWindow.show();
        QWidget asker;
        asker.show();
        asker.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&asker));
        if (askerHidden)
            asker.hide();
        QList<QWidget *> parents;
        const auto answer = [&] {
            QWidget *box = QApplication::activeModalWidget();
            QVERIFY(box);
            parents << box->parentWidget();
            QTest::keyClick(box, Qt::Key_Return);
        };
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, &mainWindow, answer);
            QtPlatform().MessageBox(&asker, "Bad Input", "Bad Input", Platform::Icon::None,
                                    Platform::Buttons::Ok);
        }
        QWidget *expected = askerHidden ? static_cast<QWidget *>(&mainWindow) : &asker;
        QCOMPARE(parents, (QList<QWidget *>{expected, expected}));
        QTRY_COMPARE(QApplication::activeWindow(), expected);
    }

    // The test program has no board pictures beside it, like an installed program: its games
    // and settings go to the user's XDG folders, or to their defaults under HOME.
    void userFoldersFollowXdg_data()
    {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QString>("games");
        QTest::addColumn<QString>("settings");
        QTest::newRow("XDG set") << QByteArray("/tmp/vk-xdg/data") << QByteArray("/tmp/vk-xdg/conf")
                                 << "/tmp/vk-xdg/data/vorunkelm/"
                                 << "/tmp/vk-xdg/conf/vorunkelm/VorunKelm.ini";
        QTest::newRow("XDG unset") << QByteArray() << QByteArray() << "%1/.local/share/vorunkelm/"
                                   << "%1/.config/vorunkelm/VorunKelm.ini";
    }

    void userFoldersFollowXdg()
    {
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, configHome);
        QFETCH(QString, games);
        QFETCH(QString, settings);
        const QByteArray home = qgetenv("HOME");
        const auto restore = qScopeGuard([home] {
            qputenv("HOME", home);
            qunsetenv("XDG_DATA_HOME");
            qunsetenv("XDG_CONFIG_HOME");
        });
        qputenv("HOME", "/tmp/vk-home");
        for (const auto &[name, value] :
             {std::pair{"XDG_DATA_HOME", dataHome}, std::pair{"XDG_CONFIG_HOME", configHome}})
            value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
        const TProgramFolders folders = QtProgramFolders();
        QCOMPARE(QString::fromStdString(folders.games), games.arg("/tmp/vk-home"));
        QCOMPARE(QString::fromStdString(folders.settings), settings.arg("/tmp/vk-home"));
    }

    void commandLine_data()
    {
        using A = TCommandLine::Action;
        using Games = std::vector<std::string>;
        QTest::addColumn<QByteArrayList>("arguments"); // as the system gives them
        QTest::addColumn<TCommandLine::Action>("action");
        QTest::addColumn<std::vector<std::string>>("games");
        QTest::addColumn<QString>("textStart");
        QTest::newRow("nothing") << QByteArrayList() << A::Run << Games{} << "";
        QTest::newRow("a game") << QByteArrayList{"fri.txt"} << A::Run << Games{"fri.txt"} << "";
        QTest::newRow("--help") << QByteArrayList{"--help"} << A::Help << Games{}
                                << "Usage: vorunkelm [options] [game]\n";
        QTest::newRow("-h") << QByteArrayList{"-h", "fri.txt"} << A::Help << Games{}
                            << "Usage: vorunkelm [options] [game]\n";
        QTest::newRow("--version") << QByteArrayList{"--version"} << A::Version << Games{}
                                   << QStringLiteral("vorunkelm %1\n").arg(ProductVersion);
        QTest::newRow("-v") << QByteArrayList{"-v"} << A::Version << Games{}
                            << QStringLiteral("vorunkelm %1\n").arg(ProductVersion);
        QTest::newRow("unknown short") << QByteArrayList{"-x", "fri.txt"} << A::Usage << Games{}
                                       << "vorunkelm: Unknown option 'x'.\n\nUsage: vorunkelm";
        QTest::newRow("unknown long") << QByteArrayList{"--frobnicate"} << A::Usage << Games{}
                                      << "vorunkelm: Unknown option 'frobnicate'.";
        QTest::newRow("a file named --help")
            << QByteArrayList{"./--help"} << A::Run << Games{"./--help"} << "";
        QTest::newRow("after --") << QByteArrayList{"--", "--help"} << A::Run << Games{"--help"}
                                  << "";
        QTest::newRow("Qt's own options")
            << QByteArrayList{"-platform", "offscreen", "-reverse", "g.txt"} << A::Run
            << Games{"g.txt"} << "";
        QTest::newRow("Latin-1 file name")
            << QByteArrayList{"caf\xe9.txt"} << A::Run << Games{"caf\xe9.txt"} << "";
    }

    // The options and the games; a game's name stays the system's bytes.
    void commandLine()
    {
        QFETCH(QByteArrayList, arguments);
        arguments.prepend("/usr/bin/vorunkelm");
        std::vector<const char *> argv;
        for (const QByteArray &argument : arguments)
            argv.push_back(argument.constData());
        const TCommandLine command = ParseCommandLine(int(argv.size()), argv.data());
        QTEST(command.action, "action");
        QTEST(command.games, "games");
        QFETCH(QString, textStart);
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

    // The real help window: a long document opens at its contents, where links and Back work;
    // a file that cannot be read gives false and no window.
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
        const QString file = dir.filePath("VorunKelm.html");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write((filler + "<a name=\"contents\"></a><h2>Contents</h2><a href=\"#moves\">Moves</a>"
                   + filler + "<a name=\"moves\"></a><h2>Moves</h2>" + filler)
                      .toUtf8());
        out.close();

        QCOMPARE(platform.ShowHelp(file.toStdString()), std::string());
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
        // The keys the help describes for its own window.
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
