#include "fake_platform.h"
#include "fonts.h"
#include "qtplatform.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <set>

Q_DECLARE_METATYPE(Platform::Icon)
Q_DECLARE_METATYPE(Platform::Buttons)
Q_DECLARE_METATYPE(Platform::Answer)

namespace {

template<class Dialog>
Dialog *VisibleDialog()
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<Dialog *>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void fakeAnswersInScriptOrder();
    void fakeFailsUnscriptedPrompts();
    void fakeFailsAnswersOfTheWrongKind();
    void diagnosticIsAnOkBoxWithoutIcon();
    void messageBox_data();
    void messageBox();
    void saveDialogProposesTheName_data();
    void saveDialogProposesTheName();
    void nowIsTheLocalTime();
    void randomStaysInRange_data();
    void randomStaysInRange();
    void missingDocumentIsNotOpened();
    void windowsFontsMapToInstalledOnes_data();
    void windowsFontsMapToInstalledOnes();
};

void TestPlatform::fakeAnswersInScriptOrder()
{
    FakePlatform fake;
    fake.queueAnswer(Platform::Answer::Ok);
    fake.queueFileName(QStringLiteral("/tmp/x.txt"));
    fake.queueCancel();
    fake.queueAnswer(Platform::Answer::Cancel);

    Platform &platform = ThePlatform();
    QCOMPARE(platform.MessageBox("Sure?", "Confirm", Platform::Icon::Question,
                                 Platform::Buttons::OkCancel),
             Platform::Answer::Ok);
    QCOMPARE(platform.SaveFileName("/saves/", "fri_13ecm9.txt"), std::string("/tmp/x.txt"));
    QCOMPARE(platform.OpenFileName("/saves/"), std::nullopt);
    QCOMPARE(platform.MessageBox("Again?", "Confirm", Platform::Icon::Question,
                                 Platform::Buttons::OkCancel),
             Platform::Answer::Cancel);

    QCOMPARE(fake.prompts().size(), 4);
    const FakePlatform::Prompt &save = fake.prompts().at(1);
    QCOMPARE(save.kind, FakePlatform::PromptKind::SaveFile);
    QCOMPARE(save.initialDir, QStringLiteral("/saves/"));
    QCOMPARE(save.proposedName, QStringLiteral("fri_13ecm9.txt"));
    QCOMPARE(fake.prompts().last().text, QStringLiteral("Again?"));
    VERIFY_PLATFORM_DONE(fake);
}

void TestPlatform::fakeFailsUnscriptedPrompts()
{
    FakePlatform fake;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unscripted message box \"Sure\\?\""));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unscripted open dialog"));
    QCOMPARE(ThePlatform().MessageBox("Sure?", "Confirm", Platform::Icon::Question,
                                      Platform::Buttons::OkCancel),
             Platform::Answer::Cancel);
    QCOMPARE(ThePlatform().OpenFileName("/saves/"), std::nullopt);
    QCOMPARE(fake.failures().size(), 2);
    QCOMPARE(fake.prompts().size(), 2);
}

void TestPlatform::fakeFailsAnswersOfTheWrongKind()
{
    FakePlatform fake;
    fake.queueFileName(QStringLiteral("/tmp/x.txt"));
    fake.queueAnswer(Platform::Answer::Ok);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("got a scripted file name"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("got a scripted message answer"));
    QCOMPARE(ThePlatform().MessageBox("Sure?", "Confirm", Platform::Icon::Question,
                                      Platform::Buttons::OkCancel),
             Platform::Answer::Cancel);
    QCOMPARE(ThePlatform().SaveFileName("/saves/", "a.txt"), std::nullopt);
    QCOMPARE(fake.failures().size(), 2);
    QVERIFY(fake.allAnswered());
}

void TestPlatform::diagnosticIsAnOkBoxWithoutIcon()
{
    FakePlatform fake;
    fake.queueAnswer(Platform::Answer::Ok);
    ThePlatform().Diagnostic("bug, land with invalid tag selected");
    const FakePlatform::Prompt &box = fake.prompts().last();
    QCOMPARE(box.text, QStringLiteral("bug, land with invalid tag selected"));
    QCOMPARE(box.caption, QStringLiteral("Debug Info"));
    QCOMPARE(box.icon, Platform::Icon::None);
    QCOMPARE(box.buttons, Platform::Buttons::Ok);
    VERIFY_PLATFORM_DONE(fake);
}

void TestPlatform::messageBox_data()
{
    QTest::addColumn<Platform::Icon>("icon");
    QTest::addColumn<Platform::Buttons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<QMessageBox::Icon>("shownIcon");
    QTest::addColumn<QMessageBox::StandardButtons>("shownButtons");
    QTest::addColumn<Platform::Answer>("answer");

    const QMessageBox::StandardButtons okCancel = QMessageBox::Ok | QMessageBox::Cancel;
    QTest::newRow("stop, Enter") << Platform::Icon::Stop << Platform::Buttons::Ok
                                 << int(Qt::Key_Return) << QMessageBox::Critical
                                 << QMessageBox::StandardButtons(QMessageBox::Ok)
                                 << Platform::Answer::Ok;
    QTest::newRow("warning, Escape")
        << Platform::Icon::Warning << Platform::Buttons::Ok << int(Qt::Key_Escape)
        << QMessageBox::Warning << QMessageBox::StandardButtons(QMessageBox::Ok)
        << Platform::Answer::Ok;
    QTest::newRow("question, Enter")
        << Platform::Icon::Question << Platform::Buttons::OkCancel << int(Qt::Key_Return)
        << QMessageBox::Question << okCancel << Platform::Answer::Ok;
    QTest::newRow("no icon, Escape")
        << Platform::Icon::None << Platform::Buttons::OkCancel << int(Qt::Key_Escape)
        << QMessageBox::NoIcon << okCancel << Platform::Answer::Cancel;
}

