#pragma once

// The main window: menu, toolbar and status bar around the channel list. It routes commands
// to the view, the document and the application, and remembers its placement in the profile.

#include <wx/frame.h>

class wxDocManager;
class CMainStatusBar;

class CMainFrame : public wxFrame {
public:
    explicit CMainFrame(wxDocManager* manager);
    ~CMainFrame() override;

    // The message pane of the status bar: a string resource or a text.
    void SetMessageText(unsigned id);
    void SetMessageText(const wxString& text);
    wxString GetMessageText() const;
    // While held, the message pane keeps its text: menu and toolbar prompts do not replace it
    // (a clone run's status text stays while the run lasts).
    void HoldMessageText(bool hold) { m_messageHeld = hold; }

    // Shows the frame for the first time: maximised when the stored placement asks for it;
    // without a usable stored placement, large enough for every row and column of the channel
    // list, as far as the screen's work area allows.
    void ShowPlacement();
    void Raise() override;
    // While held, a raise of the hidden frame waits (the document manager raises the frame of
    // a new document, which GTK answers by showing it): at a start with a file, the box saying
    // why the file did not open comes alone, and nothing comes up over it. Released, the raise
    // that waited is made.
    void HoldRaise(bool hold);

    // The placement read from the profile when the frame was made: whether it asked for a
    // maximised window, and the restored rectangle (the default one, with `usable` false, when
    // there is none or it lies off every screen).
    static wxRect GetStartRect(bool* maximised, bool* usable = nullptr);
    bool IsPlacementMaximised() const { return m_maximised; }
    // The rectangle of the window when it is neither maximised nor minimised: the outer
    // position and the size inside the window manager's decorations.
    const wxRect& GetNormalRect() const { return m_normalRect; }
    // True once the window manager has put the frame on the screen: from then on the moves and
    // sizes it reports are placements.
    bool IsMapped() const { return m_mapped; }
    // The show state written at close: 1 normal, 2 minimised, 3 maximised.
    int GetShowCommand() const;

    CMainStatusBar* GetMainStatusBar() const { return m_statusBar; }

    // Minimum tracking size of the frame.
    static const wxSize kMinSize;

protected:
    // Commands go first to the active view and the document, as in a document/view frame.
    bool TryBefore(wxEvent& event) override;
    void DoGiveHelp(const wxString& text, bool show) override;
    void DoSetSize(int x, int y, int width, int height, int sizeFlags) override;

private:
    void CreateBars();
    void FitWholeList();
    void SavePlacement();
    void TrackNormalRect();
    void KeepNormalRect();

    void OnClose(wxCloseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMove(wxMoveEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnAppExit(wxCommandEvent& event);
    void OnViewToolBar(wxCommandEvent& event);
    void OnUpdateViewToolBar(wxUpdateUIEvent& event);
    void OnViewStatusBar(wxCommandEvent& event);
    void OnUpdateViewStatusBar(wxUpdateUIEvent& event);
    void OnViewLanguage(wxCommandEvent& event);
    void OnUpdateViewLanguage(wxUpdateUIEvent& event);
    void OnHelpIndex(wxCommandEvent& event);
    void OnHelpFinder(wxCommandEvent& event);

    wxDocManager* m_docManager;
    CMainStatusBar* m_statusBar = nullptr;
    bool m_maximised = false;
    bool m_messageHeld = false;
    bool m_awaitingMaximise = false;
    bool m_raiseHeld = false;
    bool m_raisePending = false;
    bool m_mapped = false;
    bool m_placementStored = false;
    wxRect m_normalRect;

    wxDECLARE_EVENT_TABLE();
};
