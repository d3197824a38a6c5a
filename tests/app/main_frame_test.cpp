// The main frame: menus, keys, toolbar, status bar, placement and minimum size.

#include "tests/app/gui_test.h"

#include <set>
#include <string>
#include <vector>

#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/main_status_bar.h"
#include "app/pwr455_app.h"

namespace {

struct MenuEntry {
    size_t menu;
    const char* label; // item text, tab and key label as the menu shows them; "-" a separator
    unsigned id;
};

const MenuEntry kMenu[] = {
    {0, "&New\tCtrl+N", 57600},
    {0, "&Open...\tCtrl+O", 57601},
    {0, "&Save\tCtrl+S", 57603},
    {0, "Save &As...", 57604},
    {0, "-", 0},
    {0, "Recent File", 57616},
    {0, "-", 0},
    {0, "E&xit", 57665},
    {1, "&Edit Memory...\tEnter", 32771},
    {1, "-", 0},
    {1, "&Copy\tCtrl+C", 57634},
    {1, "&Paste\tCtrl+V", 57637},
    {1, "-", 0},
    {1, "Clear\tDel", 57632},
    {1, "Delete", 32801},
    {1, "Insert", 32802},
    {2, "&Common Setting...", 32779},
    {2, "-", 0},
    {2, "&Toolbar", 59392},
    {2, "&Status Bar", 59393},
    {3, "COM1", 32790},
    {3, "COM2", 32791},
    {3, "COM3", 32792},
    {3, "COM4", 32793},
    {3, "-", 0},
    {3, "Port &Settings...", 32794},
    {4, "&Read <- TR", 32774},
    {4, "&Write -> TR", 32775},
    {4, "-", 0},
    {4, "&Information...", 32776},
    {5, "&Contents", 57666},
    {5, "&Help Topics", 57667},
    {5, "-", 0},
    {5, "&About PW-R455NORD...", 57664},
};

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override { StartProgram(); }
    void TearDown() override { StopProgram(); }
    CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }
};

} // namespace

TEST_F(MainFrameTest, MenuBarHasEveryPopupItemIdAndKeyLabel)
{
    wxMenuBar* bar = Frame()->GetMenuBar();
    const char* const popups[] = {"&File", "&Edit", "&View", "COM &Port", "&Clone", "&Help"};
    ASSERT_EQ(bar->GetMenuCount(), 6u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), popups[i]);

    // Items that later features add are left out of the comparison (with a separator of
    // their own); the items of the table must stand in this order with these separators.
    std::set<unsigned> known;
    for (const MenuEntry& e : kMenu)
        known.insert(e.id);
    for (size_t m = 0; m < 6; ++m) {
        std::vector<std::string> expected, actual;
        for (const MenuEntry& e : kMenu) {
            if (e.menu == m)
                expected.push_back(std::string(e.label) + (e.id ? " #" + std::to_string(e.id) : ""));
        }
        for (wxMenuItem* item : bar->GetMenu(m)->GetMenuItems()) {
            if (item->IsSeparator()) {
                if (!actual.empty() && actual.back() != "-")
                    actual.push_back("-");
                continue;
            }
            const unsigned id = ResIdFromCmd(item->GetId());
            if (known.count(id))
                actual.push_back(item->GetItemLabel().utf8_string() + " #" + std::to_string(id));
        }
        if (!actual.empty() && actual.back() == "-")
            actual.pop_back();
        EXPECT_EQ(actual, expected) << "menu " << m;
    }
    // Items that later features add may follow these, but nothing comes between them.
}

TEST_F(MainFrameTest, MenuKeysAreAccelerators)
{
    const struct {
        unsigned id;
        int flags;
        int key;
    } keys[] = {{57600, wxACCEL_CTRL, 'N'},  {57601, wxACCEL_CTRL, 'O'},
                {57603, wxACCEL_CTRL, 'S'},  {57634, wxACCEL_CTRL, 'C'},
                {57637, wxACCEL_CTRL, 'V'},  {32771, wxACCEL_NORMAL, WXK_RETURN},
                {57632, wxACCEL_NORMAL, WXK_DELETE}};
    for (const auto& k : keys) {
        wxMenuItem* item = FindMenuItem(k.id);
        ASSERT_NE(item, nullptr) << k.id;
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        ASSERT_TRUE(accel) << k.id;
        EXPECT_EQ(accel->GetFlags(), k.flags) << k.id;
        EXPECT_EQ(accel->GetKeyCode(), k.key) << k.id;
    }
    std::unique_ptr<wxAcceleratorEntry> none(FindMenuItem(32802)->GetAccel());
    EXPECT_FALSE(none && none->IsOk());
}

