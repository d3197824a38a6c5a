// The channel list: columns and their stored widths, row texts from the real engine, the
// shortening of texts that do not fit, selection, keys and the context menu.

#include "tests/app/gui_test.h"

#include <memory>

#include <wx/config.h>
#include <wx/menu.h>
#include <wx/uiaction.h>
#include <wx/xrc/xmlres.h>

#include "app/command_ids.h"
#include "app/edit_memory_dlg.h"
#include "app/list_view_ex.h"
#include "app/main_frame.h"
#include "app/profile.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "radio/r455_radio.h"
#include "tests/app/channel_list_fixture.h"

namespace {

// Every character is 10 pixels wide.
int TenPixels(const wxString& text)
{
    return static_cast<int>(text.length()) * 10;
}

struct FitCase {
    const char* text;
    int width;
    int margin;
    const char* shown;
};

const FitCase kFitCases[] = {
    {"", 0, 12, ""},
    {"ABCD", 52, 12, "ABCD"},        // exactly fits
    {"ABCD", 51, 12, "A..."},        // 12 + 30 + 10 = 52 > 51 still gives one character
    {"ABCDEFGH", 80, 12, "ABC..."},  // 12 + 30 + 30 = 72 fits, four would need 82
    {"ABCDEFGH", 82, 12, "ABCD..."},
    {"ABCDEFGH", 92, 12, "ABCDEFGH"},
    {"A", 5, 4, "A..."},             // one character is never cut
    {"AB", 0, 4, "A..."},
    {"121.500 ?", 60, 12, "1..."},
    {"121.500 ?", 80, 12, "121..."},
};

} // namespace

TEST(FitTextToWidthTest, KeepsFittingTextsAndCutsOthersBeforeTheEllipsis)
{
    for (const FitCase& c : kFitCases) {
        bool shortened = true;
        const wxString shown = FitTextToWidth(c.text, c.width, c.margin, TenPixels, &shortened);
        EXPECT_EQ(shown.utf8_string(), c.shown) << c.text << " in " << c.width;
        EXPECT_EQ(shortened, std::string(c.text) != c.shown) << c.text << " in " << c.width;
    }
}

TEST_F(ChannelListTest, ListHasSevenRightJustifiedColumnsAndTwentyRows)
{
    CListViewEx* list = List();
    const char* const headers[] = {"CH", "Prio", "Frequency", "Name", "Tx Inhibit",
                                   "Memory Lockout", "  "};
    const int widths[] = {30, 50, 100, 100, 90, 90, 400};
    ASSERT_EQ(list->GetColumnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        wxListItem column;
        column.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_FORMAT | wxLIST_MASK_WIDTH);
        ASSERT_TRUE(list->GetColumn(c, column));
        EXPECT_EQ(column.GetText().utf8_string(), headers[c]);
        EXPECT_EQ(column.GetAlign(), wxLIST_FORMAT_RIGHT) << c;
        EXPECT_EQ(list->GetColumnWidth(c), widths[c]) << c;
    }
    ASSERT_EQ(list->GetItemCount(), 20);
    EXPECT_TRUE(list->HasFlag(wxLC_SINGLE_SEL));
    EXPECT_TRUE(list->GetFullRowSelect());
    // A new data set: channel 1 selected, every row showing its number without the blank.
    EXPECT_EQ(View()->GetSelectedChannel(), 1u);
    EXPECT_EQ(list->GetItemText(0, 0).utf8_string(), "01");
    EXPECT_EQ(list->GetItemText(19, 0).utf8_string(), "20");
}

