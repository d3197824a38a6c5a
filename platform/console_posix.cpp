#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

std::vector<std::string> GetProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void SetUpStandardStreams()
{
    // The bytes go out as the program wrote them.
}

std::string ForStandardStream(const std::string& text)
{
    return text;
}

void WriteStandardOutputNow(const char* text, size_t length)
{
    (void)!::write(STDOUT_FILENO, text, length);
}

bool IsStandardOutputTerminal()
{
    return ::isatty(STDOUT_FILENO) != 0;
}

bool IsStandardErrorTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

void RingTerminalBell()
{
    static const char bell = '\a';
    if (IsStandardErrorTerminal()) {
        (void)!::write(STDERR_FILENO, &bell, 1);
        return;
    }
    const int fd = ::open("/dev/tty", O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        (void)!::write(fd, &bell, 1);
        ::close(fd);
    }
}
