#pragma once

#include "platform.h"

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QTest>

#include <optional>
#include <string>

// The platform of the window tests. Prompts are answered from a script the test queues in
// advance and are recorded; a prompt nobody scripted is a failure and is answered with Cancel,
// so no test ever waits for a dialog. The clock is fixed, the random draw scripted, and starting
// or ending the program is only recorded. Installs itself for its lifetime.
class FakePlatform : public Platform {
public:
    enum class PromptKind { Message, OpenFile, SaveFile };
    struct Prompt {
        PromptKind kind = PromptKind::Message;
        QPointer<QWidget> asker; // the window that asked
        QString text; // message boxes
        QString caption;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QStringList buttonTexts; // a question with named buttons, the default first
        QString initialDir; // file dialogs
        QString proposedName;
    };

    FakePlatform() { InstallPlatform(this); }
    ~FakePlatform() override { InstallPlatform(nullptr); }
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    // The script, used in order: one entry per message box or file dialog.
    void queueAnswer(Answer answer) { script.enqueue({false, answer, {}}); }
    void queueFileName(const QString &path) { queueFileName(path.toStdString()); }
    // A name in the system's bytes, whatever their character set.
    void queueFileName(const std::string &path) { script.enqueue({true, Answer::Ok, path}); }
    // The next file dialog is cancelled.
    void queueCancel() { script.enqueue({true, Answer::Cancel, {}}); }

    const QList<Prompt> &prompts() const { return asked; }
    // The message boxes shown so far as "text | caption | icon | buttons".
    QStringList boxes() const;
    // Unscripted prompts, answers of the wrong kind and impossible random draws.
    QStringList failures() const { return failed; }
    bool allAnswered() const { return script.isEmpty(); }

    void setNow(const TDateTime &time) { now = time; }
    int randomizeCount() const { return randomized; }
    // Random returns these in order, then 0.
    void queueRandom(int value) { draws.enqueue(value); }

    void setOpenDocumentResult(bool result) { openResult = result; }
    QStringList openedDocuments() const { return opened; }
    void setShowHelpResult(bool result) { helpResult = result; }
    QStringList helpShown() const { return helpFiles; }
    void setStartResult(bool result) { startResult = result; }
    int startCount() const { return started; }
    QList<int> exitCodes() const { return exits; }

    Answer MessageBox(QWidget *asker, const std::string &text, const std::string &caption,
                      Icon icon, Buttons buttons) override;
    // Recorded as a message box with the question icon; Ok is the first button.
    Answer Choose(QWidget *asker, const std::string &text, const std::string &caption,
                  const std::string &okButton, const std::string &cancelButton) override;
    std::optional<std::string> OpenFileName(QWidget *asker, const std::string &initialDir) override;
    std::optional<std::string> SaveFileName(QWidget *asker, const std::string &initialDir,
                                            const std::string &proposedName) override;
    std::string OpenDocument(const std::string &pathOrUrl) override;
    std::string ShowHelp(const std::string &helpFile) override
    {
        helpFiles << QString::fromStdString(helpFile);
        return helpResult ? std::string() : ScriptedFailure;
    }
    // What a scripted failure to open a document gives as its reason.
    static constexpr const char *ScriptedFailure = "Scripted failure";
    bool StartNewInstance() override;
    void Exit(int code) override { exits << code; }
    TDateTime Now() override { return now; }
    void Randomize() override { ++randomized; }
    int Random(int range) override;

private:
    struct Scripted {
        bool isFile;
        Answer answer; // Cancel: the file dialog is cancelled
        std::string fileName;
    };

    std::optional<Scripted> next(bool wantFile, const Prompt &prompt);
    std::optional<std::string> fileDialog(PromptKind kind, QWidget *asker,
                                          const std::string &initialDir,
                                          const std::string &proposedName);
    void fail(const QString &message);

    QQueue<Scripted> script;
    QList<Prompt> asked;
    QStringList failed;
    TDateTime now{2001, 3, 14, 9, 5, 7};
    int randomized = 0;
    QQueue<int> draws;
    bool openResult = true;
    QStringList opened;
    bool helpResult = true;
    QStringList helpFiles;
    bool startResult = true;
    int started = 0;
    QList<int> exits;
};

// Ends a window test: nothing unscripted was asked and every scripted answer was used.
#define VERIFY_PLATFORM_DONE(fake)                                                                 \
    do {                                                                                           \
        QVERIFY2((fake).failures().isEmpty(), qPrintable((fake).failures().join(u'\n')));          \
        QVERIFY2((fake).allAnswered(), "scripted answers left unused");                            \
    } while (false)