TEST_F(ChannelListTest, RowsShowBlankPriorityIllegalInhibitedAndLockedOutChannels)
{
    UseChannel(3, "121.500", "TOWER");
    Radio()->SetChTxInhibit(3, "ON");
    UseChannel(4, "118.100", "ATIS");
    Radio()->SetChLockout(4, "ON");
    // A channel in use without a frequency is not legal.
    Radio()->SetChAppear(6, "ON");
    Radio()->SetPriorityChannel("3");
    View()->RefreshAll();

    EXPECT_EQ(Row(3), (RowTexts{"03", "Prio", "121.500", "TOWER", "Inhibit", "", ""}));
    EXPECT_EQ(Row(4), (RowTexts{"04", "", "118.100", "ATIS", "", "Lockout", ""}));
    EXPECT_EQ(Row(5), (RowTexts{"05", "", "", "", "", "", ""}));
    EXPECT_EQ(Row(6)[2], "0.000 ?");

    // The mark needs priority scanning on; a blank priority channel shows its number only.
    Radio()->SetScanPrio("OFF");
    View()->RefreshAll();
    EXPECT_EQ(Row(3)[1], "");
    Radio()->SetPriorityChannel("5");
    View()->RefreshAll();
    EXPECT_EQ(Row(5), (RowTexts{"05", "", "", "", "", "", ""}));
}

TEST_F(ChannelListTest, ColumnWidthsSurviveARestartAndAreClamped)
{
    List()->SetColumnWidth(3, 150);
    List()->SetColumnWidth(6, 60);
    StopProgram();
    StartProgram();
    EXPECT_EQ(List()->GetColumnWidth(3), 150);
    EXPECT_EQ(List()->GetColumnWidth(6), 60);
    EXPECT_EQ(List()->GetColumnWidth(0), 30);

    StopProgram();
    {
        CProfile::Open();
        CProfile::SetColumnWidth(1, 5);
        CProfile::SetColumnWidth(2, 1000);
        CProfile::SetColumnWidth(3, 0);
        wxConfigBase::Get()->DeleteEntry("/Column/Width6");
        CProfile::Close();
    }
    StartProgram();
    EXPECT_EQ(List()->GetColumnWidth(1), 20);
    EXPECT_EQ(List()->GetColumnWidth(2), 400);
    EXPECT_EQ(List()->GetColumnWidth(3), 100);
    EXPECT_EQ(List()->GetColumnWidth(6), 400);
    EXPECT_NE(ReadFileText(GetProfilePath()).find("[Column]"), std::string::npos);
}

TEST_F(ChannelListTest, NameWiderThanItsColumnEndsInAnEllipsis)
{
    UseChannel(2, "121.500", "TOWER");
    View()->RefreshAll();
    bool shortened = true;
    EXPECT_EQ(List()->GetShownText(1, 3, &shortened).utf8_string(), "TOWER");
    EXPECT_FALSE(shortened);

    List()->SetColumnWidth(3, 36);
    const wxString shown = List()->GetShownText(1, 3, &shortened);
    EXPECT_TRUE(shortened);
    EXPECT_TRUE(shown.EndsWith("...")) << shown.utf8_string();
    const wxString start = shown.Left(shown.length() - 3);
    EXPECT_FALSE(start.empty());
    EXPECT_TRUE(wxString("TOWER").StartsWith(start)) << shown.utf8_string();
    EXPECT_LT(start.length(), 5u);
    PumpEvents(50); // the shortened row paints without trouble
}

TEST_F(ChannelListTest, SelectionAndNoSelection)
{
    View()->SelectChannel(7);
    EXPECT_EQ(View()->GetSelectedChannel(), 7u);
    EXPECT_EQ(List()->GetSelectedItemCount(), 1);
    EXPECT_EQ(List()->GetFocusedItem(), 6);
    View()->SelectChannel(0);
    View()->SelectChannel(21);
    EXPECT_EQ(View()->GetSelectedChannel(), 7u);

    // Enter and a double-click with a row selected hand that channel to Edit Memory.
    wxTEST_DIALOG(PressKey(WXK_RETURN), wxExpectDismissableModal<CEditMemoryDlg>(wxID_CANCEL));
    EXPECT_EQ(View()->GetEditChannel(), 7u);

    // Without a selection the commands act on channel 1, and Edit Memory has nothing to open.
    List()->Select(6, false);
    EXPECT_EQ(View()->GetSelectedChannel(), 1u);
    wxTEST_DIALOG(PressKey(WXK_RETURN), CExpectMessage("No items were selected", wxID_OK));
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  CExpectMessage("No items were selected", wxID_OK));
    wxMouseEvent click(wxEVT_LEFT_DCLICK);
    wxTEST_DIALOG(List()->GetRowsWindow()->HandleWindowEvent(click),
                  CExpectMessage("No items were selected", wxID_OK));
}

