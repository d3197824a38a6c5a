#pragma once

// The clone link's outside world in the desktop program: the main window's message pane, the
// progress window with Cancel, message boxes, the Information dialog, the wait cursor and the
// signal tones.

#include <functional>
#include <memory>

#include <wx/string.h>

#include "clone/clone_clock.h"
#include "clone/clone_host.h"

class CCloneProgressDlg;
class CGuiCloneHost;

// The system's steady clock, except that a wait keeps the windows painted: while the progress
// window is up it also answers (its Cancel button too), otherwise it takes no input.
class CGuiCloneClock : public CRealCloneClock {
public:
    explicit CGuiCloneClock(const CGuiCloneHost& host) : m_host(host) {}
    void Sleep(unsigned milliseconds) override;
    bool WaitReadable(CByteLine& line, unsigned milliseconds) override;

private:
    const CGuiCloneHost& m_host;
};

class CTonePlayer;
class wxCloseEvent;
class wxWindow;

class CGuiCloneHost : public CCloneHost {
public:
    // Where the signal tones go: frequency in hertz and length in milliseconds. Returns when
    // the tone is over.
    using ToneSink = std::function<void(unsigned frequency, unsigned milliseconds)>;

    CGuiCloneHost();
    ~CGuiCloneHost() override;

    void SetStatusText(const std::string& text) override;
    void CreateProgress(const std::string& caption) override;
    void SetProgressPos(int percent) override;
    bool CheckCancel() override;
    // The run's end: the window stays up (painted, taking no input) until the result is told,
    // by a box or by EndProgress, so that the screen is never left without either.
    void DestroyProgress() override;
    // Closes a progress window whose run has ended; the operation's last step.
    void EndProgress();
    void ShowNotice(const std::string& text, EIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void Beep(unsigned frequency, unsigned milliseconds) override;
    // The status bar says so, in place of the read's own status text.
    void WarnBackupNotSaved(const std::string& reason) override;

    // The clock the document's clone link runs on.
    CCloneClock& GetClock() { return m_clock; }

    // Lets the windows repaint, taking no input: a run that must not be interrupted still does
    // not look frozen.
    static void KeepPainted();

    // Replaces the sound device (tests record the tones instead); an empty sink restores it.
    void SetToneSink(ToneSink sink) { m_toneSink = std::move(sink); }

    // The progress window while a read or write run shows it, else null.
    CCloneProgressDlg* GetProgressDialog() const { return m_progress; }

    // Message box texts as the window shows them: the string table's CR LF line ends become
    // plain line feeds, which is what the toolkit's labels understand.
    static wxString BoxText(const std::string& text);

private:
    void CloseEndedProgress();
    void OnMainWindowClose(wxCloseEvent& event);

    CCloneProgressDlg* m_progress = nullptr;
    bool m_progressEnded = false; // the run is over; the window waits for the result
    wxWindow* m_closeGuarded = nullptr; // the main window while a run shows the progress window
    std::unique_ptr<CTonePlayer> m_tones;
    ToneSink m_toneSink;
    int m_waitDepth = 0;
    CGuiCloneClock m_clock{*this};
};
