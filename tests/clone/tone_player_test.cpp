// The signal tone generator and the console's message texts.

#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "clone/console_clone_host.h"
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
        EXPECT_EQ(0, samples.front());
        EXPECT_LE(std::abs(samples.back()), 200);
        EXPECT_GT(peak, 5000);
        EXPECT_LT(peak, 32767);
    }
    EXPECT_TRUE(CTonePlayer::MakeTone(1000, 0).empty());
}

TEST(TonePlayer, WithoutSoundServiceTheBellStandsIn)
{
    CTonePlayer player;
    player.DisableSoundService();
    player.Play(1000, 5);
    EXPECT_FALSE(player.HasSoundService());
}

TEST(ConsoleCloneHost, MessagesArePrintedTrimmedLineByLine)
{
    EXPECT_EQ("Cloning completed.", CConsoleCloneHost::TrimMessage(" Cloning completed."));
    EXPECT_EQ("Check the following:\n\n- The RS-232C port settings.\n- The revision.",
              CConsoleCloneHost::TrimMessage(
                  " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - The revision.\n"));
    EXPECT_EQ("", CConsoleCloneHost::TrimMessage(" \n\n "));
}
