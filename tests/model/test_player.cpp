#include "tplayer.h"

#include <gtest/gtest.h>

#include <tuple>

// A player starts with an empty legion under each marker of its colour, numbered in the game by
// its place among the players.
TEST(Player, LegionsAreNamedAndNumberedFromColourAndPlace)
{
    const TPlayer player("Ann", 2, -3, 2, 4);
    for (int m : {0, MarkersPerColor - 1}) {
        const TLegion &legion = *player.GetLegion(m);
        EXPECT_EQ(std::make_tuple(legion.GetName(), legion.GetOwner(), int(legion.GetColor()),
                                  int(legion.Ref()), legion.CritCount(), int(legion.GetLocation())),
                  std::make_tuple(std::string(MarkerNames[size_t(2 * MarkersPerColor + m)]),
                                  &player, 2, 4 * MarkersPerColor + m, 0, 0));
    }
    EXPECT_EQ(player.GetLegion(MarkersPerColor - 1)->GetName(), "Wheel");
    EXPECT_EQ(player.GetLegion(MarkersPerColor), nullptr);
    EXPECT_EQ(std::make_tuple(player.GetSpare(), int(player.GetMarkerSetCount()),
                              player.GetMarkerSetColors()),
              std::make_tuple(-3, 2, std::vector<uint8_t>{2}));
}
