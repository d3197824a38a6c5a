#include "tests/common/test_system.h"

std::string MakeFifoOrNullDevice(const std::string&)
{
    return "NUL";
}

std::string OpenTerminalDevice()
{
    return "COM1";
}
