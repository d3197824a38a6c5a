#include "platform/file_lock.h"

#include <chrono>
#include <thread>

namespace {

// Pause between two tries while another holds the lock.
constexpr unsigned kRetryMs = 50;

} // namespace

CFileLock::CFileLock(std::string path) : m_path(std::move(path)) {}

CFileLock::~CFileLock()
{
    Unlock();
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
