#pragma once

// One clone run with the transceiver over the cloning cable: the information run, the read run
// (data frames from the transceiver become lines of the transfer file) and the write run (lines
// of the transfer file go to the transceiver as data frames).
//
// The cable ties transmit and receive into one line, so every byte sent comes back as an echo;
// the link paces its sending by these echoes.

#include <cstdint>
#include <cstdio>
#include <string>

#include "clone/com_port_table.h"
#include "clone/comm_port.h"
#include "engine/byte_string.h"
#include "radio/model_info.h"

class CCloneClock;
class CCloneHost;

class CCloneLink {
public:
    // Result codes of a run. !!! DO NOT CHANGE NUMERIC VALUES: the command-line tool exits with
    // them and scripts rely on them. !!!
    enum : int {
        kResultOk = 0,
        kResultCancelled = 1,
        kResultComplete = 2,    // internal; a run returns 0 for it
        kResultFailed = 77,     // every failure inside a run
        kResultWrongFrame = 80, // internal, except from the write run's first-line check
        kResultTimeout = 81,    // internal
        kResultNoAnswer = 82,   // internal
        kResultIdentity = 85,   // set by the clone operations, never by the link
        kResultPortError = 91,
    };

    // Run types.
    enum : uint16_t { kRunRead = 1, kRunWrite = 3, kRunInfo = 4 };

    // Silence on the line longer than this ends a run.
    static constexpr uint64_t kSilenceLimitMs = 2500;
    // Longest wait for input between two polls of the port.
    static constexpr unsigned kPollWaitMs = 4;

    // Without a clock of its own the link runs on the system's steady clock.
    explicit CCloneLink(CCloneHost& host);
    CCloneLink(CCloneHost& host, CCloneClock& clock);
    virtual ~CCloneLink();

    CCloneLink(const CCloneLink&) = delete;
    CCloneLink& operator=(const CCloneLink&) = delete;

    // The line the runs go over (not owned): by default the link's own serial port, opened on
    // the device of the COM port chosen; nullptr goes back to that port.
    void SetLine(CByteLine* line) { m_line = line ? line : &m_port; }
    CByteLine& GetLine() const { return *m_line; }
    // The line is open only during a run.
    bool IsOpen() const { return m_line->IsOpen(); }

    // The clock of the protocol's waits and of the silence limit (not owned).
    void SetClock(CCloneClock& clock) { m_clock = &clock; }
    CCloneClock& GetClock() const { return *m_clock; }

    // COM port number 1 to 4 and the device bound to each number (by default the system's
    // usual device for it, CCommPort::GetDefaultDevice). Numbers outside 1 to 4 are ignored.
    CComPortTable& Ports() { return m_ports; }
    const CComPortTable& Ports() const { return m_ports; }
    void SetPortNumber(int number) { m_ports.SetNumber(number); }
    int GetPortNumber() const { return m_ports.GetNumber(); }
    void SetPortDevice(int number, const std::string& device) { m_ports.SetDevice(number, device); }
    std::string GetPortDevice(int number) const { return m_ports.GetDevice(number); }

    // Path of the clone transfer file used by the next run (not owned: the caller creates and
    // removes it).
    void SetTransferFile(const std::string& path) { m_transferPath = path; }

    void SetModelCode(uint16_t code);
    void SetRevision(uint16_t revision);
    // Number of data frames a read run expects, for its progress display (300 until set).
    void SetExpectedFrames(uint32_t frames) { m_expectedFrames = frames; }

    // The transceiver's identity and comment from the last information run.
    ModelInfo* GetInfo() { return &m_info; }

    int CloneInfo();
    int CloneIn();
    int CloneOut();

    // True when the last CloneIn or CloneOut could not create or open the transfer file; such a
    // run returns 77 without opening the port or sending anything.
    bool HasTransferFileFailed() const { return m_transferFailed; }

    // Success: two short high tones. Failure: four long low tones. Then half a second's pause.
    void SignalResult(bool ok);

protected:
    // The protocol engine, reachable by derived classes so that it can be driven without a
    // port. `ReceiveByte` returns true when the byte completed a frame; `DispatchFrame` then
    // handles that frame and returns false when the frame is one the run ignores.
    bool ReceiveByte(uint8_t byte);
    bool DispatchFrame();
    // Sets up the state of a run of `type` as Run does after sending the request.
    void BeginRun(uint16_t type);
    // Builds and sends the request frame of a run of `type`.
    void SendRequest(uint16_t type);
    int GetResult() const { return m_result; }
    // Maps an internal result to what a run returns (0, 1 or 77).
    static int MapResult(int result);
    // Progress percentage of the current read or write run.
    int GetPercentage() const;
    // Creates the transfer file for a read run and writes its header; 0 or 77.
    int PrepareRead();
    // Opens the transfer file for a write run and checks its first line; 0 or an error result.
    int PrepareWrite();
    void CloseTransferFile();

private:
    int Run(uint16_t type);
    void SendFrame(const CByteString& frame);
    bool CheckEcho();
    void SendNextData();
    bool ReadTransferLine(std::string& line);
    void TakeInformation();
    void TakeDataRecord();
    void TakeEnd();
    void TakeWriteResult();
    uint32_t CountTransferLines();

    CCloneHost& m_host;
    CCloneClock* m_clock;
    CCommPort m_port;
    CByteLine* m_line = &m_port;
    CComPortTable m_ports;
    bool m_progressShown = false;
    uint32_t m_totalLines = 0;
    uint32_t m_expectedFrames = 300;
    ModelInfo m_info;
    std::string m_transferPath;
    FILE* m_transfer = nullptr;
    bool m_transferFailed = false;
    CByteString m_receive;
    CByteString m_frame;
    CByteString m_request;
    CByteString m_expectedEcho;
    CByteString m_modelBytes;
    CByteString m_revisionBytes;
    CByteString m_zeroPair;
    uint16_t m_runType = 0;
    bool m_frameReady = false;
    int m_timeoutResult = kResultTimeout;
    bool m_writing = false;
    bool m_endEchoed = false;
    uint16_t m_frameCount = 0;
    int m_result = 0;
};
