#pragma once

// The clone host of the command-line tool: status texts and messages go to the output stream
// (trimmed), a progress bar to the error stream when that is a terminal, tones through
// CTonePlayer. While the progress window would show, Ctrl-C (or SIGTERM, SIGHUP) is its Cancel
// button (CInterrupt); once pressed it stays pressed, and the waits and tones that follow are
// cut short so that the command ends at once.

#include <iosfwd>
#include <string>

#include "clone/clone_clock.h"
#include "clone/clone_host.h"
#include "clone/tone_player.h"

// The system's steady clock, except that once Ctrl-C has cancelled the run its waits (the
// progress window's linger, the pauses between the tones) end at once.
class CConsoleCloneClock : public CRealCloneClock {
public:
    void Sleep(unsigned milliseconds) override;
};

class CConsoleCloneHost : public CCloneHost {
public:
    // `showProgress`: draw the progress bar on `err`.
    CConsoleCloneHost(std::ostream& out, std::ostream& err, bool showProgress);

    CConsoleCloneHost(const CConsoleCloneHost&) = delete;
    CConsoleCloneHost& operator=(const CConsoleCloneHost&) = delete;

    // Turns the tones off; the pauses between them (the link's) stay.
    void SetQuiet(bool quiet) { m_quiet = quiet; }

    void SetStatusText(const std::string& text) override;
    void CreateProgress(const std::string& caption) override;
    void SetProgressPos(int percent) override;
    bool CheckCancel() override;
    void DestroyProgress() override;
    void ShowNotice(const std::string& text, EIcon icon) override;
    bool AskOkCancel(const std::string& text) override;
    void ShowInformation(const std::string& model, const std::string& comment) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void Beep(unsigned frequency, unsigned milliseconds) override;
    void WarnBackupNotSaved(const std::string& reason) override;

    // A message text as the console shows it: carriage returns dropped, blanks at the ends of
    // each line and of the whole text removed.
    static std::string TrimMessage(const std::string& text);

    // The clock for the link this host serves.
    CCloneClock& GetClock() { return m_clock; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_showProgress;
    bool m_progressDrawn = false;
    int m_lastPercent = -1;
    std::string m_caption;
    bool m_quiet = false;
    CTonePlayer m_tones;
    CConsoleCloneClock m_clock;
};
