#include "clone/comm_port.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Texts handed to ReportError. Kept as the port layer has always worded them.
const char kNotOpen[] = " not Open ";
const char kInvalidSetting[] = " invarid setting ";
const char kWriteError[] = " write error ";
const char kReadError[] = " read error ";

// Fixed part and per-byte part of a write's total time limit.
constexpr int kWriteLimitBaseMs = 3000;
constexpr int kWriteLimitPerByteMs = 10;

bool BaudToSpeed(unsigned baud, speed_t& speed)
{
    switch (baud) {
    case 1200: speed = B1200; return true;
    case 2400: speed = B2400; return true;
    case 4800: speed = B4800; return true;
    case 9600: speed = B9600; return true;
    case 19200: speed = B19200; return true;
    case 38400: speed = B38400; return true;
    case 57600: speed = B57600; return true;
    case 115200: speed = B115200; return true;
    default: return false;
    }
}

// The port opened last and its earlier settings, for RestoreOpenPortNow.
std::atomic<int> g_openFd{-1};
struct termios g_openPrevious;

void CloseQuietly(int fd)
{
    while (::close(fd) < 0 && errno == EINTR) {
    }
}

} // namespace

CCommPort::CCommPort() : m_portName("COM1:"), m_baudRate(9600)
{
}

CCommPort::~CCommPort()
{
    // Close is virtual, but during destruction only this class's version runs, as intended.
    CCommPort::Close();
}

int CCommPort::GetHandle() const
{
    return m_fd >= 0 ? m_fd : 0;
}

bool CCommPort::Open(const std::string& device, unsigned baud)
{
    if (m_fd >= 0)
        return true;
    m_portName = device.substr(0, 255);
    m_baudRate = baud;
    m_fd = OpenPort(m_portName, m_baudRate);
    return m_fd >= 0;
}

int CCommPort::OpenPort(const std::string& device, unsigned baud)
{
    // Non-blocking: a serial device without carrier must not hang the open, and reads of waiting
    // bytes must never wait.
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        ReportError(kNotOpen, errno);
        return -1;
    }
    // Exclusive use: an advisory lock that other careful programs honour even when run by root,
    // and the terminal's own exclusive mode that refuses further opens by ordinary users.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        int err = errno;
        CloseQuietly(fd);
        ReportError(kNotOpen, err);
        return -1;
    }
    struct termios tio;
    if (::tcgetattr(fd, &tio) < 0) {
        ReleaseHandle(fd);
        return -1;
    }
    ::ioctl(fd, TIOCEXCL);
    ::tcflush(fd, TCIOFLUSH);
    const struct termios previous = tio;

    speed_t speed = B9600;
    bool speedOk = BaudToSpeed(baud, speed);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (!speedOk || ::cfsetispeed(&tio, speed) < 0 || ::cfsetospeed(&tio, speed) < 0
        || ::tcsetattr(fd, TCSANOW, &tio) < 0) {
        ReportError(kInvalidSetting, speedOk ? errno : EINVAL);
        ReleaseHandle(fd);
        return -1;
    }
    // The cloning cable takes its power from RTS and must see DTR off. A pseudo-terminal has no
    // modem lines and refuses these calls; that is harmless.
    int dtr = TIOCM_DTR;
    int rts = TIOCM_RTS;
    ::ioctl(fd, TIOCMBIC, &dtr);
    ::ioctl(fd, TIOCMBIS, &rts);
    m_previousSettings = std::make_unique<struct termios>(previous);
    g_openFd = -1;
    g_openPrevious = previous;
    g_openFd = fd;
    return fd;
}

void CCommPort::Close()
{
    if (m_fd < 0)
        return;
    ::tcflush(m_fd, TCIOFLUSH);
    // A serial device keeps its line settings after the last close: leave it as it was found.
    if (m_previousSettings)
        ::tcsetattr(m_fd, TCSANOW, m_previousSettings.get());
    m_previousSettings.reset();
    int open = m_fd;
    g_openFd.compare_exchange_strong(open, -1);
    ReleaseHandle(m_fd);
    m_fd = -1;
}

void CCommPort::RestoreOpenPortNow()
{
    const int fd = g_openFd.load();
    if (fd >= 0)
        ::tcsetattr(fd, TCSANOW, &g_openPrevious);
}

void CCommPort::ReleaseHandle(int fd)
{
    if (fd < 0)
        return;
    ::ioctl(fd, TIOCNXCL);
    CloseQuietly(fd); // also drops the advisory lock
}

bool CCommPort::Write(const uint8_t* buffer, size_t length)
{
    if (m_fd < 0)
        return false;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now()
        + std::chrono::milliseconds(kWriteLimitBaseMs + kWriteLimitPerByteMs * static_cast<long>(length));
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::write(m_fd, buffer + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            ReportError(kWriteError, errno);
            return false;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            ReportError(kWriteError, ETIMEDOUT);
            return false;
        }
        struct pollfd p = {m_fd, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
    return true;
}

bool CCommPort::Read(uint8_t* buffer, size_t maximum, size_t* count)
{
    if (m_fd < 0)
        return false;
    // Bytes the terminal layer has received but not yet queued for reading are counted only
    // after a poll: so that whatever has arrived is seen, poll first (without waiting).
    struct pollfd p = {m_fd, POLLIN, 0};
    ::poll(&p, 1, 0);
    size_t n = std::min({GetWaitingCount(), kMaxReadChunk, maximum});
    if (n == 0)
        return false;
    ssize_t got;
    do {
        got = ::read(m_fd, buffer, n);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        ReportError(kReadError, errno);
        return false;
    }
    *count = static_cast<size_t>(got);
    return true;
}

bool CCommPort::Flush()
{
    if (m_fd < 0)
        return false;
    return ::tcdrain(m_fd) == 0;
}

size_t CCommPort::GetWaitingCount() const
{
    if (m_fd < 0)
        return 0;
    int waiting = 0;
    if (::ioctl(m_fd, FIONREAD, &waiting) < 0 || waiting < 0)
        return 0;
    return static_cast<size_t>(waiting);
}

void CCommPort::ReportError(const std::string& text, int errorCode)
{
    m_lastErrorText = text;
    m_lastErrorCode = errorCode;
}
