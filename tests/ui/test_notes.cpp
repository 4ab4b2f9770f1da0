#include "board_game.h"
#include "tboardview.h"
#include "tchrleft.h"
#include "tnotes.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <iterator>

namespace {

// Typed key by key, as the user would; Enter for each line break.
void Type(QWidget *memo, const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(memo, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, memo, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}

TNotesForm &OpenNotes(TVorunWindows &windows)
{
    QTest::keyClick(windows.MainForm.get(), Qt::Key_N, Qt::ControlModifier);
    return *windows.NotesForm;
}

} // namespace

class TestNotes : public QObject {
    Q_OBJECT

private slots:
    void notesSurviveSaveAndLoad_data()
    {
        QTest::addColumn<QString>("typed"); // at the memo's end
        QTest::addColumn<QByteArray>("loaded"); // the notes in the save opened
        QTest::addColumn<QString>("shown"); // in the memo when opened
        QTest::addColumn<QByteArray>("saved"); // how the file ends, if the row says
        const QByteArray none;
        QTest::newRow("lines") << "Anne owes Bob a Titan\nGong lost" << none << QString() << none;
        QTest::newRow("blank and trailing") << "\n  first\t tab \n\n\nlast\n\n"
                                            << none << QString() << none;
        QTest::newRow("beyond 254") << QString(300, u'x') + "\nend" << none << QString() << none;
        // Notes from an older Western save: a keystroke on one line leaves every other line's
        // bytes as they were (a no-break space too, which the editor hands back as a blank).
        QTest::newRow("older Western save")
            << QStringLiteral(" \u00e0 B")
            << QByteArray("caf\xe9 au lait\r\nZo\xeb\xa0owes\r\n5 \xe2\x82\xac\r\n")
            << QStringLiteral("caf\u00e9 au lait\nZo\u00eb owes\n5 \u20ac")
            << QByteArray("\ncaf\xe9 au lait\r\nZo\xeb\xa0owes\r\n5 \xe2\x82\xac \xc3\xa0 B\r\n");
    }

    // What is typed reaches the game only when it is saved, and comes back when it is loaded.
    void notesSurviveSaveAndLoad()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, loaded);
        QFETCH(QString, shown);
        QFETCH(QByteArray, saved);
        FakePlatform fake;
        ProgramFolder folder;
        auto windows = StartWithGame(folder, BoardGame + loaded.toStdString());
        TNotesForm &form = OpenNotes(*windows);
        QCOMPARE(form.Memo1->toPlainText(), shown);
        const std::vector<std::string> before = windows->MainForm->Game().NotesLines();
        form.Memo1->moveCursor(QTextCursor::End);
        Type(form.Memo1, typed);
        QCOMPARE(windows->MainForm->Game().NotesLines(), before); // typing costs no copying

        const std::string path = folder.Dir() + "SavedGames/n.txt";
        fake.queueFileName(QString::fromStdString(path));
        QTest::keyClick(windows->MainForm.get(), Qt::Key_S, Qt::ControlModifier);
        std::ifstream in(path, std::ios::binary);
        const QByteArray file = QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
        QCOMPARE(file.right(saved.size()), saved);
        windows.reset();
        auto again = StartProgram(folder, {path});
        QTRY_VERIFY(again->MainForm->InGameView());
        QCOMPARE(OpenNotes(*again).Memo1->toPlainText(), shown + typed);
        VERIFY_PLATFORM_DONE(fake);
    }

    // Each way of hiding, and none. A click on the board hides the creatures remaining window
    // but not the notes; Ctrl+N brings them back in front with their text, caret and focus.
    void ctrlNShowsOrRaises_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("left open") << 0;
        QTest::newRow("Escape in memo") << 1;
        QTest::newRow("Close") << 2;
        QTest::newRow("Escape on Close") << 3;
    }

    void ctrlNShowsOrRaises()
    {
        QFETCH(int, how);
        BoardSession s;
        QTest::keyClick(&s.form, Qt::Key_C, Qt::ControlModifier);
        TNotesForm &notes = OpenNotes(*s.windows);
        Type(notes.Memo1, "abc\ndef");
        QTest::keyClick(notes.Memo1, Qt::Key_Up);
        if (how == 1 || how == 3)
            QTest::keyClick(how == 1 ? static_cast<QWidget *>(notes.Memo1) : notes.CloseBtn,
                            Qt::Key_Escape);
        if (how == 2)
            QTest::mouseClick(notes.CloseBtn, Qt::LeftButton);
        if (how != 0) // hiding hands the keyboard back to the main window
            QTRY_VERIFY(s.form.isActiveWindow());
        QTest::mouseClick(s.form.windowHandle(), Qt::LeftButton, {},
                          s.form.BoardImage->mapTo(&s.form, QPoint(300, 200)));
        s.form.activateWindow(); // a click activates nothing without a window manager
        QTRY_VERIFY(s.form.isActiveWindow());
        QCOMPARE(notes.isVisible(), how == 0);
        QVERIFY(!s.windows->CharLeftForm->isVisible());

        OpenNotes(*s.windows);
        QTRY_VERIFY(notes.isActiveWindow());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        QCOMPARE(notes.Memo1->toPlainText(), QStringLiteral("abcx\ndef"));
        VERIFY_PLATFORM_DONE(s.fake);
    }
};

QTEST_MAIN(TestNotes)
#include "test_notes.moc"
