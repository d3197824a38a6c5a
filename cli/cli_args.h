#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_command.h"

// The one argument parser of every command: options that take a value ("-i FILE", which may
// be given more than once), flags ("--quiet"), positional arguments, and "--" after which
// everything is positional. Any other argument that begins with '-' (except "-" alone) is an
// unknown option.
class CCliArgs {
public:
    CCliArgs(std::string command, std::initializer_list<const char*> valueOptions,
             std::initializer_list<const char*> flags = {});

    // Options of this command beyond a shared set given at construction.
    void AddOptions(std::initializer_list<const char*> valueOptions,
                    std::initializer_list<const char*> flags = {});

    // Returns false after writing a one-line error to `io.err`. Then exactly `positionalCount`
    // positional arguments must have been given.
    bool Parse(const std::vector<std::string>& args, CCliIo& io, size_t positionalCount);
    // The same with any number of positional arguments.
    bool Parse(const std::vector<std::string>& args, CCliIo& io);

    // The last value given for an option, or null when it was not given.
    const std::string* Option(const std::string& name) const;
    // Every value given for an option, in order.
    const std::vector<std::string>& Values(const std::string& name) const;
    bool Flag(const std::string& name) const;
    const std::vector<std::string>& Positional() const { return m_positional; }

    // Writes a one-line error about the command's arguments and returns kExitUsage: the
    // message `id` with the command name and `detail` as its arguments.
    int Usage(CCliIo& io, unsigned id, const std::string& detail = std::string()) const;
    // Writes the "option is required" line and returns kExitUsage.
    int MissingOption(CCliIo& io, const std::string& name) const;

private:
    std::string m_command;
    std::vector<std::string> m_valueOptions;
    std::vector<std::string> m_flags;
    std::map<std::string, std::vector<std::string>> m_values;
    std::vector<std::string> m_flagsGiven;
    std::vector<std::string> m_positional;
};

// A channel number as options such as --from give it: 1 to 20.
bool ParseChannelNumber(const std::string& text, unsigned* channel);
