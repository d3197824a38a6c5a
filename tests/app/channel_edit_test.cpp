// The channel editing commands Copy, Paste, Clear, Delete and Insert: their enabled states,
// questions and messages, priority handling and the rows they rebuild.

#include "tests/app/channel_list_fixture.h"

namespace {

struct EnableCase {
    unsigned channel;
    bool copied; // something has been copied before
    bool copy, paste, clear, del, insert;
};

// Channel 1 can be neither cleared, deleted nor used as an insert position; Paste waits for
// a Copy. Channel 5 is blank, channel 3 in use.
const EnableCase kEnableCases[] = {
    {1, false, true, false, false, false, false},
    {5, false, true, false, true, true, true},
    {3, false, true, false, true, true, true},
    {1, true, true, true, false, false, false},
    {5, true, true, true, true, true, true},
    {3, true, true, true, true, true, true},
};

class ChannelEditTest : public ChannelListTest {
protected:
    void SetUp() override
    {
        ChannelListTest::SetUp();
        UseExampleChannels();
        View()->RefreshAll();
    }
};

} // namespace

TEST_F(ChannelEditTest, EnabledStatesFollowTheChecksOfTheSelectedChannel)
{
    for (const EnableCase& c : kEnableCases) {
        if (c.copied) {
            View()->SelectChannel(2);
            SendCommand(ID_EDIT_COPY);
        }
        View()->SelectChannel(c.channel);
        SCOPED_TRACE(testing::Message() << "channel " << c.channel << " copied " << c.copied);
        EXPECT_EQ(IsEnabled(ID_EDIT_COPY), c.copy);
        EXPECT_EQ(IsEnabled(ID_EDIT_PASTE), c.paste);
        EXPECT_EQ(IsEnabled(ID_EDIT_CLEAR), c.clear);
        EXPECT_EQ(IsEnabled(ID_EDIT_DELETE_CH), c.del);
        EXPECT_EQ(IsEnabled(ID_EDIT_INSERT_CH), c.insert);
        EXPECT_EQ(IsToolEnabled(ID_EDIT_COPY), c.copy);
        EXPECT_EQ(IsToolEnabled(ID_EDIT_PASTE), c.paste);
        EXPECT_EQ(IsToolEnabled(ID_EDIT_CLEAR), c.clear);
        EXPECT_TRUE(IsEnabled(ID_EDIT_MEMORY));
    }
    // With no row selected everything refers to channel 1.
    List()->Select(List()->GetFirstSelected(), false);
    EXPECT_FALSE(IsEnabled(ID_EDIT_CLEAR));
    EXPECT_FALSE(IsEnabled(ID_EDIT_DELETE_CH));
}

TEST_F(ChannelEditTest, CopyChangesNothingAndPasteOntoABlankChannelAsksNothing)
{
    View()->SelectChannel(2);
    const auto before = AllRows();
    SendCommand(ID_EDIT_COPY);
    EXPECT_EQ(AllRows(), before);

    View()->SelectChannel(9);
    SendCommand(ID_EDIT_PASTE); // no question: the hook fails on any dialog
    EXPECT_EQ(Row(9), (RowTexts{"09", "", "121.500", "TOWER", "", "", ""}));
    EXPECT_EQ(Radio()->GetChName(9), "TOWER");
}

TEST_F(ChannelEditTest, PasteOntoAChannelInUseNeedsYes)
{
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    View()->SelectChannel(3);

    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE), CExpectMessage(" Overwite here ?    ", wxID_NO));
    EXPECT_EQ(Radio()->GetChName(3), "ATIS");
    EXPECT_EQ(Row(3)[3], "ATIS");

    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE), CExpectMessage(" Overwite here ?    ", wxID_YES));
    EXPECT_EQ(Radio()->GetChName(3), "TOWER");
    EXPECT_EQ(Row(3), (RowTexts{"03", "", "121.500", "TOWER", "", "", ""}));
}

