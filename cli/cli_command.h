#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The streams a command works on; the tool passes the process's own, tests their own.
struct CCliIo {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Exit status of the tool.
enum : int {
    kExitOk = 0,
    kExitFailure = 1, // the command ran and failed, or found a difference (diff)
    kExitUsage = 2,   // unknown command or option, wrong arguments
};

// A command's handler gets the arguments after the command name; "--help" has already been
// handled by the dispatcher.
using CliHandler = int (*)(const std::vector<std::string>& args, CCliIo& io);

// One entry of the command table. The help text (a string resource) starts with the command's
// synopsis line and a one-line summary; the tool's --help lists both.
struct CCliCommand {
    const char* name;
    CliHandler run;
    unsigned helpId;
    // False for a command that cannot work on this system: the tool's help leaves it out, and
    // run, it says why.
    bool offered = true;
};

// The command table (cli/command_table.cpp).
const std::vector<CCliCommand>& GetCliCommands();

// Runs the tool with the arguments after the program name and returns the exit status; output
// that could not be written makes it a failure.
int RunCli(const std::vector<std::string>& args, CCliIo& io);
