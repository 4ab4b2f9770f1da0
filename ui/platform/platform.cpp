#include "platform.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

Platform *installedPlatform = nullptr;

} // namespace

void Platform::Diagnostic(QWidget *asker, const char *format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    MessageBox(asker, text, DiagnosticCaption, Icon::None, Buttons::Ok);
}

void InstallPlatform(Platform *platform)
{
    installedPlatform = platform;
}

Platform &ThePlatform()
{
    // A window that reaches the desktop before anything was installed would otherwise crash
    // somewhere far from the cause.
    if (!installedPlatform) {
        std::fputs("ThePlatform() called before InstallPlatform()\n", stderr);
        std::abort();
    }
    return *installedPlatform;
}