TEST_F(ChannelEditTest, InsertIsRefusedWhenTheLastChannelIsInUse)
{
    UseChannel(20, "136.975", "LAST");
    Radio()->SetPriorityChannel("4");
    View()->RefreshAll();
    View()->SelectChannel(3);
    const auto before = AllRows();

    wxTEST_DIALOG(SendCommand(ID_EDIT_INSERT_CH),
                  CExpectMessage(" The last CH is not blank. Cannot insert a blank channel.",
                                 wxID_OK));
    View()->RefreshAll();
    EXPECT_EQ(AllRows(), before);
    EXPECT_EQ(Radio()->GetChName(20), "LAST");
    EXPECT_EQ(Radio()->GetScanPrio(), "ON");
}

TEST_F(ChannelEditTest, InsertMovesChannelsDownAndSwitchesPriorityScanningOff)
{
    // The priority channel lies before the insert position: scanning goes off all the same.
    Radio()->SetPriorityChannel("2");
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_INSERT_CH);
    EXPECT_EQ(Radio()->GetScanPrio(), "OFF");
    EXPECT_EQ(Row(2), (RowTexts{"02", "", "121.500", "TOWER", "", "", ""}));
    EXPECT_EQ(Row(3), (RowTexts{"03", "", "", "", "", "", ""}));
    EXPECT_EQ(Row(4)[3], "ATIS");
    EXPECT_EQ(Row(5)[3], "GROUND");
}

TEST_F(ChannelEditTest, DeleteMovesChannelsUpWithoutQuestionAndSwitchesPriorityScanningOff)
{
    Radio()->SetPriorityChannel("4");
    View()->RefreshAll();
    EXPECT_EQ(Row(4)[1], "Prio");
    View()->SelectChannel(2); // in use: DELETE.CHECK warns, yet nothing is asked
    SendCommand(ID_EDIT_DELETE_CH);
    EXPECT_EQ(Radio()->GetScanPrio(), "OFF");
    EXPECT_EQ(Row(2)[3], "ATIS");
    EXPECT_EQ(Row(3), (RowTexts{"03", "", "119.250", "GROUND", "", "", ""}));
    EXPECT_EQ(Row(4), (RowTexts{"04", "", "", "", "", "", ""}));
}

TEST_F(ChannelEditTest, ClearSwitchesPriorityScanningOffOnlyForThePriorityChannel)
{
    Radio()->SetPriorityChannel("4");
    View()->RefreshAll();
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(Row(3), (RowTexts{"03", "", "", "", "", "", ""}));
    EXPECT_EQ(Radio()->GetScanPrio(), "ON");
    EXPECT_EQ(Row(4)[1], "Prio");

    View()->SelectChannel(4);
    SendCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(Radio()->GetScanPrio(), "OFF");
    EXPECT_EQ(Row(4), (RowTexts{"04", "", "", "", "", "", ""}));
    EXPECT_EQ(Row(2)[3], "TOWER");
}

TEST_F(ChannelEditTest, RefusedClearOfChannelOneKeepsItsPriorityScanning)
{
    UseChannel(1, "118.000", "FIRST");
    Radio()->SetPriorityChannel("1");
    View()->RefreshAll();
    View()->SelectChannel(1);
    PressKey(WXK_DELETE);
    EXPECT_EQ(Radio()->GetScanPrio(), "ON");
    EXPECT_EQ(Row(1), (RowTexts{"01", "Prio", "118.000", "FIRST", "", "", ""}));
}

TEST_F(ChannelEditTest, PasteAndClearRebuildOnlyTheTargetRow)
{
    // Rows are rebuilt from the engine; a change made behind the list's back shows only in
    // the rows a command rebuilds.
    Radio()->SetChName(4, "HIDDEN");
    View()->SelectChannel(4);
    SendCommand(ID_EDIT_COPY);
    EXPECT_EQ(Row(4)[3], "GROUND");
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    View()->SelectChannel(7);
    SendCommand(ID_EDIT_PASTE);
    EXPECT_EQ(Row(4)[3], "GROUND");
    View()->SelectChannel(7);
    SendCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(Row(4)[3], "GROUND");
    // Delete rebuilds every row.
    View()->SelectChannel(10);
    SendCommand(ID_EDIT_DELETE_CH);
    EXPECT_EQ(Row(4)[3], "HIDDEN");
}
