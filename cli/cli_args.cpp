#include "cli/cli_args.h"

#include <algorithm>
#include <ostream>

#include "radio/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

CCliArgs::CCliArgs(std::string command, std::initializer_list<const char*> valueOptions)
    : m_command(std::move(command)), m_valueOptions(valueOptions.begin(), valueOptions.end())
{
}

bool CCliArgs::Parse(const std::vector<std::string>& args, CCliIo& io)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (std::find(m_valueOptions.begin(), m_valueOptions.end(), arg) == m_valueOptions.end()) {
            io.err << FormatText(LoadResString(IDS_CLI_UNKNOWN_OPTION), {m_command, arg}) << '\n';
            return false;
        }
        if (i + 1 >= args.size()) {
            io.err << FormatText(LoadResString(IDS_CLI_MISSING_VALUE), {m_command, arg}) << '\n';
            return false;
        }
        m_options[arg] = args[++i];
    }
    return true;
}

const std::string* CCliArgs::Option(const std::string& name) const
{
    auto it = m_options.find(name);
    return it == m_options.end() ? nullptr : &it->second;
}

bool CCliArgs::Parse(const std::vector<std::string>& args, CCliIo& io, size_t positionalCount)
{
    if (!Parse(args, io))
        return false;
    if (m_positional.size() != positionalCount) {
        WrongArguments(io);
        return false;
    }
    return true;
}

int CCliArgs::WrongArguments(CCliIo& io) const
{
    io.err << FormatText(LoadResString(IDS_CLI_WRONG_ARGUMENTS), {m_command}) << '\n';
    return kExitUsage;
}

int CCliArgs::MissingOption(CCliIo& io, const std::string& name) const
{
    io.err << FormatText(LoadResString(IDS_CLI_MISSING_OPTION), {m_command, name}) << '\n';
    return kExitUsage;
}
