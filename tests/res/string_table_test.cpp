#include "res/string_table.h"

#include <gtest/gtest.h>

#include <cstdlib>

// The lookup is a binary search, so an entry out of order would silently vanish.
TEST(StringTable, KnownIdsResolveAndUnknownIdsAreEmpty)
{
    EXPECT_EQ(LoadResString(57344), "PW-R455NORD");
    EXPECT_EQ(LoadResString(57345), "Ready");
    EXPECT_FALSE(HasResString(1));
    EXPECT_EQ(LoadResString(1), "");
}
