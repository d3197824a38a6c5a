#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_command.h"

// Parses one command's arguments: options that take a value ("-i FILE"), positional
// arguments, and "--" after which everything is positional. Any other argument that begins
// with '-' (except "-" alone) is an unknown option.
class CCliArgs {
public:
    CCliArgs(std::string command, std::initializer_list<const char*> valueOptions);

    // Returns false after writing a one-line error to `io.err`.
    bool Parse(const std::vector<std::string>& args, CCliIo& io);
    // The same, and then exactly `positionalCount` positional arguments must have been given.
    bool Parse(const std::vector<std::string>& args, CCliIo& io, size_t positionalCount);

    // The value of an option, or null when it was not given.
    const std::string* Option(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

    // Writes the "wrong arguments" line and returns kExitUsage.
    int WrongArguments(CCliIo& io) const;
    // Writes the "option is required" line and returns kExitUsage.
    int MissingOption(CCliIo& io, const std::string& name) const;

private:
    std::string m_command;
    std::vector<std::string> m_valueOptions;
    std::map<std::string, std::string> m_options;
    std::vector<std::string> m_positional;
};
