#include "tedit.h"

#include <algorithm>

#include "tcatalog.h"
#include "tgame.h"

namespace {

constexpr uint8_t NoLegion = 0xff;
constexpr uint8_t NoArg = 0xfe; // names no land, legion, position or creature
constexpr size_t LegionBytes = 3 + TLegion::MaxCrits; // ref, location, unsure bits, creatures
constexpr size_t LandBytes = 1 + TLandStacks::MaxStacks; // land, the legions in its slots
constexpr size_t CountBytes = 2; // type, count

bool ValidLand(int land)
{
    return land >= 1 && land <= LandCount;
}

bool ValidPosition(int position)
{
    return position >= 0 && position < TLegion::MaxCrits;
}

void AddOnce(std::vector<uint8_t> &list, int value)
{
    if (std::find(list.begin(), list.end(), uint8_t(value)) == list.end())
        list.push_back(uint8_t(value));
}

// Appends one part: the touched legions, lands and counts as the game now has them.
void Capture(const TVorunGame &game, const std::vector<uint8_t> &legions,
             const std::vector<uint8_t> &lands, const std::vector<uint8_t> &types,
             std::vector<uint8_t> &out)
{
    out.push_back(uint8_t(legions.size()));
    for (uint8_t ref : legions) {
        const TLegion &legion = *game.Legion(ref);
        uint8_t unsure = 0;
        for (int i = 0; i < TLegion::MaxCrits; ++i)
            unsure = uint8_t(unsure | (legion.GetUnsure()[size_t(i)] ? 1u << i : 0u));
        out.insert(out.end(), {ref, legion.GetLocation(), unsure});
        out.insert(out.end(), legion.GetCrits().begin(), legion.GetCrits().end());
    }
    out.push_back(uint8_t(lands.size()));
    for (uint8_t land : lands) {
        out.push_back(land);
        for (const TLegion *legion : game.Land(land).GetSlots())
            out.push_back(legion ? legion->Ref() : NoLegion);
    }
    out.push_back(uint8_t(types.size()));
    for (uint8_t type : types)
        out.insert(out.end(), {type, game.Stacks().GetCharLeft(type)});
}

// A recorded part, read in place.
struct Part {
    const uint8_t *legions;
    size_t legionCount;
    const uint8_t *lands;
    size_t landCount;
    const uint8_t *counts;
    size_t countCount;

    explicit Part(const uint8_t *p)
    {
        legionCount = *p++;
        legions = p;
        p += legionCount * LegionBytes;
        landCount = *p++;
        lands = p;
        p += landCount * LandBytes;
        countCount = *p++;
        counts = p;
    }
    const uint8_t *LegionAt(size_t i) const { return legions + i * LegionBytes; }
    // The location legion `ref` has in this part; -1 when the part does not hold it.
    int LocationOf(uint8_t ref) const
    {
        for (size_t i = 0; i < legionCount; ++i)
            if (LegionAt(i)[0] == ref)
                return LegionAt(i)[1];
        return -1;
    }
    uint8_t CritOf(uint8_t ref, int position) const
    {
        for (size_t i = 0; i < legionCount; ++i)
            if (LegionAt(i)[0] == ref)
                return LegionAt(i)[3 + position];
        return Crit::None;
    }
    bool UnsureOf(uint8_t ref, int position) const
    {
        for (size_t i = 0; i < legionCount; ++i)
            if (LegionAt(i)[0] == ref)
                return (LegionAt(i)[2] >> position) & 1;
        return false;
    }
    int CritCountOf(uint8_t ref) const
    {
        int count = 0;
        while (count < TLegion::MaxCrits && CritOf(ref, count) != Crit::None)
            ++count;
        return count;
    }
};

// The arguments are kept in a byte each; a value that does not fit must not wrap round to one
// that names a real land or legion.
uint8_t Arg(int value)
{
    return value >= 0 && value <= 0xff ? uint8_t(value) : NoArg;
}

// A list shorter than the players leaves the others' names as they are.
void SetNames(TVorunGame &game, const TGameNames &names)
{
    game.GameName = names.game;
    game.FileName = names.file;
    for (int p = 0; p < game.PlayerCount() && size_t(p) < names.players.size(); ++p)
        game.GetPlayer(p)->SetName(names.players[size_t(p)]);
}

std::string CritName(uint8_t type)
{
    return CritNames[type % Crit::CodeCount];
}

} // namespace

