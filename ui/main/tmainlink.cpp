#include "tmainlink.h"

#include "platform.h"
#include "tboardview.h"
#include "tlgndisp.h"
#include "tvorunwindows.h"
#include "vornmain.h"

TMainLink::TMainLink(TVorunMainForm &form) : form(form)
{
    InstallUiLink(this);
}

TMainLink::~TMainLink()
{
    if (InstalledUiLink() == this)
        InstallUiLink(nullptr);
}

void TMainLink::ShowDiagnostic(const std::string &text)
{
    ThePlatform().Diagnostic(nullptr, "%s", text.c_str());
}

void TMainLink::ShowMessage(const std::string &text, const std::string &caption)
{
    ThePlatform().MessageBox(nullptr, text, caption, Platform::Icon::None, Platform::Buttons::Ok);
}

void TMainLink::ShowFatalError(const std::string &text, const std::string &caption)
{
    ThePlatform().MessageBox(nullptr, text, caption, Platform::Icon::Stop, Platform::Buttons::Ok);
    ThePlatform().Exit(0);
}

bool TMainLink::LoadBoardPicture(const std::string &path, int s)
{
    return form.BoardImage->LoadPicture(QString::fromStdString(path), s);
}

void TMainLink::BoardResized()
{
    form.UpdateScrollBars();
    form.update();
}

// The board lies in the scroll area's content widget, whose coordinates do not move when it
// scrolls, so land areas never need the scroll positions taken off.
int TMainLink::ScrollX()
{
    return 0;
}

int TMainLink::ScrollY()
{
    return 0;
}
