// pwr455-cli airports, card and the carrier column of show, end to end with the shipped list.
#include "tests/common/cli_tool.h"
#include "tests/common/test_system.h"

#include <ctime>

using AirCliTest = CToolTest;
using ::testing::IsSubstring;

TEST_F(AirCliTest, AirportsListsWhatEachFrequencyBecomesAndRefusesUnknownIdents)
{
    const struct {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> out; // lines that must appear
        std::string err;
    } cases[] = {
        {{"airports", "egll,d38"}, 0,
         {"Ident  Type  Listed MHz  Stored as  Name     Note                            Description\n",
          "EGLL   ATIS  113.75                          outside 118.000 to 136.980 MHz  Heathrow ATIS\n",
          "EGLL   ATIS  121.935                         needs 8.33 kHz spacing          Heathrow ATIS (Departure)\n",
          "EGLL   TWR   124.475     124.475    EGLLTW3                                  Heathrow Tower\n",
          "D38    AWOS  118.675     118.675    D38AWOS  Tx inhibit                      AWOS 3\n"},
         ""},
        {{"card", "--help"}, 0, {"Usage: pwr455-cli card FILE -o OUT.pdf [--size a5|a4|letter]\n"}, ""},
        {{"airports", "EGLL", "NOPE"}, 2, {}, "pwr455-cli airports: 'NOPE' is not in the airport list\n"},
        {{"airports"}, 2, {}, "pwr455-cli airports: wrong arguments (run 'pwr455-cli airports --help')\n"},
        {{"airports", "EGLL", "--from", "3", "--from", "21", "-o", "@x.qrb"}, 2, {}, // the last counts
         "pwr455-cli airports: '21' is not a channel number (1 to 20)\n"},
        {{"airports", "EGLL", "--from", "0", "-o", "@x.qrb"}, 2, {},
         "pwr455-cli airports: '0' is not a channel number (1 to 20)\n"},
        {{"airports", "EGLL", "--data", "no-list.csv"}, 1, {},
         "pwr455-cli airports: 'no-list.csv' cannot be read: " + MissingFileReason() + ".\n"},
        {{"card", "x.qrb", "-o", "x.pdf", "--size", "b5"}, 2, {},
         "pwr455-cli card: 'b5' is not a card size (a5, a4 or letter)\n"},
    };
    for (const auto& c : cases) {
        const ProcessResult r = Run(c.args);
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        for (const std::string& line : c.out)
            EXPECT_PRED_FORMAT2(IsSubstring, line, r.out);
    }
}

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
