#include "cli/interrupt.h"

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "clone/comm_port.h"
#include "cli/interrupt_os.h"
#include "platform/temp_folder.h"

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Becomes readable when a cancel is requested, so that a wait ends at once.
int g_wake[2] = {-1, -1};
// The thread that handles the signals: the one that runs the command.
long g_mainThread = 0;

// Only async-signal-safe calls from here on.
void EndNow(int sig)
{
    CCommPort::RestoreOpenPortNow();
    RemoveTemporaryPathsNow();
    const char* text = nullptr;
    size_t length = 0;
    const int status = GetChosenExit(&text, &length);
    if (status >= 0) {
        if (length > 0)
            (void)!::write(STDOUT_FILENO, text, length);
        ::_exit(status);
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
    switch (TakeEndingRequest()) {
    case EEndingAction::Ignore:
        return;
    case EEndingAction::Cancel:
        if (g_wake[1] >= 0)
            (void)!::write(g_wake[1], "", 1);
        return;
    case EEndingAction::End:
        EndNow(sig);
    }
}

sigset_t EndingSignals()
{
    sigset_t ending;
    sigemptyset(&ending);
    for (int s : kEndingSignals)
        sigaddset(&ending, s);
    return ending;
}

} // namespace

void CInterrupt::Install()
{
    g_mainThread = ::syscall(SYS_gettid);
    if (g_wake[0] < 0 && ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wake[0] = g_wake[1] = -1;
    for (int sig : kEndingSignals) {
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

void CInterrupt::Wait(unsigned milliseconds)
{
    if (IsCancelRequested())
        return;
    struct pollfd wake = {g_wake[0], POLLIN, 0};
    ::poll(&wake, 1, static_cast<int>(milliseconds));
}

void CInterrupt::ServeUntilEnded(const std::function<bool()>& start,
                                 const std::function<void()>& stop)
{
    // Blocked before the serving threads start, so that they inherit the mask and the signals
    // arrive here, in sigwait.
    const sigset_t ending = EndingSignals();
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &ending, &previous);
    if (start()) {
        int received = 0;
        ::sigwait(&ending, &received);
    }
    stop();
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}
