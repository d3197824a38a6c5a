// Pictures of the program's windows for a person to look at, taken by `make screenshots`: PNG
// files in the folder PWR_SCREENSHOT_DIR names.

#include "tests/app/gui_test.h"

#include <wx/eventfilter.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>

#include "app/about_dialog.h"
#include "app/common_setting.h"
#include "app/fixed_font_property_sheet.h"
#include "app/splash_window.h"

namespace {

// Notes, while it lives, when the toolkit paints `window` (all of it is drawn at once).
struct CPaintWatch : wxEventFilter {
    explicit CPaintWatch(wxWindow* window) : window(window) { wxEvtHandler::AddFilter(this); }
    ~CPaintWatch() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent& event) override
    {
        auto* w = dynamic_cast<wxWindow*>(event.GetEventObject());
        painted |= event.GetEventType() == wxEVT_PAINT && w && wxGetTopLevelParent(w) == window;
        return Event_Skip;
    }
    wxWindow* window;
    bool painted = false;
};

// Shows `window` in the middle of the screen and takes its picture (with the main window
// around it when `withFrame`) once it has been painted.
void Shoot(wxTopLevelWindow* window, const std::string& name, bool withFrame = false)
{
    CPaintWatch watch(window);
    window->CentreOnScreen();
    window->Show();
    window->Raise();
    window->Refresh();
    EXPECT_TRUE(WaitFor([&] { return watch.painted; })) << name;
    wxRect r = window->GetScreenRect();
    if (withFrame)
        r.Union(GetPWR455App().GetMainFrame()->GetScreenRect());
    const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png",
                                              r.width + 16, r.height + 16, r.x - 8, r.y - 8,
                                              getenv("PWR_SCREENSHOT_DIR"), name);
    EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command;
}

// Answers a dialog by taking its picture.
template <class T>
CExpectAction<T> ShowAndShoot(const std::string& name, bool withFrame = false)
{
    return CExpectAction<T>([=](T& dialog) {
        Shoot(&dialog, name, withFrame);
        dialog.Hide();
        return wxID_CANCEL;
    });
}

} // namespace

TEST_F(ProgramTest, Screenshots)
{
    if (!getenv("PWR_SCREENSHOT_DIR"))
        GTEST_SKIP() << "PWR_SCREENSHOT_DIR not set";
    CRecordingRadio radio;
    PutChannel(radio, 3, "121.500", "TOWER", true, false);
    radio.SetPriorityChannel("3");
    radio.SetOpeningText("HELLO");
    radio.SetCloneComment("VEXA AIR");
    CEditMemoryDlg blank(nullptr, &radio, 9);
    wxTEST_DIALOG(blank.ShowModal(), ShowAndShoot<CEditMemoryDlg>("edit_memory_blank"));
    for (int page : {0, 1}) {
        wxTEST_DIALOG(RunCommonSetting(nullptr, nullptr, &radio, &page, {}),
                      ShowAndShoot<CFixedFontPropertySheet>(page ? "settings_advanced"
                                                                 : "settings_common"));
    }
    // The main window with channels in use, and Edit Memory over it.
    Frame()->SetSize(760, 520);
    UseChannel(3, "121.500", "TOWER");
    PutChannel(*Radio(), 4, "118.100", "GROUND", false, true);
    View()->RefreshAll();
    View()->SelectChannel(3);
    Shoot(Frame(), "main_window");
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  ShowAndShoot<CEditMemoryDlg>("program_edit_memory", true));
    auto* about = new CAboutDialog(Frame());
    Shoot(about, "about");
    about->Destroy();
    SendCommand(ID_HELP_INDEX);
    GetPWR455App().GetHelpController()->Display("troubleshooting.htm");
    Shoot(GetPWR455App().GetHelpController()->GetFrame(), "help");
    GetPWR455App().GetHelpController()->GetFrame()->Close(true);
    StopProgram();
    StartProgram(wxString(), true);
    Shoot(CSplashWindow::GetSplashWindow(), "splash");
}
