#include "fonts.h"
#include "platform.h"
#include "qtplatform.h"
#include "tvorunwindows.h"
#include "vornmain.h"

#include <QApplication>
#include <QFile>

#include <algorithm>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

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
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "vorunkelm: no display to show its window on "
                     "(set DISPLAY, or start it under xvfb-run)\n");
        return 1;
    }
    TVorunApplication app(argc, argv);
    InstallFontSubstitutions();
    QtPlatform platform;
    InstallPlatform(&platform);
    // The bytes themselves: decoding them as text would turn a file name in another character set
    // into one that does not exist. Qt has taken its own options out of argv by now.
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    TVorunWindows windows(
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/", arguments);
    TVorunMainForm &mainForm = *windows.MainForm;
    mainForm.show();
    mainForm.raise();
    mainForm.activateWindow();
    return app.exec();
}
