#include "clone/fleet_writer.h"

#include <ostream>

#include "clone/clone_clock.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

std::string Hex4(unsigned value)
{
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 12; shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
    return text;
}

// A status text as a line shows it: without the blanks it carries for the status bar.
std::string ResultText(const std::string& status)
{
    return Trim(status);
}

} // namespace

CFleetWriter::CFleetWriter(CR455Radio& data, const std::string& port, CCloneHost& host,
                           CCloneClock& clock, const CTempFile& transfer)
    : m_host(host), m_clock(clock), m_quiet(host), m_link(m_quiet, clock),
      m_operations(data, m_link, m_quiet, transfer), m_port(port)
{
    m_link.SetPortDevice(1, port);
    m_link.SetPortNumber(1);
}

std::string CFleetWriter::FormatLine(const std::tm& local, const std::string& comment,
                                     const std::string& result)
{
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    return std::string(stamp) + "  " + comment + "  " + result;
}

bool CFleetWriter::Answers(int* identity, std::ostream& err)
{
    *identity = m_operations.CheckIdentity();
    // A port that does not open may be a cable being plugged in again, but a wrong port would
    // keep the fleet waiting for ever without a word: say so once, until it opens again.
    const bool notOpen = *identity == CCloneLink::kResultPortError;
    if (notOpen && !m_portNoted)
        err << FormatText(LoadResString(IDS_FLEET_PORT_NOT_OPEN), {m_port}) << std::endl;
    m_portNoted = notOpen;
    return *identity == CCloneLink::kResultOk || *identity == CCloneLink::kResultIdentity;
}

bool CFleetWriter::PauseCancelled()
{
    m_clock.Sleep(kPollMs);
    return m_host.CheckCancel();
}

void CFleetWriter::Emit(const std::string& comment, const std::string& result, std::ostream& out,
                        std::ostream* log, std::ostream& err)
{
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const std::string line = FormatLine(local ? *local : std::tm(), comment, result);
    out << line << std::endl;
    if (!log)
        return;
    *log << line << std::endl;
    if (!*log && !m_logFailed) {
        m_logFailed = true;
        err << LoadResString(IDS_CLI_CANNOT_WRITE_LOG) << std::endl;
    }
}

CFleetWriter::CTally CFleetWriter::Done(CTally tally) const
{
    tally.logFailed = m_logFailed;
    return tally;
}

CFleetWriter::CTally CFleetWriter::Run(std::ostream& out, std::ostream* log, std::ostream& err)
{
    CTally tally;
    for (;;) {
        // Wait quietly for the next transceiver.
        int identity = 0;
        while (!Answers(&identity, err)) {
            if (PauseCancelled())
                return Done(tally);
        }
        const ModelInfo& info = *m_link.GetInfo();
        const std::string comment = CCloneOperations::CommentText(info.comment);
        if (identity == CCloneLink::kResultIdentity) {
            // Another model or revision is never written to.
            m_link.SignalResult(false);
            Emit(comment,
                 FormatText(LoadResString(IDS_FLEET_REFUSED),
                            {Hex4(info.modelCode), Hex4(info.revision)}),
                 out, log, err);
            ++tally.failed;
        } else {
            const int result = m_operations.Write();
            Emit(comment, ResultText(m_quiet.m_lastStatus), out, log, err);
            ++(result == CCloneLink::kResultOk ? tally.written : tally.failed);
            if (result == CCloneLink::kResultCancelled)
                return Done(tally);
        }
        // The next transceiver is the next answer after this one has gone.
        do {
            if (PauseCancelled())
                return Done(tally);
        } while (Answers(&identity, err));
    }
}
