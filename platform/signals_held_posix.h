#pragma once

// Inside the platform layer only: holds SIGINT, SIGTERM and SIGHUP back from the calling thread
// while it lives, so that a temporary path is never made without being registered for the
// clean-up a signal does.

#include <csignal>

#include <pthread.h>

class CSignalsHeld {
public:
    CSignalsHeld()
    {
        sigset_t ending;
        sigemptyset(&ending);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            sigaddset(&ending, s);
        ::pthread_sigmask(SIG_BLOCK, &ending, &m_previous);
    }
    ~CSignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    CSignalsHeld(const CSignalsHeld&) = delete;
    CSignalsHeld& operator=(const CSignalsHeld&) = delete;

private:
    sigset_t m_previous;
};
