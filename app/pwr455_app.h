#pragma once

// The application: single instance, profile, document template, start-up and the
// application-level commands (File New, Open, the recent files, About, Help).

#include <memory>

#include <wx/app.h>

class wxCmdLineParser;
class wxHtmlHelpController;
class CFileHandover;
class CInstanceLock;
class CMainFrame;
class CPWR455Doc;
class CPWR455DocManager;

class CPWR455App : public wxApp {
public:
    CPWR455App();
    ~CPWR455App() override;

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;
    // --help and --version: prints their text and returns the exit status; a command line that
    // cannot be used (an unknown option, two files): says so on standard error and returns 2;
    // otherwise -1. Runs before the toolkit starts, so that all work without a display.
    static int AnswerInformationOptions(int argc, char** argv);
    // The language of View > Language (the system's by default) for every text from here on;
    // wxWidgets' own texts follow it.
    static void UseChosenLanguage();

    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // One run of the program's windows: opens the profile, makes the document manager and
    // template, the main frame and the document (a new one, or `file` when it is not empty),
    // and shows the frame. Returns false when the file could not be opened.
    bool StartSession(const wxString& file = wxString());
    // Undoes StartSession after the main frame has closed: writes the recent files, releases
    // the document manager and writes the profile.
    void EndSession();
    // Shows in the status bar why the profile is not used or cannot be saved, if it is not.
    void ShowProfileWarning();

    CMainFrame* GetMainFrame() const { return m_frame; }
    CPWR455Doc* GetDocument() const;

    // --simulate: the clone commands talk to a simulated transceiver.
    bool IsSimulate() const { return m_simulate; }
    void SetSimulate(bool simulate) { m_simulate = simulate; }

    // Help Contents (contents == true) and Help Topics.
    void ShowHelp(bool contents);
    wxHtmlHelpController* GetHelpController() const { return m_help.get(); }
    // The help book (.hhp) found for this installation, or empty.
    static wxString FindHelpBook();

    // File Open of `path` on the open document; true when it loaded.
    bool OpenDocumentFile(const wxString& path);
    // A file that a second start handed over: opened as File Open does, with the window brought
    // to the front, as soon as no dialog and no clone run is in the way.
    void ReceiveHandedFile(const wxString& path);

private:
    void OnFileNew(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);
    void OnRecentFile(wxCommandEvent& event);
    void OnUpdateRecentFile(wxUpdateUIEvent& event);
    void OnAppAbout(wxCommandEvent& event);
    void OnFrameDestroyed(wxWindowDestroyEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OpenHandedFile();
    static void OnTerminateSignal(int signal);

    std::unique_ptr<CInstanceLock> m_instanceLock;
    std::unique_ptr<CFileHandover> m_handover;
    std::unique_ptr<CPWR455DocManager> m_docManager;
    std::unique_ptr<wxHtmlHelpController> m_help;
    CMainFrame* m_frame = nullptr;
    wxString m_commandLineFile;
    wxString m_handedFile; // waiting to be opened
    bool m_simulate = false;
    int m_earlyExitCode = -1; // >= 0: the program ends at once with this code

    wxDECLARE_EVENT_TABLE();
};

// The running application object.
CPWR455App& GetPWR455App();
