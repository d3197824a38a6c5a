#pragma once

// What every pwr455-cli command that reaches a transceiver shares: the PORT options and the
// session that binds the console host, the clone link and the clone operations to the port the
// options name (or to an in-process simulated transceiver).

#include <initializer_list>
#include <memory>
#include <string>

#include "cli/cli_command.h"
#include "cli/console_clone_host.h"
#include "clone/clone_station.h"
#include "radio/r455_radio.h"
#include "sim/sim_transceiver.h"

class CCliArgs;
class CProfile;

// The options of the commands that reach a transceiver.
extern const std::initializer_list<const char*> kPortValueOptions;
extern const std::initializer_list<const char*> kPortFlags;

// Where the options of one clone command put their values.
struct CCloneOptions {
    std::string port; // --port DEVICE
    int com = 0;      // --com N
    bool simulate = false;
    bool quiet = false;
    std::string image; // --image FILE (simulate)
    CSimFaults faults;
};

// Takes the values of parsed options into `options`; false (after a message) on a bad value.
bool TakeCloneOptions(const CCliArgs& parsed, CCloneOptions& options, CCliIo& io);

// The message of `command` when the simulated transceiver does not start: no pseudo-terminal
// now, or none on this system at all.
void ReportSimulatorNotStarted(CCliIo& io, const std::string& command);

// Why the profile is not used as stored, if it is not, as one warning line on the error stream.
void ReportProfileWarning(const CProfile& profile, CCliIo& io);

// The transceiver a clone command talks to: the device the options name, or an in-process
// simulated transceiver reached through its pseudo-terminal. The profile is read (once) only
// where the options leave the port to it.
class CCloneSession {
public:
    CCloneSession(CCliIo& io, const CCloneOptions& options);

    // False (after a message) when the simulated transceiver could not start.
    bool IsReady(CCliIo& io, const std::string& command) const;

    CR455Radio& Radio() { return m_radio; }
    CCloneOperations& Operations() { return m_station.Operations(); }
    CCloneLink& Link() { return m_station.Link(); }
    CConsoleCloneHost& Host() { return m_host; }
    const CTempFile& Transfer() const { return m_station.Transfer(); }
    // The line in memory to the simulated transceiver, when the session has one.
    CByteLine* SimulatedLine() const { return m_sim ? m_sim->GetProgramLine() : nullptr; }
    // The device the session's port leads to.
    std::string GetPortDevice() const { return m_station.Link().Ports().GetChosenDevice(); }

private:
    CConsoleCloneHost m_host;
    CR455Radio m_radio;
    CCloneStation m_station;
    CSimTransceiver* m_sim = nullptr; // the station's
    bool m_simStarted = false;
};
