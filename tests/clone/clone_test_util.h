#pragma once

// Shared set-up of the clone tests: a simulated transceiver on a pseudo-terminal and the real
// serial code bound to it as COM1.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "clone/clone_link.h"
#include "clone/recording_clone_host.h"
#include "sim/sim_transceiver.h"

namespace clonetest {

inline std::vector<std::string> ReadLines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// A unique file name in the temporary directory, removed at the end of the test.
class CScratchFile {
public:
    explicit CScratchFile(const std::string& tag)
    {
        char pattern[] = "/tmp/pwrtestXXXXXX";
        int fd = ::mkstemp(pattern);
        if (fd >= 0)
            ::close(fd);
        m_path = std::string(pattern) + tag;
        std::rename(pattern, m_path.c_str());
    }
    ~CScratchFile() { std::remove(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// The record line the transceiver's image gives for `address` (16 bytes, no checksum).
inline std::string RecordLine(const CSimTransceiver::Image& image, unsigned address)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    auto hex = [&](unsigned b) {
        line.push_back(digits[(b >> 4) & 15]);
        line.push_back(digits[b & 15]);
    };
    hex(address >> 8);
    hex(address & 0xFF);
    hex(16);
    for (unsigned i = 0; i < 16; ++i)
        hex(image[address + i]);
    return line;
}

inline std::string FrameCommands(const std::vector<CSimTransceiver::ReceivedFrame>& frames)
{
    std::ostringstream s;
    for (const auto& f : frames)
        s << std::hex << std::uppercase << (f.bytes.size() > 2 ? int(f.bytes[2]) : 0) << ' ';
    return s.str();
}

class CSimFixture : public ::testing::Test {
protected:
    // The protocol's fixed waits are skipped unless a test turns them back on.
    void StartSim(const CSimFaults& faults = CSimFaults())
    {
        host.realSleep = false;
        sim.SetFaults(faults);
        ASSERT_TRUE(sim.Start());
        link.SetPortDevice(1, sim.GetDevicePath());
        link.SetPortNumber(1);
        link.SetModelCode(0x2270);
        link.SetRevision(0x0101);
        link.SetExpectedFrames(31);
        link.SetTransferFile(transfer.Path());
    }

    CRecordingCloneHost host;
    CSimTransceiver sim;
    CScratchFile transfer{".cl"};
    CCloneLink link{host};
};

} // namespace clonetest
