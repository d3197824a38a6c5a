#include "radio/channel_csv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "radio/archive.h"
#include "radio/r455_radio.h"
#include "tests/common/document_text.h"

namespace {

void SetChannel(CR455Radio& radio, unsigned ch, std::string frequency, const std::string& name,
                const char* tx = "OFF", const char* lockout = "OFF")
{
    radio.SetChName(ch, name);
    radio.SetChTxInhibit(ch, tx);
    radio.SetChLockout(ch, lockout);
    radio.SetChFrequency(ch, frequency);
    radio.SetChAppear(ch, "ON");
    radio.HealCh(ch);
}

std::string Row(unsigned ch, const std::string& rest)
{
    return std::to_string(ch) + "," + rest + "\r\n";
}

} // namespace

TEST(ChannelCsvTest, ExportOfANewDataSet)
{
    CR455Radio radio;
    radio.ResetData();
    std::string expected = "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n";
    expected += Row(1, "118.000,,OFF,OFF");
    for (unsigned ch = 2; ch <= 20; ++ch)
        expected += Row(ch, ",,,");
    EXPECT_EQ(ExportChannelsCsv(radio), expected);
}

TEST(ChannelCsvTest, ExportQuotesWhereNeeded)
{
    CR455Radio radio;
    radio.ResetData();
    SetChannel(radio, 2, "121.5", "A,B", "ON", "OFF");
    SetChannel(radio, 3, "122.8", " LEAD", "OFF", "ON");
    std::string csv = ExportChannelsCsv(radio);
    EXPECT_NE(csv.find("\r\n2,121.500,\"A,B\",ON,OFF\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\r\n3,122.800,\" LEAD\",OFF,ON\r\n"), std::string::npos) << csv;
}

TEST(ChannelCsvTest, ExportThenImportGivesTheSameDataSet)
{
    CR455Radio a;
    a.ResetData();
    SetChannel(a, 1, "118.1", "ONE");
    SetChannel(a, 2, "121.5", "A,B", "ON", "OFF");
    SetChannel(a, 3, "122.8", " LEAD", "OFF", "ON");
    SetChannel(a, 20, "136.975", "LAST", "ON", "ON");
    // A blank channel with its flags on keeps them, hidden, through the round trip.
    a.SetChLockout(7, "ON");
    a.Heal();
    const std::string original = Store(a);
    const std::string csv = ExportChannelsCsv(a);

    CR455Radio b;
    b.ResetData();
    Load(b, original);
    SetChannel(b, 2, "130.0", "OTHER");
    b.SetChAppear(3, "OFF");
    b.HealCh(3);
    SetChannel(b, 5, "125.0", "NEW");
    b.Heal();
    ASSERT_NE(Store(b), original);
    std::string error;
    ASSERT_TRUE(ImportChannelsCsv(b, csv, &error)) << error;
    EXPECT_EQ(Store(b), original);
    EXPECT_EQ(ExportChannelsCsv(b), csv);
}

TEST(ChannelCsvTest, ImportAppliesTheEngineRules)
{
    CR455Radio radio;
    radio.ResetData();
    const std::string csv = "\xEF\xBB\xBF"
                            "channel,FREQUENCY,name,tx inhibit,LOCKOUT\n"
                            "2,150,tower:1,on,\n"
                            "\"3\",\"118.012\",\"say \"\"hi\"\"\",OFF,ON\r\n"
                            "\r\n"
                            "4, 121.5 ,\"TWO\nLINES\",,\n"
                            "5,,,,";
    std::string error;
    ASSERT_TRUE(ImportChannelsCsv(radio, csv, &error)) << error;
    // Clamped to the band and snapped to the 25 kHz grid; name raised and filtered.
    EXPECT_EQ(radio.GetChFrequency(2), "136.975");
    EXPECT_EQ(radio.GetChName(2), "TOWER 1");
    EXPECT_EQ(radio.GetChTxInhibit(2), "ON");
    EXPECT_EQ(radio.GetChLockout(2), "OFF");
    EXPECT_EQ(radio.GetChFrequency(3), "118.000");
    EXPECT_EQ(radio.GetChName(3), "SAY  HI");
    EXPECT_EQ(radio.GetChLockout(3), "ON");
    EXPECT_EQ(radio.GetChFrequency(4), "121.500");
    EXPECT_EQ(radio.GetChName(4), "TWO LIN");
    EXPECT_EQ(radio.GetChAppear(5), "OFF");
    EXPECT_TRUE(radio.IsEdited());
}

