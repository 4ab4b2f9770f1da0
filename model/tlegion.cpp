#include "tlegion.h"

#include "tcharleft.h"
#include "tmastrbd.h"
#include "uilink.h"

TLegion::TLegion(TPlayer *owner, uint8_t colour, std::string name)
    : owner(owner), colour(colour), name(std::move(name))
{ }

void TLegion::PlaceOnBoard(uint8_t land)
{
    if (land > LandCount) {
        Ui::Diagnostic("Bug: trying to place stack onto board in invalid location");
        return;
    }
    TVorunMasterboard *board = TheMasterboard();
    if (land != 0) {
        if (location != 0) {
            Ui::Diagnostic(
                "Warning: using PlaceOnBoard to specify loc of stack that already has a location");
            // A legion stands on one land only: leaving it in the old land's slots too would
            // show it twice and leave a stale entry behind when it moves on.
            if (board && location <= LandCount && StandsIn(board->GetLand(location)))
                board->GetLand(location).RemoveStack(this);
        }
        location = land;
    }
    if (!board)
        return; // entering the game view puts the legion on its recorded land
    if (location == 0 || location > LandCount) {
        Ui::Diagnostic("placing stack onto board in bad preset loc");
        return;
    }
    if (!board->GetLand(location).AddStack(this, false))
        location = 0;
}

bool TLegion::MoveStack(uint8_t land)
{
    TVorunMasterboard *board = TheMasterboard();
    if (!board)
        return false;
    if (land == 0 || land > LandCount) {
        Ui::Diagnostic("Bug: trying to move stack to invalid loc");
        return false;
    }
    if (location == 0 || location > LandCount) {
        Ui::Diagnostic("Bug: trying to move stack from invalid loc");
        return false;
    }
    if (land == location)
        return false;
    if (!board->GetLand(land).AddStack(this, true))
        return false;
    board->GetLand(location).RemoveStack(this);
    location = land;
    return true;
}

void TLegion::RecruitCrit(uint8_t type, bool unsureFlag, bool redisplay)
{
    TCharLeft &stacks = RecruitStacks();
    if (type != Crit::Vorun && stacks.GetCharLeft(type) < 1) {
        Ui::Diagnostic("Bug?: attempt to recruit creature type with none remaining");
        return;
    }
    int position = 0;
    while (position < MaxCrits && creatures[position] != Crit::None)
        ++position;
    // Looked for before taking, so that a full legion never costs the stacks a creature.
    if (position == MaxCrits) {
        Ui::Diagnostic("Bug, trying to recruit more than 8 chars.");
    } else {
        if (type != Crit::Vorun)
            stacks.TakeFromStack(type);
        creatures[position] = type;
        unsure[position] = unsureFlag;
    }
    Redisplay(redisplay);
}

uint8_t TLegion::DeleteCrit(int position, bool redisplay)
{
    if (position < 0 || position >= MaxCrits || creatures[position] == Crit::None) {
        Ui::Diagnostic("bug? trying to delete nonexistent creature or bad index");
        return 0;
    }
    uint8_t type = creatures[position];
    int last = CloseGapAfter(position);
    creatures[last] = Crit::None;
    unsure[last] = false;
    Redisplay(redisplay);
    return type;
}

void TLegion::SortCrit(int from, int to)
{
    if (from < 0 || from >= MaxCrits || creatures[from] == Crit::None) {
        Ui::Diagnostic("Bug: trying to sort bad critter");
        return;
    }
    if (from == to)
        return;
    uint8_t moved = creatures[from];
    bool movedFlag = unsure[from];
    if (to >= 0 && to < MaxCrits - 1 && creatures[to + 1] != Crit::None) {
        if (to > from) {
            for (int i = from; i < to; ++i) {
                creatures[i] = creatures[i + 1];
                unsure[i] = unsure[i + 1];
            }
        } else {
            for (int i = from; i > to; --i) {
                creatures[i] = creatures[i - 1];
                unsure[i] = unsure[i - 1];
            }
        }
        creatures[to] = moved;
        unsure[to] = movedFlag;
    } else {
        int last = CloseGapAfter(from);
        creatures[last] = moved;
        unsure[last] = movedFlag;
    }
    Redisplay(true);
}

bool TLegion::TransferCrit(int position, TLegion &target)
{
    if (position < 0 || position >= MaxCrits || creatures[position] == Crit::None || target.Full())
        return false;
    const uint8_t type = creatures[position];
    const bool flag = unsure[position];
    DeleteCrit(position, false);
    const int free = target.CritCount();
    target.creatures[free] = type;
    target.unsure[free] = flag;
    return true;
}

void TLegion::CritUnsure(int position, bool redisplay)
{
    if (position >= 0 && position < MaxCrits)
        unsure[position] = !unsure[position];
    else
        Ui::Diagnostic("bad index in CritUnsure()");
    Redisplay(redisplay);
}

void TLegion::RemoveFromBoard(bool kill)
{
    TVorunMasterboard *board = TheMasterboard();
    if (board && location >= 1 && location <= LandCount)
        board->GetLand(location).RemoveStack(this);
    location = 0;
    for (int i = 0; i < MaxCrits; ++i) {
        uint8_t type = creatures[i];
        creatures[i] = Crit::None;
        unsure[i] = false;
        if (type != Crit::None && (!kill || ReturnsWhenKilled(type)))
            RecruitStacks().ReturnToStack(type);
    }
}

void TLegion::SetCrits(const std::array<int32_t, MaxCrits> &codes)
{
    for (int i = 0; i < MaxCrits; ++i) {
        creatures[i] = uint8_t(codes[i] % 26);
        unsure[i] = codes[i] >= 26;
    }
}

bool TLegion::StandsIn(const TVorunMBLand &land) const
{
    for (int i = 0; i < TVorunMBLand::MaxStacks; ++i)
        if (land.GetStack(i) == this)
            return true;
    return false;
}

int TLegion::CritCount() const
{
    int count = 0;
    while (count < MaxCrits && creatures[count] != Crit::None)
        ++count;
    return count;
}

int TLegion::CloseGapAfter(int position)
{
    int i = position;
    for (; i < MaxCrits - 1 && creatures[i + 1] != Crit::None; ++i) {
        creatures[i] = creatures[i + 1];
        unsure[i] = unsure[i + 1];
    }
    return i;
}

void TLegion::Redisplay(bool redisplay) const
{
    if (redisplay)
        Ui::RedisplayLegions();
}
