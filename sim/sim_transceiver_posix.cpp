#include "sim/sim_transceiver.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "sim/sim_line.h"

namespace {

// The master side of a pseudo-terminal.
class CPseudoTerminal : public CSimLine {
public:
    ~CPseudoTerminal() override
    {
        for (int fd : {m_master, m_slaveKeep, m_wakePipe[0], m_wakePipe[1]})
            if (fd >= 0)
                ::close(fd);
    }

    bool Open();

    void Take(const std::function<void(uint8_t)>& onByte,
              const std::function<void()>& onPurge) override
    {
        uint8_t buffer[257];
        for (;;) {
            ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            if (buffer[0] != TIOCPKT_DATA) {
                if (buffer[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE))
                    onPurge();
                continue;
            }
            for (ssize_t i = 1; i < n; ++i)
                onByte(buffer[i]);
        }
    }

    long Send(const uint8_t* bytes, size_t count) override
    {
        return static_cast<long>(::write(m_master, bytes, count));
    }

    void Wait(unsigned milliseconds, bool forRoom) override
    {
        const short events = POLLIN | (forRoom ? POLLOUT : 0);
        struct pollfd fds[2] = {{m_master, events, 0}, {m_wakePipe[0], POLLIN, 0}};
        ::poll(fds, 2, static_cast<int>(milliseconds));
        if (fds[1].revents & POLLIN) {
            char c;
            while (::read(m_wakePipe[0], &c, 1) > 0) {
            }
        }
        if (fds[0].revents & POLLHUP)
            ::usleep(1000 * milliseconds); // cannot happen while the slave is held; never spin
    }

    void Wake() override
    {
        char c = 0;
        (void)!::write(m_wakePipe[1], &c, 1);
    }

    std::string GetDevicePath() const override { return m_devicePath; }

private:
    int m_master = -1;
    int m_slaveKeep = -1; // keeps the line up while the program has the slave closed
    int m_wakePipe[2] = {-1, -1};
    std::string m_devicePath;
};

bool CPseudoTerminal::Open()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return false;
    char name[128];
    if (::grantpt(m_master) < 0 || ::unlockpt(m_master) < 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0)
        return false;
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
    if (m_slaveKeep < 0)
        return false;
    struct termios tio;
    if (::tcgetattr(m_slaveKeep, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
    }
    return ::pipe2(m_wakePipe, O_CLOEXEC | O_NONBLOCK) == 0;
}

} // namespace

bool CSimTransceiver::IsSupported()
{
    return true;
}

std::unique_ptr<CSimLine> OpenPseudoTerminal()
{
    auto line = std::make_unique<CPseudoTerminal>();
    if (!line->Open())
        return nullptr;
    return line;
}
