#include "engine/range_list.h"

#include <gtest/gtest.h>

TEST(RangeList, AddOrdersTheBoundsAndTestsInclusively)
{
    CRangeList list;
    list.Add(20, 10);
    EXPECT_TRUE(list.Contains(10));
    EXPECT_TRUE(list.Contains(20));
    EXPECT_TRUE(list.Contains(15));
    EXPECT_FALSE(list.Contains(21));
    EXPECT_FALSE(list.Contains(9));
}

TEST(RangeList, SentinelIsNeverPartOfTheSet)
{
    CRangeList list;
    EXPECT_FALSE(list.Contains(-1));
    list.Add(5, 6);
    list.Clear();
    EXPECT_FALSE(list.Contains(-1));
    EXPECT_FALSE(list.Contains(5));
}

TEST(RangeList, SeveralRangesAndSignedBounds)
{
    CRangeList list;
    list.Add(-100, -50);
    list.Add(118000000, 136980000);
    list.Add(0, 0);
    EXPECT_TRUE(list.Contains(-75));
    EXPECT_TRUE(list.Contains(0));
    EXPECT_TRUE(list.Contains(136980000));
    EXPECT_FALSE(list.Contains(136980001));
    EXPECT_FALSE(list.Contains(-1));
}
