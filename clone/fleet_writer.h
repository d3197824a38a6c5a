#pragma once

// Programming a fleet: one data set written to one transceiver after another, as a club or a
// shop does it. The writer waits for a transceiver to answer (an information run every
// kPollMs, quietly), writes the data as Write to Transceiver does (with its tones), prints one
// line per transceiver (time, clone comment, result), then waits until that transceiver stops
// answering before it takes the next. A transceiver of another model or revision is refused,
// never written. It ends when the host's Cancel is pressed (Ctrl-C).
//
// Every wait goes through the clone clock, so that a test runs a whole fleet on a fake clock.

#include <ctime>
#include <iosfwd>
#include <string>

#include "clone/clone_host.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"

class CCloneClock;
class CR455Radio;
class CTempFile;

class CFleetWriter {
public:
    // Pause between two information runs while waiting.
    static constexpr unsigned kPollMs = 2000;

    struct CTally {
        int written = 0;
        int failed = 0;         // failed, cancelled or refused
        bool logFailed = false; // a line could not be written to the log
    };

    // `data` is written to the transceiver on `port`; `host` gets the progress, the tones and
    // the Cancel button, but none of the status texts and boxes (the line per transceiver says
    // it all). All are borrowed.
    CFleetWriter(CR455Radio& data, const std::string& port, CCloneHost& host, CCloneClock& clock,
                 const CTempFile& transfer);

    // The line to the transceivers instead of the serial port on `port` (not owned).
    void SetLine(CByteLine* line) { m_link.SetLine(line); }

    // Runs until Cancel. Each line goes to `out` and, when given, is appended to `log`; a line
    // that cannot be written to the log is reported once on `err`.
    CTally Run(std::ostream& out, std::ostream* log, std::ostream& err);

    // One line: "YYYY-MM-DD HH:MM:SS  <comment, 16 characters>  <result>".
    static std::string FormatLine(const std::tm& local, const std::string& comment,
                                  const std::string& result);

private:
    // The host seen by the writes: everything but status texts and boxes passes through; the
    // last status text is kept as the transceiver's result.
    class CQuietHost : public CCloneHost {
    public:
        explicit CQuietHost(CCloneHost& host) : m_host(host) {}
        std::string m_lastStatus;
        void SetStatusText(const std::string& text) override { m_lastStatus = text; }
        void CreateProgress(const std::string& caption) override { m_host.CreateProgress(caption); }
        void SetProgressPos(int percent) override { m_host.SetProgressPos(percent); }
        bool CheckCancel() override { return m_host.CheckCancel(); }
        void DestroyProgress() override { m_host.DestroyProgress(); }
        void ShowNotice(const std::string&, EIcon) override {}
        bool AskOkCancel(const std::string&) override { return true; }
        void ShowInformation(const std::string&, const std::string&) override {}
        void BeginWaitCursor() override { m_host.BeginWaitCursor(); }
        void EndWaitCursor() override { m_host.EndWaitCursor(); }
        void Beep(unsigned frequency, unsigned milliseconds) override
        {
            m_host.Beep(frequency, milliseconds);
        }

    private:
        CCloneHost& m_host;
    };

    // An information run: true when a transceiver answered (of any model).
    bool Answers(int* identity, std::ostream& err);
    // Waits kPollMs; true when Cancel was pressed meanwhile.
    bool PauseCancelled();
    void Emit(const std::string& comment, const std::string& result, std::ostream& out,
              std::ostream* log, std::ostream& err);
    CTally Done(CTally tally) const;

    CCloneHost& m_host;
    CCloneClock& m_clock;
    CQuietHost m_quiet;
    CCloneLink m_link;
    CCloneOperations m_operations;
    std::string m_port;
    bool m_portNoted = false;
    bool m_logFailed = false;
};
