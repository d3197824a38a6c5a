#include "exchange/channel_exchange.h"

#include <gtest/gtest.h>

#include "exchange/airport_import.h"
#include "radio/r455_radio.h"
#include "radio/undo_history.h"

namespace {

struct Rig {
    CR455Radio radio;
    CUndoHistory history{radio};
    Rig() { radio.ResetData(); }
};

} // namespace

// Every answer of Paste Rows, and the one step a paste adds.
TEST(ChannelExchangeTest, PasteRowsSaysWhatBecameOfTheClipboard)
{
    const std::string none = "The clipboard holds no channel rows to paste";
    struct {
        const char* text; // nullptr: the clipboard holds no text
        const char* status;
        const char* failure;
    } const kCases[] = {
        {nullptr, none.c_str(), ""},
        {"", none.c_str(), ""},
        {"Channel\tFrequency\tName\tTx Inhibit\tLockout\n", none.c_str(), ""},
        {"x\t118.5\tA\t\t\n", "One row pasted into CH 04", ""},
        {"x\t118.5\tA\t\t\nx\t118.6\tB\t\t\n", "2 rows pasted into CH 04 to CH 05", ""},
        {"x\t118.5\tÅRE\t\t\n", "One row pasted into CH 04  ", ""},
        {"x\tnone\tA\t\t\n", "",
         "No rows were pasted:\nLine 1, field Frequency: \"none\" is not a frequency in MHz."},
    };
    for (const auto& c : kCases) {
        Rig rig;
        const std::string text = c.text ? c.text : "";
        const CExchangeOutcome outcome =
            PasteRowsStep(rig.radio, rig.history, 4, c.text ? &text : nullptr);
        EXPECT_EQ(outcome.status.substr(0, std::string(c.status).size()), c.status) << text;
        EXPECT_EQ(outcome.failure, c.failure) << text;
        EXPECT_EQ(rig.history.CanUndo(), outcome.changed) << text;
        if (outcome.changed) {
            EXPECT_EQ(rig.history.GetUndoName(), "Paste Rows at CH 04");
        }
    }
}

TEST(ChannelExchangeTest, ImportsAreOneStepOrChangeNothingWithTheFilesName)
{
    Rig rig;
    const CExchangeOutcome bad = ImportChannelsStep(
        rig.radio, rig.history, "bad.csv", "Channel,Frequency,Name,Tx Inhibit,Lockout\n2,x,A,,\n");
    EXPECT_EQ(bad.failure,
              "bad.csv\nNo channels were imported:\nLine 2, field Frequency: \"x\" is not a frequency in MHz.");
    EXPECT_FALSE(rig.history.CanUndo());
    EXPECT_TRUE(ImportChannelsStep(rig.radio, rig.history, "a.csv",
                                   "Channel,Frequency,Name,Tx Inhibit,Lockout\n2,118.1,A,,\n")
                    .changed);
    EXPECT_EQ(rig.history.GetUndoName(), "Import Channels");
    EXPECT_EQ(CheckChirpImport(rig.radio, "c.csv", "Location,Frequency\n1,abc\n"),
              "c.csv\nNo channels were imported:\nLine 2, field Frequency: \"abc\" is not a "
              "frequency in MHz.");
}

TEST(ChannelExchangeTest, AirportSummaryNamesChannelsInRuns)
{
    CAirportImportPlan plan;
    EXPECT_EQ(SummarizeAirportPlan(plan), "Nothing ticked to import.");
    for (unsigned ch : {2, 3, 4, 7, 9, 10})
        plan.placed.push_back({ch, 118000000, "A", false, 0});
    EXPECT_EQ(SummarizeAirportPlan(plan), "Into channels 2-4, 7, 9-10 (6 in all).");
    EXPECT_EQ(DescribeAirportImport(plan), "");
    plan.notPlaced.push_back({0, 121500000, "EGLLTWR", false, 1});
    EXPECT_EQ(DescribeAirportImport(plan),
              "6 frequencies were imported. These did not fit in the channels: EGLLTWR 121.500.");
    EXPECT_EQ(DescribeAirportChoices({}, {"ZZZZ"}, "25kHz"), "Not in the list: ZZZZ.");
}
