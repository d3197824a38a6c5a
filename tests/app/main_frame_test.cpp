#include "tests/app/gui_test.h"

#include <filesystem>

#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/uiaction.h>

#include "app/about_dialog.h"
#include "app/main_status_bar.h"
#include "app/xrc_util.h"
#include "tests/common/test_system.h"

namespace fs = std::filesystem;

namespace {

// Each menu: its title, then its items as "text<tab>key label #command id", "-" a separator.
const std::vector<std::string> kMenus[] = {
    {"&File", "&New\tCtrl+N #57600", "&Open...\tCtrl+O #57601", "&Save\tCtrl+S #57603",
     "Save &As... #57604", "Open &Backup... #32850", "&Import Channels... #32840",
     "&Export Channels... #32841", "Import Airport &Frequencies... #32842", "-",
     "&Print...\tCtrl+P #57607", "Print Pre&view... #57609",
     "Export &Kneeboard Card... #32845", "-", "Recent File #57616", "-", "E&xit #57665"},
    {"&Edit", "&Undo\tCtrl+Z #57643", "&Redo\tCtrl+Y #57644", "-", "&Edit Memory...\tEnter #32771",
     "-", "&Copy\tCtrl+C #57634", "&Paste\tCtrl+V #57637", "Paste Ro&ws\tCtrl+Shift+V #32864", "-",
     "Clear\tDel #57632", "Delete #32801", "Insert #32802", "-", "&Move Up\tCtrl+Up #32860",
     "Move &Down\tCtrl+Down #32861", "&Sort Channels #32865"},
    {"&View", "&Common Setting... #32779", "-", "&Toolbar #59392", "&Status Bar #59393", "-",
     "&Language #32886"},
    {"COM &Port", "COM1 (/dev/ttyUSB0) #32790", "COM2 (/dev/ttyUSB1) #32791",
     "COM3 (/dev/ttyUSB2) #32792", "COM4 (/dev/ttyUSB3) #32793", "-",
     "Port &Settings... #32794"},
    {"&Clone", "&Read <- TR #32774", "&Write -> TR #32775", "-", "&Information... #32776",
     "&Compare with Transceiver... #32851"},
    {"&Help", "&Contents #57666", "&Help Topics #57667", "Check C&onnection... #32852", "-",
     "&About PW-R455NORD... #57664"},
};

// The toolbar's command ids from left to right, "-" a separator; COM1 to COM4 are check buttons.
// Tooltips and prompts are the string table's, so one of them stands for all.
const char* const kTools[] = {"57600", "57601", "57603", "-", "32771", "57634", "57637", "57632",
                              "-", "32779", "-", "32790|check", "32791|check", "32792|check",
                              "32793|check", "-", "32774", "32775", "32776"};

std::vector<std::string> Items(wxMenu* menu, const wxString& title)
{
    std::vector<std::string> items = {title.utf8_string()};
    for (wxMenuItem* item : menu->GetMenuItems()) {
        items.push_back(item->IsSeparator() ? "-"
                                            : item->GetItemLabel().utf8_string() + " #" +
                                                  std::to_string(ResIdFromCmd(item->GetId())));
    }
    return items;
}

// Records, while it lives, the menu commands (whoever handles them), the menus that open and
// close, and the last window the pointer moved in.
struct CEventRecorder : wxEventFilter {
    CEventRecorder() { wxEvtHandler::AddFilter(this); }
    ~CEventRecorder() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_MENU)
            commands.push_back(ResIdFromCmd(event.GetId()));
        opened += event.GetEventType() == wxEVT_MENU_OPEN;
        closed += event.GetEventType() == wxEVT_MENU_CLOSE;
        movedIn = event.GetEventType() == wxEVT_MOTION ? event.GetEventObject() : movedIn;
        return Event_Skip;
    }
    std::vector<unsigned> commands;
    int opened = 0, closed = 0;
    wxObject* movedIn = nullptr;
};

// The port number, then the check marks of COM1 to COM4 (menu and toolbar agree).
std::string ComPortChecks()
{
    UpdateUi();
    std::string marks = std::to_string(GetPWR455App().GetDocument()->GetPortNumber());
    for (unsigned id = ID_COM1; id <= ID_COM4; ++id) {
        const bool tool = GetPWR455App().GetMainFrame()->GetToolBar()->GetToolState(CmdId(id));
        EXPECT_EQ(FindMenuItem(id)->IsChecked(), tool) << id;
        marks += tool ? "x" : "-";
    }
    return marks;
}

} // namespace

