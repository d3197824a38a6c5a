#include "platform/instance_lock.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/user_folders.h"

namespace {

// Opens the lock file `path`, only as a file of this user's own: a file someone else made
// there could otherwise be held to keep the program from starting.
int OpenLockFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat status;
    if (fd >= 0 &&
        (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::getuid())) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

CInstanceLock::CInstanceLock(const std::string& name)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const char* temp = std::getenv("TMPDIR");
    const std::string folders[] = {runtime && runtime[0] == '/' ? runtime : "", GetHomeFolder(),
                                   temp && *temp ? temp : "/tmp"};
    for (const std::string& folder : folders) {
        if (folder.empty())
            continue;
        // The temporary folder is shared: the user's id keeps the names of users apart.
        const std::string file = folder == folders[2] ? name + "-" + std::to_string(::getuid())
                                                      : name;
        const std::string path = folder + "/" + file;
        const int fd = OpenLockFile(path);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_handle = fd;
            m_state = EState::Held;
            m_path = path;
            return;
        }
        const bool taken = errno == EWOULDBLOCK;
        ::close(fd);
        if (taken) {
            m_state = EState::Taken;
            m_path = path;
            return;
        }
    }
}

CInstanceLock::~CInstanceLock()
{
    // Closing gives the lock up; the file stays for the next start.
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
}
