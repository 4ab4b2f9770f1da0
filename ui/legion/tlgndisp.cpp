#include "tlgndisp.h"

namespace {

// One row of legions; the window grows when a land holds more.
constexpr int InitialWidth = 700;
constexpr int InitialHeight = 183;

} // namespace

TLgnDispForm::TLgnDispForm(TVorunWindows &windows)
    : TModelessForm(nullptr, Maximizable), windows(windows)
{
    setWindowTitle(QStringLiteral("Legion Contents"));
    resize(InitialWidth, InitialHeight);
}

void TLgnDispForm::ShowLgns()
{
    ShowInFront();
}
