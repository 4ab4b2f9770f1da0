#include "board_game.h"
#include "settings.h"
#include "tconfig.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <unistd.h>

class TestConfig : public QObject {
    Q_OBJECT

private slots:
    void dialog_data();
    void dialog();
};

void TestConfig::dialog_data()
{
    QTest::addColumn<QString>("settings"); // the file at start, or none
    QTest::addColumn<QString>("before"); // done before the dialog opens
    QTest::addColumn<QString>("shown"); // start values, now (%1: the bounds), new (1: box ticked)
    QTest::addColumn<QString>("ticked"); // the new settings once the maximise box is clicked
    QTest::addColumn<QString>("written"); // the file after the header, or all of it if not saved
    const QString file = "WindowMax=No\nWindowTop=10\nWindowLeft=-20\nWindowWidth=800\n"
                         "WindowHeight=600\nBoardSize=2\n";
    const QString fromFile = "2 No 10 -20 800 600 2 No %1 2 0 10 -20 800 600";
    const QString typedTicked = "5 1 -10 --20 -abc  -600";
    QTest::newRow("no file") << QString() << QString()
                             << "0 Yes 0 0 640 443 3 Yes %1 0 1 -0 -0 -640 -443"
                             << "5 0 0 0 640 443"
                             << "WindowMax=No\nWindowTop=0\nWindowLeft=0\nWindowWidth=640\n"
                                "WindowHeight=443\nBoardSize=5\n";
    QTest::newRow("maximised now")
        << file << "maximise"
        << "2 No 10 -20 800 600 2 Yes %1 2 0 10 -20 800 600" << typedTicked
        << "WindowMax=Yes\nWindowTop=10\nWindowLeft=-20\nWindowWidth=abc \nWindowHeight=600\n"
           "BoardSize=5\n";
    QTest::newRow("read-only file") << file << "read-only" << fromFile << typedTicked << file;
    QTest::newRow("folder in the way") << file << "folder" << fromFile << typedTicked << "";
}

// Saving is for the next start only: opened again, the dialog shows what it showed before. Enter,
// wherever the focus is, saves nothing; the button's mnemonic does.
void TestConfig::dialog()
{
    QFETCH(QString, settings);
    QFETCH(QString, before);
    QFETCH(QString, shown);
    QFETCH(QString, written);
    if (before == "read-only" && geteuid() == 0)
        QSKIP("root writes read-only files");
    const bool blocked = before == "read-only" || before == "folder";
    FakePlatform fake;
    ProgramFolder folder;
    const std::string ini = folder.WriteFile(IniFileBaseName, settings.toStdString());
    if (settings.isEmpty())
        std::filesystem::remove(ini);
    const std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, BoardGame);
    TConfigForm &form = *windows->ConfigForm;
    const QRect start = windows->MainForm->frameGeometry();
    if (before == "maximise")
        windows->MainForm->showMaximized();
    QTRY_VERIFY(before != "maximise" || windows->MainForm->frameGeometry() != start);
    const QRect now = windows->MainForm->frameGeometry();
    shown = shown.arg(
        QString::asprintf("%d %d %d %d", now.top(), now.left(), now.width(), now.height()));
    if (before == "folder" && std::filesystem::remove(ini))
        std::filesystem::create_directory(ini);
    if (before == "read-only")
        std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    const auto values = [&f = form] { // as "shown" above, "-" marking a disabled box
        QStringList parts;
        for (QWidget *w : QWidgetList{f.CFBSLbl, f.CFWMLbl, f.CFWTLbl, f.CFWLLbl, f.CFWWLbl,
                                      f.CFWHLbl, f.CABSLbl, f.CAWMLbl, f.CAWTLbl, f.CAWLLbl,
                                      f.CAWWLbl, f.CAWHLbl, f.Edit1, f.Edit2, f.Edit3, f.Edit4})
            parts << (w->isEnabled() ? "" : "-") + w->property("text").toString();
        parts.insert(12, QString("%1 %2").arg(f.BoardSizeIndex()).arg(f.MaxChkBox->isChecked()));
        return parts.join(' ');
    };

    form.show(); // not run modally as the menu does, so that the test can be the user
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(values(), shown);
    form.Edit3->selectAll(); // the width retyped, if its box takes it
    QTest::keyClicks(form.Edit3, "abc ");
    form.BoardSizeItems[5]->click();
    form.MaxChkBox->click();
    QTEST(values().section(' ', 12), "ticked");
    for (QWidget *focus : QWidgetList{form.Edit1, form.Button1, form.MaxChkBox}) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Return);
        QVERIFY(form.isVisible());
    }
    fake.queueAnswer(Platform::Answer::Ok);
    // A mnemonic presses its button visibly, so the click comes a moment later.
    QTest::keyClick(form.windowHandle(), Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(blocked ? QDialog::Rejected : QDialog::Accepted));
    const QString why = before == "folder" ? "Is a directory" : "Permission denied";
    QCOMPARE(fake.boxes(),
             QStringList{blocked ? "Cannot open .INI file\n" + QString::fromStdString(ini) + ": "
                                 + why + " | Error | Stop | Ok"
                                 : "The changes will take effect the next time you start this "
                                   "program. | Settings Saved | None | Ok"});
    QFile saved(QString::fromStdString(ini));
    QCOMPARE(saved.open(QIODevice::ReadOnly), before != "folder"); // a folder stays one
    QCOMPARE(QString(saved.readAll()).section('\n', blocked ? 0 : 29), written);
    form.show();
    QCOMPARE(values(), shown);
    form.Button2->click(); // Cancel saves nothing: no second box
    VERIFY_PLATFORM_DONE(fake);
}

QTEST_MAIN(TestConfig)
#include "test_config.moc"