TEST_F(MainFrameTest, MenuItemsCarryTheirStatusBarPrompts)
{
    EXPECT_EQ(FindMenuItem(57600)->GetHelp().utf8_string(), "Create a new document");
    EXPECT_EQ(FindMenuItem(57616)->GetHelp().utf8_string(), "Open this document");
    EXPECT_EQ(FindMenuItem(32779)->GetHelp().utf8_string(), "Indicate Others Sheet");
    EXPECT_EQ(FindMenuItem(32792)->GetHelp().utf8_string(), "Use COM3");
    EXPECT_EQ(FindMenuItem(57667)->GetHelp().utf8_string(), "Opens Help.");

    // Highlighting an item shows its prompt; closing the menu brings "Ready" back.
    EXPECT_EQ(Frame()->GetMessageText().utf8_string(), "Ready");
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, CmdId(32774));
    Frame()->HandleWindowEvent(highlight);
    EXPECT_EQ(Frame()->GetMessageText().utf8_string(), "Read From Transceiver");
    wxMenuEvent close(wxEVT_MENU_CLOSE, wxID_ANY, Frame()->GetMenuBar()->GetMenu(4));
    Frame()->HandleWindowEvent(close);
    EXPECT_EQ(Frame()->GetMessageText().utf8_string(), "Ready");
}

TEST_F(MainFrameTest, ToolbarHasFifteenButtonsInOrderWithTooltipsAndPrompts)
{
    const struct {
        unsigned id; // 0: separator
        const char* tooltip;
        const char* prompt;
    } tools[] = {
        {57600, "New", "Create a new document"},
        {57601, "Open", "Open an existing document"},
        {57603, "Save", "Save the active document"},
        {0, "", ""},
        {32771, "Edit Memory", "Edit Memory"},
        {57634, "Copy", "Copy the selection and put it on the Clipboard"},
        {57637, "Paste", "Insert Clipboard contents"},
        {57632, "Clear", "Clear"},
        {0, "", ""},
        {32779, "Common Sheet", "Indicate Others Sheet"},
        {0, "", ""},
        {32790, "COM1", "Use COM1"},
        {32791, "COM2", "Use COM2"},
        {32792, "COM3", "Use COM3"},
        {32793, "COM4", "Use COM4"},
        {0, "", ""},
        {32774, "Clone in", "Read From Transceiver"},
        {32775, "Clone out", "Write to Transceiver"},
        {32776, "Clone info.", "Read Information"},
    };
    wxToolBar* bar = Frame()->GetToolBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetToolsCount(), WXSIZEOF(tools));
    int buttons = 0;
    for (size_t i = 0; i < WXSIZEOF(tools); ++i) {
        const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
        if (tools[i].id == 0) {
            EXPECT_TRUE(tool->IsSeparator()) << i;
            continue;
        }
        ++buttons;
        EXPECT_EQ(ResIdFromCmd(tool->GetId()), tools[i].id) << i;
        EXPECT_EQ(tool->GetShortHelp().utf8_string(), tools[i].tooltip);
        EXPECT_EQ(tool->GetLongHelp().utf8_string(), tools[i].prompt);
        EXPECT_TRUE(tool->GetNormalBitmap().IsOk()) << i;
        EXPECT_EQ(tool->GetKind(), tools[i].id >= 32790 && tools[i].id <= 32793 ? wxITEM_CHECK
                                                                               : wxITEM_NORMAL);
    }
    EXPECT_EQ(buttons, 15);
}

