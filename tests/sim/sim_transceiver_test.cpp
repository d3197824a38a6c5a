// The simulated transceiver: fault options and its own side of the protocol.

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "clone/comm_port.h"
#include "tests/clone/clone_test_util.h"

using namespace clonetest;

namespace {

// A frame from the program: preamble, addresses, the command, the text, end of frame.
Bytes Frame(uint8_t command, const std::string& text = "")
{
    Bytes f = {0xFE, 0xFE, 0xEE, 0xEF, command};
    for (char c : text)
        f.push_back(static_cast<uint8_t>(c));
    f.push_back(0xFD);
    return f;
}

const std::string kIdentity = "\x22\x70\x01\x01";

// Sends `frames` and collects what comes back until `count` bytes came or the line stayed
// silent for a second of `clock`.
Bytes Exchange(CCommPort& port, CCloneClock& clock, const std::vector<Bytes>& frames, size_t count)
{
    for (const Bytes& f : frames)
        EXPECT_TRUE(port.Write(f.data(), f.size()));
    Bytes got;
    while (got.size() < count && clock.WaitReadable(port.GetHandle(), 1000)) {
        uint8_t buffer[256];
        size_t n = 0;
        if (port.Read(buffer, sizeof buffer, &n))
            got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

class SimTransceiverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSimFaults faults;
        faults.realtime = true;
        sim.SetFaults(faults);
        ASSERT_TRUE(clock.Drive(sim));
        ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    }

    CFakeCloneClock clock;
    CSimTransceiver sim;
    CCommPort port;
};

} // namespace

TEST(SimFaults, NamesSelectTheirFault)
{
    CSimFaults f;
    for (const char* name : {"silence", "no-cable", "wrong-model", "wrong-revision", "bad-comment",
                             "bad-checksum=7", "bad-end", "stall=3", "refuse-write", "too-few=12",
                             "realtime", "garbage"})
        EXPECT_TRUE(f.Set(name)) << name;
    EXPECT_TRUE(f.silence && f.noCable && f.wrongModel && f.wrongRevision && f.badComment
                && f.badEndText && f.refuseWrite && f.realtime && f.garbage);
    EXPECT_EQ(7, f.badChecksumAt);
    EXPECT_EQ(3, f.stallAfter);
    EXPECT_EQ(12, f.recordLimit);

    CSimFaults g;
    for (const char* bad : {"", "loud", "stall", "stall=", "stall=0", "stall=x", "too-few=-2",
                            "silence=1", "bad-checksum=3x"})
        EXPECT_FALSE(g.Set(bad)) << bad;
    EXPECT_EQ(0, g.stallAfter);
}

TEST_F(SimTransceiverTest, EchoesTheRequestThenAnswersWithIdentityAndComment)
{
    const Bytes request = Frame(0xE0, std::string(4, '\0'));
    Bytes got = Exchange(port, clock, {request}, 36);
    ASSERT_EQ(request.size() + 26, got.size());
    EXPECT_EQ(request, Bytes(got.begin(), got.begin() + 10));
    EXPECT_EQ((Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE1, 0x22, 0x70, 0x01, 0x01}),
              Bytes(got.begin() + 10, got.begin() + 19));
    EXPECT_EQ(0xFD, got.back());
    // At 960 bytes per second the 36th byte leaves 36.5 ms after the first.
    EXPECT_EQ(37u, clock.NowMs());
}

TEST_F(SimTransceiverTest, RefusesAWriteWithABadRecordAndHoldsAGoodOne)
{
    const CSimTransceiver::Image before = sim.GetImage();
    const Bytes refused = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD};
    // Address 0x0100, one byte 0x55, checksum off by one.
    Bytes got = Exchange(port, clock,
                         {Frame(0xE3, kIdentity), Frame(0xE4, "01000155A8"), Frame(0xE5, "Vexa Inc.")},
                         48);
    ASSERT_EQ(10u + 16 + 15 + 7, got.size());
    EXPECT_EQ(refused, Bytes(got.end() - 7, got.end()));
    EXPECT_EQ(before, sim.GetImage());
    EXPECT_EQ(0, sim.GetWriteCount());

    got = Exchange(port, clock,
                   {Frame(0xE3, kIdentity), Frame(0xE4, "01000155A9"), Frame(0xE5, "Vexa Inc.")}, 48);
    ASSERT_EQ(48u, got.size());
    EXPECT_EQ(0x00, got[got.size() - 2]);
    EXPECT_EQ(1, sim.GetWriteCount());
    EXPECT_EQ(0x55, sim.GetImage()[0x100]);
}

// On its own thread, as the program's --simulate runs it: it answers in real time, and stops
// cleanly in the middle of sending its memory.
TEST(SimTransceiverThread, AnswersAndStopsCleanlyWhileTheLineIsBusy)
{
    CSimFaults faults;
    faults.realtime = true;
    CSimTransceiver sim;
    sim.SetFaults(faults);
    ASSERT_TRUE(sim.Start());
    const std::string device = sim.GetDevicePath();
    CCommPort port;
    ASSERT_TRUE(port.Open(device, 9600));
    EXPECT_EQ(36u, Exchange(port, CRealCloneClock::Instance(), {Frame(0xE0, std::string(4, '\0'))}, 36).size());
    // The records of a read take about 1.5 s on the line; the first ones are on their way.
    EXPECT_EQ(10u, Exchange(port, CRealCloneClock::Instance(), {Frame(0xE2, kIdentity)}, 10).size());
    sim.Stop();
    sim.Stop(); // twice is harmless
    port.Close();
    struct stat st;
    EXPECT_NE(0, ::stat(device.c_str(), &st));
}

TEST(SimTransceiverImage, DataFileThatDoesNotLoadLeavesTheImage)
{
    CSimTransceiver sim;
    const CSimTransceiver::Image before = sim.GetImage();
    CScratchFile file;
    WriteFile(file.Path(), "22700101\r\n#\r\n0010100102\r\n"); // a truncated record
    EXPECT_FALSE(sim.LoadImage(file.Path()));
    EXPECT_FALSE(sim.LoadImage("/nonexistent-pwr-file.qrb"));
    EXPECT_EQ(before, sim.GetImage());
}
