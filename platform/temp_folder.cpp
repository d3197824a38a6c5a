#include "platform/temp_folder.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include "platform/signals_held.h"

namespace {

// Paths a signal handler may have to remove. A slot is written only while it is kFilling, and
// read by the handler only while it is kReady.
enum : int { kFree, kFilling, kReady };
constexpr int kSlots = 16;
struct CSlot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX];
};
CSlot g_slots[kSlots];

} // namespace

std::string MakePrivateTempFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/pwr455-XXXXXX";
    CSignalsHeld held;
    char real[PATH_MAX];
    if (!::mkdtemp(pattern.data()))
        return std::string();
    if (!::realpath(pattern.c_str(), real)) {
        ::rmdir(pattern.c_str());
        return std::string();
    }
    RegisterTemporaryPath(real);
    return real;
}

bool CreatePrivateFile(const std::string& path)
{
    CSignalsHeld held;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    RegisterTemporaryPath(path);
    return true;
}

void RegisterTemporaryPath(const std::string& path)
{
    if (path.size() >= PATH_MAX)
        return;
    for (CSlot& slot : g_slots) {
        int expected = kFree;
        if (slot.state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            slot.state.store(kReady);
            return;
        }
    }
}

void UnregisterTemporaryPath(const std::string& path)
{
    for (CSlot& slot : g_slots) {
        int expected = kReady;
        if (slot.state.load() == kReady && path == slot.path
            && slot.state.compare_exchange_strong(expected, kFilling)) {
            slot.path[0] = '\0';
            slot.state.store(kFree);
            return;
        }
    }
}

bool IsPrivateTempFolder(const std::string& folder)
{
    for (const CSlot& slot : g_slots)
        if (slot.state.load() == kReady && folder == slot.path)
            return true;
    return false;
}

void RemoveTemporaryPathsNow()
{
    for (CSlot& slot : g_slots)
        if (slot.state.load() == kReady)
            ::unlink(slot.path);
    for (CSlot& slot : g_slots)
        if (slot.state.load() == kReady)
            ::rmdir(slot.path);
}
