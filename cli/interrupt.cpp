#include "cli/interrupt.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "cli/interrupt_os.h"

namespace {

// Lock-free atomics: a signal handler may read and write them.
std::atomic<int> g_armed{0};
std::atomic<int> g_cancelRequested{0};
std::atomic<int> g_held{0};
std::atomic<int> g_exitStatus{-1};
char g_exitText[256];
size_t g_exitLength = 0;

} // namespace

EEndingAction TakeEndingRequest()
{
    if (g_held)
        return EEndingAction::Ignore;
    int expected = 0;
    if (g_armed > 0 && g_cancelRequested.compare_exchange_strong(expected, 1))
        return EEndingAction::Cancel;
    return EEndingAction::End;
}

int GetChosenExit(const char** text, size_t* length)
{
    *text = g_exitText;
    *length = g_exitLength;
    return g_exitStatus;
}

void CInterrupt::SetExit(int status, const std::string& text)
{
    g_exitStatus = -1;
    g_exitLength = std::min(text.size(), sizeof g_exitText);
    std::memcpy(g_exitText, text.data(), g_exitLength);
    g_exitStatus = status;
}

void CInterrupt::ArmCancel(bool armed)
{
    // Nested: a fleet of runs stays armed between the runs it contains.
    g_armed += armed ? 1 : -1;
}

bool CInterrupt::IsCancelRequested()
{
    return g_cancelRequested != 0;
}

void CInterrupt::Hold()
{
    g_held = 1;
}