TEST_F(ChannelListTest, DeleteKeyClearsTheSelectedChannelWithoutTheCheck)
{
    UseChannel(1, "118.000", "FIRST");
    UseChannel(4, "119.000", "FOURTH");
    View()->RefreshAll();
    View()->SelectChannel(4);
    PressKey(WXK_DELETE);
    EXPECT_EQ(Radio()->GetChAppear(4), "OFF");
    EXPECT_EQ(Row(4), (RowTexts{"04", "", "", "", "", "", ""}));

    // No selection: channel 1, which the engine refuses to clear.
    List()->Select(3, false);
    PressKey(WXK_DELETE);
    EXPECT_EQ(Row(1), (RowTexts{"01", "", "118.000", "FIRST", "", "", ""}));
}

TEST_F(ChannelListTest, ContextMenuHoldsTheEditingCommands)
{
    std::unique_ptr<wxMenuBar> bar(wxXmlResource::Get()->LoadMenuBar("IDR_CHANNEL_POPUP"));
    ASSERT_TRUE(bar);
    wxMenu* popup = bar->GetMenu(0);
    struct Item {
        const char* label;
        unsigned id;
    };
    const Item items[] = {{"&Edit Memory...\tEnter", 32771}, {"-", 0},
                          {"&Copy\tCtrl+C", 57634},          {"&Paste\tCtrl+V", 57637},
                          {"-", 0},                          {"Clear\tDel", 57632},
                          {"Delete", 32801},                 {"Insert", 32802}};
    ASSERT_EQ(popup->GetMenuItemCount(), WXSIZEOF(items));
    for (size_t i = 0; i < WXSIZEOF(items); ++i) {
        wxMenuItem* item = popup->FindItemByPosition(i);
        if (items[i].id == 0) {
            EXPECT_TRUE(item->IsSeparator()) << i;
            continue;
        }
        EXPECT_EQ(item->GetItemLabel().utf8_string(), items[i].label);
        EXPECT_EQ(ResIdFromCmd(item->GetId()), items[i].id);
    }
}

TEST_F(ChannelListTest, RealKeysReachTheListThroughTheToolkit)
{
    UseChannel(4, "119.000", "FOURTH");
    View()->RefreshAll();
    View()->SelectChannel(4);
    wxWindow* rows = List()->GetRowsWindow();
    rows->SetFocus();
    ASSERT_TRUE(WaitFor(
        [&] { return wxWindow::FindFocus() == rows || wxWindow::FindFocus() == List(); }, 1000));
    wxUIActionSimulator keys;
    keys.Char(WXK_DELETE);
    ASSERT_TRUE(WaitFor([&] { return Radio()->GetChAppear(4) == "OFF"; }, 2000));
    EXPECT_EQ(Row(4), (RowTexts{"04", "", "", "", "", "", ""}));

    // Arrow keys move the selection; Enter then opens Edit Memory on the new row.
    keys.Char(WXK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return View()->GetSelectedChannel() == 5; }, 2000));
    wxTEST_DIALOG(
        {
            keys.Char(WXK_RETURN);
            EXPECT_TRUE(WaitFor([&] { return View()->GetEditChannel() == 5; }, 2000));
        },
        wxExpectDismissableModal<CEditMemoryDlg>(wxID_CANCEL));
}
