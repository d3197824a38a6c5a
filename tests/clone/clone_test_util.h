#pragma once

// Shared set-up of the clone tests: the real serial code bound as COM1 to a simulated
// transceiver on a pseudo-terminal, both on a fake clock, and a recording host.

#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "clone/clone_link.h"
#include "sim/sim_transceiver.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/recording_clone_host.h"
#include "tests/common/test_files.h"

namespace clonetest {

using Bytes = std::vector<uint8_t>;

// The lines of a text file without their line ends (LF or CR LF).
inline std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string text = ReadFile(path);
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// A unique file in the temporary folder, removed at the end of the test.
class CScratchFile {
public:
    CScratchFile()
    {
        const char* dir = std::getenv("TMPDIR");
        m_path = std::string(dir && *dir ? dir : "/tmp") + "/pwrtestXXXXXX";
        int fd = ::mkstemp(m_path.data());
        if (fd >= 0)
            ::close(fd);
    }
    ~CScratchFile() { ::unlink(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The record line (no checksum) of the 16 bytes of `image` at `address`.
inline std::string RecordLine(const CSimTransceiver::Image& image, unsigned address)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    for (unsigned b : {address >> 8, address & 0xFF, 16u}) {
        line += digits[b >> 4];
        line += digits[b & 15];
    }
    for (unsigned i = 0; i < 16; ++i) {
        line += digits[image[address + i] >> 4];
        line += digits[image[address + i] & 15];
    }
    return line;
}

// The command bytes of the frames the simulator received, e.g. "E0 E2 ".
inline std::string FrameCommands(const std::vector<CSimTransceiver::ReceivedFrame>& frames)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    for (const auto& f : frames) {
        const uint8_t c = f.bytes.size() > 2 ? f.bytes[2] : 0;
        s += std::string{digits[c >> 4], digits[c & 15], ' '};
    }
    return s;
}

template <class Link = CCloneLink>
class CCloneFixture : public ::testing::Test {
protected:
    CCloneFixture()
    {
        link.SetModelCode(0x2270);
        link.SetRevision(0x0101);
        link.SetExpectedFrames(31);
        link.SetTransferFile(transfer.Path());
    }

    void StartSim(const CSimFaults& faults = CSimFaults())
    {
        sim.SetFaults(faults);
        ASSERT_TRUE(clock.Drive(sim));
        link.SetPortDevice(1, sim.GetDevicePath());
    }

    // Milliseconds spent in the fixed waits (Sleep) so far.
    unsigned Slept() const
    {
        unsigned ms = 0;
        for (const std::string& e : host.Find("sleep "))
            ms += std::stoul(e.substr(6));
        return ms;
    }

    CRecordingCloneHost host;
    CFakeCloneClock clock{&host.events};
    CSimTransceiver sim;
    CScratchFile transfer;
    Link link{host, clock};
};

} // namespace clonetest
