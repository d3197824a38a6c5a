#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "clone/interrupt.h"
#include "platform/console.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    SetUpStandardStreams();
    CInterrupt::Install();
    std::vector<std::string> args = GetProgramArguments(argc, argv);
    CCliIo io{std::cin, std::cout, std::cerr};
    return RunCli(args, io);
}
