#include "platform/temp_folder.h"

#include <atomic>
#include <cstring>

namespace {

// Paths a signal handler may have to remove. A slot is written only while it is kFilling, and
// read by the handler only while it is kReady.
enum : int { kFree, kFilling, kReady };
constexpr int kSlots = 16;
constexpr size_t kMaxPath = 4096;
struct CSlot {
    std::atomic<int> state{kFree};
    char path[kMaxPath];
};
CSlot g_slots[kSlots];

} // namespace

void RegisterTemporaryPath(const std::string& path)
{
    if (path.size() >= kMaxPath)
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
        if (slot.state.load() == kReady && path == slot.path &&
            slot.state.compare_exchange_strong(expected, kFilling)) {
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

void VisitTemporaryPaths(void (*visit)(const char* path))
{
    for (const CSlot& slot : g_slots)
        if (slot.state.load() == kReady)
            visit(slot.path);
}
