#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    CCliIo io{std::cin, std::cout, std::cerr};
    int status = RunCli(args, io);
    std::cout.flush();
    return status;
}