TEST_F(ProgramTest, MenusShowTheirItemsAndPrompts)
{
    wxMenuBar* bar = Frame()->GetMenuBar();
    Doc()->UpdatePortMenu(); // as the frame does when idle
    ASSERT_EQ(bar->GetMenuCount(), WXSIZEOF(kMenus));
    for (size_t m = 0; m < WXSIZEOF(kMenus); ++m)
        EXPECT_EQ(Items(bar->GetMenu(m), bar->GetMenuLabel(m)), kMenus[m]);
    std::unique_ptr<wxMenuBar> popup(wxXmlResource::Get()->LoadMenuBar("IDR_CHANNEL_POPUP"));
    EXPECT_EQ(Items(popup->GetMenu(0), "&Edit"),
              (std::vector<std::string>{"&Edit", "&Edit Memory...\tEnter #32771", "-", "&Copy\tCtrl+C #57634",
                                        "&Paste\tCtrl+V #57637", "-", "Clear\tDel #57632", "Delete #32801",
                                        "Insert #32802"}));
    EXPECT_EQ(FindMenuItem(57616)->GetHelp(), "Open this document");
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, CmdId(32774)), close(wxEVT_MENU_CLOSE);
    Frame()->HandleWindowEvent(highlight);
    EXPECT_EQ(Frame()->GetMessageText(), "Read From Transceiver");
    Frame()->HandleWindowEvent(close);
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
}

TEST_F(ProgramTest, ToolbarShowsItsButtonsAndTips)
{
    ASSERT_EQ(Frame()->GetToolBar()->GetToolsCount(), WXSIZEOF(kTools));
    for (size_t i = 0; i < WXSIZEOF(kTools); ++i) {
        const wxToolBarToolBase* tool = Frame()->GetToolBar()->GetToolByPos(static_cast<int>(i));
        EXPECT_EQ(tool->IsSeparator() ? "-"
                                      : wxString::Format("%u%s", ResIdFromCmd(tool->GetId()),
                                                         tool->CanBeToggled() ? "|check" : ""),
                  kTools[i]);
    }
    const wxToolBarToolBase* sheet = Frame()->GetToolBar()->FindById(CmdId(32779));
    EXPECT_EQ(sheet->GetShortHelp() + "|" + sheet->GetLongHelp(),
              "Common Sheet|Indicate Others Sheet");
}

TEST_F(ProgramTest, StatusBarShowsTheKeyIndicators)
{
    CMainStatusBar* status = Frame()->GetMainStatusBar();
    ASSERT_EQ(status->GetFieldsCount(), 5);
    status->ShowIndicators(true, false, true);
    EXPECT_EQ(status->GetStatusText(1) + status->GetStatusText(2) + status->GetStatusText(3) + "|" +
                  status->GetStatusText(4), "CAPSCRL|");
    status->ShowIndicators(false, true, false);
    EXPECT_EQ(status->GetStatusText(1) + status->GetStatusText(2) + status->GetStatusText(3),
              "NUM");
}

TEST_F(ProgramTest, ComPortAndBarsSurviveARestart)
{
    EXPECT_EQ(ComPortChecks(), "1x---");
    EXPECT_TRUE(FindMenuItem(59392)->IsChecked() && FindMenuItem(59393)->IsChecked());
    SendCommand(ID_COM3);
    EXPECT_EQ(ComPortChecks(), "3--x-");
    SendCommand(59392);
    SendCommand(59393);
    UpdateUi();
    EXPECT_FALSE(Frame()->GetToolBar()->IsShown() || FindMenuItem(59392)->IsChecked() ||
                 FindMenuItem(59393)->IsChecked());
    StopProgram();
    const std::string profile = ReadFile(GetProfilePath());
    for (const char* entry : {"[ToolBarState-Bar0]\nBarID=59392\nVisible=0",
                              "[ToolBarState-Bar1]\nBarID=59393\nVisible=0",
                              "[CommPort]\nPortNumber=3"})
        EXPECT_NE(profile.find(entry), std::string::npos) << entry << " in\n" << profile;
    StartProgram();
    EXPECT_EQ(ComPortChecks(), "3--x-"); // the bars are not read back: the toolbar shows
}

