#include "app/splash_window.h"

#include <wx/app.h>

#include "app/about_dialog.h"
#include "app/xrc_util.h"

bool CSplashWindow::s_enabled = false;
int CSplashWindow::s_milliseconds = 5000;
CSplashWindow* CSplashWindow::s_splash = nullptr;

void CSplashWindow::EnableSplashScreen(bool enable)
{
    s_enabled = enable;
}

void CSplashWindow::SetSplashTime(int milliseconds)
{
    s_milliseconds = milliseconds;
}

CSplashWindow* CSplashWindow::GetSplashWindow()
{
    return s_splash;
}

void CSplashWindow::ShowSplashScreen(wxWindow* parent)
{
    if (!s_enabled || s_splash)
        return;
    // A splash that cannot be made is dropped without a word.
    try {
        s_splash = new CSplashWindow(parent);
    } catch (const std::exception&) {
        s_splash = nullptr;
        return;
    }
    s_splash->CentreOnScreen();
    s_splash->m_timer.StartOnce(s_milliseconds);
    if (!parent || parent->IsShown())
        s_splash->ShowAboveParent();
}

void CSplashWindow::ShowAboveParent()
{
    if (m_closing)
        return;
    Show();
    Raise();
    Update();
    // The grab needs the window on the screen, which GTK finishes after Show() returns.
    CallAfter(&CSplashWindow::GrabInput);
}

CSplashWindow::CSplashWindow(wxWindow* parent) : m_timer(this)
{
    LoadXrcDialog(*this, parent, "IDD_SPLASH");
    ShowProductArt(*this, "IDC_SPLASH_ICON", "IDC_SPLASH_PICTURE", "IDC_SPLASH_NOTICE");
    Bind(wxEVT_TIMER, &CSplashWindow::OnTimer, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CSplashWindow::OnCaptureLost, this);
    wxEvtHandler::AddFilter(this);
}

CSplashWindow::~CSplashWindow()
{
    // Destroyed with its parent before it hid itself: the pointer grab must go first.
    if (HasCapture())
        ReleaseMouse();
    if (!m_closing)
        wxEvtHandler::RemoveFilter(this);
    if (s_splash == this)
        s_splash = nullptr;
}

void CSplashWindow::GrabInput()
{
    // While the splash holds the pointer every click, the menu bar's too, comes here first.
    if (!m_closing && IsShown() && !HasCapture())
        CaptureMouse();
}

void CSplashWindow::HideSplashScreen()
{
    if (m_closing)
        return;
    m_closing = true;
    m_timer.Stop();
    if (HasCapture())
        ReleaseMouse();
    wxEvtHandler::RemoveFilter(this);
    s_splash = nullptr;
    Hide();
    if (wxWindow* parent = GetParent())
        parent->Update();
    Destroy();
}

int CSplashWindow::FilterEvent(wxEvent& event)
{
    if (m_closing)
        return Event_Skip;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN || type == wxEVT_CHAR_HOOK || type == wxEVT_LEFT_DOWN ||
        type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN || type == wxEVT_LEFT_DCLICK ||
        type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DCLICK) {
        HideSplashScreen();
        return Event_Processed;
    }
    return Event_Skip;
}

void CSplashWindow::OnTimer(wxTimerEvent&)
{
    HideSplashScreen();
}

void CSplashWindow::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Another window took the pointer (a system dialog); the splash simply stops holding it.
}
