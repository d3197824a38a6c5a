#include "platform/file_handover.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/instance_lock.h"

namespace {

// A name longer than any path the system can open is no name: the rest is not read.
constexpr size_t kLongestName = 65536;
// A sender that says nothing for this long is given up, so that it cannot stop the listener.
constexpr int kSenderSilenceMs = 2000;

// The address of the socket beside the lock file. A socket address holds about a hundred
// bytes, less than a home folder's path may take: a longer path is reached through a
// descriptor of its folder (/proc/self/fd/N/NAME), held open while the address is in use.
class CSocketAddress {
public:
    explicit CSocketAddress(const CInstanceLock& lock)
    {
        if (lock.GetPath().empty())
            return;
        m_path = lock.GetPath() + ".socket";
        std::string reachable = m_path;
        const size_t slash = m_path.rfind('/');
        if (reachable.size() >= sizeof m_address.sun_path && slash != std::string::npos) {
            m_folder = ::open(m_path.substr(0, slash + 1).c_str(),
                              O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (m_folder < 0)
                return;
            reachable = "/proc/self/fd/" + std::to_string(m_folder) + m_path.substr(slash);
        }
        if (reachable.size() >= sizeof m_address.sun_path)
            return;
        m_address.sun_family = AF_UNIX;
        std::memcpy(m_address.sun_path, reachable.c_str(), reachable.size() + 1);
        m_valid = true;
    }
    ~CSocketAddress()
    {
        if (m_folder >= 0)
            ::close(m_folder);
    }
    CSocketAddress(const CSocketAddress&) = delete;
    CSocketAddress& operator=(const CSocketAddress&) = delete;

    bool IsValid() const { return m_valid; }
    const std::string& GetPath() const { return m_path; } // the socket's own path
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&m_address); }
    socklen_t GetSize() const { return sizeof m_address; }

private:
    std::string m_path;
    int m_folder = -1;
    sockaddr_un m_address{};
    bool m_valid = false;
};

// True when the connected peer runs as this user: nobody else hands files to our program.
bool IsOwnUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
}

// Reads what the sender writes until it ends; empty when it says nothing in time or too much.
std::string ReadName(int fd)
{
    std::string name;
    char buffer[4096];
    pollfd wait{fd, POLLIN, 0};
    while (::poll(&wait, 1, kSenderSilenceMs) == 1) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return name;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 || name.size() + static_cast<size_t>(got) > kLongestName)
            break;
        name.append(buffer, static_cast<size_t>(got));
    }
    return std::string();
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

struct CFileHandover::CChannel {
    int listener = -1;
    int stopPipe[2] = {-1, -1};
    std::string socketPath;
    std::thread thread;

    void Listen(const CReceiver& receive) const
    {
        pollfd waits[2] = {{listener, POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
        while (true) {
            if (::poll(waits, 2, -1) < 0 && errno != EINTR)
                return;
            if (waits[1].revents != 0)
                return;
            if ((waits[0].revents & POLLIN) == 0)
                continue;
            const int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0)
                continue;
            // Closed only once the name is passed on: the sender waits for that.
            const std::string name = IsOwnUser(fd) ? ReadName(fd) : std::string();
            if (!name.empty())
                receive(name);
            ::close(fd);
        }
    }

    ~CChannel()
    {
        if (thread.joinable()) {
            const char stop = 0;
            while (::write(stopPipe[1], &stop, 1) < 0 && errno == EINTR) {
            }
            thread.join();
        }
        for (int fd : {listener, stopPipe[0], stopPipe[1]}) {
            if (fd >= 0)
                ::close(fd);
        }
        if (!socketPath.empty())
            ::unlink(socketPath.c_str());
    }
};

CFileHandover::CFileHandover(const CInstanceLock& lock, CReceiver receive)
{
    const CSocketAddress address(lock);
    if (lock.GetState() != CInstanceLock::EState::Held || !address.IsValid())
        return;
    auto channel = std::make_unique<CChannel>();
    channel->listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (channel->listener < 0 || ::pipe2(channel->stopPipe, O_CLOEXEC) != 0)
        return;
    // The lock is ours, so a socket left there is one a dead holder left.
    ::unlink(address.GetPath().c_str());
    if (::bind(channel->listener, address.Get(), address.GetSize()) != 0)
        return;
    channel->socketPath = address.GetPath();
    if (::chmod(address.GetPath().c_str(), 0600) != 0 || ::listen(channel->listener, 4) != 0)
        return;
    CChannel* listening = channel.get();
    channel->thread =
        std::thread([listening, receive = std::move(receive)] { listening->Listen(receive); });
    m_channel = std::move(channel);
}

CFileHandover::~CFileHandover() = default;

bool CFileHandover::IsListening() const
{
    return m_channel != nullptr;
}

std::string CFileHandover::GetChannelName(const CInstanceLock& lock)
{
    const CSocketAddress address(lock);
    return address.IsValid() ? address.GetPath() : std::string();
}

bool CFileHandover::Send(const CInstanceLock& lock, const std::string& path)
{
    const CSocketAddress address(lock);
    struct stat status;
    // Only a socket of our own user's is told the name.
    if (path.empty() || !address.IsValid() || ::lstat(address.GetPath().c_str(), &status) != 0 ||
        !S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool taken = ::connect(fd, address.Get(), address.GetSize()) == 0 && WriteAll(fd, path) &&
                 ::shutdown(fd, SHUT_WR) == 0;
    // The listener closes its end once it has read the whole name.
    char answer = 0;
    pollfd wait{fd, POLLIN, 0};
    taken = taken && ::poll(&wait, 1, 2 * kSenderSilenceMs) == 1 && ::read(fd, &answer, 1) == 0;
    ::close(fd);
    return taken;
}
