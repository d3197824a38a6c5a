#pragma once

#include <string>
#include <vector>

#include "cli/cli_command.h"

// The clone commands of pwr455-cli: they talk to the transceiver (or to the simulated one) over
// the cloning cable. info, read and write exit with the clone result code: 0 success,
// 1 cancelled (Ctrl-C), 77 run failed, 80 unusable transfer file, 85 transceiver identity
// differs, 91 serial port cannot be opened; 2 for wrong arguments.
int RunInfoCommand(const std::vector<std::string>& args, CCliIo& io);
int RunReadCommand(const std::vector<std::string>& args, CCliIo& io);
int RunWriteCommand(const std::vector<std::string>& args, CCliIo& io);
int RunPortsCommand(const std::vector<std::string>& args, CCliIo& io);
int RunSimulateCommand(const std::vector<std::string>& args, CCliIo& io);
