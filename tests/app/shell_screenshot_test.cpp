// Pictures of the main window, the About box, the splash and the help window for a person to
// look at. Runs only when PWR_SCREENSHOT_DIR names a folder to put them in.

#include "tests/app/gui_test.h"

#include <cstdlib>

#include <wx/html/helpctrl.h>
#include <wx/html/helpfrm.h>
#include <wx/utils.h>

#include "app/about_dialog.h"
#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/splash_window.h"

namespace {

void Shoot(wxWindow* window, const char* name)
{
    window->Raise();
    PumpEvents(400);
    const wxRect r = window->GetScreenRect();
    const wxString command =
        wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png", r.width, r.height,
                         r.x, r.y, std::getenv("PWR_SCREENSHOT_DIR"), name);
    EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command.utf8_string();
}

} // namespace

TEST(ShellScreenshots, MainWindowSplashAboutAndHelp)
{
    if (!std::getenv("PWR_SCREENSHOT_DIR"))
        GTEST_SKIP() << "PWR_SCREENSHOT_DIR not set";
    StartProgram(wxString(), true);
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    ASSERT_NE(CSplashWindow::GetSplashWindow(), nullptr);
    Shoot(CSplashWindow::GetSplashWindow(), "splash");
    CSplashWindow::GetSplashWindow()->HideSplashScreen();
    Shoot(frame, "main_window");

    auto* about = new CAboutDialog(frame);
    about->Show();
    Shoot(about, "about");
    about->Destroy();

    SendCommand(ID_HELP_INDEX);
    wxHtmlHelpController* help = GetPWR455App().GetHelpController();
    ASSERT_NE(help, nullptr);
    help->Display("troubleshooting.htm");
    Shoot(help->GetFrame(), "help");
    help->GetFrame()->Close(true);
    StopProgram();
}
