#include "cli/clone_commands.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>

#include <fcntl.h>
#include <glob.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/cli_args.h"
#include "cli/clone_session.h"
#include "cli/safe_clone_commands.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/console_clone_host.h"
#include "clone/interrupt.h"
#include "radio/atomic_save.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "sim/sim_transceiver.h"

#include <wx/fileconf.h>
#include <wx/init.h>

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

std::string ConfigFilePath()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"))
        base = std::string(home) + "/.config";
    else
        base = ".config";
    return base + "/PW-R455NORD/PW-R455NORD.conf";
}

bool IsRealUart(const std::string& device)
{
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EACCES || errno == EBUSY; // there, but not ours to probe
    struct serial_struct info = {};
    bool real = ::ioctl(fd, TIOCGSERIAL, &info) < 0 || info.type != PORT_UNKNOWN;
    ::close(fd);
    return real;
}

std::vector<std::string> Glob(const char* pattern)
{
    std::vector<std::string> found;
    glob_t g = {};
    if (::glob(pattern, 0, nullptr, &g) == 0)
        for (size_t i = 0; i < g.gl_pathc; ++i)
            found.emplace_back(g.gl_pathv[i]);
    ::globfree(&g);
    return found;
}

// Reads one value of the "CommPort" section of the program's profile.
wxString ReadCommPort(const wxString& key, const wxString& fallback)
{
    wxInitializer init;
    wxFileConfig config("PW-R455NORD", "Vexa", wxString::FromUTF8(ConfigFilePath()), wxString(),
                        wxCONFIG_USE_LOCAL_FILE);
    return config.Read("/CommPort/" + key, fallback);
}

} // namespace

std::string GetProfilePortDevice(int number)
{
    std::string fallback = "/dev/ttyUSB" + std::to_string(number - 1);
    std::string device = ReadCommPort(wxString::Format("Device%d", number), fallback).ToStdString();
    return device.empty() ? fallback : device;
}

int GetProfilePortNumber()
{
    long number = 1;
    if (!ReadCommPort("PortNumber", "1").ToLong(&number) || number < 1 || number > 4)
        number = 1;
    return static_cast<int>(number);
}

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
    int result = ResultStatus(session.Read());
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
    SetCancelledExit();
    CCloneSession session(io, options);
    const std::string answer = OpenDocument(session.Radio(), file);
    if (answer != "OK") {
        Error(io, IDS_CLI_FILE_ERROR, {file, answer});
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
    CCliArgs parsed("ports", {});
    if (!parsed.Parse(args, io, 0))
        return kExitUsage;
    std::vector<std::string> devices;
    for (const std::string& d : Glob("/dev/ttyS*"))
        if (IsRealUart(d))
            devices.push_back(d);
    for (const char* pattern : {"/dev/ttyUSB*", "/dev/ttyACM*"}) {
        std::vector<std::string> found = Glob(pattern);
        devices.insert(devices.end(), found.begin(), found.end());
    }
    for (const std::string& d : devices)
        io.out << d << '\n';
    for (const std::string& link : Glob("/dev/serial/by-id/*")) {
        std::error_code ec;
        std::filesystem::path target = std::filesystem::canonical(link, ec);
        io.out << link;
        if (!ec)
            io.out << " -> " << target.string();
        io.out << '\n';
    }
    for (int n = 1; n <= 4; ++n)
        io.out << "COM" << n << ": " << GetProfilePortDevice(n)
               << (n == GetProfilePortNumber() ? " (selected)" : "") << '\n';
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
    // Block the ending signals before the serving thread starts, so that it inherits the mask
    // and they arrive here, in sigwait.
    sigset_t ending;
    sigemptyset(&ending);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&ending, s);
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
    int status = kExitOk;
    if (!sim.Start()) {
        Error(io, IDS_CLI_SIM_NOT_STARTED, {"simulate"});
        status = kExitFailure;
    } else {
        io.out << sim.GetDevicePath() << std::endl;
        int received = 0;
        ::sigwait(&ending, &received);
    }
    sim.Stop();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return status;
}
