#pragma once

// The splash window: the product name for a few seconds at start-up, or until the first key
// or mouse press anywhere in the program, which it consumes (a click on the menu bar only
// closes the splash; the menu does not open).

#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/timer.h>

class CSplashWindow : public wxDialog, public wxEventFilter {
public:
    // Start-up enables the splash; tests leave it off.
    static void EnableSplashScreen(bool enable);
    static void SetSplashTime(int milliseconds);
    // Shows the splash unless it is disabled or already showing.
    static void ShowSplashScreen(wxWindow* parent);
    // The splash window while one shows, else nullptr.
    static CSplashWindow* GetSplashWindow();

    // Puts the splash on the screen above its parent. A splash made before its parent was
    // shown waits for this call: shown first, the window manager would stack the parent over it.
    void ShowAboveParent();

    // Closes the splash: it is hidden at once and destroyed.
    void HideSplashScreen();

    int FilterEvent(wxEvent& event) override;

    int GetDisplayTime() const { return m_timer.GetInterval(); }
    bool IsTimerRunning() const { return m_timer.IsRunning(); }

private:
    explicit CSplashWindow(wxWindow* parent);
    ~CSplashWindow() override;

    void GrabInput();
    void OnTimer(wxTimerEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    wxTimer m_timer;
    bool m_closing = false;

    static bool s_enabled;
    static int s_milliseconds;
    static CSplashWindow* s_splash;
};
