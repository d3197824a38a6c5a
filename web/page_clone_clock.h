#pragma once

// The clone clock of the page. A page has one thread: every wait of the cloning code hands the
// browser back its event loop (through Asyncify) until the time is up or input waits, so that
// the page stays alive, the progress moves and Cancel is heard. A simulated transceiver in the
// page is served at every step of a wait, as the tests' clock serves it.

#include <cstdint>

#include "clone/clone_clock.h"

class CSimTransceiver;

class CPageCloneClock : public CCloneClock {
public:
    // Longest single hand-back to the browser while waiting on a simulated line.
    static constexpr unsigned kStepMs = 10;
    // Shortest wait for input on a port of the browser. Each wait unwinds the core's stack and
    // sets a browser timer, so the cloning loop's brief polls would keep the page busy; input
    // ends a wait at once, so only a silent line is looked at less often (Cancel and the
    // silence limit are still heard within it).
    static constexpr unsigned kShortestPortWaitMs = 20;

    // From now on `sim` (started stepped, or nullptr) is served at every wait.
    void Drive(CSimTransceiver* sim) { m_sim = sim; }

    uint64_t NowMs() override;
    void Sleep(unsigned milliseconds) override;
    bool WaitReadable(CByteLine& line, unsigned milliseconds) override;

private:
    // Waits until `end`, or until `line` (when given) has input; true for input.
    bool RunUntil(uint64_t end, CByteLine* line);

    CSimTransceiver* m_sim = nullptr;
};
