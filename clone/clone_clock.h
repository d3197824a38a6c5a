#pragma once

// The one source of time of the cloning code: the link's fixed waits, its measure of the line's
// silence and its waits for input all go through this interface, and the simulated transceiver
// takes its time from it too. The desktop program and the command-line tool run on the system's
// steady clock; tests put in a clock of their own, so that no run waits in real time and no
// result depends on the machine's speed.

#include <cstdint>

class CByteLine;

class CCloneClock {
public:
    virtual ~CCloneClock() = default;

    // Steady time in milliseconds (the origin is the clock's own).
    virtual uint64_t NowMs() = 0;

    // Waits `milliseconds`.
    virtual void Sleep(unsigned milliseconds) = 0;

    // Waits up to `milliseconds` until input is waiting on `line`; true when it is. A line that
    // has hung up (or is closed) has no input, and the wait then lasts its full length, so that
    // a caller polling a dead line does not spin.
    virtual bool WaitReadable(CByteLine& line, unsigned milliseconds) = 0;
};

// The system's steady clock.
class CRealCloneClock : public CCloneClock {
public:
    uint64_t NowMs() override;
    void Sleep(unsigned milliseconds) override;
    bool WaitReadable(CByteLine& line, unsigned milliseconds) override;

    // The instance for those who bring no clock of their own.
    static CRealCloneClock& Instance();
};
