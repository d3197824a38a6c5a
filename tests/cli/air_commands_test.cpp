// pwr455-cli airports, card and the carrier column of show, end to end with the shipped list.
#include "tests/common/cli_tool.h"
#include "tests/common/test_system.h"

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