struct TEdit::Extra {
    std::vector<std::pair<uint8_t, int32_t>> counts;
    TGameNames names[2]; // the names asked for, then as they were before
};

TGameNames NamesOf(const TVorunGame &game)
{
    TGameNames names{game.GameName, game.FileName, {}};
    for (int p = 0; p < game.PlayerCount(); ++p)
        names.players.push_back(game.GetPlayer(p)->GetName());
    return names;
}

TEdit::TEdit(Kind kind, int a, int b, int c, int d)
    : kind(kind), a(Arg(a)), b(Arg(b)), c(Arg(c)), d(Arg(d))
{ }

TEdit::TEdit(TEdit &&) noexcept = default;
TEdit &TEdit::operator=(TEdit &&) noexcept = default;
TEdit::~TEdit() = default;

TEdit TEdit::MoveLegion(int legion, int land)
{
    return TEdit(Kind::MoveLegion, legion, land);
}

TEdit TEdit::MoveCrit(int from, int position, int to, int toPosition)
{
    return TEdit(Kind::MoveCrit, from, position, to, toPosition);
}

TEdit TEdit::Recruit(int legion, uint8_t type)
{
    return TEdit(Kind::Recruit, legion, type);
}

TEdit TEdit::RemoveCrit(int legion, int position, bool kill)
{
    return TEdit(Kind::RemoveCrit, legion, position, kill);
}

TEdit TEdit::RemoveLegion(int legion, bool kill)
{
    return TEdit(Kind::RemoveLegion, legion, kill);
}

TEdit TEdit::ToggleUnsure(int legion, int position)
{
    return TEdit(Kind::ToggleUnsure, legion, position);
}

TEdit TEdit::RotateLand(int land)
{
    return TEdit(Kind::RotateLand, land);
}

TEdit TEdit::PlaceLegion(int legion, int land)
{
    return TEdit(Kind::PlaceLegion, legion, land);
}

TEdit TEdit::SetCounts(const std::vector<std::pair<uint8_t, int32_t>> &counts)
{
    TEdit edit(Kind::SetCounts);
    edit.extra = std::make_unique<Extra>();
    edit.extra->counts = counts;
    return edit;
}

TEdit TEdit::Rename(TGameNames names)
{
    TEdit edit(Kind::Rename);
    edit.extra = std::make_unique<Extra>();
    edit.extra->names[0] = std::move(names);
    return edit;
}

// What the edit may change; nothing when its arguments name nothing the game has.
void TEdit::Touch(const TVorunGame &game, std::vector<uint8_t> &legions,
                  std::vector<uint8_t> &lands, std::vector<uint8_t> &types) const
{
    const TLegion *legion = game.Legion(a);
    switch (kind) {
    case Kind::MoveLegion:
    case Kind::PlaceLegion:
        // Only a legion off the board is placed: its marker is the one the user picked as free.
        if (!legion || !ValidLand(b) || (kind == Kind::PlaceLegion && legion->GetLocation() != 0))
            return;
        legions.push_back(a);
        if (ValidLand(legion->GetLocation()))
            AddOnce(lands, legion->GetLocation());
        AddOnce(lands, b);
        return;
    case Kind::MoveCrit:
        if (!legion || !game.Legion(c) || !ValidPosition(b) || (d != Behind && !ValidPosition(d)))
            return;
        legions.push_back(a);
        AddOnce(legions, c);
        return;
    case Kind::Recruit:
        if (!legion || b < Crit::FirstType || b > Crit::LastType)
            return;
        legions.push_back(a);
        types.push_back(b);
        return;
    case Kind::RemoveCrit:
        if (!legion || !ValidPosition(b) || legion->GetCrits()[b] == Crit::None)
            return;
        legions.push_back(a);
        types.push_back(legion->GetCrits()[b]);
        return;
    case Kind::RemoveLegion:
        if (!legion)
            return;
        legions.push_back(a);
        if (ValidLand(legion->GetLocation()))
            lands.push_back(legion->GetLocation());
        for (uint8_t type : legion->GetCrits())
            if (type >= Crit::FirstType && type <= Crit::LastType)
                AddOnce(types, type);
        return;
    case Kind::ToggleUnsure:
        if (legion && ValidPosition(b))
            legions.push_back(a);
        return;
    case Kind::RotateLand:
        if (ValidLand(a))
            lands.push_back(a);
        return;
    case Kind::SetCounts:
        for (const auto &count : extra->counts)
            if (count.first >= Crit::FirstType && count.first <= Crit::LastType)
                AddOnce(types, count.first);
        return;
    case Kind::Rename:
        return;
    }
}

