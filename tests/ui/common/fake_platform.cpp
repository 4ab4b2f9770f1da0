#include "fake_platform.h"

#include <QApplication>
#include <QtDebug>

#include <algorithm>
#include <array>

namespace {

QString Describe(const FakePlatform::Prompt &prompt)
{
    if (prompt.kind == FakePlatform::PromptKind::Message)
        return QStringLiteral("message box \"%1\" (%2)").arg(prompt.text, prompt.caption);
    const bool open = prompt.kind == FakePlatform::PromptKind::OpenFile;
    return QStringLiteral("%1 dialog for %2%3")
        .arg(open ? "open" : "save", prompt.initialDir, prompt.proposedName);
}

} // namespace

QStringList FakePlatform::boxes() const
{
    constexpr std::array<const char *, 4> icons{"None", "Stop", "Warning", "Question"};
    QStringList shown;
    for (const Prompt &prompt : asked) {
        if (prompt.kind == PromptKind::Message)
            shown << QStringLiteral("%1 | %2 | %3 | %4")
                         .arg(prompt.text, prompt.caption, icons[size_t(prompt.icon)],
                              prompt.buttonTexts.isEmpty()
                                  ? (prompt.buttons == Buttons::Ok ? "Ok" : "OkCancel")
                                  : prompt.buttonTexts.join(u'/'));
    }
    return shown;
}

Platform::Answer FakePlatform::MessageBox(QWidget *asker, const std::string &text,
                                          const std::string &caption, Icon icon, Buttons buttons)
{
    Prompt prompt;
    prompt.asker = asker;
    prompt.text = QString::fromStdString(text);
    prompt.caption = QString::fromStdString(caption);
    prompt.icon = icon;
    prompt.buttons = buttons;
    // A real box runs a modal loop in which the windows behind it repaint, whatever state the
    // operation that asked has left them in; here they are drawn the same way.
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->grab();
    const std::optional<Scripted> answer = next(false, prompt);
    return answer ? answer->answer : Answer::Cancel;
}

Platform::Answer FakePlatform::Choose(QWidget *asker, const std::string &text,
                                      const std::string &caption, const std::string &okButton,
                                      const std::string &cancelButton)
{
    Prompt prompt;
    prompt.asker = asker;
    prompt.text = QString::fromStdString(text);
    prompt.caption = QString::fromStdString(caption);
    prompt.icon = Icon::Question;
    prompt.buttons = Buttons::OkCancel;
    prompt.buttonTexts
        = QStringList{QString::fromStdString(okButton), QString::fromStdString(cancelButton)};
    const std::optional<Scripted> answer = next(false, prompt);
    return answer ? answer->answer : Answer::Cancel;
}

std::optional<std::string> FakePlatform::OpenFileName(QWidget *asker, const std::string &initialDir)
{
    return fileDialog(PromptKind::OpenFile, asker, initialDir, {});
}

std::optional<std::string> FakePlatform::SaveFileName(QWidget *asker, const std::string &initialDir,
                                                      const std::string &proposedName)
{
    return fileDialog(PromptKind::SaveFile, asker, initialDir, proposedName);
}

std::string FakePlatform::OpenDocument(const std::string &pathOrUrl)
{
    opened << QString::fromStdString(pathOrUrl);
    return openResult ? std::string() : ScriptedFailure;
}

bool FakePlatform::StartNewInstance()
{
    ++started;
    return startResult;
}

int FakePlatform::Random(int range)
{
    const int value = draws.isEmpty() ? 0 : draws.dequeue();
    if (value < 0 || value >= std::max(range, 1))
        fail(QStringLiteral("random draw %1 outside 0..%2").arg(value).arg(range - 1));
    return value;
}

std::optional<FakePlatform::Scripted> FakePlatform::next(bool wantFile, const Prompt &prompt)
{
    asked << prompt;
    const std::optional<Scripted> answer
        = script.isEmpty() ? std::nullopt : std::optional(script.dequeue());
    if (answer && answer->isFile == wantFile)
        return answer;
    const char *got = answer ? (answer->isFile ? "a file name" : "a message answer") : "nothing";
    fail(QStringLiteral("%1 got %2 from the script").arg(Describe(prompt), got));
    return std::nullopt;
}

std::optional<std::string> FakePlatform::fileDialog(PromptKind kind, QWidget *asker,
                                                    const std::string &initialDir,
                                                    const std::string &proposedName)
{
    Prompt prompt;
    prompt.kind = kind;
    prompt.asker = asker;
    prompt.initialDir = QString::fromStdString(initialDir);
    prompt.proposedName = QString::fromStdString(proposedName);
    const std::optional<Scripted> answer = next(true, prompt);
    if (!answer || answer->answer == Answer::Cancel)
        return std::nullopt;
    return answer->fileName;
}

void FakePlatform::fail(const QString &message)
{
    failed << message;
    qWarning("FakePlatform: %s", qPrintable(message));
}
