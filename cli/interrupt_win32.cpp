#include "cli/interrupt.h"

#include <atomic>

#include <windows.h>

#include "clone/comm_port.h"
#include "cli/interrupt_os.h"
#include "platform/console.h"
#include "platform/temp_folder.h"

namespace {

// Set when a cancel is requested, so that a wait ends at once.
HANDLE g_wake = nullptr;
// Set when a command that serves until it is ended is to end.
HANDLE g_served = nullptr;
std::atomic<bool> g_serving{false};

// How long the handler of a closing console, a log-off or a shut-down lets the command finish:
// the system ends the process when the handler returns, and at the latest after 5 s.
constexpr DWORD kClosingGraceMs = 4000;

bool IsClosing(DWORD event)
{
    return event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
}

void EndNow()
{
    CCommPort::RestoreOpenPortNow();
    RemoveTemporaryPathsNow();
    const char* text = nullptr;
    size_t length = 0;
    const int status = GetChosenExit(&text, &length);
    if (status >= 0 && length > 0)
        WriteStandardOutputNow(text, length);
    // Ends at once, as _exit does on POSIX: the command's thread may be anywhere. Without an
    // exit of the command's own, the status is the one Ctrl-C gives any program.
    ::TerminateProcess(::GetCurrentProcess(),
                       status >= 0 ? static_cast<UINT>(status) : STATUS_CONTROL_C_EXIT);
}

// Runs on a thread of its own that the system starts for each event, beside the command's.
BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (g_serving) {
        ::SetEvent(g_served);
    } else {
        switch (TakeEndingRequest()) {
        case EEndingAction::Ignore:
            break;
        case EEndingAction::Cancel:
            ::SetEvent(g_wake);
            break;
        case EEndingAction::End:
            EndNow();
        }
    }
    // A console that closes ends the process once this returns: the command gets the time to
    // finish its cancelled run or its save, and ends the process itself.
    if (IsClosing(event))
        ::Sleep(kClosingGraceMs);
    return TRUE;
}

} // namespace

void CInterrupt::Install()
{
    if (!g_wake)
        g_wake = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!g_served)
        g_served = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // A process started with Ctrl-C ignored (CREATE_NEW_PROCESS_GROUP) keeps ignoring it: the
    // system does not pass it to handlers then.
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void CInterrupt::Wait(unsigned milliseconds)
{
    if (IsCancelRequested())
        return;
    if (g_wake)
        ::WaitForSingleObject(g_wake, milliseconds);
    else
        ::Sleep(milliseconds);
}

void CInterrupt::ServeUntilEnded(const std::function<bool()>& start,
                                 const std::function<void()>& stop)
{
    g_serving = true;
    if (start() && g_served)
        ::WaitForSingleObject(g_served, INFINITE);
    stop();
    g_serving = false;
}
