#include "tests/app/gui_test.h"

#include <wx/config.h>

#include "profile/profile.h"

namespace {

class ChannelListTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        UseChannel(2, "121.500", "TOWER");
        UseChannel(3, "118.100", "ATIS");
        UseChannel(4, "119.250", "GROUND");
    }
    // The names the list shows in rows 1 to 6, "*" marking the priority channel.
    static std::string Names()
    {
        std::string names = Row(1)[3];
        for (unsigned ch = 2; ch <= 6; ++ch)
            names += "|" + Row(ch)[3] + (Row(ch)[1] == "Prio" ? "*" : "");
        return names;
    }
};

} // namespace

TEST_F(ChannelListTest, ListShowsSevenRightJustifiedColumnsAndTwentyRows)
{
    const char* const headers[] = {"CH", "Prio", "Frequency", "Name", "Tx Inhibit",
                                   "Memory Lockout", "  "};
    const int widths[] = {30, 50, 100, 100, 90, 90, 400};
    ASSERT_EQ(List()->GetColumnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT);
        ASSERT_TRUE(List()->GetColumn(c, column));
        EXPECT_EQ(column.GetText(), headers[c]);
        EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_RIGHT) << c;
        EXPECT_EQ(List()->GetColumnWidth(c), widths[c]) << c;
        // Only "Memory Lockout" is too wide for its column: the header shows that it is cut.
        bool cut = false;
        const wxString shown = List()->GetShownHeader(c, &cut);
        EXPECT_EQ(cut, c == 5) << c;
        EXPECT_TRUE(cut ? shown.StartsWith("Memory L") && shown.EndsWith("...") : shown == headers[c]);
    }
    ASSERT_EQ(List()->GetItemCount(), 20);
    EXPECT_TRUE(List()->HasFlag(wxLC_SINGLE_SEL) && List()->GetFullRowSelect());
    EXPECT_EQ(View()->GetSelectedChannel(), 1u);
    // A row is drawn on the line where the list finds it, scrolled too: were it a pixel lower,
    // a refresh of the next row would take the last line of its highlight. The window is made
    // too small for every row, so that the last one is scrolled to.
    Frame()->SetSize(CMainFrame::kMinSize);
    ASSERT_TRUE(WaitFor([] { return List()->GetCountPerPage() < 20; }));
    for (long item : {0L, 19L}) {
        List()->EnsureVisible(item);
        ASSERT_TRUE(WaitFor([&] { return (List()->GetTopItem() > 0) == (item > 0); }));
        const wxRect band = List()->GetRowBand(item);
        int flags = 0;
        EXPECT_EQ(List()->HitTest(band.GetTopLeft() + wxPoint(5, 0), flags), item);
        EXPECT_EQ(List()->HitTest(band.GetBottomLeft() + wxPoint(5, 0), flags), item);
    }
}

TEST_F(ChannelListTest, RowsShowTheEngineAndNamesTooWideAreCut)
{
    // The rows as the engine holds the channels (the cell rules are the channel rows' own).
    Radio()->SetChTxInhibit(2, "ON");
    Radio()->SetPriorityChannel("2");
    View()->RefreshAll();
    EXPECT_EQ(Row(2), (RowTexts{"02", "Prio", "121.500", "TOWER", "Inhibit", "", ""}));
    // A name wider than its column is cut before an ellipsis (and drawn left-aligned), but
    // keeps one character; one that fits is not (and keeps its column's alignment).
    bool shortened = true;
    EXPECT_EQ(List()->GetShownText(1, 3, &shortened), "TOWER");
    EXPECT_FALSE(shortened);
    for (int width : {36, 1}) {
        List()->SetColumnWidth(3, width);
        const wxString shown = List()->GetShownText(1, 3, &shortened);
        EXPECT_TRUE(shortened && shown.StartsWith("T") && shown.EndsWith("...")) << shown;
        EXPECT_LT(shown.length(), 8u);
    }
}

TEST_F(ChannelListTest, ColumnWidthsSurviveARestartAndAreClamped)
{
    List()->SetColumnWidth(3, 150);
    List()->SetColumnWidth(6, 60);
    StopProgram();
    StartProgram();
    EXPECT_EQ(List()->GetColumnWidth(3) + List()->GetColumnWidth(6), 210);
    StopProgram();
    CProfile::Open();
    CProfile::Session().SetColumnWidth(1, 5);
    CProfile::Session().SetColumnWidth(2, 1000);
    CProfile::Session().SetColumnWidth(3, 0);
    wxConfigBase::Get()->DeleteEntry("/Column/Width6");
    CProfile::Close();
    StartProgram();
    const int clamped[] = {30, 20, 400, 100, 90, 90, 400};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(List()->GetColumnWidth(c), clamped[c]) << c;
}

