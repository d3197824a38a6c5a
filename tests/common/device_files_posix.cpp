#include "tests/common/test_system.h"

#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>

std::string MakeFifoOrNullDevice(const std::string& path)
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
