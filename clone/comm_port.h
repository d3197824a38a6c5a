#pragma once

// The byte channel to the cloning cable: one serial device, opened exclusively, set to a fixed
// raw line format, written whole buffers at a time and read without blocking.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "clone/byte_line.h"

struct CSerialLine;

class CCommPort : public CByteLine {
public:
    CCommPort();
    ~CCommPort() override;

    CCommPort(const CCommPort&) = delete;
    CCommPort& operator=(const CCommPort&) = delete;

    // The open port's system handle; 0 while the port is closed.
    int GetHandle() const;
    bool IsOpen() const override { return m_handle >= 0; }

    // Longest device name Open takes; a longer one is refused, never cut.
    static constexpr size_t kMaxPortName = 255;

    // Opens `device` at `baud` (8N1, raw, no flow control, DTR off and RTS on). On a port that
    // is already open this returns true at once and keeps the earlier device and rate.
    // Another program holding the device makes the open fail.
    bool Open(const std::string& device, unsigned baud) override;

    // Purges both directions, gives the device back the line settings it had before Open and
    // closes it; nothing when closed.
    void Close() override;

    // Writes the whole buffer, waiting at most a total time limit that grows with its length.
    bool Write(const uint8_t* buffer, size_t length) override;

    // Reads at most min(maximum, 256) of the bytes already waiting and stores their number in
    // *count. Never waits: with nothing waiting it returns false and leaves *count alone.
    bool Read(uint8_t* buffer, size_t maximum, size_t* count) override;

    ELineInput WaitInput(unsigned milliseconds) override;

    // Waits until all written bytes have been transmitted.
    bool Flush() override;

    // Number of received bytes waiting to be read (0 when closed).
    size_t GetWaitingCount() const;

    const std::string& GetPortName() const { return m_portName; }
    unsigned GetBaudRate() const { return m_baudRate; }

    // Text and system error code of the last failure reported (empty when none); see ReportError.
    const std::string& GetLastErrorText() const { return m_lastErrorText; }
    int GetLastErrorCode() const { return m_lastErrorCode; }

    // Largest number of bytes one Read takes from the input queue.
    static constexpr size_t kMaxReadChunk = 256;

    // Gives the port opened last, while it is open, its earlier line settings back. For a
    // signal handler that ends the process: async-signal-safe.
    static void RestoreOpenPortNow();

    // The device the COM port `number` (1 to 4) stands for when nothing else is chosen.
    static std::string GetDefaultDevice(int number);

protected:
    // Opens and configures the device; returns the handle or -1.
    virtual int OpenPort(const std::string& device, unsigned baud);
    virtual void ReleaseHandle(int handle);

    // Called with one of the texts " not Open ", " invarid setting ", " write error ",
    // " read error " and the system's error code. This class keeps the last one; derived classes
    // may silence it.
    virtual void ReportError(const std::string& text, int errorCode);

private:
    int m_handle = -1;
    std::shared_ptr<CSerialLine> m_previousLine;
    std::string m_portName;
    unsigned m_baudRate;
    std::string m_lastErrorText;
    int m_lastErrorCode = 0;
};
