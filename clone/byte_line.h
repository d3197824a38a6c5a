#pragma once

// A line of bytes to the transceiver, as the clone link sees it: opened by a device name, written
// whole buffers at a time, read without blocking, and waited on for input with a time limit.
// The serial port (CCommPort) is one; an in-memory line to a simulated transceiver in the same
// process (CMemoryLinePair) is another.

#include <cstddef>
#include <cstdint>
#include <string>

enum class ELineInput { Waiting, None, HungUp };

class CByteLine {
public:
    virtual ~CByteLine() = default;

    // Opens the line at `baud`; on a line already open, true at once and nothing changes.
    virtual bool Open(const std::string& device, unsigned baud) = 0;
    // Drops what waits in both directions and closes the line; nothing when closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Writes the whole buffer.
    virtual bool Write(const uint8_t* buffer, size_t length) = 0;
    // Reads at most `maximum` of the bytes already waiting and stores their number in *count.
    // Never waits: with nothing waiting it returns false and leaves *count alone.
    virtual bool Read(uint8_t* buffer, size_t maximum, size_t* count) = 0;
    // Waits up to `milliseconds` of real time until input is waiting; 0 only looks. A line that
    // has hung up (or is closed) answers HungUp at once.
    virtual ELineInput WaitInput(unsigned milliseconds) = 0;
    // Waits until all written bytes have been sent.
    virtual bool Flush() = 0;
};