TEST_F(MainFrameTest, StatusBarPanesAndIndicators)
{
    CMainStatusBar* bar = Frame()->GetMainStatusBar();
    ASSERT_EQ(bar->GetFieldsCount(), 5);
    EXPECT_EQ(bar->GetStatusText(0).utf8_string(), "Ready");
    bar->ShowIndicators(true, false, true);
    EXPECT_EQ(bar->GetStatusText(1).utf8_string(), "CAP");
    EXPECT_EQ(bar->GetStatusText(2).utf8_string(), "");
    EXPECT_EQ(bar->GetStatusText(3).utf8_string(), "SCRL");
    bar->ShowIndicators(false, true, false);
    EXPECT_EQ(bar->GetStatusText(1).utf8_string(), "");
    EXPECT_EQ(bar->GetStatusText(2).utf8_string(), "NUM");
    EXPECT_EQ(bar->GetStatusText(3).utf8_string(), "");
    EXPECT_EQ(bar->GetStatusText(4).utf8_string(), "");

    Frame()->SetMessageText(5026u);
    EXPECT_EQ(Frame()->GetMessageText().utf8_string(), " Cloning completed.");
    Frame()->SetMessageText(wxString(" Now reading <- TR"));
    EXPECT_EQ(bar->GetStatusText(0).utf8_string(), " Now reading <- TR");
}

TEST_F(MainFrameTest, ToolbarAndStatusBarToggleAndTheirStateIsWrittenAtClose)
{
    UpdateUi();
    EXPECT_TRUE(FindMenuItem(59392)->IsChecked());
    EXPECT_TRUE(FindMenuItem(59393)->IsChecked());
    SendCommand(59392);
    UpdateUi();
    EXPECT_FALSE(Frame()->GetToolBar()->IsShown());
    EXPECT_FALSE(FindMenuItem(59392)->IsChecked());
    SendCommand(59393);
    UpdateUi();
    EXPECT_FALSE(FindMenuItem(59393)->IsChecked());
    ASSERT_TRUE(CloseProgram());
    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("[ToolBarState-Bar0]\nBarID=59392\nVisible=0"), std::string::npos)
        << profile;
    EXPECT_NE(profile.find("[ToolBarState-Bar1]\nBarID=59393\nVisible=0"), std::string::npos);
}

TEST_F(MainFrameTest, FrameCannotBeMadeSmallerThan400By200)
{
    EXPECT_EQ(Frame()->GetMinSize(), wxSize(400, 200));
    Frame()->SetSize(100, 80);
    PumpEvents(50);
    EXPECT_GE(Frame()->GetSize().GetWidth(), 400);
    EXPECT_GE(Frame()->GetSize().GetHeight(), 200);
}

TEST(MainFramePlacement, WithoutStoredValuesTheFrameOpensAt5And5With500By300)
{
    StartProgram();
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    EXPECT_EQ(frame->GetRect(), wxRect(5, 5, 500, 300));
    EXPECT_FALSE(frame->IsPlacementMaximised());
    StopProgram();
}

TEST(MainFramePlacement, PlacementIsWrittenAtCloseAndRestoredAtTheNextStart)
{
    StartProgram();
    GetPWR455App().GetMainFrame()->SetSize(120, 90, 640, 480);
    PumpEvents(100);
    ASSERT_TRUE(CloseProgram());
    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("[Window\\ Position]\nLeft=120\nTop=90\nWidth=640\nHeight=480\nCmdShow=1"),
              std::string::npos)
        << profile;

    StartProgram();
    EXPECT_EQ(GetPWR455App().GetMainFrame()->GetRect(), wxRect(120, 90, 640, 480));
    StopProgram();
}

TEST(MainFramePlacement, MaximisedPlacementKeepsTheRestoredRectangle)
{
    WriteProfile("[Window Position]\nLeft=30\nTop=40\nWidth=700\nHeight=450\nCmdShow=3\n");
    StartProgram();
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    EXPECT_TRUE(frame->IsPlacementMaximised());
    EXPECT_EQ(frame->GetNormalRect(), wxRect(30, 40, 700, 450));
    // Whether the window really is maximised is the window manager's answer, and Xvfb runs
    // none; what the program itself keeps is the request and the restored rectangle.
    StopProgram();
}

TEST(MainFramePlacement, PlacementOffEveryScreenFallsBackToTheDefault)
{
    WriteProfile("[Window Position]\nLeft=9000\nTop=7000\nWidth=640\nHeight=480\nCmdShow=1\n");
    StartProgram();
    EXPECT_EQ(GetPWR455App().GetMainFrame()->GetRect(), wxRect(5, 5, 500, 300));
    StopProgram();
}
