#include "tests/common/test_system.h"

// The browser has no FIFOs or devices; under Node.js the suites see the machine's files, where the
// null device is a device that nobody writes to or types into.
std::string MakeFifoOrNullDevice(const std::string&)
{
    return "/dev/null";
}

std::string OpenTerminalDevice()
{
    return "/dev/null";
}
