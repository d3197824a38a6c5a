#include "engine/frequency_band.h"

#include <gtest/gtest.h>

#include "engine/command_string.h"
#include "engine/setting_table.h"

TEST(FrequencyBandSnap, EachGridTable)
{
    CFrequencyBand band;
    band.Reset();
    struct Case {
        int grid;
        uint32_t in;
        uint32_t out;
    };
    const Case cases[] = {
        {0, 118012500, 118000000}, // a tie goes down
        {0, 118012501, 118025000},
        {0, 136980000, 136975000},
        {0, 118090000, 118100000}, // the next step's 0 offset
        {0, 121537500, 121525000},
        {1, 118001000, 118005000}, // below the first offset
        {1, 136980000, 136980000},
        {1, 118095000, 118090000}, // above the last offset
        {1, 118020000, 118015000},
        {1, 118022500, 118015000}, // tie between 15000 and 30000
        {1, 118022501, 118030000},
        {1, 118047500, 118040000},
        {2, 118020000, 118015000}, // tie between 15000 and 25000
        {2, 118020001, 118025000},
        {2, 118096000, 118100000},
        {2, 118000000, 118000000},
        {0, 0, 0},
        {1, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(band.Snap(c.in, c.grid), c.out) << "grid " << c.grid << " " << c.in;
    }
}

TEST(FrequencyBandSnap, StaysInsideTheBandWhereTheGridAllows)
{
    CFrequencyBand band;
    band.Reset();
    // 136.990 would round up to 137.000 on the 25 kHz grid; the lower point is inside the band.
    EXPECT_EQ(band.Snap(136990000, 0), 136975000u);
    // 117.990 on the 8.33 kHz grid is its last offset in that step and below the band: the grid
    // has no higher offset in the step, so it stays.
    EXPECT_EQ(band.Snap(117990000, 1), 117990000u);
    // 117.960 would snap down to 117.955: the next higher offset 117.960 is taken.
    EXPECT_EQ(band.Snap(117957000, 1), 117960000u);
}

TEST(FrequencyBandClamp, ClampsAboveZeroThenSnaps)
{
    CFrequencyBand band;
    band.Reset();
    EXPECT_EQ(band.ClampAndSnap(100000000), 118000000u);
    EXPECT_EQ(band.ClampAndSnap(150000000), 136975000u); // 136.980 snapped on the 25 kHz grid
    EXPECT_EQ(band.ClampAndSnap(0), 0u);
}

TEST(FrequencyBandContains, BandLimits)
{
    CFrequencyBand band;
    EXPECT_FALSE(band.Contains(120000000)); // not reset yet: empty
    band.Reset();
    EXPECT_TRUE(band.Contains(118000000));
    EXPECT_TRUE(band.Contains(136980000));
    EXPECT_FALSE(band.Contains(117999999));
    EXPECT_FALSE(band.Contains(136980001));
    EXPECT_FALSE(band.Contains(0));
    band.Reset();
    EXPECT_TRUE(band.Contains(120000000));
}

TEST(FrequencyBandGrid, FollowsChannelSpacing)
{
    CSettingTable settings;
    CFrequencyBand band;
    band.SetSettingTable(&settings);
    band.Reset();
    EXPECT_EQ(band.GetGrid(), 0);
    EXPECT_EQ(band.Snap(118000000), 118000000u);
    settings.Execute(std::string("COMMON.CH_SPACING=8.33kHz"));
    EXPECT_EQ(band.GetGrid(), 1);
    EXPECT_EQ(band.Snap(118000000), 118005000u);
    settings.Execute(std::string("COMMON.CH_SPACING=25k/8.33kHz"));
    EXPECT_EQ(band.GetGrid(), 2);
    EXPECT_EQ(band.Snap(118025000), 118025000u);
}
