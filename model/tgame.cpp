#include "tgame.h"

#include <cstdio>

#include "gametext.h"
#include "uilink.h"

namespace {
// Tower t stands on land 84 + t (lands 85 … 90 are the towers 100 … 600).
constexpr int FirstTowerLand = 84;
constexpr const char *PlacedTwice
    = "Warning: using PlaceOnBoard to specify loc of stack that already has a location";
} // namespace

void TVorunGame::AddPlayer(const std::string &name, uint8_t colour, int tower, int32_t spare,
                           uint8_t markerSetCount)
{
    if (name.empty())
        return;
    const int index = PlayerCount();
    players.push_back(std::make_unique<TPlayer>(name, colour, spare, markerSetCount, index));
    if (tower == 0)
        return;
    TLegion &start = *players.back()->GetLegion(0);
    start.RecruitCrit(Crit::Vorun, true, stacks);
    start.RecruitCrit(Crit::Angel, true, stacks);
    for (uint8_t type :
         {Crit::Centaur, Crit::Centaur, Crit::Gargoyle, Crit::Gargoyle, Crit::Ogre, Crit::Ogre})
        start.RecruitCrit(type, false, stacks);
    PlaceLegion(start, uint8_t(FirstTowerLand + tower));
}

void TVorunGame::ClearPlayers()
{
    players.clear();
    lands = {};
    stacks = TCharLeft();
}

TLegion *TVorunGame::Legion(int ref) const
{
    const int player = ref / MarkersPerColor;
    return ref >= 0 && player < PlayerCount() ? GetPlayer(player)->GetLegion(ref % MarkersPerColor)
                                              : nullptr;
}

void TVorunGame::PlaceLegion(TLegion &legion, uint8_t land)
{
    if (land > LandCount) {
        Ui::Diagnostic("Bug: trying to place stack onto board in invalid location");
        return;
    }
    const uint8_t location = legion.GetLocation();
    if (land != 0) {
        if (location != 0) {
            Ui::Diagnostic("%s", PlacedTwice);
            // A legion stands on one land only: leaving it in the old land's slots too would
            // show it twice and leave a stale entry behind when it moves on.
            if (location <= LandCount && Land(location).Holds(&legion))
                Land(location).RemoveStack(&legion, location);
        }
        legion.SetLocation(land);
    }
    if (legion.GetLocation() == 0 || legion.GetLocation() > LandCount) {
        Ui::Diagnostic("placing stack onto board in bad preset loc");
        return;
    }
    if (!Land(legion.GetLocation()).AddStack(&legion, false))
        legion.SetLocation(0);
}

void TVorunGame::RecordLocation(TLegion &legion, uint8_t land)
{
    if (legion.GetLocation() != 0)
        Ui::Diagnostic("%s", PlacedTwice);
    legion.SetLocation(land);
}

void TVorunGame::PlaceRecordedLegions()
{
    for (const auto &player : players) {
        for (int m = 0; m < MarkersPerColor; ++m) {
            TLegion &legion = *player->GetLegion(m);
            if (legion.GetLocation() >= 1 && legion.GetLocation() <= LandCount)
                PlaceLegion(legion, 0);
        }
    }
}

bool TVorunGame::MoveLegion(TLegion &legion, uint8_t land)
{
    const uint8_t from = legion.GetLocation();
    if (land == 0 || land > LandCount) {
        Ui::Diagnostic("Bug: trying to move stack to invalid loc");
        return false;
    }
    if (from == 0 || from > LandCount) {
        Ui::Diagnostic("Bug: trying to move stack from invalid loc");
        return false;
    }
    if (land == from || !Land(land).AddStack(&legion, true))
        return false;
    Land(from).RemoveStack(&legion, from);
    legion.SetLocation(land);
    return true;
}

void TVorunGame::RemoveLegion(TLegion &legion, bool kill)
{
    const uint8_t location = legion.GetLocation();
    if (location >= 1 && location <= LandCount)
        Land(location).RemoveStack(&legion, location);
    legion.SetLocation(0);
    legion.EmptyInto(stacks, kill);
}

std::array<int, 25> TVorunGame::KilledCounts() const
{
    std::array<int, 25> killed{};
    for (uint8_t type = Crit::FirstType; type <= Crit::LastType; ++type)
        killed[type] = StackTotal[type] - stacks.GetCharLeft(type);
    for (const auto &player : players)
        for (int m = 0; m < MarkersPerColor; ++m)
            for (uint8_t type : player->GetLegion(m)->GetCrits())
                if (type >= Crit::FirstType && type <= Crit::LastType)
                    --killed[type];
    return killed;
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
}
