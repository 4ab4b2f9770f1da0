#pragma once

#include "tedit.h"
#include "tgame.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

// The largest game the rules allow and a long run of random edits on it, for the edit tests and
// the edit benchmarks alike. Six players, each with its starting legion on its tower and its other
// eleven legions on lands of their own, then every legion filled in turn from the stacks until they
// run out.
inline void BuildLargestGame(TVorunGame &game)
{
    game.GameName = "Six players, every legion on the board";
    game.FileName = "largest";
    for (int p = 0; p < TVorunGame::MaxPlayers; ++p)
        game.AddPlayer("Player " + std::to_string(p + 1), uint8_t(p), p + 1, 0, 1);
    std::vector<uint8_t> open; // the lands but the towers (85 … 90)
    for (int n = 1; n <= LandCount; ++n)
        if (n < 85 || n > 90)
            open.push_back(uint8_t(n));
    constexpr int Others = TVorunGame::MaxPlayers * (MarkersPerColor - 1);
    for (int k = 0; k < Others; ++k) {
        TLegion &legion = *game.Legion(k / (MarkersPerColor - 1) * MarkersPerColor + 1
                                       + k % (MarkersPerColor - 1));
        game.PlaceLegion(legion, open[size_t(k) * open.size() / Others]);
    }
    uint8_t type = Crit::FirstType;
    for (int round = 0; round < TLegion::MaxCrits; ++round) {
        for (int ref = 0; ref < TVorunGame::LegionRefs; ++ref) {
            TLegion &legion = *game.Legion(ref);
            if (legion.Full())
                continue;
            int tried = 0;
            while (type == Crit::Vorun || game.Stacks().GetCharLeft(type) == 0) {
                type = uint8_t(type % Crit::LastType + 1);
                if (++tried > Crit::LastType)
                    return; // every stack is empty
            }
            legion.RecruitCrit(type, (ref + round) % 5 == 0, game.Stacks());
            type = uint8_t(type % Crit::LastType + 1);
        }
    }
}

// An edit as asked for. An applied TEdit holds its record and is never applied again, so a run of
// edits is replayed on a fresh game by making them anew.
struct EditRecipe {
    TEdit::Kind kind = TEdit::Kind::RotateLand;
    int a = 0, b = 0, c = 0, d = 0;
    std::vector<std::pair<uint8_t, int32_t>> counts;
    TGameNames names;

    TEdit Make() const
    {
        using K = TEdit::Kind;
        switch (kind) {
        case K::MoveLegion:
            return TEdit::MoveLegion(a, b);
        case K::MoveCrit:
            return TEdit::MoveCrit(a, b, c, d);
        case K::Recruit:
            return TEdit::Recruit(a, uint8_t(b));
        case K::RemoveCrit:
            return TEdit::RemoveCrit(a, b, c != 0);
        case K::RemoveLegion:
            return TEdit::RemoveLegion(a, b != 0);
        case K::ToggleUnsure:
            return TEdit::ToggleUnsure(a, b);
        case K::PlaceLegion:
            return TEdit::PlaceLegion(a, b);
        case K::SetCounts:
            return TEdit::SetCounts(counts);
        case K::Rename:
            return TEdit::Rename(names);
        case K::RotateLand:
            break;
        }
        return TEdit::RotateLand(a);
    }
};

// A random edit a user could ask for in the game as it stands; the game may still refuse it (a
// full land, an empty stack).
inline EditRecipe RandomEdit(const TVorunGame &game, std::mt19937 &rng)
{
    using K = TEdit::Kind;
    const auto below = [&rng](int n) {
        return int(rng() % uint32_t(n));
    };
    const int refs = game.PlayerCount() * MarkersPerColor;
    const int ref = below(refs);
    const TLegion &legion = *game.Legion(ref);
    const int count = legion.CritCount();
    const bool onBoard = legion.GetLocation() != 0;
    EditRecipe edit;
    edit.a = ref;
    // Kinds by weight: mostly moves and creature edits, a few whole-legion and game edits.
    const int roll = below(100);
    if (roll < 20 && onBoard) {
        edit.kind = K::MoveLegion;
        edit.b = 1 + below(LandCount);
    } else if (roll < 40 && count > 0) {
        edit.kind = K::MoveCrit;
        edit.b = below(count);
        edit.c = below(3) == 0 ? ref : below(refs);
        edit.d = below(3) == 0 ? TEdit::Behind : below(TLegion::MaxCrits);
    } else if (roll < 52) {
        edit.kind = K::Recruit;
        edit.b = Crit::FirstType + below(Crit::LastType);
        if (edit.b == Crit::Vorun)
            edit.b = Crit::Troll;
    } else if (roll < 62 && count > 0) {
        edit.kind = K::RemoveCrit;
        edit.b = below(count);
        edit.c = below(2);
    } else if (roll < 65 && onBoard) {
        edit.kind = K::RemoveLegion;
        edit.b = below(2);
    } else if (roll < 75 && count > 0) {
        edit.kind = K::ToggleUnsure;
        edit.b = below(count);
    } else if (roll < 83 && onBoard) {
        edit.kind = K::RotateLand;
        edit.a = legion.GetLocation();
    } else if (roll < 90 && !onBoard) {
        edit.kind = K::PlaceLegion;
        edit.b = 1 + below(LandCount);
    } else if (roll < 95) {
        edit.kind = K::SetCounts;
        for (int i = below(3); i >= 0; --i)
            edit.counts.emplace_back(uint8_t(Crit::FirstType + below(Crit::LastType)),
                                     below(4) == 0 ? 255 : below(30));
    } else {
        edit.kind = K::Rename;
        edit.names = NamesOf(game);
        const int which = below(game.PlayerCount() + 1);
        std::string &name
            = which == game.PlayerCount() ? edit.names.game : edit.names.players[size_t(which)];
        name = "Name " + std::to_string(below(1000));
    }
    return edit;
}

// `count` random edits that each changed the game, applied to it in turn; afterEach, when given,
// sees the game after every edit kept.
struct EditScript {
    std::vector<EditRecipe> recipes;
    std::vector<TEdit> edits;
};

inline EditScript
ApplyRandomEdits(TVorunGame &game, int count, uint32_t seed,
                 const std::function<void(const TVorunGame &, const TEdit &)> &afterEach = {})
{
    EditScript script;
    std::mt19937 rng(seed);
    while (int(script.edits.size()) < count) {
        EditRecipe recipe = RandomEdit(game, rng);
        TEdit edit = recipe.Make();
        if (!edit.Apply(game))
            continue;
        if (afterEach)
            afterEach(game, edit);
        script.recipes.push_back(std::move(recipe));
        script.edits.push_back(std::move(edit));
    }
    return script;
}
