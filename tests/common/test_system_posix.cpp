#include "tests/common/test_system.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void SetEnv(const std::string& name, const std::optional<std::string>& value)
{
    value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
}

std::string SystemVariableName(const std::string& name)
{
    return name;
}

std::string MakeSpecialFile(const std::string& path)
{
    return ::mkfifo(path.c_str(), 0600) == 0 ? path : "";
}

std::string OpenTerminalDevice()
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const char* name = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0
                           ? ::ptsname(master)
                           : nullptr;
    return name ? name : "";
}

std::string MissingFileReason()
{
    return std::strerror(ENOENT);
}

bool IsSuperUser()
{
    return ::geteuid() == 0;
}
