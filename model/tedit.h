#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tmastrbd.h"

class TVorunGame;

// What an edit, its undo or its redo changed, for the windows that show the game.
struct TChange {
    std::bitset<LandCount + 1> lands; // lands whose legions changed
    bool legions = false; // a legion's creatures or place
    bool stacks = false; // a recruitment stack's count
    bool names = false; // the game's names or its players'
    int focus = 0; // the land to select afterwards; 0 for none
};

// The names a game carries: what a rename changes.
struct TGameNames {
    std::string game;
    std::string file;
    std::vector<std::string> players;
    bool operator==(const TGameNames &o) const
    {
        return game == o.game && file == o.file && players == o.players;
    }
};
TGameNames NamesOf(const TVorunGame &game);

// One user edit of a game, the only way the user's actions change it. Made by a named
// constructor, applied once; it then holds what it changed (the legions, the lands' slot orders,
// the stack counts, the names) as they were before and after, so that Undo gives back exactly the
// earlier game and Redo exactly the later one, whatever the forward step clamped or refused.
// Legions are named by TLegion::Ref, creatures by their position in the legion (0 … 7).
class TEdit {
public:
    enum class Kind : uint8_t {
        MoveLegion,
        MoveCrit,
        Recruit,
        RemoveCrit,
        RemoveLegion,
        ToggleUnsure,
        RotateLand,
        PlaceLegion,
        SetCounts,
        Rename,
    };
    // MoveCrit's target position for "behind the last creature".
    static constexpr int Behind = 0xff;

    // To the top of another land.
    static TEdit MoveLegion(int legion, int land);
    // Creature `position` of legion `from` into legion `to`, which may be `from` itself: to place
    // `toPosition` (the creatures from there on move back one) or Behind its last creature.
    static TEdit MoveCrit(int from, int position, int to, int toPosition);
    // From the stacks; the Vorun has none to take.
    static TEdit Recruit(int legion, uint8_t type);
    // Killed (back to the stacks only if ReturnsWhenKilled) or returned to the stacks.
    static TEdit RemoveCrit(int legion, int position, bool kill);
    // Every creature, and the legion off the board.
    static TEdit RemoveLegion(int legion, bool kill);
    static TEdit ToggleUnsure(int legion, int position);
    static TEdit RotateLand(int land);
    // A legion off the board onto a land, as the last of its legions.
    static TEdit PlaceLegion(int legion, int land);
    // Hand-corrected counts, (type, count) pairs; the low 8 bits of a count are kept.
    static TEdit SetCounts(const std::vector<std::pair<uint8_t, int32_t>> &counts);
    static TEdit Rename(TGameNames names);

    TEdit(TEdit &&) noexcept;
    TEdit &operator=(TEdit &&) noexcept;
    ~TEdit();

    // Performs the edit and records it. False when it changed nothing (refused, or already so),
    // and there is nothing to undo.
    bool Apply(TVorunGame &game);
    TChange Undo(TVorunGame &game) const;
    TChange Redo(TVorunGame &game) const;
    // What Apply changed, as Redo reports it.
    TChange Change() const;
    // A plain sentence for the game's history: "Red Cross moved from Tower 200 to Plains 1".
    // Valid once applied.
    std::string Describe(const TVorunGame &game) const;
    Kind GetKind() const { return kind; }
    // Bytes held besides the object itself, for measuring the history.
    size_t HeapBytes() const;

private:
    struct Extra;
    explicit TEdit(Kind kind, int a = 0, int b = 0, int c = 0, int d = 0);

    void Touch(const TVorunGame &game, std::vector<uint8_t> &legions, std::vector<uint8_t> &lands,
               std::vector<uint8_t> &types) const;
    void Perform(TVorunGame &game) const;
    TChange Restore(TVorunGame &game, bool after) const;
    TChange ChangeTo(bool after) const;

    Kind kind;
    // The arguments, by kind: legion or land, position or target, and so on.
    uint8_t a, b, c, d;
    // The recorded state, before then after, packed: a history holds thousands of edits, most of
    // them touching one legion and two lands, so a few dozen bytes each rather than a structure
    // of vectors.
    std::vector<uint8_t> record;
    uint16_t afterStart = 0;
    // Only counts and renames carry more than four small arguments.
    std::unique_ptr<Extra> extra;
};
