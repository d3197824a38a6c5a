#include "sim/sim_transceiver.h"

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "clone/clone_clock.h"

namespace {

constexpr int kIdlePollMs = 50;

} // namespace

bool CSimTransceiver::IsSupported()
{
    return true;
}

bool CSimTransceiver::OpenLine()
{
    if (m_master >= 0)
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return false;
    char name[128];
    if (::grantpt(m_master) < 0 || ::unlockpt(m_master) < 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        Stop();
        return false;
    }
    m_devicePath = name;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Packet mode: besides the data, the master learns when the program purges the line, which
    // it does when it opens and closes the port. Whatever was still on its way is then lost, as
    // on a real line.
    int packetMode = 1;
    ::ioctl(m_master, TIOCPKT, &packetMode);
    // Hold the slave open ourselves: with no slave open, the master reports a hang-up. Raw mode
    // from the start, so that the line discipline never echoes or translates a byte.
    m_slaveKeep = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slaveKeep < 0) {
        Stop();
        return false;
    }
    struct termios tio;
    if (::tcgetattr(m_slaveKeep, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
    }
    return true;
}

bool CSimTransceiver::Start()
{
    if (m_running || m_stepped)
        return m_running;
    if (!OpenLine())
        return false;
    if (::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) < 0) {
        m_wakePipe[0] = m_wakePipe[1] = -1;
        Stop();
        return false;
    }
    m_running = true;
    m_thread = std::thread(&CSimTransceiver::ServeThread, this);
    return true;
}

void CSimTransceiver::Stop()
{
    if (m_thread.joinable()) {
        m_running = false;
        char c = 0;
        (void)!::write(m_wakePipe[1], &c, 1);
        m_thread.join();
    }
    m_running = false;
    for (int* fd : {&m_master, &m_slaveKeep, &m_wakePipe[0], &m_wakePipe[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void CSimTransceiver::ServeThread()
{
    CCloneClock& clock = CRealCloneClock::Instance();
    while (m_running) {
        const uint64_t now = clock.NowMs();
        const uint64_t due = Serve(now);
        const bool lineFull = due <= now;
        int timeout = kIdlePollMs;
        if (!lineFull && due != kNever)
            timeout = static_cast<int>(std::min<uint64_t>(due - now, kIdlePollMs));
        const short events = POLLIN | (lineFull ? POLLOUT : 0);
        struct pollfd fds[2] = {{m_master, events, 0}, {m_wakePipe[0], POLLIN, 0}};
        ::poll(fds, 2, timeout);
        if (fds[0].revents & POLLHUP)
            ::usleep(1000 * kIdlePollMs); // cannot happen while the slave is held; never spin
    }
}

void CSimTransceiver::TakeInput()
{
    uint8_t buffer[257];
    for (;;) {
        ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        if (buffer[0] != TIOCPKT_DATA) {
            if (buffer[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE))
                OnPurge();
            continue;
        }
        for (ssize_t i = 1; i < n; ++i)
            OnByte(buffer[i]);
    }
}

long CSimTransceiver::WriteLine(const uint8_t* bytes, size_t count)
{
    return static_cast<long>(::write(m_master, bytes, count));
}
