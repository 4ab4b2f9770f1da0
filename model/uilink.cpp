#include "uilink.h"

#include <cstdarg>
#include <cstdio>

namespace {
UiLink *installed = nullptr;
} // namespace

void InstallUiLink(UiLink *link)
{
    installed = link;
}

UiLink *InstalledUiLink()
{
    return installed;
}

namespace Ui {

void Diagnostic(const char *format, ...)
{
    if (!installed)
        return;
    char text[256]; // the box shows at most 255 characters
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    installed->ShowDiagnostic(text);
}

void Message(const std::string &text, const std::string &caption)
{
    if (installed)
        installed->ShowMessage(text, caption);
}

void FatalError(const std::string &text, const std::string &caption)
{
    if (installed)
        installed->ShowFatalError(text, caption);
}

bool LoadBoardPicture(const std::string &path, int s)
{
    return installed ? installed->LoadBoardPicture(path, s) : true;
}

void BoardResized()
{
    if (installed)
        installed->BoardResized();
}

int ScrollX()
{
    return installed ? installed->ScrollX() : 0;
}

int ScrollY()
{
    return installed ? installed->ScrollY() : 0;
}

} // namespace Ui
