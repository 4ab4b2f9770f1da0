#include "fake_platform.h"
#include "product.h"
#include "program_folder.h"
#include "tabout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void aboutBox_data()
    {
        QTest::addColumn<int>("homePage"); // -1: not pressed, else whether the desktop opens it
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("Enter") << -1 << Qt::Key_Return;
        QTest::newRow("Escape") << -1 << Qt::Key_Escape;
        QTest::newRow("page opens") << 1 << Qt::Key_Return;
        QTest::newRow("page fails") << 0 << Qt::Key_Escape;
    }

    // Ctrl+A opens the box; Home Page first when the row says so (the box stays open, whatever
    // the desktop answers); Enter or Escape closes it, even with the focus on Home Page.
    void aboutBox()
    {
        QFETCH(int, homePage);
        QFETCH(Qt::Key, key);
        FakePlatform fake;
        fake.setOpenDocumentResult(homePage == 1);
        if (homePage == 0)
            fake.queueAnswer(Platform::Answer::Ok);
        ProgramFolder folder;
        auto windows = StartProgram(folder);
        TAboutForm *about = windows->AboutForm.get();
        QString seen; // "modal active", the version line, "open" and "closed" as they happen
        QTimer::singleShot(0, [&] {
            if (QApplication::activeModalWidget() == about
                && QTest::qWaitFor([about] { return about->isActiveWindow(); }))
                seen += "modal active|" + about->Label3->text() + "|" + about->GamesLbl->text();
            if (homePage >= 0)
                QTest::mouseClick(about->HomePageBtn, Qt::LeftButton);
            seen += about->isVisible() ? "|open" : "|closed";
            QTest::keyClick(about, key);
            seen += about->isVisible() ? "|open" : "|closed";
            about->reject(); // a failed check must not leave the test waiting
        });
        QTest::keyClick(windows->MainForm.get(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(seen,
                 QStringLiteral("modal active|Version:  %1|Saved games:  %2SavedGames/|open|closed")
                     .arg(ProductVersion, QString::fromStdString(folder.Dir())));
        QTRY_VERIFY(windows->MainForm->isActiveWindow()); // the keyboard is back
        QCOMPARE(fake.openedDocuments(),
                 homePage < 0 ? QStringList() : QStringList("https://vorunkelm.example.org/"));
        QCOMPARE(fake.boxes(),
                 homePage == 0 ? QStringList("Cannot Open Web Page. | Error | None | Ok")
                               : QStringList());
        VERIFY_PLATFORM_DONE(fake);
    }

    void documents_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("opens");
        for (const char *file : {"VorunKelm.html", "License.txt", "History.txt"})
            for (const bool opens : {true, false})
                QTest::addRow("%s %s", file, opens ? "opens" : "fails") << file << opens;
    }

    // F1, "License" and "Rev History": the file beside the program, or the error box.
    void documents()
    {
        QFETCH(QString, file);
        QFETCH(bool, opens);
        FakePlatform fake;
        fake.setOpenDocumentResult(opens);
        fake.setShowHelpResult(opens);
        if (!opens)
            fake.queueAnswer(Platform::Answer::Ok);
        ProgramFolder folder;
        auto windows = StartProgram(folder);
        TVorunMainForm &form = *windows->MainForm;
        if (file.endsWith(".html"))
            QTest::keyClick(&form, Qt::Key_F1);
        else
            (file == "License.txt" ? form.LicenseMI : form.HistMI)->trigger();
        const QString path = QString::fromStdString(folder.Dir()) + file;
        QCOMPARE(fake.helpShown() + fake.openedDocuments(), QStringList(path));
        QCOMPARE(fake.boxes().join(""),
                 opens ? ""
                       : "Cannot Open Documentation File.\n" + path + ": "
                         + FakePlatform::ScriptedFailure + " | Error | Stop | Ok");
        VERIFY_PLATFORM_DONE(fake);
    }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
