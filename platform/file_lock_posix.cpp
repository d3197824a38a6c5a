#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Saves that replace the file between the open and the lock, each time, before this gives up.
constexpr int kMaxReplaced = 100;

} // namespace

CFileLock::EResult CFileLock::TryLock()
{
    if (m_handle >= 0)
        return EResult::Locked;
    for (int attempt = 0; attempt < kMaxReplaced; ++attempt) {
        // Without waiting: a FIFO of that name must not hold the open up.
        const int fd = ::open(m_path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            return EResult::NoFile;
        struct stat held;
        struct stat now;
        EResult result = EResult::NoFile;
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode))
            result = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? EResult::Locked : EResult::Busy;
        // Locked, but the name may lead to a newer file by now: that one is to be locked.
        if (result == EResult::Locked && ::stat(m_path.c_str(), &now) == 0 &&
            now.st_dev == held.st_dev && now.st_ino == held.st_ino) {
            m_handle = fd;
            return result;
        }
        ::close(fd);
        if (result != EResult::Locked)
            return result;
    }
    return EResult::Busy;
}

void CFileLock::Unlock()
{
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}
