#include "cli/clone_session.h"

#include <ostream>

#include "cli/cli_args.h"
#include "platform/console.h"
#include "profile/profile.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

const std::initializer_list<const char*> kPortValueOptions = {"--port", "--com", "--fault"};
const std::initializer_list<const char*> kPortFlags = {"--simulate", "--quiet", "--realtime"};

bool TakeCloneOptions(const CCliArgs& parsed, CCloneOptions& options, CCliIo& io)
{
    options.simulate = parsed.Flag("--simulate");
    options.quiet = parsed.Flag("--quiet");
    options.faults.realtime = parsed.Flag("--realtime");
    if (const std::string* port = parsed.Option("--port")) {
        if (port->empty()) {
            parsed.Usage(io, IDS_CLI_EMPTY_PORT);
            return false;
        }
        options.port = *port;
    }
    if (const std::string* image = parsed.Option("--image"))
        options.image = *image;
    if (const std::string* com = parsed.Option("--com")) {
        if (com->size() != 1 || (*com)[0] < '1' || (*com)[0] > '4') {
            parsed.Usage(io, IDS_CLI_BAD_COM_NUMBER, *com);
            return false;
        }
        options.com = (*com)[0] - '0';
    }
    for (const std::string& fault : parsed.Values("--fault")) {
        if (!options.faults.Set(fault)) {
            parsed.Usage(io, IDS_CLI_UNKNOWN_FAULT, fault);
            return false;
        }
    }
    // One way of reaching the transceiver at a time.
    if (!options.port.empty() + (options.com != 0) + options.simulate > 1) {
        parsed.Usage(io, IDS_CLI_ONE_PORT_OPTION);
        return false;
    }
    return true;
}

void ReportSimulatorNotStarted(CCliIo& io, const std::string& command)
{
    const unsigned id = CSimTransceiver::IsSupported() ? IDS_CLI_SIM_NOT_STARTED
                                                       : IDS_CLI_SIM_NEEDS_LINUX;
    io.err << FormatText(LoadResString(id), {command}) << '\n';
}

void ReportProfileWarning(const CProfile& profile, CCliIo& io)
{
    if (!profile.GetWarning().empty())
        io.err << FormatText(LoadResString(IDS_CLI_WARNING), {profile.GetWarning()}) << std::endl;
}

CCloneSession::CCloneSession(CCliIo& io, const CCloneOptions& options)
    : m_host(io.out, io.err, IsStandardErrorTerminal()), m_station(m_radio, m_host, m_host.GetClock())
{
    CComPortTable& ports = m_station.Link().Ports();
    m_host.SetQuiet(options.quiet);
    m_radio.ResetData();
    if (options.port.empty() && !options.simulate) {
        const CProfile profile;
        ReportProfileWarning(profile, io);
        profile.FillPortTable(ports);
    }
    if (!options.port.empty()) {
        ports.SetDevice(1, options.port);
        ports.SetNumber(1);
    } else if (options.com != 0) {
        ports.SetNumber(options.com);
    }
    if (options.simulate) {
        auto sim = std::make_unique<CSimTransceiver>();
        sim->SetFaults(options.faults);
        m_simStarted = sim->Start(CSimTransceiver::GetInProcessLine());
        m_sim = sim.get();
        m_station.Simulate(std::move(sim));
        ports.SetNumber(1);
    }
}

bool CCloneSession::IsReady(CCliIo& io, const std::string& command) const
{
    if (m_sim && !m_simStarted) {
        ReportSimulatorNotStarted(io, command);
        return false;
    }
    if (GetPortDevice().size() > CCommPort::kMaxPortName) {
        io.err << FormatText(LoadResString(IDS_CLI_PORT_NAME_TOO_LONG),
                             {command, std::to_string(CCommPort::kMaxPortName)})
               << '\n';
        return false;
    }
    return true;
}
