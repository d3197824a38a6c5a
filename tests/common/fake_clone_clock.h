#pragma once

// A clone clock for tests. Time stands still until the code under test waits; then it moves on
// to the end of the wait or to the next byte a paced simulated transceiver sends (the clock
// serves it at every step). A poll of the pseudo-terminal delivers every byte already written,
// so time never moves while bytes are on their way: runs take no real time, and go alike on any machine.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <poll.h>

#include "clone/clone_clock.h"
#include "sim/sim_transceiver.h"

class CFakeCloneClock : public CCloneClock {
public:
    // `log`, when given, gets "sleep N" for every Sleep, in order with what else goes there.
    explicit CFakeCloneClock(std::vector<std::string>* log = nullptr) : m_log(log) {}

    // Starts `sim` stepped; from now on it is served at every step of this clock.
    bool Drive(CSimTransceiver& sim)
    {
        m_sim = &sim;
        return sim.StartStepped();
    }

    // Called at every wait for input, before time moves: where tests look at windows or press buttons.
    std::function<void()> onWait;

    uint64_t NowMs() override { return m_now; }
    void Sleep(unsigned ms) override
    {
        if (m_log)
            m_log->push_back("sleep " + std::to_string(ms));
        RunUntil(m_now + ms, -1);
    }
    bool WaitReadable(int fd, unsigned ms) override
    {
        if (onWait)
            onWait();
        return RunUntil(m_now + ms, fd);
    }

private:
    bool RunUntil(uint64_t end, int fd)
    {
        for (;;) {
            const uint64_t due = m_sim ? m_sim->Serve(m_now) : CSimTransceiver::kNever;
            struct pollfd p = {fd, POLLIN, 0};
            if (fd >= 0 && ::poll(&p, 1, 0) > 0 && p.revents == POLLIN)
                return true; // input, and not just a hung-up line
            if (m_now >= end)
                return false;
            m_now = std::min(end, std::max(due, m_now + 1));
        }
    }

    std::vector<std::string>* m_log;
    CSimTransceiver* m_sim = nullptr;
    uint64_t m_now = 0;
};