TEST_F(ProgramTest, PlacementComesFromTheProfileAndTheFrameKeepsItsMinimumSize)
{
    Frame()->SetSize(100, 80);
    EXPECT_TRUE(WaitFor([] { return Frame()->GetSize().x >= 400 && Frame()->GetSize().y >= 200; }));
    // No placement, a maximised one (Xvfb runs no window manager to maximise the frame: the
    // program keeps the request and the restored rectangle), and one off every screen; a port
    // number out of range is COM1.
    for (const char* place : {"", "Left=30\nTop=40\nWidth=700\nHeight=450\nCmdShow=3",
                              "Left=9000\nTop=7000\nWidth=640\nHeight=480\nCmdShow=1"}) {
        StopProgram();
        WriteFileText(GetProfilePath(),
                      std::string("[CommPort]\nPortNumber=9\n[Window Position]\n") + place);
        StartProgram();
        const bool maximised = std::string(place).find("CmdShow=3") != std::string::npos;
        // Without a stored placement the window opens large enough for the whole list.
        const wxRect rect = maximised ? wxRect(30, 40, 700, 450) : Frame()->GetNormalRect();
        if (!maximised) {
            EXPECT_EQ(rect.GetPosition(), wxPoint(5, 5)) << place;
            int columns = 0;
            for (int c = 0; c < List()->GetColumnCount(); ++c)
                columns += List()->GetColumnWidth(c);
            EXPECT_TRUE(WaitFor([&] {
                return List()->GetCountPerPage() >= 20 &&
                       List()->GetRowsWindow()->GetClientSize().x >= columns;
            })) << place << " " << List()->GetCountPerPage();
        }
        EXPECT_EQ(Frame()->IsPlacementMaximised(), maximised) << place;
        EXPECT_EQ(Frame()->GetNormalRect(), rect) << place;
        EXPECT_TRUE(maximised || Frame()->GetRect() == rect) << place;
    }
    EXPECT_EQ(ComPortChecks(), "1x---");
}

// A profile that is not used, or that cannot be saved, is told in the status bar: standard error
// reaches no desktop user. (Root writes read-only files: that case needs an ordinary user.)
TEST_F(ProgramTest, AProfileThatIsNotUsedOrCannotBeSavedIsToldInTheStatusBar)
{
    const std::string path = GetProfilePath();
    const struct {
        bool folder;
        std::string status;
    } cases[] = {{true, "is not used (it is not a regular file); the defaults apply and changes are "
                        "not saved"},
                 {false, "cannot be saved: the file is read-only"}};
    for (const auto& c : cases) {
        if (!c.folder && IsSuperUser())
            continue;
        StopProgram();
        fs::remove_all(path);
        if (c.folder)
            fs::create_directories(path);
        else
            WriteFileText(path, "[CommPort]\nPortNumber=2\n");
        fs::permissions(path, fs::perms::owner_read, fs::perm_options::replace);
        StartProgram();
        EXPECT_EQ(Frame()->GetMessageText().utf8_string(),
                  "Settings: the profile '" + path + "' " + c.status);
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
    }
    StopProgram();
    fs::remove_all(path);
    StartProgram();
    EXPECT_EQ(Frame()->GetMessageText(), "Ready");
}

// Every dialog carries the program's icon (without one, Windows shows its default); those of a
// fixed size offer no maximise button.
TEST_F(ProgramTest, DialogsCarryTheProgramsIcon)
{
    for (const char* name : {"IDD_ABOUTBOX", "IDD_AIRPORT_IMPORT", "IDD_CLONE_INFO",
                             "IDD_CLONE_PROGRESS", "IDD_COMPARE", "IDD_CONNECTION_CHECK",
                             "IDD_EDIT_MEMORY", "IDD_PORT_SETTINGS"}) {
        wxDialog dialog;
        LoadXrcDialog(dialog, Frame(), name);
        EXPECT_FALSE(dialog.GetIcons().IsEmpty()) << name;
        EXPECT_TRUE(dialog.HasFlag(wxRESIZE_BORDER) || !dialog.HasFlag(wxMAXIMIZE_BOX)) << name;
    }
}

