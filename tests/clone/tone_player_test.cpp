// The signal tone generator.

#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "clone/tone_player.h"

TEST(TonePlayer, ToneHasTheAskedLengthPitchAndSoftEnds)
{
    for (unsigned hz : {500u, 1000u}) {
        std::vector<int16_t> samples = CTonePlayer::MakeTone(hz, 400, 44100);
        ASSERT_EQ(17640u, samples.size());
        int crossings = 0;
        int peak = 0;
        for (size_t i = 1; i < samples.size(); ++i) {
            crossings += (samples[i - 1] < 0) != (samples[i] < 0);
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        // Two sign changes per period; 0.4 s of the tone.
        EXPECT_NEAR(2.0 * hz * 0.4, crossings, 4.0) << hz;
        EXPECT_TRUE(samples.front() == 0 && std::abs(samples.back()) <= 200); // soft ends
        EXPECT_TRUE(peak > 5000 && peak < 32767);
    }
    EXPECT_TRUE(CTonePlayer::MakeTone(1000, 0).empty());
}

TEST(TonePlayer, WithoutSoundServiceTheBellStandsIn)
{
    CTonePlayer player;
    player.DisableSoundService();
    // The caller gets its turn after every slice of the tone (a window thread repaints there).
    unsigned turns = 0;
    player.SetSliceHook([&turns] { ++turns; });
    player.Play(1000, 4 * CTonePlayer::kSliceMs + 1);
    EXPECT_FALSE(player.HasSoundService());
    EXPECT_EQ(turns, 5u);
}
