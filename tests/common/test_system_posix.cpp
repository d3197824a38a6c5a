#include "tests/common/test_system.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

void SetEnv(const std::string& name, const std::optional<std::string>& value)
{
    value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
}

std::string SystemVariableName(const std::string& name)
{
    return name;
}

std::string MissingFileReason()
{
    return std::strerror(ENOENT);
}

bool IsSuperUser()
{
    return ::geteuid() == 0;
}
