#include "tgame.h"

#include <algorithm>
#include <cstdio>

#include "gametext.h"
#include "uilink.h"

void TVorunGame::AddPlayer(const std::string &name, uint8_t colour, int tower, int32_t spare,
                           uint8_t markerSetCount)
{
    if (name.empty())
        return;
    int index = PlayerCount();
    WidestNameWidth = std::max(WidestNameWidth, Ui::ShowPlayer(index, name, colour));
    players.push_back(std::make_unique<TPlayer>(name, colour, tower, spare, markerSetCount));
}

void TVorunGame::ClearPlayers()
{
    players.clear();
    WidestNameWidth = 0;
}

void TVorunGame::UpdateTitle()
{
    const TDateTime &t = StartTime;
    if (GameName.empty()) {
        char when[64];
        std::snprintf(when, sizeof when, "%02d/%02d/%02d, %02d:%02d:%02d", t.month, t.day,
                      t.year % 100, t.hour, t.minute, t.second);
        GameName = std::string("Unnamed Game started ") + when;
    }
    if (FileName.empty())
        FileName = "VG" + TimeStamp(t);
    // Each name in its own character set: an older game name beside a new file name.
    CaptionText
        = "Vorun - " + DisplayUtf8(GameName) + "  (" + DisplayUtf8(FileName) + "_<time>.txt)";
    Ui::SetCaption(CaptionText);
}
