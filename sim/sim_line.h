#pragma once

// The simulated transceiver's end of its line to the program: a pseudo-terminal's master side
// (POSIX only), or the transceiver's end of a line in memory (every system).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CMemoryLinePair;

class CSimLine {
public:
    virtual ~CSimLine() = default;

    // Hands what the program sent since the last call to `onByte`, one byte at a time, and a
    // purge of the line by the program to `onPurge`, in the order they happened.
    virtual void Take(const std::function<void(uint8_t)>& onByte,
                      const std::function<void()>& onPurge) = 0;
    // Sends bytes to the program; the number taken, 0 or less when the line takes none now.
    virtual long Send(const uint8_t* bytes, size_t count) = 0;
    // Waits up to `milliseconds` of real time for the program's bytes, for room to send more
    // (with `forRoom`), or for Wake.
    virtual void Wait(unsigned milliseconds, bool forRoom) = 0;
    virtual void Wake() = 0;
    // The device the program opens; empty for a line in memory, which it is handed instead.
    virtual std::string GetDevicePath() const { return std::string(); }
};

// A pseudo-terminal's master side, whose slave device the program opens; nullptr where the
// system has none, or none can be had now.
std::unique_ptr<CSimLine> OpenPseudoTerminal();

// The transceiver's end of `pair` (not owned).
std::unique_ptr<CSimLine> MakeMemorySimLine(CMemoryLinePair& pair);
