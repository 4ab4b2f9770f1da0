#include "tnotes.h"

namespace {

constexpr int InitialWidth = 640;
constexpr int InitialHeight = 453;

} // namespace

TNotesForm::TNotesForm(TVorunWindows &windows) : TModelessForm(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Notes  (saved/loaded with game)"));
    resize(InitialWidth, InitialHeight);
}