TEST_F(ChannelListTest, EnabledStatesFollowTheSelectedChannelPasteAsksAndCommandsRebuildTheirRows)
{
    // "+" when something was copied, the channel, then whether Copy, Paste, Clear, Delete and
    // Insert are enabled: channel 1 can be neither cleared, deleted nor an insert position,
    // Paste waits for a Copy; 5 is blank, 3 in use.
    for (const char* c : {"-1:10000", "-5:10111", "-3:10111", "+1:11000", "+5:11111", "+3:11111"}) {
        if (c[0] == '+') {
            View()->SelectChannel(2);
            SendCommand(ID_EDIT_COPY);
        }
        View()->SelectChannel(c[1] - '0');
        std::string enabled;
        for (unsigned id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_DELETE_CH,
                            ID_EDIT_INSERT_CH})
            enabled += IsEnabled(id) ? "1" : "0";
        for (unsigned id : {ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR})
            EXPECT_EQ(Frame()->GetToolBar()->GetToolEnabled(CmdId(id)), IsEnabled(id)) << c;
        EXPECT_EQ(c + 3, enabled) << c;
        EXPECT_TRUE(IsEnabled(ID_EDIT_MEMORY));
    }
    // A context menu from the keyboard opens on the selected row, one from a click at the click.
    View()->SelectChannel(12);
    const wxRect band = List()->GetRowBand(11);
    const wxRect row12(List()->GetRowsWindow()->ClientToScreen(band.GetPosition()), band.GetSize());
    EXPECT_TRUE(row12.Contains(View()->GetContextMenuPoint(wxDefaultPosition)));
    EXPECT_EQ(View()->GetContextMenuPoint(wxPoint(7, 9)), wxPoint(7, 9));
    // With no row selected the commands act on channel 1, and Edit Memory has nothing to open.
    List()->Select(List()->GetFirstSelected(), false);
    EXPECT_EQ(View()->GetSelectedChannel(), 1u);
    EXPECT_FALSE(IsEnabled(ID_EDIT_CLEAR) || IsEnabled(ID_EDIT_DELETE_CH));
    wxMouseEvent click(wxEVT_LEFT_DCLICK);
    wxTEST_DIALOG((PressKey(WXK_RETURN), SendCommand(ID_EDIT_MEMORY),
                   List()->GetRowsWindow()->HandleWindowEvent(click)),
                  CExpectMessage("No items were selected", wxID_OK),
                  CExpectMessage("No items were selected", wxID_OK),
                  CExpectMessage("No items were selected", wxID_OK));

    // A change made behind the list's back shows only in the rows a command rebuilds.
    Radio()->SetChName(4, "HIDDEN");
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    View()->SelectChannel(3);
    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE), CExpectMessage(" Overwite here ?    ", wxID_NO));
    EXPECT_EQ(Radio()->GetChName(3), "ATIS");
    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE), CExpectMessage(" Overwite here ?    ", wxID_YES));
    EXPECT_EQ(Row(3), (RowTexts{"03", "", "121.500", "TOWER", "", "", ""}));
    SendCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(Names(), "|TOWER||GROUND||");
    View()->SelectChannel(10);
    SendCommand(ID_EDIT_DELETE_CH);
    EXPECT_EQ(Row(4)[3], "HIDDEN");
}

TEST_F(ChannelListTest, DeleteInsertAndClearMoveChannelsAndSwitchPriorityScanningOff)
{
    Radio()->SetPriorityChannel("4");
    View()->RefreshAll();
    EXPECT_EQ(Names(), "|TOWER|ATIS|GROUND*||");
    View()->SelectChannel(2); // in use: DELETE.CHECK warns, yet nothing is asked
    SendCommand(ID_EDIT_DELETE_CH);
    EXPECT_EQ(Names(), "|ATIS|GROUND|||");
    // The priority channel lies before the insert position: scanning goes off all the same.
    Radio()->SetPriorityChannel("2");
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_INSERT_CH);
    EXPECT_EQ(Radio()->GetScanPrio() + Names(), "OFF|ATIS||GROUND||");
    UseChannel(20, "136.975", "LAST");
    Radio()->SetPriorityChannel("2");
    wxTEST_DIALOG(SendCommand(ID_EDIT_INSERT_CH),
                  CExpectMessage(" The last CH is not blank. Cannot insert a blank channel.",
                                 wxID_OK));
    View()->RefreshAll();
    EXPECT_EQ(Names() + Row(20)[3], "|ATIS*||GROUND||LAST");
    // Clear switches scanning off only for the priority channel.
    View()->SelectChannel(4);
    SendCommand(ID_EDIT_CLEAR);
    EXPECT_EQ(Radio()->GetScanPrio(), "ON");
    View()->SelectChannel(2);
    PressKey(WXK_DELETE); // the key clears without the check
    EXPECT_EQ(Radio()->GetScanPrio() + Names(), "OFF|||||");
    // No selection: channel 1, which the engine refuses to clear; its priority stays.
    UseChannel(1, "118.000", "FIRST");
    Radio()->SetPriorityChannel("1");
    View()->RefreshAll();
    List()->Select(List()->GetFirstSelected(), false);
    PressKey(WXK_DELETE);
    EXPECT_EQ(Row(1), (RowTexts{"01", "Prio", "118.000", "FIRST", "", "", ""}));
}
