#include "platform/file_lock.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Pause between two tries while another holds the lock.
constexpr unsigned kRetryMs = 50;
// Saves that replace the file between the open and the lock, each time, before this gives up.
constexpr int kMaxReplaced = 100;

} // namespace

CFileLock::CFileLock(std::string path) : m_path(std::move(path)) {}

CFileLock::~CFileLock()
{
    Unlock();
}

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

CFileLock::EResult CFileLock::Lock(unsigned waitMs)
{
    EResult result = TryLock();
    for (unsigned waited = 0; result == EResult::Busy && waited < waitMs; waited += kRetryMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
        result = TryLock();
    }
    return result;
}

void CFileLock::Unlock()
{
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}
