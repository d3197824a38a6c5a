#include "tests/app/gui_test.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/stopwatch.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/command_ids.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/splash_window.h"
#include "radio/r455_radio.h"

int CTestModalHook::Enter(wxDialog* dialog)
{
    const int rc = wxTestingModalHook::Enter(dialog);
    // The failure has been reported; a modal dialog left open would stop the suite.
    return rc == wxID_NONE ? wxID_CANCEL : rc;
}

void CTestModalHook::ReportFailure(const wxString& message)
{
    ADD_FAILURE() << message.utf8_string();
}

int CExpectMessage::OnInvoked(wxMessageDialog* dialog) const
{
    EXPECT_EQ(dialog->GetMessage().utf8_string(), m_text);
    return m_answer;
}

wxString CExpectMessage::GetDefaultDescription() const
{
    return "message box \"" + wxString::FromUTF8(m_text) + "\"";
}

void PumpEvents(int milliseconds)
{
    wxStopWatch watch;
    do {
        wxTheApp->ProcessPendingEvents();
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
            while (loop->Pending())
                loop->Dispatch();
        }
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool WaitFor(const std::function<bool()>& done, int milliseconds)
{
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > milliseconds)
            return done();
        PumpEvents(10);
    }
    return true;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void WriteProfile(const std::string& text)
{
    std::filesystem::create_directories(GetTestHome() + "/config/PW-R455NORD");
    WriteFileText(GetProfilePath(), text);
}

std::string GetProfilePath()
{
    return GetTestHome() + "/config/PW-R455NORD/PW-R455NORD.conf";
}

void StartProgram(const wxString& file, bool splash)
{
    CSplashWindow::EnableSplashScreen(splash);
    ASSERT_TRUE(GetPWR455App().StartSession(file));
    PumpEvents(50);
}

void StopProgram()
{
    CPWR455App& app = GetPWR455App();
    if (CMainFrame* frame = app.GetMainFrame()) {
        if (CPWR455Doc* doc = app.GetDocument())
            doc->DiscardChanges();
        frame->Close(true);
        WaitFor([&] { return app.GetMainFrame() == nullptr; });
    }
    app.EndSession();
    if (CSplashWindow* splash = CSplashWindow::GetSplashWindow())
        splash->HideSplashScreen();
    PumpEvents(20);
}

bool CloseProgram()
{
    CPWR455App& app = GetPWR455App();
    CMainFrame* frame = app.GetMainFrame();
    if (!frame)
        return true;
    frame->Close();
    if (!WaitFor([&] { return app.GetMainFrame() == nullptr; }, 1000))
        return false;
    app.EndSession();
    return true;
}

void SendCommand(unsigned resourceId)
{
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    ASSERT_NE(frame, nullptr);
    wxCommandEvent event(wxEVT_MENU, CmdId(resourceId));
    event.SetEventObject(frame);
    frame->HandleWindowEvent(event);
}

void UpdateUi()
{
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    ASSERT_NE(frame, nullptr);
    frame->GetMenuBar()->UpdateMenus();
    if (wxToolBar* toolBar = frame->GetToolBar())
        toolBar->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
}

wxMenuItem* FindMenuItem(unsigned resourceId)
{
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    return frame ? frame->GetMenuBar()->FindItem(CmdId(resourceId)) : nullptr;
}

int PressButton(wxDialog& dialog, int id)
{
    wxWindow* button = dialog.FindWindow(id);
    EXPECT_NE(button, nullptr);
    if (!button)
        return wxID_CANCEL;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
    return id;
}
