#pragma once

// The progress window of clone read and write runs: a progress bar, its percentage and a Cancel
// button. It is modeless: the run keeps the processor and lets the window process its events
// through SetPos and CheckCancel, while the main window stays disabled so that no other command
// can start in between.

#include <wx/dialog.h>

class wxGauge;
class wxStaticText;

class CCloneProgressDlg : public wxDialog {
public:
    // `caption`: the window title (empty: the "Cloning" string).
    explicit CCloneProgressDlg(const wxString& caption = wxString());
    ~CCloneProgressDlg() override;

    // Makes the window, disables the owner (the main window) when it is enabled and shows the
    // window.
    void Create(wxWindow* owner);
    // Enables the owner again if Create disabled it and destroys the window.
    void DestroyWindow();

    // Processes pending events, then shows `position` (low to high) and its percentage.
    void SetPos(int position);
    // Processes pending events; true once per press of Cancel (the press is then forgotten).
    bool CheckCancel();

    int GetPos() const;
    wxString GetPercentText() const;

    // Lets the user interface handle what is waiting, a bounded number of events at a time.
    static void PumpMessages();

private:
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    wxString m_caption;
    int m_lower = 0;
    int m_upper = 100;
    bool m_cancel = false;
    bool m_ownerDisabled = false;
    wxWindow* m_owner = nullptr;
    wxGauge* m_gauge = nullptr;
    wxStaticText* m_percent = nullptr;
};
