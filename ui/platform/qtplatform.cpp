#include "qtplatform.h"

#include "windowfocus.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

constexpr const char *NoViewerReason = "No program on this desktop opens it";

QMessageBox::Icon BoxIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::Stop:
        return QMessageBox::Critical;
    case Platform::Icon::Warning:
        return QMessageBox::Warning;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    case Platform::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// With no window manager (Xvfb) nothing is active unless the program makes it so, and keys would
// not reach the dialog; the modal loop has shown it by the time the timer fires.
void ActivateWhenShown(QDialog &dialog)
{
    QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.activateWindow();
        dialog.raise();
    });
}

// The window that asks, or for the model's messages the active one. The legion window hides
// itself once a creature drag reaches the board; a prompt over a hidden window would be lost, so
// it goes over the main window then.
QWidget *PromptParent(QWidget *asker)
{
    return VisibleOrMain(asker ? asker->window() : QApplication::activeWindow());
}

// Runs a prompt modally and gives the keyboard back to the window that asked, which no one else
// does without a window manager. Between two prompts no window is active for a moment, so the
// next prompt must not look for its parent there.
int RunModal(QDialog &dialog)
{
    ActivateWhenShown(dialog);
    const int result = dialog.exec();
    if (QWidget *below = VisibleOrMain(dialog.parentWidget())) {
        below->activateWindow();
        below->raise();
    }
    return result;
}

std::optional<std::string> RunFileDialog(QFileDialog &dialog)
{
    if (RunModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    return QFile::encodeName(files.first()).toStdString();
}

// A user folder of the program's own, e.g. ~/.local/share/vorunkelm/.
std::string UserFolder(QStandardPaths::StandardLocation location)
{
    return QFile::encodeName(QStandardPaths::writableLocation(location)).toStdString()
        + "/vorunkelm/";
}

} // namespace

TProgramFolders QtProgramFolders()
{
    const std::string exeDir
        = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/";
    return ChooseProgramFolders(exeDir,
                                {UserFolder(QStandardPaths::GenericDataLocation),
                                 UserFolder(QStandardPaths::GenericConfigLocation)});
}

Platform::Answer QtPlatform::MessageBox(QWidget *asker, const std::string &text,
                                        const std::string &caption, Icon icon, Buttons buttons)
{
    QMessageBox box(PromptParent(asker));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    box.setIcon(BoxIcon(icon));
    if (buttons == Buttons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return RunModal(box) == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

Platform::Answer QtPlatform::Choose(QWidget *asker, const std::string &text,
                                    const std::string &caption, const std::string &okButton,
                                    const std::string &cancelButton)
{
    QMessageBox box(PromptParent(asker));
    box.setTextFormat(Qt::PlainText);
    box.setText(QString::fromStdString(text));
    box.setWindowTitle(QString::fromStdString(caption));
    box.setIcon(QMessageBox::Question);
    QPushButton *ok = box.addButton(QString::fromStdString(okButton), QMessageBox::AcceptRole);
    QPushButton *cancel
        = box.addButton(QString::fromStdString(cancelButton), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    RunModal(box);
    return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> QtPlatform::OpenFileName(QWidget *asker, const std::string &initialDir)
{
    QFileDialog dialog(PromptParent(asker), QString(), QFile::decodeName(initialDir.c_str()));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunFileDialog(dialog);
}

std::optional<std::string> QtPlatform::SaveFileName(QWidget *asker, const std::string &initialDir,
                                                    const std::string &proposedName)
{
    QFileDialog dialog(PromptParent(asker), QString(),
                       QFile::decodeName((initialDir + proposedName).c_str()));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return RunFileDialog(dialog);
}

std::string QtPlatform::OpenDocument(const std::string &pathOrUrl)
{
    const QString target = QString::fromStdString(pathOrUrl);
    const bool local = !target.contains(QStringLiteral("://"));
    // The desktop's launcher reports success before it finds out that the file is missing.
    QFile file(QFile::decodeName(pathOrUrl.c_str()));
    if (local && !file.open(QIODevice::ReadOnly))
        return file.errorString().toStdString();
    if (!QDesktopServices::openUrl(local ? QUrl::fromLocalFile(file.fileName()) : QUrl(target)))
        return NoViewerReason;
    return {};
}

std::string QtPlatform::ShowHelp(const std::string &helpFile)
{
    QFile file(QFile::decodeName(helpFile.c_str()));
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString().toStdString();
    if (!helpViewer)
        helpViewer = std::make_unique<THelpViewer>();
    helpViewer->ShowContents(file.fileName());
    return {};
}

bool QtPlatform::StartNewInstance()
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), {});
}

void QtPlatform::Exit(int code)
{
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}

TDateTime QtPlatform::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

void QtPlatform::Randomize()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    generator.seed(static_cast<std::mt19937::result_type>(ticks));
}

int QtPlatform::Random(int range)
{
    if (range <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(generator);
}