TEST(ChannelCsvTest, ImportBlanksAChannel)
{
    CR455Radio radio;
    radio.ResetData();
    SetChannel(radio, 6, "121.5", "X", "ON", "ON");
    std::string error;
    ASSERT_TRUE(ImportChannelsCsv(radio, "Channel,Frequency,Name,Tx Inhibit,Lockout\n6,,,,\n",
                                  &error))
        << error;
    EXPECT_EQ(radio.GetChAppear(6), "OFF");
    EXPECT_EQ(radio.GetChFrequency(6), "0.000");
    EXPECT_EQ(radio.GetChName(6), "");
}

TEST(ChannelCsvTest, BadRowsStopTheImportAndChangeNothing)
{
    const std::string header = "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n";
    const std::string good = "2,121.5,OK,ON,OFF\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Line 1: the header row \"Channel,Frequency,Name,Tx Inhibit,Lockout\" is missing."},
        {"1,121.5,X,,\r\n",
         "Line 1: the header row \"Channel,Frequency,Name,Tx Inhibit,Lockout\" is missing."},
        {header + good + "3,121.5,X\r\n", "Line 3: 3 fields found, 5 expected."},
        {header + good + "21,121.5,X,,\r\n",
         "Line 3, field Channel: \"21\" is not a channel number from 1 to 20."},
        {header + "0,121.5,X,,\r\n",
         "Line 2, field Channel: \"0\" is not a channel number from 1 to 20."},
        {header + "x,121.5,X,,\r\n",
         "Line 2, field Channel: \"x\" is not a channel number from 1 to 20."},
        {header + good + "2,122.0,Y,,\r\n", "Line 3, field Channel: channel 2 appears more than once."},
        {header + good + "4,abc,X,,\r\n",
         "Line 3, field Frequency: \"abc\" is not a frequency in MHz."},
        {header + "4,-121.5,X,,\r\n",
         "Line 2, field Frequency: \"-121.5\" is not a frequency in MHz."},
        {header + "4,1.2.3,X,,\r\n",
         "Line 2, field Frequency: \"1.2.3\" is not a frequency in MHz."},
        {header + "4,121.5,X,YES,\r\n", "Line 2, field Tx Inhibit: \"YES\" is neither ON nor OFF."},
        {header + "4,121.5,X,,1\r\n", "Line 2, field Lockout: \"1\" is neither ON nor OFF."},
        {header + "4,,NAME,,\r\n",
         "Line 2, field Name: a blank channel (no frequency) cannot have a name."},
        {header + good + "\r\n4,121.5,\"open,,\r\n5,,,,\r\n",
         "Line 4, field Name: the quoted field is not closed."},
        {header + "4,121.5,\"AB\"C,,\r\n", "Line 2, field Name: text follows the closing quote."},
        {header + "4,121.5," + std::string(300, 'N') + ",,\r\n",
         "Line 2, field Name: the field is too long."},
    };
    for (const auto& [csv, message] : cases) {
        CR455Radio radio;
        radio.ResetData();
        SetChannel(radio, 2, "130.0", "KEEP");
        radio.Heal();
        const std::string before = Store(radio);
        std::string error;
        EXPECT_FALSE(ImportChannelsCsv(radio, csv, &error)) << csv;
        EXPECT_EQ(error, message) << csv;
        EXPECT_EQ(Store(radio), before) << csv;
    }
}
