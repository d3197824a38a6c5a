#pragma once

// A line in memory between the program and a simulated transceiver in the same process, for
// systems without pseudo-terminals and for tests. The program's end is a byte line like the
// serial port; the other end is the transceiver's. Like a serial port, opening and closing the
// program's end drops what was on its way in both directions, and the transceiver is told.
// Either side may wait for the other on a condition variable: nothing spins.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "clone/byte_line.h"

class CMemoryLinePair {
public:
    // Bytes the program's input queue holds, as a serial port's does.
    static constexpr size_t kInputQueueSize = 8192;
    // Largest number of bytes one Read takes, as from a serial port.
    static constexpr size_t kMaxReadChunk = 256;

    CMemoryLinePair();
    CMemoryLinePair(const CMemoryLinePair&) = delete;
    CMemoryLinePair& operator=(const CMemoryLinePair&) = delete;

    // The program's end.
    CByteLine& ProgramEnd() { return m_programEnd; }

    // The transceiver's end. Sends bytes to the program; the number taken, which is less than
    // `count` when the program's input queue is full (and 0 while its end is closed: bytes sent
    // to a closed port are lost, so all are taken).
    size_t Send(const uint8_t* bytes, size_t count);
    // Takes what the program wrote since the last call. True when the program purged the line
    // since then; `bytes` then holds only what it wrote after the purge.
    bool Receive(std::vector<uint8_t>& bytes);
    // Waits up to `milliseconds` until the program wrote or purged, until its input queue has
    // room (with `forRoom`), or until Wake.
    void WaitForProgram(unsigned milliseconds, bool forRoom);
    // Ends a WaitForProgram now (or the next one at once).
    void Wake();

private:
    class CProgramEnd : public CByteLine {
    public:
        explicit CProgramEnd(CMemoryLinePair& pair) : m_pair(pair) {}
        bool Open(const std::string& device, unsigned baud) override;
        void Close() override;
        bool IsOpen() const override;
        bool Write(const uint8_t* buffer, size_t length) override;
        bool Read(uint8_t* buffer, size_t maximum, size_t* count) override;
        ELineInput WaitInput(unsigned milliseconds) override;
        bool Flush() override;

    private:
        CMemoryLinePair& m_pair;
    };

    // With the lock held.
    void PurgeLocked();

    CProgramEnd m_programEnd;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = false;
    bool m_purged = false;
    bool m_woken = false;
    std::deque<uint8_t> m_toProgram;
    std::vector<uint8_t> m_toTransceiver;
};
