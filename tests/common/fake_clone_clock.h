#pragma once

// A clone clock for tests. Time stands still until the code under test waits; then it moves on
// to when something next happens: the end of the wait, or the next byte the simulated
// transceiver has to send (the clock serves it at every step, on the clock's own time). A poll
// of the pseudo-terminal delivers every byte already written, so time never moves while bytes
// are still on their way: runs take no real time, and their course is the same on any machine.

#include <algorithm>
#include <cstdint>
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

    // Starts `sim` stepped, served from now on at every step of this clock.
    bool Drive(CSimTransceiver& sim)
    {
        m_sim = &sim;
        return sim.StartStepped();
    }

    // Called at every wait for input, before time moves: tests look at windows or press
    // buttons here, at a point of the run that does not depend on the machine.
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
    // Lets `ms` pass outside any wait, as a stand-in port's bytes take time on the line.
    void Advance(unsigned ms) { RunUntil(m_now + ms, -1); }

private:
    bool RunUntil(uint64_t end, int fd)
    {
        for (;;) {
            const uint64_t due = m_sim ? m_sim->Serve(m_now) : CSimTransceiver::kNever;
            struct pollfd p = {fd, POLLIN, 0};
            if (fd >= 0 && ::poll(&p, 1, 0) > 0 && (p.revents & POLLIN)
                && !(p.revents & (POLLHUP | POLLERR)))
                return true;
            if (m_now >= end)
                return false;
            m_now = std::min(end, std::max(due, m_now + 1));
        }
    }

    std::vector<std::string>* m_log;
    CSimTransceiver* m_sim = nullptr;
    uint64_t m_now = 0;
};
