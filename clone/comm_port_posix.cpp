#include "clone/comm_port_os.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

struct CSerialLine {
    struct termios settings;
};

namespace {

bool BaudToSpeed(unsigned baud, speed_t& speed)
{
    switch (baud) {
    case 1200:
        speed = B1200;
        return true;
    case 2400:
        speed = B2400;
        return true;
    case 4800:
        speed = B4800;
        return true;
    case 9600:
        speed = B9600;
        return true;
    case 19200:
        speed = B19200;
        return true;
    case 38400:
        speed = B38400;
        return true;
    case 57600:
        speed = B57600;
        return true;
    case 115200:
        speed = B115200;
        return true;
    default:
        return false;
    }
}

// The port kept for an abrupt exit and its earlier settings.
std::atomic<int> g_exitFd{-1};
struct termios g_exitSettings;

void CloseQuietly(int fd)
{
    while (::close(fd) < 0 && errno == EINTR) {
    }
}

} // namespace

std::string GetDefaultSerialDevice(int number)
{
    return "/dev/ttyUSB" + std::to_string(number - 1);
}

int OpenSerialDevice(const std::string& device, int& error)
{
    // Non-blocking: a serial device without carrier must not hang the open, and reads of waiting
    // bytes must never wait.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    // Exclusive use: an advisory lock that other careful programs honour even when run by root,
    // and the terminal's own exclusive mode that refuses further opens by ordinary users.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        error = errno;
        CloseQuietly(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    return fd;
}

void CloseSerialDevice(int handle)
{
    ::ioctl(handle, TIOCNXCL);
    CloseQuietly(handle); // also drops the advisory lock
}

std::shared_ptr<CSerialLine> GetSerialLine(int handle)
{
    auto line = std::make_shared<CSerialLine>();
    return ::tcgetattr(handle, &line->settings) == 0 ? line : nullptr;
}

void SetSerialLine(int handle, const CSerialLine& line)
{
    ::tcsetattr(handle, TCSANOW, &line.settings);
}

bool ConfigureSerialLine(int handle, unsigned baud, int& error)
{
    struct termios tio;
    speed_t speed = B9600;
    if (!BaudToSpeed(baud, speed)) {
        error = EINVAL;
        return false;
    }
    if (::tcgetattr(handle, &tio) < 0) {
        error = errno;
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) < 0 || ::cfsetospeed(&tio, speed) < 0 ||
        ::tcsetattr(handle, TCSANOW, &tio) < 0) {
        error = errno;
        return false;
    }
    return true;
}

void SetSerialControlLines(int handle, bool dtr, bool rts)
{
    // A pseudo-terminal has no modem lines and refuses these calls; that is harmless.
    int dtrBit = TIOCM_DTR;
    int rtsBit = TIOCM_RTS;
    ::ioctl(handle, dtr ? TIOCMBIS : TIOCMBIC, &dtrBit);
    ::ioctl(handle, rts ? TIOCMBIS : TIOCMBIC, &rtsBit);
}

void PurgeSerialDevice(int handle)
{
    ::tcflush(handle, TCIOFLUSH);
}

void KeepSerialLineForExit(int handle, const CSerialLine& line)
{
    g_exitFd = -1;
    g_exitSettings = line.settings;
    g_exitFd = handle;
}

void ForgetSerialLineForExit(int handle)
{
    g_exitFd.compare_exchange_strong(handle, -1);
}

void RestoreSerialLineForExitNow()
{
    const int fd = g_exitFd.load();
    if (fd >= 0)
        ::tcsetattr(fd, TCSANOW, &g_exitSettings);
}

bool WriteSerial(int handle, const uint8_t* data, size_t length, unsigned limitMs, int& error)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::write(handle, data + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            error = errno;
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            error = ETIMEDOUT;
            return false;
        }
        struct pollfd p = {handle, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
    return true;
}

size_t GetSerialWaitingCount(int handle)
{
    // Bytes the terminal layer has received but not yet queued for reading are counted only
    // after a poll: so that whatever has arrived is seen, poll first (without waiting).
    struct pollfd p = {handle, POLLIN, 0};
    ::poll(&p, 1, 0);
    int waiting = 0;
    if (::ioctl(handle, FIONREAD, &waiting) < 0 || waiting < 0)
        return 0;
    return static_cast<size_t>(waiting);
}

long ReadSerial(int handle, uint8_t* buffer, size_t count, int& error)
{
    ssize_t got;
    do {
        got = ::read(handle, buffer, count);
    } while (got < 0 && errno == EINTR);
    if (got < 0)
        error = errno;
    return static_cast<long>(got);
}

bool DrainSerial(int handle)
{
    return ::tcdrain(handle) == 0;
}

ESerialInput WaitSerialInput(int handle, unsigned milliseconds)
{
    struct pollfd p = {handle, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(milliseconds));
    if (ready <= 0)
        return ESerialInput::None;
    // A hung-up terminal reports itself readable at once and for ever, with nothing to read.
    if ((p.revents & POLLIN) && !(p.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return ESerialInput::Waiting;
    return ESerialInput::HungUp;
}
