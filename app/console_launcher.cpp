// pwr455.com, the console program that Windows' command prompt prefers to pwr455.exe when a
// person types `pwr455`. The desktop program has no console: the prompt would come back before
// its --help or --version text, which the next line typed would then overwrite. This program
// answers both in the console and waits for nothing else: it starts pwr455.exe beside it with
// the same arguments and ends.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "app/information_options.h"
#include "platform/console.h"
#include "platform/program_start.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// The exit status of a command line that cannot be used, as the desktop program's.
constexpr int kExitUsage = 2;

// The desktop program: this program's file with the extension ".exe".
std::string DesktopProgramPath()
{
    std::string path = GetOwnProgramPath();
    const size_t dot = path.find_last_of(".\\/");
    if (dot != std::string::npos && path[dot] == '.')
        path.erase(dot);
    return path + ".exe";
}

} // namespace

int main(int argc, char** argv)
{
    SetUpStandardStreams();
    const std::vector<std::string> args = GetProgramArguments(argc, argv);
    std::string text;
    std::string fault;
    if (GetInformationText(args, &text, &fault)) {
        std::cout << text << std::flush;
        return std::cout ? 0 : 1;
    }
    // An option the program does not have is refused here, where the person who typed it reads
    // the reason; what else is wrong with a command line is the program's to tell.
    if (!fault.empty() && std::any_of(args.begin(), args.end(), IsUnknownOption)) {
        std::cerr << fault << std::endl;
        return kExitUsage;
    }
    const std::string program = DesktopProgramPath();
    std::string error;
    if (StartWithOwnArguments(program, &error))
        return 0;
    std::cerr << FormatText(LoadResString(IDS_APP_CANNOT_START), {program, error}) << std::endl;
    return 1;
}
