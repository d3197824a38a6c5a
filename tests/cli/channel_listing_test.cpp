#include "cli/channel_listing.h"

#include <gtest/gtest.h>

#include <map>

#include "radio/r455_radio.h"

namespace {

// A radio whose answers are scripted; unscripted commands answer "".
class CScriptedRadio : public CR455Radio {
public:
    std::string Command(const char* command) override { return Command(std::string(command)); }
    std::string Command(const std::string& command) override
    {
        auto it = answers.find(command);
        return it == answers.end() ? std::string() : it->second;
    }
    std::map<std::string, std::string> answers;
};

using Row = std::array<std::string, 7>;

} // namespace

TEST(ChannelListingTest, RowCellsFollowTheAnswers)
{
    CScriptedRadio radio;
    radio.answers = {{"CH.MCH.4.APPEAR", "ON"},          {"CH.MCH.4.FREQUENCY", "0.000"},
                     {"CH.MCH.4.ISLEGAL", "NG"},         {"CH.MCH.4.NAME", " AB    "},
                     {"CH.MCH.4.TXINHIBIT", "ON"},       {"CH.MCH.4.CHLOCKOUT", "ON"},
                     {"COMMON.PRIOCH", "4"},             {"COMMON.SCAN_PRIO", "ON"}};
    EXPECT_EQ(BuildChannelRow(radio, 4), (Row{"04", "Prio", "0.000 ?", "AB", "Inhibit", "Lockout", ""}));

    radio.answers["CH.MCH.4.ISLEGAL"] = "OK";
    radio.answers["CH.MCH.4.TXINHIBIT"] = "OFF";
    radio.answers["COMMON.SCAN_PRIO"] = "OFF";
    EXPECT_EQ(BuildChannelRow(radio, 4), (Row{"04", "", "0.000", "AB", "", "Lockout", ""}));

    // Priority channel elsewhere.
    radio.answers["COMMON.SCAN_PRIO"] = "ON";
    radio.answers["COMMON.PRIOCH"] = "14";
    EXPECT_EQ(BuildChannelRow(radio, 4)[1], "");

    // A blank channel shows its number only, even as the priority channel.
    radio.answers["CH.MCH.4.APPEAR"] = "OFF";
    radio.answers["COMMON.PRIOCH"] = "4";
    EXPECT_EQ(BuildChannelRow(radio, 4), (Row{"04", "", "", "", "", "", ""}));
    radio.answers["CH.MCH.12.APPEAR"] = "OFF";
    EXPECT_EQ(BuildChannelRow(radio, 12)[0], "12");
}
