#include "cli/clone_commands.h"

#include <ostream>

#include "cli/cli_args.h"
#include "cli/clone_session.h"
#include "cli/document_report.h"
#include "cli/find_cable.h"
#include "cli/safe_clone_commands.h"
#include "clone/cable_finder.h"
#include "clone/clone_clock.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/connection_doctor.h"
#include "cli/console_clone_host.h"
#include "cli/interrupt.h"
#include "engine/engine_words.h"
#include "profile/profile.h"
#include "radio/atomic_save.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "sim/sim_transceiver.h"

namespace {

void Error(CCliIo& io, unsigned id, std::initializer_list<std::string> args)
{
    io.err << FormatText(LoadResString(id), args) << '\n';
}

// What a read or write that a signal ends outside its run prints, and its exit status.
std::string TerminatedText()
{
    return CConsoleCloneHost::TrimMessage(LoadResString(IDS_CLONE_TERMINATED)) + "\n";
}

void SetCancelledExit()
{
    CInterrupt::SetExit(CCloneLink::kResultCancelled, TerminatedText());
}

int ResultStatus(int result)
{
    // A declined question cannot happen here (the command line is the confirmation).
    return result == CCloneOperations::kDeclined ? CCloneLink::kResultCancelled : result;
}

} // namespace

int RunInfoCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("info", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 0) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    CCloneSession session(io, options);
    if (!session.IsReady(io, "info"))
        return CCloneLink::kResultPortError;
    return ResultStatus(session.Operations().Information());
}

int RunReadCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("read", kPortValueOptions, kPortFlags);
    CCloneOptions options;
    if (!parsed.Parse(args, io, 1) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    const std::string& out = parsed.Positional()[0];
    // The data read must have somewhere to go: an OUT that cannot be saved is refused before
    // the transceiver is touched.
    const std::string reason = CheckSaveTarget(out);
    if (!reason.empty()) {
        Error(io, IDS_CLI_CANNOT_SAVE, {out, reason});
        return kExitUsage;
    }
    SetCancelledExit();
    CCloneSession session(io, options);
    if (!session.IsReady(io, "read"))
        return CCloneLink::kResultPortError;
    int result = ResultStatus(session.Operations().Read());
    if (result != CCloneLink::kResultOk)
        return result;
    // A save is not stopped half-way; a Ctrl-C that came before it still cancels the read.
    CInterrupt::Hold();
    if (CInterrupt::IsCancelRequested()) {
        io.out << TerminatedText() << std::flush;
        return CCloneLink::kResultCancelled;
    }
    std::string error;
    if (!SaveDocument(session.Radio(), out, error)) {
        Error(io, IDS_CLI_CANNOT_SAVE, {out, error});
        // The target changed since it was checked: the data read are not lost.
        const std::string& backup = session.Operations().GetBackupPath();
        if (!backup.empty())
            Error(io, IDS_CLI_READ_KEPT_IN, {backup});
        return CCloneLink::kResultFailed;
    }
    return CCloneLink::kResultOk;
}

int RunWriteCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("write", kPortValueOptions, kPortFlags);
    parsed.AddOptions({"--log"}, {"--fleet"});
    CCloneOptions options;
    if (!parsed.Parse(args, io, 1) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    const std::string* log = parsed.Option("--log");
    if (log && !parsed.Flag("--fleet"))
        return parsed.Usage(io, IDS_CLI_LOG_NEEDS_FLEET);
    const std::string& file = parsed.Positional()[0];
    if (log && !IsDistinctOutput(*log, {file}, io))
        return kExitUsage;
    SetCancelledExit();
    CCloneSession session(io, options);
    std::string detail;
    const std::string answer = OpenDocument(session.Radio(), file, &detail);
    if (answer != EngineWord::kOk) {
        ReportOpenFailure(io, file, answer, detail);
        return kExitUsage;
    }
    if (!session.IsReady(io, "write"))
        return CCloneLink::kResultPortError;
    if (parsed.Flag("--fleet"))
        return RunFleetWrite(session, log, io);
    return ResultStatus(session.Operations().Write());
}

int RunPortsCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("ports", {"--bind"}, {"--find", "--info"});
    if (!parsed.Parse(args, io, 0))
        return kExitUsage;
    const std::string* bind = parsed.Option("--bind");
    if (!parsed.Flag("--find")) {
        if (bind || parsed.Flag("--info"))
            return parsed.Usage(io, IDS_CLI_FIND_OPTIONS);
    } else {
        CCloneOptions options;
        if (bind && (bind->size() != 1 || (*bind)[0] < '1' || (*bind)[0] > '4'))
            return parsed.Usage(io, IDS_CLI_BAD_COM_NUMBER, *bind);
        const int number = bind ? (*bind)[0] - '0' : 0;
        CProfile profile;
        if (number != 0)
            ReportProfileWarning(profile, io);
        CSystemPortList ports;
        CInterrupt::ArmCancel(true);
        const int status = FindCable(io, ports, CRealCloneClock::Instance(),
                                     CInterrupt::IsCancelRequested, number, profile, &options.port);
        CInterrupt::ArmCancel(false);
        if (status != kExitOk)
            return status;
        const std::string check = "pwr455-cli info " +
                                  (number != 0 ? "--com " + *bind : "--port " + options.port);
        if (!parsed.Flag("--info")) {
            io.err << FormatText(LoadResString(IDS_FIND_CHECK_HINT), {check}) << '\n';
            return kExitOk;
        }
        CCloneSession session(io, options);
        if (!session.IsReady(io, "ports"))
            return CCloneLink::kResultPortError;
        return ResultStatus(session.Operations().Information());
    }
    const std::vector<CSerialDevice> devices =
        CConnectionDoctor("/", CDoctorUser::Current()).FindSerialDevices();
    for (const CSerialDevice& d : devices)
        io.out << d.path << (d.label.empty() ? "" : "  " + d.label) << '\n';
    for (const CSerialDevice& d : devices)
        if (!d.byId.empty())
            io.out << d.byId << " -> " << d.path << '\n';
    const CProfile profile;
    ReportProfileWarning(profile, io);
    for (int n = 1; n <= CProfile::kPortCount; ++n)
        io.out << "COM" << n << ": " << profile.GetPortDevice(n)
               << (n == profile.GetPortNumber() ? " (selected)" : "") << '\n';
    return kExitOk;
}

int RunSimulateCommand(const std::vector<std::string>& args, CCliIo& io)
{
    CCliArgs parsed("simulate", {"--image", "--fault"}, {"--realtime"});
    CCloneOptions options;
    if (!parsed.Parse(args, io, 0) || !TakeCloneOptions(parsed, options, io))
        return kExitUsage;
    CSimTransceiver sim;
    sim.SetFaults(options.faults);
    // Loaded while a signal still ends the process at once (a FIFO may keep the load waiting).
    if (!options.image.empty() && !sim.LoadImage(options.image)) {
        Error(io, IDS_CLI_FILE_ERROR, {options.image, LoadResString(IDS_CLI_NOT_A_DATA_FILE)});
        return kExitUsage;
    }
    int status = kExitOk;
    CInterrupt::ServeUntilEnded(
        [&] {
            if (!sim.Start()) {
                ReportSimulatorNotStarted(io, "simulate");
                status = kExitFailure;
                return false;
            }
            io.out << sim.GetDevicePath() << std::endl;
            return true;
        },
        [&sim] { sim.Stop(); });
    return status;
}
