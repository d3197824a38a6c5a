// pwr455-cli airports and card end to end, the card read back with the build machine's poppler
// tools (POSIX only).
#include "tests/common/cli_tool.h"
#include "tests/common/test_system.h"

#include <ctime>

using AirCliTest = CToolTest;
using ::testing::IsSubstring;

TEST_F(AirCliTest, AirportsFillChannelsAndTheCardShowsThem)
{
    ASSERT_EQ(Run({"exec", "-o", "@base.qrb", "COMMON.CH_SPACING=8.33kHz"}).status, 0);
    ProcessResult r =
        Run({"airports", "EDDF", "KPAO", "-i", "@base.qrb", "-o", "@out.qrb", "--from", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* line : {"CH 3  118.455  EDDFAD1\n", "CH 20  118.605  KPAOCTA\n",
                             "not stored: KPAO APP 33.82 (outside 118.000 to 136.980 MHz)\n",
                             "did not fit: KPAODEP 121.305, KPAOGND 125.005, KPAOTWR 118.605, "
                             "KPAOUNI 122.955\n"})
        EXPECT_PRED_FORMAT2(IsSubstring, line, r.out);

    r = Run({"show", "@out.qrb"});
    EXPECT_PRED_FORMAT2(IsSubstring, "\n07        118.030    118.0250  EDDFAT1  Inhibit\n", r.out);
    EXPECT_PRED_FORMAT2(IsSubstring, "\n20        118.605    118.6000  KPAOCTA\n", r.out);

    // Any file name will do: one that is no UTF-8 text shows with a replacement character.
    r = Run({"airports", "EGLL", "-i", "@out.qrb", "-o", "@ov\xE9r.qrb", "--overwrite", "--from",
             "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_PRED_FORMAT2(IsSubstring, "CH 20  121.935  EGLLAT1\nnot stored:", r.out);
    EXPECT_PRED_FORMAT2(IsSubstring, "did not fit: EGLLAT2 128.080, EGLLCLD", r.out);

    // The card is dated the day it is made (either day, should the run cross midnight).
    const auto today = [] {
        char day[16];
        const std::time_t now = std::time(nullptr);
        return std::string(day, std::strftime(day, sizeof day, "%Y-%m-%d", std::localtime(&now)));
    };
    const std::string dayBefore = today();
    ASSERT_EQ(Run({"card", "@ov\xE9r.qrb", "-o", "@card.pdf", "--size", "letter"}).status, 0);
    const std::string card =
        RunProcess({"/usr/bin/pdftotext", "-layout", At("@card.pdf"), "-"}).out;
    for (const char* part :
         {"ov\xEF\xBF\xBDr.qrb", "07", "118.030", "EDDFAT1", "Inhibit", "121.935", "EGLLAT1", "8.33kHz"})
        EXPECT_PRED_FORMAT2(IsSubstring, part, card);
    EXPECT_TRUE(card.find(dayBefore) != std::string::npos || card.find(today()) != std::string::npos)
        << card;
    EXPECT_PRED_FORMAT2(IsSubstring, "Page size:       612 x 792 pts (letter)",
                        RunProcess({"/usr/bin/pdfinfo", At("@card.pdf")}).out);
}
