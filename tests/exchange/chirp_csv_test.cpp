#include "exchange/chirp_csv.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "exchange/csv_fields.h"
#include "radio/r455_radio.h"
#include "res/string_table.h"
#include "tests/common/document_text.h"
#include "tests/common/test_files.h"

static const std::string kHeader = std::string(kChirpCsvHeader) + "\r\n";

// A row of the full layout with the values that matter here; the others as CHIRP writes them.
static std::string Row(const std::string& location, const std::string& name,
                       const std::string& frequency, const std::string& duplex = "",
                       const std::string& mode = "AM", const std::string& tstep = "25.00",
                       const std::string& skip = "")
{
    return location + "," + QuotedCsvField(name) + "," + frequency + "," + duplex +
           ",0.600000,,88.5,88.5,023,NN,023,Tone->Tone," + mode + "," + tstep + "," + skip +
           ",5.0W,,,,,\r\n";
}

// Each value that matters, and each reason to leave a row out, under both grids.
TEST(ChirpCsvTest, EachRowBecomesWhatTheTransceiverCanHoldOrIsLeftOutWithItsReason)
{
    struct {
        const char* spacing;
        std::string row;
        const char* expected; // channel 2 as "frequency|name|Tx inhibit|lockout", or the reason it is left out
    } const kCases[] = {
        {"25kHz", Row("2", "TOWER", "118.300000"), "118.300|TOWER|OFF|OFF"},
        {"25kHz", Row("2", "atis", "126.125000", "off", "am", "25.00", "S"), "126.125|ATIS|ON|ON"},
        {"25kHz", Row("2", "KJELLER TRAFFIC", "119.1", "", "", "", "P"), "119.100|KJELLER|OFF|OFF"},
        {"25kHz", Row("2", "ODD", "121.512345"), "121.500|ODD|OFF|OFF"}, // the engine's snap
        // An 8.33 kHz carrier as CHIRP writes it, and a TStep of 8.33 off both grids.
        {"8.33kHz", Row("2", "VASTERV", "131.616660", "", "AM", "8.33"), "131.615|VASTERV|OFF|OFF"},
        {"8.33kHz", Row("2", "NEAR", "118.009000", "", "AM", "8,33"), "118.010|NEAR|OFF|OFF"},
        {"25kHz", Row("2", "SHARED", "127.700000", "", "AM", "8.33"), "127.700|SHARED|OFF|OFF"}, // a carrier of both grids
        {"25kHz", Row("2", "VASTERV", "131.616660", "", "AM", "8.33"), "needs 8.33 kHz spacing"},
        {"25kHz", Row("2", "NEAR", "118.009000", "", "AM", "8.33"), "needs 8.33 kHz spacing"},
        {"25kHz", Row("2", "MARINE", "156.800000", "", "FM"), "mode other than AM"},
        {"25kHz", Row("2", "NAM", "118.100000", "", "NAM"), "mode other than AM"},
        {"25kHz", Row("2", "RPT", "118.100000", "+"), "transmit offset or split"},
        {"25kHz", Row("2", "SPLIT", "118.100000", "SPLIT"), "transmit offset or split"},
        {"25kHz", Row("2", "LOW", "117.975000"), "outside 118.000 to 136.980 MHz"},
        {"25kHz", Row("0", "ZERO", "118.100000"), "Location is not a channel from 1 to 20"},
        {"25kHz", Row("21", "PAST", "118.100000"), "Location is not a channel from 1 to 20"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.row);
        CNewRadio radio;
        radio.SetChSpacing(c.spacing);
        CChirpImportPlan plan;
        std::string error;
        ASSERT_TRUE(PlanChirpImport(radio, kHeader + c.row, 0, plan, &error)) << error;
        ASSERT_EQ(plan.rows.size(), 1u);
        ApplyChirpImport(radio, plan);
        EXPECT_EQ(plan.rows[0].channel ? radio.GetChFrequency(2) + "|" + radio.GetChName(2) + "|" +
                                             radio.GetChTxInhibit(2) + "|" + radio.GetChLockout(2)
                                       : LoadResString(plan.rows[0].reasonId) + radio.GetChAppear(2),
                  c.expected + std::string(plan.rows[0].channel ? "" : "OFF"));
    }
}

// What spreadsheets and other programs make of the layout: any column order, columns nobody
// reads, ';' with decimal commas, a byte order mark, UTF-16, quoted fields with commas.
TEST(ChirpCsvTest, OtherColumnOrdersSeparatorsAndEncodingsGiveTheSameChannels)
{
    const std::u16string ordered =
        u"Name,Frequency,Location,Skip,Duplex,Mode,Extra\r\n"
        u"\"GM, TWR\",118.300000,3,S,,AM,\"x,y\"\r\n"
        u"\"\xD8RSTA\",121.925,4,,off,AM,\r\n";
    std::string utf8;
    for (char16_t c : ordered)
        utf8 += c == u'\xD8' ? std::string("\xC3\x98") : std::string(1, static_cast<char>(c));
    std::string semicolons = utf8;
    std::replace(semicolons.begin(), semicolons.end(), ',', ';');
    semicolons.replace(semicolons.find("GM;"), 3, "GM,");
    semicolons.replace(semicolons.find("121.925"), 7, "121,925");
    std::string utf16 = "\xFF\xFE";
    for (char16_t c : ordered)
        utf16 += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    std::string expected;
    for (const std::string& text : {utf8, "\xEF\xBB\xBF" + utf8, semicolons, utf16}) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(IsChirpCsv(text));
        CNewRadio radio;
        CChirpImportPlan plan;
        std::string error;
        ASSERT_TRUE(PlanChirpImport(radio, text, 0, plan, &error)) << error;
        ApplyChirpImport(radio, plan);
        EXPECT_EQ(radio.Command("CH.MCH.3.ALL") + "|" + radio.Command("CH.MCH.4.ALL"),
                  "APPEAR=ON\tFREQUENCY=118.300\tNAME=GM, TWR\tTXINHIBIT=OFF\tCHLOCKOUT=ON|"
                  "APPEAR=ON\tFREQUENCY=121.925\tNAME=ORSTA  \tTXINHIBIT=ON\tCHLOCKOUT=OFF");
        expected = expected.empty() ? Store(radio) : expected;
        EXPECT_EQ(Store(radio), expected);
    }
    EXPECT_FALSE(IsChirpCsv("Channel,Frequency,Name,Tx Inhibit,Lockout\r\n"));
    EXPECT_FALSE(IsChirpCsv("Name,Frequency\r\nX,118.1\r\n"));
}

