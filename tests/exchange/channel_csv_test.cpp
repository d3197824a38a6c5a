#include "exchange/channel_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "radio/r455_radio.h"
#include "tests/common/document_text.h"

static const std::string kHeader = "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n";

// `text` as UTF-16 with a byte order mark, as spreadsheets save "Unicode" text.
static std::string Utf16(const std::u16string& text, bool bigEndian = false)
{
    std::string out;
    for (char16_t unit : u'\uFEFF' + text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

static std::string Replaced(std::string text, char from, char to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// A spreadsheet would compute names such as =1+2 or 007; the formula ="..." keeps them as text.
// A blank channel with its flags on keeps them, hidden, through the round trip.
TEST(ChannelCsvTest, ExportQuotesWhereNeededAndImportGivesTheSameDataSetBack)
{
    CNewRadio a;
    PutChannel(a, 2, "121.5", "A,B", true);
    PutChannel(a, 3, "122.8", " LEAD", false, true);
    PutChannel(a, 4, "123.0", "=1+2");
    PutChannel(a, 5, "123.5", " 007");
    PutChannel(a, 20, "136.975", "LAST", true, true);
    a.SetChLockout(7, "ON");
    std::string expected = kHeader + "1,118.000,,OFF,OFF\r\n2,121.500,\"A,B\",ON,OFF\r\n"
                                     "3,122.800,\" LEAD\",OFF,ON\r\n"
                                     "4,123.000,\"=\"\"=1+2\"\"\",OFF,OFF\r\n"
                                     "5,123.500,\"=\"\" 007\"\"\",OFF,OFF\r\n";
    for (unsigned ch = 6; ch <= 19; ++ch)
        expected += std::to_string(ch) + ",,,,\r\n";
    const std::string csv = ExportChannelsCsv(a);
    EXPECT_EQ(csv, expected + "20,136.975,LAST,ON,ON\r\n");

    const std::string original = Store(a);
    CNewRadio b;
    Load(b, original);
    PutChannel(b, 2, "130.0", "OTHER");
    b.SetChAppear(3, "OFF");
    b.HealCh(3);
    PutChannel(b, 9, "125.0", "NEW");
    std::string error;
    ASSERT_TRUE(ImportChannelsCsv(b, csv, &error)) << error;
    EXPECT_EQ(Store(b), original);
}

TEST(ChannelCsvTest, ImportAppliesTheEngineRules)
{
    CNewRadio radio;
    const std::string csv = "\xEF\xBB\xBF"
                            "channel,FREQUENCY,name,tx inhibit,LOCKOUT\n"
                            "2,150,tower:1,on,\n"
                            "\"3\",\"118.012\",\"say \"\"hi\"\"\",OFF,ON\r\n"
                            "\r\n"
                            "4, 121.5 ,\"TWO\nLINES\",,\n"
                            "5,,,,\n"
                            "6,118.1,\xC3\x98rsta,,\n"
                            "7,118.1,F\xC3\xA6rder fyr,,";
    std::string error;
    std::vector<std::string> notes;
    ASSERT_TRUE(ImportChannelsCsv(radio, csv, &error, &notes)) << error;
    // Clamped to the band and snapped to the 25 kHz grid; name raised and filtered.
    EXPECT_EQ(radio.Command("CH.MCH.2.ALL"),
              "APPEAR=ON\tFREQUENCY=136.975\tNAME=TOWER 1\tTXINHIBIT=ON\tCHLOCKOUT=OFF");
    EXPECT_EQ(radio.Command("CH.MCH.3.ALL"),
              "APPEAR=ON\tFREQUENCY=118.000\tNAME=SAY  HI\tTXINHIBIT=OFF\tCHLOCKOUT=ON");
    EXPECT_EQ(radio.GetChFrequency(4) + radio.GetChName(4) + radio.GetChAppear(5),
              "121.500TWO LINOFF");
    EXPECT_EQ(radio.GetChName(6) + "|" + radio.GetChName(7), "ORSTA|FAERDER"); // as ICAO spells
    // Only the spelled and the cut names: raising and filtering are the engine's, as always.
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[1], "CH 04: the name \"TWO\nLINES\" is stored as \"TWO LIN\" (cut to 7 "
                        "characters, characters the transceiver cannot show replaced by blanks)");
    EXPECT_EQ(notes[2], "CH 06: the name \"\xC3\x98rsta\" is stored as \"ORSTA\" (letters spelled "
                        "as ICAO writes them, upper case)");
    EXPECT_TRUE(radio.IsEdited());
}

TEST(ChannelCsvTest, ImportReadsWhatSpreadsheetsWrite)
{
    const std::u16string plain = u"Channel,Frequency,Name,Tx Inhibit,Lockout\r\n"
                                 u"1,118.1,\"=\"\"007\"\"\",ON,\r\n2,121.5,=\"-\",,ON\r\n"
                                 u"3,,,,\r\n4,136.975,TOWER,OFF,OFF\r\n";
    const std::string utf8(plain.begin(), plain.end()); // ASCII only
    std::string semicolons = Replaced(Replaced(utf8, ',', ';'), '.', ','); // decimal commas
    semicolons.erase(std::remove(semicolons.begin(), semicolons.end(), '\n'), semicolons.end());
    std::string expected;
    for (const std::string& text : {utf8, "\xEF\xBB\xBF" + utf8, Utf16(plain), Utf16(plain, true),
                                    semicolons, Replaced(utf8, ',', '\t')}) {
        CNewRadio radio;
        PutChannel(radio, 3, "125.0", "GONE", true);
        std::string error;
        EXPECT_TRUE(ImportChannelsCsv(radio, text, &error)) << error << text;
        EXPECT_EQ(radio.GetChName(1) + radio.GetChName(2) + radio.GetChAppear(3), "007-OFF");
        expected = expected.empty() ? Store(radio) : expected;
        EXPECT_EQ(Store(radio), expected) << text;
    }
}

TEST(ChannelCsvTest, BadRowsStopTheImportAndChangeNothing)
{
    const std::u16string header16(kHeader.begin(), kHeader.end());
    const std::string good = "2,121.5,OK,ON,OFF\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"\r\n \r\n", "Line 1: the file is empty."},
        {"1,121.5,X,,\r\n",
         "Line 1: the header row \"Channel,Frequency,Name,Tx Inhibit,Lockout\" is missing."},
        {kHeader + good + "3,121.5,X\r\n", "Line 3: 3 fields found, 5 expected."},
        {kHeader + good + "3\r\n", "Line 3: 1 field found, 5 expected."},
        {kHeader + good + "21,121.5,X,,\r\n",
         "Line 3, field Channel: \"21\" is not a channel number from 1 to 20."},
        {kHeader + "x,121.5,X,,\r\n",
         "Line 2, field Channel: \"x\" is not a channel number from 1 to 20."},
        {kHeader + good + "2,122.0,Y,,\r\n",
         "Line 3, field Channel: channel 2 appears more than once."},
        {kHeader + "4,1.2.3,X,,\r\n",
         "Line 2, field Frequency: \"1.2.3\" is not a frequency in MHz."},
        {kHeader + "4,121.5,X,YES,\r\n",
         "Line 2, field Tx Inhibit: \"YES\" is neither ON nor OFF."},
        {kHeader + "4,121.5,X,,1\r\n", "Line 2, field Lockout: \"1\" is neither ON nor OFF."},
        {kHeader + "4,,NAME,,\r\n",
         "Line 2, field Name: a blank channel (no frequency) cannot have a name."},
        {kHeader + good + "\r\n4,121.5,\"open,,\r\n5,,,,\r\n",
         "Line 4, field Name: the quoted field is not closed."},
        {kHeader + "4,121.5,\"AB\"C,,\r\n", "Line 2, field Name: text follows the closing quote."},
        {kHeader + "4,121.5,\"A\rB\",,\r\n5,121.5,\"C\r\nD\nE\",,\r\n6,121.5,X,YES,\r\n",
         "Line 7, field Tx Inhibit: \"YES\" is neither ON nor OFF."},
        {kHeader + "4,121.5," + std::string(300, 'N') + ",,\r\n",
         "Line 2, field Name: the field is too long."},
        {kHeader + "4,121.5,A" + '\0' + "B,,\r\n",
         "Line 2, field Name: the field holds a NUL byte."},
        {kHeader + "4,121.5,Caf\xE9,,\r\n",
         "Line 2, field Name: byte 0xE9 is not UTF-8 text; save the file as UTF-8."},
        {kHeader + "4,\x01\xFF,X,,\r\n",
         "Line 2, field Frequency: \"\\x01\\xFF\" is not a frequency in MHz."},
        {kHeader + "1,,,,\r\n",
         "Line 2, field Frequency: channel 1 cannot be blank; give it a frequency."},
        {kHeader + "2;121,5;X;;\r\n",
         "Line 2: fields are separated by ';' here, but by ',' in the header row."},
        {Utf16(header16 + u"4,121.5,X\U0001F600,,\r\n", true),
         "Line 2, field Name: the character \"\U0001F600\" cannot be stored in a name."},
        {Utf16(header16 + u"4,121.5,\"A\rB\",,\r\n") + std::string("\x00\xD8", 2),
         "Line 4: this file is UTF-16, but a character in it is cut off or incomplete."},
        {Utf16(header16).substr(2), "Line 1: this file is UTF-16 without a byte order mark; save "
                                    "it as UTF-8 or as UTF-16 with one."},
        {std::string("\xFF\xFE\0\0C", 5),
         "Line 1: this file is UTF-32; save it as UTF-8 or UTF-16."},
        {"PK\x03\x04", "Line 1: this file is a spreadsheet document, not CSV text; save it "
                       "from the spreadsheet as CSV."},
    };
    for (const auto& [csv, message] : cases) {
        CNewRadio radio;
        PutChannel(radio, 2, "130.0", "KEEP");
        const std::string before = Store(radio);
        std::string error;
        EXPECT_FALSE(ImportChannelsCsv(radio, csv, &error)) << csv;
        EXPECT_EQ(error, message) << csv;
        EXPECT_EQ(Store(radio), before) << csv;
    }
}

TEST(ChannelPasteTest, RowsGoToTheSelectedChannelAndThoseAfterItOrNowhere)
{
    const std::tuple<unsigned, const char*, const char*> kPastes[] = { // first, text, error
        {5, "2\t121.500\tTOWER\tON\tOFF\n9\t118.1\tatis\tOFF\tON\n", ""},
        {5, "Channel,Frequency,Name,Tx Inhibit,Lockout\r\n,121.5,T\xC3\x96WER,ON,OFF\r\n,118.100,\xC3\xA5tis,,ON\r\n", ""},
        {19, "1\t121.5\tA\t\t\n1\t121.5\tB\t\t\n1\t121.5\tC\t\t\n", "Line 3: no channel is left for this row; CH 20 is the last."},
        {5, "1\t121.5\tA\t\t\n1\tl21.5\tB\t\t\n", "Line 2, field Frequency: \"l21.5\" is not a frequency in MHz."},
    };
    for (const auto& [first, text, expected] : kPastes) {
        SCOPED_TRACE(text);
        CNewRadio radio;
        const auto before = radio.GetDataSet();
        std::string error;
        EXPECT_EQ(PasteChannelRows(radio, first, text, nullptr, &error), !*expected);
        EXPECT_EQ(error, expected);
        if (*expected)
            EXPECT_EQ(radio.GetDataSet(), before);
        else
            EXPECT_EQ(ChannelRowTsv(radio, 5) + ChannelRowTsv(radio, 6) + ChannelRowTsv(radio, 7),
                      "5\t121.500\tTOWER\tON\tOFF\n6\t118.100\tATIS\tOFF\tON\n7\t\t\t\t\n");
    }
}
