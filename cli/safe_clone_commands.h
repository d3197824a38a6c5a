#pragma once

#include <string>
#include <vector>

#include "cli/cli_command.h"

// The commands that make cloning safer: compare a file with the transceiver's data, and find
// out why the cable does not work.
int RunCompareCommand(const std::vector<std::string>& args, CCliIo& io);
int RunDoctorCommand(const std::vector<std::string>& args, CCliIo& io);
