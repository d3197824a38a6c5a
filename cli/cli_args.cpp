#include "cli/cli_args.h"

#include <algorithm>
#include <ostream>

#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

bool Contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

CCliArgs::CCliArgs(std::string command, std::initializer_list<const char*> valueOptions,
                   std::initializer_list<const char*> flags)
    : m_command(std::move(command)), m_valueOptions(valueOptions.begin(), valueOptions.end()),
      m_flags(flags.begin(), flags.end())
{
}

void CCliArgs::AddOptions(std::initializer_list<const char*> valueOptions,
                          std::initializer_list<const char*> flags)
{
    m_valueOptions.insert(m_valueOptions.end(), valueOptions.begin(), valueOptions.end());
    m_flags.insert(m_flags.end(), flags.begin(), flags.end());
}

bool CCliArgs::Parse(const std::vector<std::string>& args, CCliIo& io)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            m_positional.insert(m_positional.end(), args.begin() + long(i) + 1, args.end());
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            m_positional.push_back(arg);
        } else if (Contains(m_flags, arg)) {
            m_flagsGiven.push_back(arg);
        } else if (!Contains(m_valueOptions, arg)) {
            Usage(io, IDS_CLI_UNKNOWN_OPTION, arg);
            return false;
        } else if (i + 1 >= args.size()) {
            Usage(io, IDS_CLI_MISSING_VALUE, arg);
            return false;
        } else {
            m_values[arg].push_back(args[++i]);
        }
    }
    return true;
}

bool CCliArgs::Parse(const std::vector<std::string>& args, CCliIo& io, size_t positionalCount)
{
    if (!Parse(args, io))
        return false;
    if (m_positional.size() != positionalCount) {
        Usage(io, IDS_CLI_WRONG_ARGUMENTS);
        return false;
    }
    return true;
}

const std::string* CCliArgs::Option(const std::string& name) const
{
    auto it = m_values.find(name);
    return it == m_values.end() ? nullptr : &it->second.back();
}

const std::vector<std::string>& CCliArgs::Values(const std::string& name) const
{
    static const std::vector<std::string> kNone;
    auto it = m_values.find(name);
    return it == m_values.end() ? kNone : it->second;
}

bool CCliArgs::Flag(const std::string& name) const
{
    return Contains(m_flagsGiven, name);
}

int CCliArgs::Usage(CCliIo& io, unsigned id, const std::string& detail) const
{
    io.err << FormatText(LoadResString(id), {m_command, detail}) << '\n';
    return kExitUsage;
}

int CCliArgs::MissingOption(CCliIo& io, const std::string& name) const
{
    return Usage(io, IDS_CLI_MISSING_OPTION, name);
}

bool ParseChannelNumber(const std::string& text, unsigned* channel)
{
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *channel = static_cast<unsigned>(std::stoul(text));
    return *channel >= 1 && *channel <= CR455Radio::kChannelCount;
}
