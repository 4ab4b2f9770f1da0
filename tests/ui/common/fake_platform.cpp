#include "fake_platform.h"

#include <QtDebug>

#include <algorithm>

namespace {

QString Describe(const FakePlatform::Prompt &prompt)
{
    switch (prompt.kind) {
    case FakePlatform::PromptKind::Message:
        return QStringLiteral("message box \"%1\" (%2)").arg(prompt.text, prompt.caption);
    case FakePlatform::PromptKind::OpenFile:
        return QStringLiteral("open dialog in %1").arg(prompt.initialDir);
    case FakePlatform::PromptKind::SaveFile:
        return QStringLiteral("save dialog for %1%2").arg(prompt.initialDir, prompt.proposedName);
    }
    return {};
}

} // namespace

FakePlatform::FakePlatform()
{
    InstallPlatform(this);
}

FakePlatform::~FakePlatform()
{
    InstallPlatform(nullptr);
}

void FakePlatform::queueAnswer(Answer answer)
{
    script.enqueue({false, answer, std::nullopt});
}

void FakePlatform::queueFileName(const QString &path)
{
    script.enqueue({true, Answer::Ok, path});
}

void FakePlatform::queueCancel()
{
    script.enqueue({true, Answer::Cancel, std::nullopt});
}

Platform::Answer FakePlatform::MessageBox(const std::string &text, const std::string &caption,
                                          Icon icon, Buttons buttons)
{
    Prompt prompt{PromptKind::Message,
                  QString::fromStdString(text),
                  QString::fromStdString(caption),
                  icon,
                  buttons,
                  {},
                  {}};
    const std::optional<Scripted> answer = next(false, prompt);
    return answer ? answer->answer : Answer::Cancel;
}

std::optional<std::string> FakePlatform::OpenFileName(const std::string &initialDir)
{
    return fileDialog({PromptKind::OpenFile,
                       {},
                       {},
                       Icon::None,
                       Buttons::Ok,
                       QString::fromStdString(initialDir),
                       {}});
}

std::optional<std::string> FakePlatform::SaveFileName(const std::string &initialDir,
                                                      const std::string &proposedName)
{
    return fileDialog({PromptKind::SaveFile,
                       {},
                       {},
                       Icon::None,
                       Buttons::Ok,
                       QString::fromStdString(initialDir),
                       QString::fromStdString(proposedName)});
}

bool FakePlatform::OpenDocument(const std::string &pathOrUrl)
{
    opened << QString::fromStdString(pathOrUrl);
    return openResult;
}

bool FakePlatform::StartNewInstance()
{
    ++started;
    return startResult;
}

void FakePlatform::Exit(int code)
{
    exits << code;
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
    if (script.isEmpty()) {
        fail(QStringLiteral("unscripted %1").arg(Describe(prompt)));
        return std::nullopt;
    }
    const Scripted answer = script.dequeue();
    if (answer.isFile != wantFile) {
        fail(QStringLiteral("%1 got a scripted %2")
                 .arg(Describe(prompt), answer.isFile ? "file name" : "message answer"));
        return std::nullopt;
    }
    return answer;
}

std::optional<std::string> FakePlatform::fileDialog(const Prompt &prompt)
{
    const std::optional<Scripted> answer = next(true, prompt);
    if (!answer || !answer->fileName)
        return std::nullopt;
    return answer->fileName->toStdString();
}

void FakePlatform::fail(const QString &message)
{
    failed << message;
    qWarning("FakePlatform: %s", qPrintable(message));
}
