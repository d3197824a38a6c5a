// Arbitrary bytes from the transceiver's side of the line: every clone run must end with a result
// code, never crash or hang. The real run loop runs; the line is replaced by the fuzz input and
// the clock by one that leaps ahead once the input is used up, so no run waits in real time.
//
// Input: byte 0 selects the run (bits 0-1: information, read, write) and whether the program's
// own frames come back as echoes (bit 2), as they do through the cloning cable. The rest is what
// the transceiver sends.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

#include <unistd.h>

#include "clone/byte_line.h"
#include "clone/clone_clock.h"
#include "clone/clone_link.h"
#include "clone/silent_clone_host.h"

namespace {

// A progress outside 0 to 100 is a fault the fuzzer should stop at.
class CFuzzHost : public CSilentCloneHost {
public:
    void SetProgressPos(int percent) override
    {
        if (percent < 0 || percent > 100)
            __builtin_trap();
    }
};

// Time creeps while the input lasts and leaps once it is used up.
class CFuzzClock : public CCloneClock {
public:
    bool inputDone = false;
    uint64_t now = 0;

    uint64_t NowMs() override { return now += inputDone ? 700 : 1; }
    void Sleep(unsigned milliseconds) override { now += milliseconds; }
    bool WaitReadable(CByteLine&, unsigned milliseconds) override
    {
        now += milliseconds;
        return false;
    }
};

// The line to the transceiver, replaced by the fuzz input.
class CFuzzLine : public CByteLine {
public:
    CFuzzLine(CFuzzClock& clock, const uint8_t* data, size_t size, bool echo)
        : m_fuzzClock(clock), m_data(data), m_size(size), m_echo(echo)
    {
    }

    bool Open(const std::string&, unsigned) override { return true; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    ELineInput WaitInput(unsigned) override { return ELineInput::None; }
    bool Flush() override { return true; }
    bool Write(const uint8_t* buffer, size_t length) override
    {
        if (m_echo)
            m_pending.insert(m_pending.end(), buffer, buffer + length);
        return true;
    }
    bool Read(uint8_t* buffer, size_t maximum, size_t* count) override
    {
        if (maximum == 0)
            return false;
        if (!m_pending.empty()) {
            buffer[0] = m_pending.front();
            m_pending.pop_front();
        } else if (m_pos < m_size) {
            buffer[0] = m_data[m_pos++];
        } else {
            m_fuzzClock.inputDone = true;
            return false;
        }
        *count = 1;
        return true;
    }

private:
    CFuzzClock& m_fuzzClock;
    const uint8_t* m_data;
    size_t m_size;
    bool m_echo;
    size_t m_pos = 0;
    std::deque<uint8_t> m_pending;
};

const std::string& TransferPath()
{
    static std::string path = [] {
        // Memory-backed when there is such a place: the transfer file is rewritten every run.
        char pattern[64];
        std::snprintf(pattern, sizeof pattern, "%s/pwrfuzzclXXXXXX",
                      ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        int fd = ::mkstemp(pattern);
        if (fd >= 0)
            ::close(fd);
        std::atexit([] { std::remove(TransferPath().c_str()); });
        return std::string(pattern);
    }();
    return path;
}

void WriteTransferFile()
{
    FILE* f = std::fopen(TransferPath().c_str(), "w");
    if (!f)
        return;
    std::fputs("22700101\n#FUZZ\n", f);
    for (unsigned a = 0x10; a < 0x200; a += 0x10) {
        std::fprintf(f, "%04X10", a);
        for (int i = 0; i < 16; ++i)
            std::fprintf(f, "%02X", (a + i) & 0xFF);
        std::fputc('\n', f);
    }
    std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t mode = data[0];
    CFuzzHost host;
    CFuzzClock clock;
    CFuzzLine line(clock, data + 1, size - 1, (mode & 4) != 0);
    CCloneLink link(host, clock);
    link.SetLine(&line);
    link.SetModelCode(0x2270);
    link.SetRevision(0x0101);
    link.SetExpectedFrames(31);
    link.SetTransferFile(TransferPath());

    int result;
    switch (mode & 3) {
    case 0:
        result = link.CloneInfo();
        break;
    case 1:
        result = link.CloneIn();
        break;
    default:
        WriteTransferFile();
        result = link.CloneOut();
        break;
    }
    if (result != CCloneLink::kResultOk && result != CCloneLink::kResultFailed)
        __builtin_trap();
    if (result == CCloneLink::kResultOk && (mode & 3) == 0 && link.GetInfo()->commentLength > 248)
        __builtin_trap();
    return 0;
}
