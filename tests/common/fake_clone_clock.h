#pragma once

// A clone clock for tests. Time stands still until the code under test waits; then it moves on
// to the end of the wait or to the next byte a paced simulated transceiver sends (the clock
// serves it at every step). A look at the line (a pseudo-terminal, or a line in memory) finds
// every byte already written, so time never moves while bytes are on their way: runs take no
// real time, and go alike on any machine.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "clone/byte_line.h"
#include "clone/clone_clock.h"
#include "sim/sim_transceiver.h"

class CFakeCloneClock : public CCloneClock {
public:
    // `log`, when given, gets "sleep N" for every Sleep, in order with what else goes there.
    explicit CFakeCloneClock(std::vector<std::string>* log = nullptr) : m_log(log) {}

    // Starts `sim` stepped on `line`; from now on it is served at every step of this clock.
    bool Drive(CSimTransceiver& sim,
               CSimTransceiver::ELine line = CSimTransceiver::ELine::PseudoTerminal)
    {
        m_sim = &sim;
        return sim.StartStepped(line);
    }

    // Called at every wait for input, before time moves: where tests look at windows or press buttons.
    std::function<void()> onWait;
    // Called at every fixed wait, before time moves: where tests act as a user does in a pause.
    std::function<void(unsigned)> onSleep;

    uint64_t NowMs() override { return m_now; }
    void Sleep(unsigned ms) override
    {
        if (onSleep)
            onSleep(ms);
        if (m_log)
            m_log->push_back("sleep " + std::to_string(ms));
        RunUntil(m_now + ms, nullptr);
    }
    bool WaitReadable(CByteLine& line, unsigned ms) override
    {
        if (onWait)
            onWait();
        return RunUntil(m_now + ms, &line);
    }

private:
    bool RunUntil(uint64_t end, CByteLine* line)
    {
        for (;;) {
            const uint64_t due = m_sim ? m_sim->Serve(m_now) : CSimTransceiver::kNever;
            if (line && line->WaitInput(0) == ELineInput::Waiting)
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
