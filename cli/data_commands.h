#pragma once

#include <string>
#include <vector>

#include "cli/cli_command.h"

// The data-file commands of pwr455-cli. Each takes the arguments after its name.
int RunNewCommand(const std::vector<std::string>& args, CCliIo& io);
int RunCheckCommand(const std::vector<std::string>& args, CCliIo& io);
int RunExecCommand(const std::vector<std::string>& args, CCliIo& io);
int RunShowCommand(const std::vector<std::string>& args, CCliIo& io);
int RunExportCommand(const std::vector<std::string>& args, CCliIo& io);
int RunImportCommand(const std::vector<std::string>& args, CCliIo& io);
int RunDiffCommand(const std::vector<std::string>& args, CCliIo& io);
int RunSortCommand(const std::vector<std::string>& args, CCliIo& io);
