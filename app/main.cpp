#include "commandline.h"
#include "fonts.h"
#include "platform.h"
#include "product.h"
#include "qtplatform.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

// Like any desktop program, an error that escapes a handler is reported and the program goes on
// with the next event instead of vanishing with the players' game.
class TVorunApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &error) {
            Report(error.what());
        } catch (...) {
            Report("Unknown error.");
        }
        return false;
    }

private:
    static void Report(const char *text)
    {
        ThePlatform().MessageBox(nullptr, text, "Error", Platform::Icon::Stop,
                                 Platform::Buttons::Ok);
    }
};

bool HasDisplay()
{
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    const TCommandLine command = ParseCommandLine(argc, argv);
    switch (command.action) {
    case TCommandLine::Action::Help:
    case TCommandLine::Action::Version:
        std::fputs(command.text.c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    case TCommandLine::Action::Usage:
        std::fputs(command.text.c_str(), stderr);
        return 2;
    case TCommandLine::Action::Run:
        break;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "vorunkelm: no display to show its window on "
                     "(set DISPLAY, or start it under xvfb-run)\n");
        return 1;
    }
    TVorunApplication app(argc, argv);
    // The desktop matches the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ProductAppId));
    InstallFontSubstitutions();
    QtPlatform platform;
    InstallPlatform(&platform);
    TVorunWindows windows(QtProgramFolders(), command.games);
    TVorunMainForm &mainForm = *windows.MainForm;
    mainForm.show();
    mainForm.raise();
    mainForm.activateWindow();
    return app.exec();
}
