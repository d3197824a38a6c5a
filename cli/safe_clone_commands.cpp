#include "cli/safe_clone_commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>

#include "cli/cli_args.h"
#include "cli/clone_session.h"
#include "cli/document_report.h"
#include "clone/connection_doctor.h"
#include "clone/fleet_writer.h"
#include "cli/interrupt.h"
#include "engine/engine_words.h"
#include "radio/atomic_save.h"
#include "exchange/data_differences.h"
#include "radio/document_io.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

int RunCompareCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("compare", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 1) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    const std::string& file = parsed.Positional()[0];
    CR455Radio document;
    document.ResetData();
    std::string detail;
    const std::string answer = OpenDocument(document, file, &detail);
    if (answer != EngineWord::kOk) {
        ReportOpenFailure(io, file, answer, detail);
        return kExitUsage;
    }
    CCloneSession session(io, options);
    if (!session.IsReady(io, "compare"))
        return CCloneLink::kResultPortError;
    const int result = session.Operations().Read();
    if (result != CCloneLink::kResultOk)
        return result == CCloneOperations::kDeclined ? CCloneLink::kResultCancelled : result;

    const std::vector<CDataDifference> differences = ListDifferences(document, session.Radio());
    if (differences.empty())
        io.out << LoadResString(IDS_COMPARE_SAME) << '\n';
    for (const CDataDifference& difference : differences)
        io.out << FormatDifference(difference) << '\n';
    return differences.empty() ? kExitOk : kExitFailure;
}

int RunDoctorCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("doctor", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 0) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    CCloneSession session(io, options);
    if (!session.IsReady(io, "doctor"))
        return kExitFailure;
    const std::string port = session.GetPortDevice();
    const CConnectionDoctor doctor("/", CDoctorUser::Current());
    // Each finding as soon as it is known: the information run takes a few seconds.
    io.out << CConnectionDoctor::Format(doctor.CheckAll(port)) << std::flush;
    // A port that is not there has been reported; a run on it could only fail to open it.
    if (!doctor.PortExists(port))
        return kExitFailure;
    bool answered = false;
    const CDoctorFinding run = CConnectionDoctor::RunInformation(session.Host(),
                                                                 session.Host().GetClock(), port,
                                                                 &answered);
    io.out << CConnectionDoctor::Format({run}) << std::flush;
    return answered ? kExitOk : kExitFailure;
}

int RunFleetWrite(CCloneSession& session, const std::string* logPath, CCliIo& io)
{
    std::ofstream log;
    if (logPath) {
        // The log follows the rules of a save: a folder, a device or a FIFO (which would keep
        // the open waiting) is refused before it is opened.
        std::string reason = CheckSaveTarget(*logPath);
        if (reason.empty()) {
            log.open(std::filesystem::u8path(*logPath), std::ios::app);
            if (!log)
                reason = std::strerror(errno);
        }
        if (!reason.empty()) {
            io.err << FormatText(LoadResString(IDS_CLI_CANNOT_OPEN_LOG), {*logPath, reason})
                   << '\n';
            return kExitUsage;
        }
    }
    const std::string port = session.GetPortDevice();
    io.out << FormatText(LoadResString(IDS_FLEET_WAITING), {port}) << std::endl;
    CFleetWriter writer(session.Radio(), port, session.Host(), session.Host().GetClock(),
                        session.Transfer());
    writer.SetLine(session.SimulatedLine());
    // Ctrl-C is how a fleet ends, between runs as much as during one.
    CInterrupt::ArmCancel(true);
    const CFleetWriter::CTally tally = writer.Run(io.out, logPath ? &log : nullptr, io.err);
    CInterrupt::ArmCancel(false);
    io.out << FormatText(LoadResString(IDS_FLEET_SUMMARY),
                         {std::to_string(tally.written), std::to_string(tally.failed)})
           << std::endl;
    return tally.failed == 0 && !tally.logFailed ? kExitOk : kExitFailure;
}
