#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "clone/interrupt.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CInterrupt::Install();
    std::vector<std::string> args(argv + 1, argv + argc);
    CCliIo io{std::cin, std::cout, std::cerr};
    return RunCli(args, io);
}
