#include "clone/interrupt.h"

#include <algorithm>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "clone/comm_port.h"
#include "platform/temp_folder.h"

namespace {

volatile std::sig_atomic_t g_armed = 0;
volatile std::sig_atomic_t g_cancelRequested = 0;
volatile std::sig_atomic_t g_held = 0;
// Becomes readable when a cancel is requested, so that a wait ends at once.
int g_wake[2] = {-1, -1};
// The thread that handles the signals: the one that runs the command.
long g_mainThread = 0;
int g_exitStatus = -1;
char g_exitText[256];
size_t g_exitLength = 0;

// Only async-signal-safe calls from here on.
void EndNow(int sig)
{
    CCommPort::RestoreOpenPortNow();
    RemoveTemporaryPathsNow();
    if (g_exitStatus >= 0) {
        if (g_exitLength > 0)
            (void)::write(STDOUT_FILENO, g_exitText, g_exitLength);
        ::_exit(g_exitStatus);
    }
    // Ends by the signal itself once the handler returns, as the caller of the tool expects.
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

extern "C" void OnEndingSignal(int sig)
{
    // A signal for the process may land on any thread (the in-process simulator's, the sound
    // service's); only the command's own thread may decide, or the command would go on beside
    // the ending.
    if (::syscall(SYS_gettid) != g_mainThread) {
        ::syscall(SYS_tgkill, ::getpid(), g_mainThread, sig);
        return;
    }
    if (g_held)
        return;
    if (g_armed && !g_cancelRequested) {
        g_cancelRequested = 1;
        if (g_wake[1] >= 0)
            (void)::write(g_wake[1], "", 1);
        return;
    }
    EndNow(sig);
}

} // namespace

void CInterrupt::Install()
{
    g_mainThread = ::syscall(SYS_gettid);
    if (g_wake[0] < 0 && ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wake[0] = g_wake[1] = -1;
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction previous;
        if (::sigaction(sig, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = OnEndingSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(sig, &action, nullptr);
    }
}

void CInterrupt::SetExit(int status, const std::string& text)
{
    g_exitLength = std::min(text.size(), sizeof g_exitText);
    std::memcpy(g_exitText, text.data(), g_exitLength);
    g_exitStatus = status;
}

void CInterrupt::ArmCancel(bool armed)
{
    // Nested: a fleet of runs stays armed between the runs it contains.
    g_armed = g_armed + (armed ? 1 : -1);
}

bool CInterrupt::IsCancelRequested()
{
    return g_cancelRequested != 0;
}

void CInterrupt::Wait(unsigned milliseconds)
{
    if (g_cancelRequested)
        return;
    struct pollfd wake = {g_wake[0], POLLIN, 0};
    ::poll(&wake, 1, static_cast<int>(milliseconds));
}

void CInterrupt::Hold()
{
    g_held = 1;
}
