#include <algorithm>
#include <ostream>

#include "cli/cli_command.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

#ifndef PWR_VERSION
#define PWR_VERSION "unknown"
#endif

namespace {

// Column at which the summaries of the command list start.
constexpr size_t kSummaryColumn = 40;

// Line `index` (0-based) of a text.
std::string LineOf(const std::string& text, size_t index)
{
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

void PrintToolHelp(std::ostream& out)
{
    out << LoadResString(IDS_CLI_USAGE);
    for (const CCliCommand& command : GetCliCommands()) {
        if (!command.offered)
            continue;
        std::string help = LoadResString(command.helpId);
        std::string synopsis = "  " + LineOf(help, 0).substr(std::string("pwr455-cli ").size());
        synopsis.resize(std::max(synopsis.size() + 2, kSummaryColumn), ' ');
        out << synopsis << LineOf(help, 1) << '\n';
    }
    out << LoadResString(IDS_CLI_USAGE_FOOTER);
}

// Help of one command: the synopsis as a usage line, then the rest of its text.
void PrintCommandHelp(const CCliCommand& command, std::ostream& out)
{
    std::string help = LoadResString(command.helpId);
    size_t firstEnd = help.find('\n');
    out << LoadResString(IDS_CLI_USAGE_PREFIX) << help.substr(0, firstEnd) << '\n';
    if (firstEnd != std::string::npos)
        out << help.substr(firstEnd + 1);
}

bool WantsHelp(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

int RunCommand(const std::vector<std::string>& args, CCliIo& io)
{
    if (args.empty()) {
        PrintToolHelp(io.err);
        return kExitUsage;
    }
    const std::string& name = args[0];
    if (name == "--help" || name == "-h") {
        PrintToolHelp(io.out);
        return kExitOk;
    }
    if (name == "--version") {
        io.out << FormatText(LoadEnglishResString(IDS_CLI_VERSION), {PWR_VERSION}) << '\n';
        return kExitOk;
    }
    const auto& commands = GetCliCommands();
    auto it = std::find_if(commands.begin(), commands.end(),
                           [&](const CCliCommand& c) { return name == c.name; });
    if (it == commands.end()) {
        io.err << FormatText(LoadResString(IDS_CLI_UNKNOWN_COMMAND), {name}) << '\n';
        return kExitUsage;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (WantsHelp(rest)) {
        PrintCommandHelp(*it, io.out);
        return kExitOk;
    }
    return it->run(rest, io);
}

} // namespace

int RunCli(const std::vector<std::string>& args, CCliIo& io)
{
    int status = RunCommand(args, io);
    // Data that never reached the output (a full disk, a closed pipe) are a failure, whatever
    // the command itself did.
    if (!io.out.flush()) {
        io.err << LoadResString(IDS_CLI_CANNOT_WRITE_OUTPUT) << '\n';
        if (status == kExitOk)
            status = kExitFailure;
    }
    return status;
}
