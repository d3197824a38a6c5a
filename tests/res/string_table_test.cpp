#include "res/string_table.h"

#include <gtest/gtest.h>

// The compiler checks the table's order; the lookup's ends are checked here.
TEST(StringTable, KnownIdsResolveAndUnknownIdsAreEmpty)
{
    EXPECT_EQ(LoadResString(57344), "PW-R455NORD");
    EXPECT_EQ(LoadResString(61728), "Unexpected file format.");
    EXPECT_EQ(LoadResString(128).substr(0, 12), "PW-R455NORD\n");
    EXPECT_EQ(LoadResString(1), "");
    EXPECT_EQ(LoadResString(70000), "");
}
