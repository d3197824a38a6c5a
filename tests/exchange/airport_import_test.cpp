#include "exchange/airport_import.h"

#include <gtest/gtest.h>

#include "exchange/airport_list.h"
#include "radio/r455_radio.h"
#include "tests/common/document_text.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

static const CAirportList& Snapshot()
{
    static const CAirportList list = [] {
        CAirportList l;
        std::string error;
        EXPECT_TRUE(l.LoadFile(GetDefaultAirportListPath(), &error)) << error;
        return l;
    }();
    return list;
}

TEST(AirChannelTest, ListedFrequenciesWhatEachGridHoldsAndNotesUnderATypedOne)
{
    const struct {
        const char* text;
        uint32_t hz; // 1: not a frequency
    } listed[] = {
        {"120.82", 120825000}, {"118.17", 118175000},  {"133.63", 133630000},
        {"118.805", 118805000}, {"123", 123000000},     {"122.9", 122900000},
        {"118.0083", 118010000}, {"118.0167", 118015000}, {"33.82", 33825000},
        {"", 1}, {"abc", 1}, {"1.2.3", 1}, {"12.", 1}, {"-5", 1}, {"118.1234567", 1},
        {"4000", 1},
    };
    for (const auto& c : listed) {
        uint32_t hz = 0;
        EXPECT_EQ(ParseListedFrequency(c.text, &hz) ? hz : 1, c.hz) << c.text;
    }
    const struct {
        uint32_t hz;
        int grid;
        uint32_t stored;
        const char* reason;
    } grids[] = {
        {118805000, 1, 118805000, ""},
        {118805000, 2, 118805000, ""},
        {120825000, 0, 120825000, ""},
        {120825000, 1, 120830000, ""}, // the 8.33 kHz name of the same carrier
        {136975000, 1, 136980000, ""},
        {136990000, 2, 0, "outside 118.000 to 136.980 MHz"},
        {118020000, 2, 0, "not a 25 kHz or 8.33 kHz channel"},
    };
    for (const auto& c : grids) {
        CAirportChoice choice;
        choice.fit = FitChannel(c.hz, EChannelGrid(c.grid));
        EXPECT_EQ(choice.fit.storedHz, c.stored) << c.hz << " grid " << c.grid;
        EXPECT_EQ(GetChoiceReason(choice), c.reason) << c.hz << " grid " << c.grid;
    }
    const struct {
        const char* text;
        int grid;
        const char* note;
    } cases[] = {
        {"118.010", 1, "8.33 kHz channel, carrier 118.0083 MHz"},
        {"118.0083", 1, "8.33 kHz channel, carrier 118.0083 MHz\nStored as 118.010."},
        {"118.030", 2, "8.33 kHz channel, carrier 118.0250 MHz"},
        {"118.015", 2, "8.33 kHz channel, carrier 118.0167 MHz"},
        {" 121.5", 0, "25 kHz channel"},
        {"118.0125", 0, "25 kHz channel\nStored as 118.000."},
        {"", 0, ""}, {"abc", 0, ""}, {"0", 0, ""}, {"2000", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeTypedFrequency(c.text, EChannelGrid(c.grid)), c.note) << c.text;
    EXPECT_EQ(CarrierText("136.990"), "136.9917");
    EXPECT_EQ(CarrierText("0.000"), "");
}

TEST(AirportListTest, SnapshotRowsAndReceiveOnlyServices)
{
    // Awkward rows of the shipped list: 8.33 kHz names, values written short, 3-character and
    // long idents, several frequencies of one service, receive-only services.
    const struct {
        const char* ident;
        int grid;
        const char* listed;
        const char* stored; // or the reason
        const char* name;   // when all the airport's holdable rows are imported together
        bool txInhibit;
    } cases[] = {
        {"EGLL", 0, "128.075", "128.075", "EGLLATI", true},
        {"EDDF", 2, "121.655", "121.655", "EDDFRMP", false},
        {"KPAO", 0, "122.95", "122.950", "KPAOUNI", false},
        {"D38", 0, "119.55", "119.550", "D38AD", false},
        {"CSA", 0, "139.33", "outside 118.000 to 136.980 MHz", "", false},
        {"GB-DOC", 0, "119.35", "119.350", "BDOCAPP", false},
        {"ESSZ", 0, "123.375", "123.375", "ESSZVAN", false}, // "Vängsö Radio"
    };
    for (const auto& c : cases) {
        const auto& rows = Snapshot().Find(c.ident);
        const std::vector<CAirportChoice> choices = ChooseAirportRows(Snapshot(), rows, EChannelGrid(c.grid));
        std::vector<CAirportChoice> holdable;
        for (const CAirportChoice& choice : choices)
            if (choice.CanHold())
                holdable.push_back(choice);
        const std::vector<std::string> names = MakeChannelNames(Snapshot(), holdable);
        bool found = false;
        for (const CAirportChoice& choice : choices) {
            if (Snapshot().GetRow(choice.row).frequency != c.listed)
                continue;
            found = true;
            SCOPED_TRACE(std::string(c.ident) + " " + c.listed);
            EXPECT_EQ(choice.CanHold() ? FormatChannelMHz(choice.fit.storedHz)
                                       : GetChoiceReason(choice),
                      c.stored);
            auto it = std::find_if(holdable.begin(), holdable.end(),
                                   [&](const CAirportChoice& h) { return h.row == choice.row; });
            EXPECT_EQ(it == holdable.end() ? "" : names[it - holdable.begin()], c.name);
            EXPECT_EQ(choice.txInhibit, c.txInhibit);
        }
        EXPECT_TRUE(found) << c.ident << " " << c.listed;
    }
    for (const char* type : {"ATIS", "D-ATIS", "awos-3", "Volmet", "ATIS/AWOS", "ASOS", "AWIS"})
        EXPECT_TRUE(IsReceiveOnlyService(type)) << type;
    for (const char* type : {"TWR", "SATIS", "", "A/D"})
        EXPECT_FALSE(IsReceiveOnlyService(type)) << type;
}

TEST(AirportListTest, TypedIdentsUnknownOnesAndTextsThatAreNoList)
{
    EXPECT_EQ(SplitIdents(" egll, kpao;EGLL\tx "),
              (std::vector<std::string>{"EGLL", "KPAO", "X"}));
    const CAirportLookup lookup = FindAirports(Snapshot(), {"KPAO", "NOPE", "0C2"});
    EXPECT_EQ(lookup.unknown, std::vector<std::string>{"NOPE"});
    ASSERT_EQ(lookup.rows.size(), 9u); // 8 of KPAO, then the one of 0C2
    EXPECT_EQ(Snapshot().GetRow(lookup.rows.back()).ident, "0C2");
    const char* const kNoHeader = "Line 1: the header row must name the columns airport_ident, "
                                  "type, description and frequency_mhz.";
    using namespace std::string_literals;
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", kNoHeader},
        {"frequency_mhz,airport_ident,type,description\n118.5,EGLL,T\0R,T\n"s,
         "Line 2, field type: the field holds a NUL byte."},
        {"id,type\n1,TWR\n", kNoHeader},
        {"frequency_mhz,airport_ident,type,description\n118.5,EGLL,TWR\n",
         "Line 2: 3 fields found, 4 expected."},
        {"frequency_mhz,airport_ident,type,description\n118.5\n", "Line 2: 1 field found, 4 expected."},
        {"frequency_mhz,airport_ident,type,description\n118.5,EGLL,TWR,\"Tower\n",
         "Line 2, field 4: the quoted field is not closed."},
        {"frequency_mhz,airport_ident,x,type,description\n118.5,egll,,TWR,T\n", ""},
    };
    for (const auto& c : cases) {
        CAirportList list;
        std::string error;
        EXPECT_EQ(list.Load(c.text, &error), !*c.error);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(list.Find("EGLL").size(), *c.error ? 0u : 1u) << c.text;
    }
    // What reaches a terminal or a window carries no control character and is UTF-8.
    CAirportList list;
    ASSERT_TRUE(list.Load("airport_ident,type,description,frequency_mhz\n"
                          "EGLL,TWR,\"\x1b[2JTower\r\nWest\x9b\",118.5\n",
                          nullptr));
    EXPECT_EQ(list.GetRow(0).description, "[2JTower  West\xEF\xBF\xBD");
    // A list far beyond any real one is not read: its rows would cost memory out of measure.
    CScratchDir dir;
    WriteFile(dir.In("big.csv"), std::string(5 << 20, '\n'));
    std::string error;
    EXPECT_FALSE(list.LoadFile(dir.In("big.csv"), &error));
    EXPECT_EQ(error, "'" + dir.In("big.csv") + "' is too large to be an airport frequency list.");
}

// Overwriting and the rows that do not fit are checked end to end by the airports command.
TEST(AirportImportTest, FillsBlankChannelsAndPassesOverThoseInUse)
{
    // EGLL under 25 kHz spacing: 12 of its 15 frequencies can be held, in channels 5 to 17 but
    // channel 7, which is in use.
    CNewRadio radio;
    PutChannel(radio, 7, "121.500", "");
    const auto choices = ChooseAirportRows(Snapshot(), Snapshot().Find("EGLL"), EChannelGrid::k25kHz);
    const CAirportImportPlan plan = PlanAirportImport(radio, Snapshot(), choices, 5, false);
    ApplyAirportImport(radio, plan);
    EXPECT_EQ(plan.placed.front().channel, 5u);
    EXPECT_EQ(plan.placed.back().channel, 17u);
    EXPECT_TRUE(plan.notPlaced.empty());
    EXPECT_EQ(radio.GetChFrequency(7), "121.500");
    // The first holdable row: the ATIS on 128.075, receive only.
    EXPECT_EQ(radio.GetChFrequency(5) + radio.GetChName(5) + radio.GetChTxInhibit(5) +
                  radio.GetChTxInhibit(6),
              "128.075EGLLATIONOFF");
}