void TEdit::Perform(TVorunGame &game) const
{
    TLegion *legion = game.Legion(a);
    switch (kind) {
    case Kind::MoveLegion:
        game.MoveLegion(*legion, b);
        break;
    case Kind::PlaceLegion:
        game.PlaceLegion(*legion, b);
        break;
    case Kind::MoveCrit:
        if (a == c) {
            legion->SortCrit(b, d == Behind ? TLegion::MaxCrits - 1 : d);
        } else {
            TLegion &target = *game.Legion(c);
            if (legion->TransferCrit(b, target) && d != Behind)
                target.SortCrit(target.CritCount() - 1, d);
        }
        break;
    case Kind::Recruit:
        legion->RecruitCrit(b, false, game.Stacks());
        break;
    case Kind::RemoveCrit: {
        const uint8_t type = legion->DeleteCrit(b);
        if (!c || ReturnsWhenKilled(type))
            game.Stacks().ReturnToStack(type);
        break;
    }
    case Kind::RemoveLegion:
        game.RemoveLegion(*legion, b);
        break;
    case Kind::ToggleUnsure:
        legion->CritUnsure(b);
        break;
    case Kind::RotateLand:
        game.Land(a).RotateStacks();
        break;
    case Kind::SetCounts:
        // Only the counts Touch records: any other entry would stay changed after an undo.
        for (const auto &count : extra->counts)
            if (count.first >= Crit::FirstType && count.first <= Crit::LastType)
                game.Stacks().SetCount(count.first, count.second);
        break;
    case Kind::Rename:
        SetNames(game, extra->names[0]);
        break;
    }
}

bool TEdit::Apply(TVorunGame &game)
{
    if (kind == Kind::Rename) {
        TGameNames before = NamesOf(game);
        Perform(game);
        if (NamesOf(game) == before)
            return false;
        // Kept as they came out, so that a redo gives what the game then had.
        extra->names[1] = std::move(before);
        extra->names[0] = NamesOf(game);
        return true;
    }
    std::vector<uint8_t> legions, lands, types;
    Touch(game, legions, lands, types);
    if (legions.empty() && lands.empty() && types.empty())
        return false;
    std::vector<uint8_t> before, after;
    Capture(game, legions, lands, types, before);
    Perform(game);
    Capture(game, legions, lands, types, after);
    if (before == after)
        return false;
    record = std::move(before);
    afterStart = uint16_t(record.size());
    record.insert(record.end(), after.begin(), after.end());
    record.shrink_to_fit();
    if (extra && kind == Kind::SetCounts)
        extra.reset(); // the counts asked for are in the record now
    return true;
}

TChange TEdit::Undo(TVorunGame &game) const
{
    return Restore(game, false);
}

TChange TEdit::Redo(TVorunGame &game) const
{
    return Restore(game, true);
}

TChange TEdit::Restore(TVorunGame &game, bool after) const
{
    if (kind == Kind::Rename) {
        SetNames(game, extra->names[after ? 0 : 1]);
        return Change();
    }
    if (record.empty())
        return TChange();
    const Part part(record.data() + (after ? afterStart : 0));
    for (size_t i = 0; i < part.legionCount; ++i) {
        const uint8_t *state = part.LegionAt(i);
        TLegion::Crits crits;
        TLegion::Flags flags;
        for (size_t k = 0; k < size_t(TLegion::MaxCrits); ++k) {
            crits[k] = state[3 + k];
            flags[k] = (state[2] >> k) & 1;
        }
        game.Legion(state[0])->SetState(state[1], crits, flags);
    }
    for (size_t i = 0; i < part.landCount; ++i) {
        const uint8_t *state = part.lands + i * LandBytes;
        TLandStacks::Slots order{};
        for (size_t k = 0; k < order.size(); ++k)
            order[k] = state[1 + k] == NoLegion ? nullptr : game.Legion(state[1 + k]);
        game.Land(state[0]).SetSlots(order);
    }
    for (size_t i = 0; i < part.countCount; ++i)
        game.Stacks().SetCount(part.counts[CountBytes * i], part.counts[CountBytes * i + 1]);
    return ChangeTo(after);
}

