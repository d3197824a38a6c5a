#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/interrupt.h"
#include "language/program_language.h"
#include "platform/console.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    SetUpStandardStreams();
    // Messages for people follow the system's language; what programs read stays English.
    UseLanguage(std::string(), false);
    CInterrupt::Install();
    std::vector<std::string> args = GetProgramArguments(argc, argv);
    CCliIo io{std::cin, std::cout, std::cerr};
    return RunCli(args, io);
}
