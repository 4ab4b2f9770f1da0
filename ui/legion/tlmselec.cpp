#include "tlmselec.h"

namespace {

constexpr int InitialWidth = 638;
constexpr int InitialHeight = 318;

} // namespace

TLMSelectForm::TLMSelectForm(TVorunWindows &windows) : TModelessForm(nullptr), windows(windows)
{
    setWindowTitle(QStringLiteral("Select Legion Marker"));
    resize(InitialWidth, InitialHeight);
}

void TLMSelectForm::BuildMarkers(int count, const std::vector<TPlayer *> &gamePlayers)
{
    playerCount = count;
    players = gamePlayers;
}

void TLMSelectForm::ShowPicker()
{
    ShowInFront();
}