// The club's list shipped with the program, numbered from 0 with rows for other radios.
TEST(ChirpCsvTest, TheSampleListFillsChannelsInOrderAndTheSummaryGroupsTheReasons)
{
    const std::string sample = ReadFile(PWR_SAMPLE_DATA_DIR "/club-channels-chirp.csv");
    ASSERT_FALSE(sample.empty());
    CNewRadio radio;
    CChirpImportPlan plan;
    std::string error;
    ASSERT_TRUE(PlanChirpImport(radio, sample, 5, plan, &error)) << error;
    std::vector<std::string> notes;
    ApplyChirpImport(radio, plan, &notes);
    EXPECT_EQ(SummarizeChirpImport(plan),
              "Rows that became channels: 16. Rows left out: 6.\n"
              "Left out, needs 8.33 kHz spacing: line 15\n"
              "Left out, mode other than AM: lines 2, 18, 19\n"
              "Left out, transmit offset or split: line 21\n"
              "Left out, no channel left after CH 20: line 23");
    EXPECT_EQ(radio.GetChName(5) + "|" + radio.GetChName(20) + "|" + radio.GetChAppear(4),
              "KJELLER|BALLOON|OFF");
    ASSERT_EQ(notes.size(), 3u); // names cut or spelled
    EXPECT_EQ(notes[0], "CH 15: the name \"HAMARTRF\" is stored as \"HAMARTR\" (cut to 7 characters)");
}

TEST(ChirpCsvTest, ExportWritesTheLayoutsNeutralValuesAndImportGivesTheSameChannelsBack)
{
    for (const char* spacing : {"25kHz", "8.33kHz"}) {
        SCOPED_TRACE(spacing);
        const bool wide = std::string(spacing) == "25kHz";
        CNewRadio a;
        a.SetChSpacing(spacing);
        PutChannel(a, 1, "121.500", "GUARD");
        PutChannel(a, 3, "126.125", "A,TIS", true, true);
        PutChannel(a, 20, wide ? "136.975" : "131.615", "LAST");
        a.SetPriorityChannel("3");
        a.Heal();
        const std::string csv = ExportChannelsChirpCsv(a);
        if (wide) {
            EXPECT_EQ(csv, kHeader +
                               "1,GUARD,121.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,"
                               "25.00,,,\"Scan function ON, scan mode NORMAL, hanger scan OFF, "
                               "priority scan ON\",,,,\r\n"
                               "3,\"A,TIS\",126.125000,off,0.000000,,88.5,88.5,023,NN,023,"
                               "Tone->Tone,AM,25.00,S,,Priority channel,,,,\r\n"
                               "20,LAST,136.975000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,"
                               "25.00,,,,,,,\r\n");
        }
        CNewRadio b;
        b.SetChSpacing(spacing);
        b.SetPriorityChannel("3");
        for (unsigned ch : {1u, 3u, 20u})
            PutChannel(b, ch, "130.000", "OTHER");
        CChirpImportPlan plan;
        std::string error;
        ASSERT_TRUE(PlanChirpImport(b, csv, 0, plan, &error)) << error;
        ApplyChirpImport(b, plan);
        EXPECT_EQ(Store(b), Store(a));
    }
}

TEST(ChirpCsvTest, BadValuesStopTheImportWithTheLineAndChangeNothing)
{
    const std::pair<std::string, std::string> kCases[] = {
        {"Location,Name\r\n1,X\r\n",
         "Line 1: the header row \"" + std::string(kChirpCsvHeader) + "\" is missing."},
        {kHeader + Row("x", "X", "118.1"),
         "Line 2, field Location: \"x\" is not a memory location (a whole number)."},
        {kHeader + Row("3", "X", "118.1") + Row("3", "Y", "119.1"),
         "Line 3, field Location: channel 3 appears more than once."},
        {kHeader + Row("3", "X", "abc"), "Line 2, field Frequency: \"abc\" is not a frequency in MHz."},
        {kHeader + Row("3", "X", "118.1", "x"),
         "Line 2, field Duplex: \"x\" is not a Duplex value (empty, +, -, split or off)."},
        {kHeader + "3,X,118.1\r\n", "Line 2: 3 fields found, the header row has 21."},
        {kHeader + Row("3", "X\xF0\x9F\x98\x80", "118.1"),
         "Line 2, field Name: the character \"\xF0\x9F\x98\x80\" cannot be stored in a name."},
    };
    for (const auto& [csv, message] : kCases) {
        SCOPED_TRACE(csv);
        CNewRadio radio;
        CChirpImportPlan plan;
        std::string error;
        EXPECT_FALSE(PlanChirpImport(radio, csv, 0, plan, &error));
        EXPECT_EQ(error, message);
        EXPECT_TRUE(plan.rows.empty());
    }
}
