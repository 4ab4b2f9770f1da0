#include "platform.h"

#include <cstdio>
#include <cstdlib>

namespace {

Platform *installedPlatform = nullptr;

} // namespace

void Platform::Diagnostic(const std::string &text)
{
    MessageBox(text, DiagnosticCaption, Icon::None, Buttons::Ok);
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
