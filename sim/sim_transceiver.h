#pragma once

// A simulated VX-R455NORD, for tests and demonstrations.
//
// It answers the transceiver's side of the clone frame protocol over one of two lines: a
// pseudo-terminal, to whoever opens its slave device (GetDevicePath), another program included;
// or a line in memory, to this process's clone link (GetProgramLine). Like the cloning cable it
// echoes every byte it receives. It holds a 512-byte image: the default image, or one loaded from
// a clone data file through the engine; after an accepted write it holds the image received.
// Faults can be switched on to test the program's error handling.
//
// It serves either on its own thread in real time (Start), or only when called (StartStepped
// and Serve): a test clock then serves it whenever the program waits, and time moves only when
// both sides are idle, so that what happens never depends on the machine's speed.
//
// The pseudo-terminal is POSIX's (sim_transceiver_posix.cpp); Windows has the line in memory
// only, and a Windows program in another process reaches the Linux simulator through a COM port.

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "clone/clone_station.h"

// Misbehaviours the simulated transceiver can show. Record numbers count from 1.
struct CSimFaults {
    bool silence = false;       // the cable echoes, the transceiver never answers
    bool noCable = false;       // no echo and no answer
    bool wrongModel = false;    // the information answer reports model code 0x2271
    bool wrongRevision = false; // the information answer reports revision 0x0102
    bool badComment = false;    // the information answer carries a comment byte 0xF0
    int badChecksumAt = 0;      // the data record with this number has a wrong checksum
    bool badEndText = false;    // the end frame reads "Vexa Inc," instead of "Vexa Inc."
    int stallAfter = 0;         // goes silent after this many data records (read or write)
    bool refuseWrite = false;   // answers a complete write with 0x01 (refused)
    int recordLimit = 0;        // sends only this many data records before the end frame
    bool realtime = false;      // paces the line at 9600 baud, 960 bytes per second
    bool garbage = false;       // answers every request with an endless flood of frames the
                                // program must pass over, and noise between them

    // Sets one fault by its name: "silence", "no-cable", "wrong-model", "wrong-revision",
    // "bad-comment", "bad-checksum=K", "bad-end", "stall=K", "refuse-write", "too-few=N",
    // "realtime", "garbage". False for an unknown name or a bad number.
    bool Set(const std::string& name);
};

class CByteLine;
class CMemoryLinePair;
class CSimLine;

class CSimTransceiver : public CStationPeer {
public:
    // The line the simulator serves.
    enum class ELine { PseudoTerminal, InMemory };

    static constexpr size_t kImageSize = 512;
    using Image = std::array<uint8_t, kImageSize>;

    // A frame the program sent, as received (preamble and end byte stripped), with its arrival
    // time in milliseconds on the serving clock.
    struct CReceivedFrame {
        std::vector<uint8_t> bytes;
        uint64_t timeMs = 0;
    };

    // Serve's answer when nothing waits to be sent.
    static constexpr uint64_t kNever = UINT64_MAX;

    CSimTransceiver();
    ~CSimTransceiver() override;

    CSimTransceiver(const CSimTransceiver&) = delete;
    CSimTransceiver& operator=(const CSimTransceiver&) = delete;

    // False where the system has no pseudo-terminal (Windows): only a line in memory serves.
    static bool IsSupported();
    // The line of a simulator that serves its own process: the pseudo-terminal where there is
    // one, so that the program goes through its serial code; else the line in memory.
    static ELine GetInProcessLine() { return IsSupported() ? ELine::PseudoTerminal : ELine::InMemory; }

    // Set before Start.
    void SetFaults(const CSimFaults& faults) { m_faults = faults; }
    // Loads the image from a clone data file through the engine; false (image unchanged) when
    // the engine does not accept the file.
    bool LoadImage(const std::string& path);
    void SetImage(const Image& image);

    // Opens the line and starts serving on its own thread, on the system's steady clock. False
    // when no pseudo-terminal can be had (a line in memory always can).
    bool Start(ELine line = ELine::PseudoTerminal);
    // Opens the line; the simulator then does something only inside Serve.
    bool StartStepped(ELine line = ELine::PseudoTerminal);
    // After StartStepped: takes whatever the program sent, answers it and sends what is due by
    // `nowMs`. Returns when the next byte is due (`nowMs` when the line is full), or kNever.
    uint64_t Serve(uint64_t nowMs);
    // Stops serving and closes the pseudo-terminal; also done by the destructor.
    void Stop();

    // The slave device the program opens, e.g. /dev/pts/7 (empty before Start, and for a line
    // in memory).
    const std::string& GetDevicePath() const { return m_devicePath; }
    // The program's end of the line in memory (nullptr while another line or none is served);
    // it lives as long as the simulator.
    CByteLine* GetProgramLine() const;
    // After Start: whatever COM port `link` has chosen, its runs reach this simulator.
    void Bind(CCloneLink& link) const override;

    Image GetImage() const;
    // Number of writes the simulator accepted.
    int GetWriteCount() const;
    std::vector<CReceivedFrame> GetReceivedFrames() const;
    void ClearReceivedFrames();
    // Total bytes that went over the simulated line (echoes and answers).
    uint64_t GetLineBytes() const;

private:
    bool OpenLine(ELine line);
    void ServeThread();
    void TakeInput();
    // Stepped, a flood takes line time too: else the program would never wait and time would
    // stand still.
    bool IsPaced() const { return m_faults.realtime || (m_stepped && m_flooding); }
    uint64_t NextDueMs(uint64_t nowMs) const;
    void OnByte(uint8_t byte);
    void OnPurge();
    void OnFrame(const std::vector<uint8_t>& frame);
    void HandleData(const std::vector<uint8_t>& frame);
    void HandleEnd(const std::vector<uint8_t>& frame);
    void SendInformation();
    void SendImage();
    void Queue(const std::vector<uint8_t>& bytes);
    void QueueFrame(uint8_t command, const std::vector<uint8_t>& payload);
    void FlushOutput();
    // Sends bytes to the program; the number taken, 0 or less when the line takes none now.
    long WriteLine(const uint8_t* bytes, size_t count);
    void QueueGarbage();

    CSimFaults m_faults;
    std::unique_ptr<CMemoryLinePair> m_memoryLine;
    std::unique_ptr<CSimLine> m_line;
    std::string m_devicePath;
    std::thread m_thread;
    std::atomic<bool> m_running{false};
    bool m_stepped = false;

    mutable std::mutex m_mutex; // guards everything below that the test thread reads
    Image m_image{};
    int m_writeCount = 0;
    std::vector<CReceivedFrame> m_frames;
    uint64_t m_lineBytes = 0;

    // Serving thread only.
    std::vector<uint8_t> m_receive;
    bool m_inFrame = false;
    std::deque<uint8_t> m_output;
    uint64_t m_nowNs = 0;      // the time of the current Serve
    uint64_t m_nextByteNs = 0; // when the next byte of a paced line is due
    bool m_writing = false;
    bool m_writeFailed = false;
    bool m_stalled = false;
    bool m_flooding = false;
    uint32_t m_garbageState = 0x2270u;
    int m_recordsReceived = 0;
    Image m_incoming{};
};
