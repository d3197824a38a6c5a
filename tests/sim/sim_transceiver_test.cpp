// The simulated transceiver: fault options and its own side of the protocol.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "clone/comm_port.h"
#include "sim/sim_transceiver.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Collects what the simulator sends until `count` bytes came or a second passed.
Bytes Receive(CCommPort& port, size_t count)
{
    Bytes got;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (got.size() < count && std::chrono::steady_clock::now() < until) {
        uint8_t buffer[256];
        size_t n = 0;
        if (port.Read(buffer, sizeof buffer, &n))
            got.insert(got.end(), buffer, buffer + n);
        else
            port.WaitForInput(5);
    }
    return got;
}

// A frame from the program: preamble, addresses, the body, end of frame.
Bytes Frame(const Bytes& body)
{
    const uint8_t head[] = {0xFE, 0xFE, 0xEE, 0xEF};
    Bytes f;
    f.reserve(sizeof head + body.size() + 1);
    for (uint8_t b : head)
        f.push_back(b);
    for (uint8_t b : body)
        f.push_back(b);
    f.push_back(0xFD);
    return f;
}

// A frame whose body is a command byte followed by text.
Bytes Frame(uint8_t command, const std::string& text)
{
    Bytes body;
    body.reserve(1 + text.size());
    body.push_back(command);
    for (char c : text)
        body.push_back(static_cast<uint8_t>(c));
    return Frame(body);
}

void Send(CCommPort& port, const Bytes& frame)
{
    ASSERT_TRUE(port.Write(frame.data(), frame.size()));
}

} // namespace

TEST(SimFaults, NamesSelectTheirFault)
{
    CSimFaults f;
    EXPECT_TRUE(f.Set("silence"));
    EXPECT_TRUE(f.Set("no-cable"));
    EXPECT_TRUE(f.Set("wrong-model"));
    EXPECT_TRUE(f.Set("wrong-revision"));
    EXPECT_TRUE(f.Set("bad-comment"));
    EXPECT_TRUE(f.Set("bad-checksum=7"));
    EXPECT_TRUE(f.Set("bad-end"));
    EXPECT_TRUE(f.Set("stall=3"));
    EXPECT_TRUE(f.Set("refuse-write"));
    EXPECT_TRUE(f.Set("too-few=12"));
    EXPECT_TRUE(f.Set("realtime"));
    EXPECT_TRUE(f.silence && f.noCable && f.wrongModel && f.wrongRevision && f.badComment
                && f.badEndText && f.refuseWrite && f.realtime);
    EXPECT_EQ(7, f.badChecksumAt);
    EXPECT_EQ(3, f.stallAfter);
    EXPECT_EQ(12, f.recordLimit);

    CSimFaults g;
    for (const char* bad : {"", "loud", "stall", "stall=", "stall=0", "stall=x", "too-few=-2",
                            "silence=1", "bad-checksum=3x"})
        EXPECT_FALSE(g.Set(bad)) << bad;
    EXPECT_EQ(0, g.stallAfter);
}

TEST(SimTransceiver, EchoesTheRequestThenAnswersWithIdentityAndComment)
{
    CSimTransceiver sim;
    ASSERT_TRUE(sim.Start());
    CCommPort port;
    ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    Bytes request = Frame({0xE0, 0, 0, 0, 0});
    Send(port, request);
    Bytes got = Receive(port, request.size() + 26);
    ASSERT_EQ(request.size() + 26, got.size());
    EXPECT_EQ(request, Bytes(got.begin(), got.begin() + 10));
    Bytes answerHead = {0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x22, 0x70, 0x01, 0x01};
    EXPECT_EQ(answerHead, Bytes(got.begin() + 10, got.begin() + 19));
    EXPECT_EQ(0xFD, got.back());
}

TEST(SimTransceiver, RefusesAWriteWithABadRecordAndKeepsItsImage)
{
    CSimTransceiver sim;
    ASSERT_TRUE(sim.Start());
    CSimTransceiver::Image before = sim.GetImage();
    CCommPort port;
    ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    Send(port, Frame({0xE3, 0x22, 0x70, 0x01, 0x01}));
    // Address 0x0100, one byte 0x55, checksum off by one.
    Send(port, Frame(0xE4, "01000155A8"));
    Send(port, Frame(0xE5, "Vexa Inc."));
    size_t echoed = 10 + 16 + 15;
    Bytes got = Receive(port, echoed + 7);
    ASSERT_EQ(echoed + 7, got.size());
    EXPECT_EQ((Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}), Bytes(got.end() - 7, got.end()));
    EXPECT_EQ(before, sim.GetImage());
    EXPECT_EQ(0, sim.GetWriteCount());
}

TEST(SimTransceiver, AcceptsAGoodRecordAndHoldsIt)
{
    CSimTransceiver sim;
    ASSERT_TRUE(sim.Start());
    CCommPort port;
    ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    Send(port, Frame({0xE3, 0x22, 0x70, 0x01, 0x01}));
    Send(port, Frame(0xE4, "01000155A9")); // 01+00+01+55+A9 = 0x100
    Send(port, Frame(0xE5, "Vexa Inc."));
    Bytes got = Receive(port, 10 + 16 + 15 + 7);
    ASSERT_EQ(48u, got.size());
    EXPECT_EQ(0x00, got[got.size() - 2]);
    EXPECT_EQ(1, sim.GetWriteCount());
    EXPECT_EQ(0x55, sim.GetImage()[0x100]);
}

TEST(SimTransceiver, StopsCleanlyWhileTheLineIsBusyAndDropsTheDevice)
{
    CSimFaults faults;
    faults.realtime = true;
    CSimTransceiver sim;
    sim.SetFaults(faults);
    ASSERT_TRUE(sim.Start());
    std::string device = sim.GetDevicePath();
    CCommPort port;
    ASSERT_TRUE(port.Open(device, 9600));
    Send(port, Frame({0xE2, 0x22, 0x70, 0x01, 0x01})); // about 1.5 s of records at 960 bytes/s
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sim.Stop();
    sim.Stop(); // twice is harmless
    port.Close();
    struct stat st;
    EXPECT_NE(0, ::stat(device.c_str(), &st));
}

TEST(SimTransceiver, ImageFromADataFileGoesThroughTheEngine)
{
    CSimTransceiver sim;
    CSimTransceiver::Image before = sim.GetImage();
    char path[] = "/tmp/pwrsimXXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        std::ofstream out(path);
        out << "22700101\r\n#\r\n0010100102\r\n"; // a truncated record
    }
    EXPECT_FALSE(sim.LoadImage(path));
    EXPECT_FALSE(sim.LoadImage("/nonexistent-pwr-file.qrb"));
    EXPECT_EQ(before, sim.GetImage());
    std::remove(path);
}