TChange TEdit::Change() const
{
    return ChangeTo(true);
}

// The lands a legion left or reached are repainted; the land to select is where the first legion
// now stands, or stood, or else the first land.
TChange TEdit::ChangeTo(bool after) const
{
    TChange change;
    if (kind == Kind::Rename) {
        change.names = true;
        return change;
    }
    if (record.empty())
        return change;
    const Part part(record.data() + (after ? afterStart : 0));
    const Part other(record.data() + (after ? 0 : afterStart));
    for (size_t i = 0; i < part.legionCount; ++i) {
        const uint8_t ref = part.LegionAt(i)[0];
        const int now = part.LegionAt(i)[1];
        const int then = other.LocationOf(ref);
        change.legions = true;
        for (int location : {now, then})
            if (ValidLand(location))
                change.lands.set(size_t(location));
        if (!change.focus)
            change.focus = ValidLand(now) ? now : std::max(0, then);
    }
    for (size_t i = 0; i < part.landCount; ++i) {
        change.lands.set(part.lands[i * LandBytes]);
        if (!change.focus)
            change.focus = part.lands[i * LandBytes];
    }
    change.stacks = part.countCount > 0;
    return change;
}

std::string TEdit::Describe(const TVorunGame &game) const
{
    const auto legionName = [&](int ref) {
        const TLegion *legion = game.Legion(ref);
        return legion ? legion->ColouredName() : std::string("?");
    };
    if (kind == Kind::Rename)
        return "Names changed to \"" + extra->names[0].game + "\"";
    if (record.empty())
        return std::string();
    const Part before(record.data());
    const Part after(record.data() + afterStart);
    switch (kind) {
    case Kind::MoveLegion:
        return legionName(a) + " moved from " + LandTitle(before.LocationOf(a)) + " to "
            + LandTitle(b);
    case Kind::PlaceLegion:
        return legionName(a) + " placed on " + LandTitle(b);
    case Kind::MoveCrit: {
        const std::string crit = CritName(before.CritOf(a, b));
        if (a != c)
            return crit + " moved from " + legionName(a) + " to " + legionName(c);
        // A place at or past the last creature's is the back (TLegion::SortCrit).
        if (d == Behind || d >= before.CritCountOf(a) - 1)
            return legionName(a) + ": " + crit + " sent to the back";
        return legionName(a) + ": " + crit + " moved to place " + std::to_string(d + 1);
    }
    case Kind::Recruit:
        return legionName(a) + ": " + CritName(b) + " recruited";
    case Kind::RemoveCrit:
        return legionName(a) + ": " + CritName(before.CritOf(a, b))
            + (c ? " killed" : " returned to the stacks");
    case Kind::RemoveLegion:
        return legionName(a) + (b ? " killed" : " returned to the stacks");
    case Kind::ToggleUnsure:
        return legionName(a) + ": " + CritName(before.CritOf(a, b))
            + (before.UnsureOf(a, b) ? " marked sure" : " marked unsure");
    case Kind::RotateLand:
        return "Legions on " + LandTitle(a) + " rotated";
    case Kind::SetCounts: {
        std::string text = "Creatures remaining corrected:";
        for (size_t i = 0; i < after.countCount; ++i)
            text += (i ? ", " : " ") + CritName(after.counts[CountBytes * i]) + " "
                + std::to_string(after.counts[CountBytes * i + 1]);
        return text;
    }
    case Kind::Rename:
        break;
    }
    return std::string();
}

size_t TEdit::HeapBytes() const
{
    size_t bytes = record.capacity();
    if (extra) {
        bytes += sizeof(Extra) + extra->counts.capacity() * sizeof(extra->counts[0]);
        for (const TGameNames &names : extra->names) {
            bytes += names.game.capacity() + names.file.capacity()
                + names.players.capacity() * sizeof(std::string);
            for (const std::string &name : names.players)
                bytes += name.capacity();
        }
    }
    return bytes;
}
