#pragma once

#include <string>
#include <vector>

#include "cli/cli_command.h"

// The air-band commands of pwr455-cli: channels from an airport frequency list, and the
// kneeboard card as PDF. Each takes the arguments after its name.
int RunAirportsCommand(const std::vector<std::string>& args, CCliIo& io);
int RunCardCommand(const std::vector<std::string>& args, CCliIo& io);