// Real key presses through the toolkit reach the accelerators, also those without a menu item
// (Cut and the panes have no handler; F1 opens the help's contents) or with a second key, and
// the list's Delete key.
TEST_F(ProgramTest, RealKeysReachTheAcceleratorsAndTheList)
{
    UseChannel(4, "119.000", "FOURTH");
    // Keyboard focus under a bare X server follows the pointer: put it on the list.
    wxWindow* rows = List()->GetRowsWindow();
    wxUIActionSimulator sim;
    sim.MouseMove(rows->GetScreenPosition() + wxPoint(60, 10));
    sim.MouseClick();
    rows->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return rows->HasFocus() || List()->HasFocus(); }));
    View()->SelectChannel(4);
    const std::tuple<int, int, unsigned> keys[] = {
        {'C', wxMOD_CONTROL, 57634}, {WXK_INSERT, wxMOD_CONTROL, 57634}, // Copy
        {'V', wxMOD_CONTROL, 57637}, {WXK_INSERT, wxMOD_SHIFT, 57637},   // Paste
        {'X', wxMOD_CONTROL, 57635}, {WXK_DELETE, wxMOD_SHIFT, 57635},   // Cut
        {WXK_DOWN, wxMOD_CONTROL, 32861}, {'Z', wxMOD_CONTROL, 57643},   // Move Down, Undo
        {'Z', wxMOD_CONTROL | wxMOD_SHIFT, 57644}, {WXK_BACK, wxMOD_ALT, 57643}, // Redo, Undo
        {WXK_F6, wxMOD_NONE, 57680}, {WXK_F6, wxMOD_SHIFT, 57681}};      // next, previous pane
    for (const auto& [key, modifiers, id] : keys) {
        CEventRecorder recorder;
        // Pasting onto the channel in use asks first.
        wxTEST_DIALOG(
            (sim.Char(key, modifiers), WaitFor([&] { return !recorder.commands.empty(); })),
            CExpectMessage(" Overwite here ?    ", wxID_NO).Optional());
        EXPECT_EQ(recorder.commands, std::vector<unsigned>{id}) << key << " " << modifiers;
    }
    EXPECT_EQ(Row(4)[3] + Row(5)[3], "FOURTH"); // down, back, down again, back
    View()->SelectChannel(4);
    sim.Char(WXK_DELETE);
    EXPECT_TRUE(WaitFor([] { return Row(4)[3].empty(); }));
    // Last: the help window takes the focus.
    CEventRecorder recorder;
    sim.Char(WXK_F1);
    EXPECT_TRUE(WaitFor([&] { return !recorder.commands.empty(); }));
    EXPECT_EQ(recorder.commands, std::vector<unsigned>{57666}); // Help Contents
}

TEST_F(ProgramTest, TheSplashOnlyTakesTheFirstKeyOrClickAboutAndHelpShowTheProduct)
{
    for (bool click : {false, true}) {
        StopProgram();
        StartProgram(wxString(), true);
        CSplashWindow* splash = CSplashWindow::GetSplashWindow();
        ASSERT_TRUE(splash && WaitFor([&] { return splash->HasCapture(); }));
        EXPECT_EQ(splash->GetTitle() + "|" +
                      XrcCtrl<wxStaticText>(*splash, "IDC_SPLASH_VERSION")->GetLabel(),
                  "Cloning Software For VX-R455NORD|PW-R455NORD Rev.1.0");
        EXPECT_TRUE(splash->IsShown() && splash->IsTimerRunning());
        EXPECT_EQ(splash->GetDisplayTime(), 5000);
        CEventRecorder recorder;
        wxUIActionSimulator sim;
        // "File", at the left end of the menu bar, which is the top of the frame.
        const wxPoint file = Frame()->GetScreenPosition() + wxPoint(20, 10);
        sim.MouseMove(file);
        click ? sim.MouseClick() : sim.Char('A');
        EXPECT_TRUE(WaitFor([] { return !CSplashWindow::GetSplashWindow(); }));
        // The press was consumed: no menu opened (a move into the list after the press arrives
        // after all of it).
        sim.MouseMove(List()->GetScreenPosition() + wxPoint(30, 30));
        EXPECT_TRUE(WaitFor([&] { return recorder.movedIn == List(); }));
        EXPECT_EQ(recorder.opened, 0);
    }
    // The same click without the splash opens the menu: the place was right.
    CEventRecorder recorder;
    wxUIActionSimulator sim;
    sim.MouseMove(Frame()->GetScreenPosition() + wxPoint(20, 10));
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([&] { return recorder.opened > 0; }));
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return recorder.closed > 0; }));

    wxTEST_DIALOG(SendCommand(ID_APP_ABOUT), CExpectAction<CAboutDialog>([](CAboutDialog& d) {
                      EXPECT_EQ(d.GetTitle() + "|" +
                                    XrcCtrl<wxStaticText>(d, "IDC_ABOUT_VERSION")->GetLabel(),
                                "About PW-R455NORD|PW-R455NORD Rev.1.0");
                      return wxID_OK;
                  }));
    for (unsigned command : {ID_HELP_INDEX, ID_HELP_FINDER}) {
        SendCommand(command);
        wxHtmlHelpController* help = GetPWR455App().GetHelpController();
        ASSERT_TRUE(help && help->GetFrame() && help->GetFrame()->IsShown());
        help->Display("troubleshooting.htm"); // shown as HTML, not as its source
        wxHtmlWindow* page = help->GetHelpWindow()->GetHtmlWindow();
        EXPECT_TRUE(WaitFor([&] { return page->GetOpenedPageTitle() == "Troubleshooting"; }));
        help->GetFrame()->Close(true);
        ASSERT_TRUE(WaitFor([&] { return !help->GetFrame(); }));
    }
}
