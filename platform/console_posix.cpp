#include "platform/console.h"

#include <fcntl.h>
#include <unistd.h>

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
