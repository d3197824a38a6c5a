#include "fault_util.h"

#include <cstdlib>

#include <unistd.h>

namespace faulttest {

CEnvOverride::CEnvOverride(const char* name, const std::string& value) : m_name(name)
{
    if (const char* old = std::getenv(name)) {
        m_had = true;
        m_old = old;
    }
    ::setenv(name, value.c_str(), 1);
}

CEnvOverride::~CEnvOverride()
{
    if (m_had)
        ::setenv(m_name.c_str(), m_old.c_str(), 1);
    else
        ::unsetenv(m_name.c_str());
}

bool HaveTool()
{
#ifdef PWR_CLI_PATH
    return ::access(PWR_CLI_PATH, X_OK) == 0;
#else
    return false;
#endif
}

bool CanRunUnprivileged()
{
    ToolOptions options;
    options.unprivileged = true;
    return ::geteuid() != 0 || RunProcess({"/bin/true"}, options).status == 0;
}

ToolResult RunTool(const std::vector<std::string>& args, const ToolOptions& options)
{
#ifdef PWR_CLI_PATH
    std::vector<std::string> argv{PWR_CLI_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProcess(argv, options);
#else
    (void)args;
    (void)options;
    return ToolResult();
#endif
}

} // namespace faulttest
