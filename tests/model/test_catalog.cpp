#include "tcatalog.h"

#include <gtest/gtest.h>

#include <string>

// The marker picker lists each colour's markers in table order and relies on it being
// alphabetical.
TEST(Catalog, EachColoursMarkersAreAlphabetical)
{
    for (int i = 1; i < MarkerCount; ++i)
        if (i % MarkersPerColor != 0) {
            EXPECT_LT(std::string(MarkerNames[size_t(i - 1)]), MarkerNames[size_t(i)]) << i;
        }
}
