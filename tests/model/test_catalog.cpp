#include "tcatalog.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

// Spot checks of the tables (a wrong total or value shows as a wrong game on screen), and the
// order the marker picker relies on: each colour's markers alphabetical.
TEST(Catalog, TotalsValuesAndMarkerOrder)
{
    EXPECT_EQ(std::accumulate(StackTotal.begin() + 1, StackTotal.end(), 0), 418);
    EXPECT_EQ(StackTotal[Crit::Vorun], 0);
    EXPECT_EQ(CritValue[Crit::Vorun] + 2 * CritValue[Crit::Centaur] + CritValue[Crit::Ogre], 60);
    for (int i = 1; i < MarkerCount; ++i) {
        if (i % MarkersPerColor != 0) {
            EXPECT_LT(std::string(MarkerNames[size_t(i - 1)]), MarkerNames[size_t(i)]) << i;
        }
    }
}