void TestPlatform::messageBox()
{
    QFETCH(Platform::Icon, icon);
    QFETCH(Platform::Buttons, buttons);
    QFETCH(int, key);

    QWidget mainWindow;
    mainWindow.show();
    mainWindow.activateWindow();
    QTRY_VERIFY(mainWindow.isActiveWindow());

    // Only looks and answers inside the modal loop, so that a failed check cannot leave the box
    // open; the comparisons follow once the box is gone.
    QMessageBox *seen = nullptr;
    QWidget *parent = nullptr;
    QString text, title;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons;
    QTimer::singleShot(0, &mainWindow, [&] {
        QTRY_VERIFY((seen = VisibleDialog<QMessageBox>()) != nullptr);
        parent = seen->parentWidget();
        text = seen->text();
        title = seen->windowTitle();
        shownIcon = seen->icon();
        shownButtons = seen->standardButtons();
        QTest::keyClick(seen, Qt::Key(key));
    });
    QtPlatform platform;
    const Platform::Answer answer
        = platform.MessageBox("Are you sure you want to restart?", "Confirm", icon, buttons);

    QVERIFY(seen);
    QCOMPARE(parent, &mainWindow);
    QCOMPARE(text, QStringLiteral("Are you sure you want to restart?"));
    QCOMPARE(title, QStringLiteral("Confirm"));
    QTEST(shownIcon, "shownIcon");
    QTEST(shownButtons, "shownButtons");
    QTEST(answer, "answer");
}

void TestPlatform::saveDialogProposesTheName_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void TestPlatform::saveDialogProposesTheName()
{
    QFETCH(bool, accept);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString proposed = folder.filePath(QStringLiteral("fri_13ecm9.txt"));

    QString selected;
    QTimer::singleShot(0, [&] {
        QFileDialog *dialog = nullptr;
        QTRY_VERIFY((dialog = VisibleDialog<QFileDialog>()) != nullptr);
        selected = dialog->selectedFiles().value(0);
        QDialog *asked = dialog; // accept() is public only as a QDialog
        accept ? asked->accept() : asked->reject();
    });
    QtPlatform platform;
    const std::optional<std::string> name
        = platform.SaveFileName(folder.path().toStdString() + "/", "fri_13ecm9.txt");

    QCOMPARE(selected, proposed);
    if (accept)
        QCOMPARE(name, proposed.toStdString());
    else
        QCOMPARE(name, std::nullopt);
}

void TestPlatform::nowIsTheLocalTime()
{
    QtPlatform platform;
    const TDateTime now = platform.Now();
    const QDateTime shown(QDate(now.year, now.month, now.day),
                          QTime(now.hour, now.minute, now.second));
    QVERIFY(shown.isValid());
    QVERIFY(qAbs(shown.secsTo(QDateTime::currentDateTime())) <= 1);
}

void TestPlatform::randomStaysInRange_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("distinct");
    QTest::newRow("none") << 0 << 1;
    QTest::newRow("negative") << -3 << 1;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("towers") << 6 << 6;
}

void TestPlatform::randomStaysInRange()
{
    QFETCH(int, range);
    QtPlatform platform;
    platform.Randomize();
    std::set<int> drawn;
    for (int i = 0; i < 600; ++i) {
        const int value = platform.Random(range);
        QVERIFY2(value >= 0 && value < std::max(range, 1), qPrintable(QString::number(value)));
        drawn.insert(value);
    }
    QTEST(int(drawn.size()), "distinct");
}

void TestPlatform::missingDocumentIsNotOpened()
{
    QTemporaryDir folder;
    QtPlatform platform;
    QVERIFY(!platform.OpenDocument(folder.filePath(QStringLiteral("History.txt")).toStdString()));
}

void TestPlatform::windowsFontsMapToInstalledOnes_data()
{
    QTest::addColumn<QString>("windowsFamily");
    QTest::addColumn<QString>("kind");
    QTest::newRow("Tahoma") << "Tahoma"
                            << "sans";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                   << "sans";
    QTest::newRow("Copperplate") << "Copperplate Gothic Bold"
                                 << "serif";
    QTest::newRow("Courier New") << "Courier New"
                                 << "mono";
}

void TestPlatform::windowsFontsMapToInstalledOnes()
{
    QFETCH(QString, windowsFamily);
    QFETCH(QString, kind);
    if (QFontDatabase::hasFamily(windowsFamily))
        QSKIP("the Windows font itself is installed");
    InstallFontSubstitutions();

    const QFontInfo info(QFont(windowsFamily, 9, QFont::Bold));
    QVERIFY2(QFontDatabase::hasFamily(info.family()), qPrintable(info.family()));
    QCOMPARE(info.fixedPitch(), kind == "mono");
    if (kind != "mono")
        QCOMPARE(info.family().contains(QStringLiteral("Serif")), kind == "serif");
}

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
