#pragma once

#include <string>
#include <vector>

#include "cli/cli_command.h"

// The commands that make cloning safer: compare a file with the transceiver's data, and find
// out why the cable does not work.
int RunCompareCommand(const std::vector<std::string>& args, CCliIo& io);
int RunDoctorCommand(const std::vector<std::string>& args, CCliIo& io);

class CCloneSession;

// write --fleet: the session's data set to one transceiver after another until Ctrl-C, each
// line also appended to the file `logPath` when given. Exit status 0 when every transceiver
// was written, 1 otherwise, 2 when the log cannot be opened.
int RunFleetWrite(CCloneSession& session, const std::string* logPath, CCliIo& io);
