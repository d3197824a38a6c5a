// The simulated transceiver beyond its answers, which every clone test runs against.

#include <sys/stat.h>

#include "clone/comm_port.h"
#include "tests/clone/clone_test_util.h"

using namespace clonetest;

namespace {

// A frame from the program.
Bytes Frame(const std::string& body)
{
    Bytes f = {0xFE, 0xFE, 0xEE, 0xEF};
    for (char c : body)
        f.push_back(static_cast<uint8_t>(c));
    f.push_back(0xFD);
    return f;
}

// Sends `frames`; what comes back, until `count` bytes or a second of silence on `clock`.
Bytes Exchange(CCommPort& port, CCloneClock& clock, const std::vector<std::string>& frames, size_t count)
{
    for (const std::string& f : frames)
        EXPECT_TRUE(port.Write(Frame(f).data(), Frame(f).size()));
    Bytes got;
    uint8_t buffer[256];
    for (size_t n = 0; got.size() < count && clock.WaitReadable(port.GetHandle(), 1000);)
        if (port.Read(buffer, sizeof buffer, &n))
            got.insert(got.end(), buffer, buffer + n);
    return got;
}

const std::string kWriteRequest = "\xE3\x22\x70\x01\x01";

} // namespace

// The clone tests set every other fault by its name.
TEST(SimFaults, NamesSelectTheirFault)
{
    CSimFaults f;
    EXPECT_TRUE(f.Set("realtime") && f.Set("garbage") && f.Set("stall=3"));
    EXPECT_TRUE(f.realtime && f.garbage && f.stallAfter == 3);
    for (const char* bad : {"", "loud", "stall", "stall=", "stall=0", "stall=x", "too-few=-2",
                            "silence=1", "bad-checksum=3x"})
        EXPECT_FALSE(CSimFaults().Set(bad)) << bad;
}

// A write with a bad record is refused (the result 0x01 ends the echoes), a good one taken.
TEST(SimTransceiver, TakesOnlyAWriteWithGoodRecords)
{
    CFakeCloneClock clock;
    CSimTransceiver sim;
    ASSERT_TRUE(clock.Drive(sim));
    CCommPort port;
    ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    const CSimTransceiver::Image before = sim.GetImage();
    // Address 0x0100, one byte 0x55: the checksum is A9.
    Bytes got = Exchange(port, clock, {kWriteRequest, "\xE4" "01000155A8", "\xE5Vexa Inc."}, 48);
    EXPECT_EQ((Bytes{0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD}),
              Bytes(got.begin() + 41, got.end())); // refused
    EXPECT_EQ(before, sim.GetImage());
    got = Exchange(port, clock, {kWriteRequest, "\xE4" "01000155A9", "\xE5Vexa Inc."}, 48);
    EXPECT_EQ(0x00, got.at(46)); // accepted
    EXPECT_EQ(0x55, sim.GetImage()[0x100]);
}

// On its own thread, as the program's --simulate runs it, it stops cleanly and the device goes.
TEST(SimTransceiver, OnItsThreadStopsCleanlyAndKeepsAnImageThatDoesNotLoad)
{
    CSimTransceiver sim;
    const CSimTransceiver::Image before = sim.GetImage();
    CTempFile file("qrb");
    WriteFile(file.GetPath(), "22700101\r\n#\r\n0010100102\r\n"); // a truncated record
    EXPECT_FALSE(sim.LoadImage(file.GetPath()));
    EXPECT_FALSE(sim.LoadImage("/nonexistent-pwr-file.qrb"));
    EXPECT_EQ(before, sim.GetImage());
    ASSERT_TRUE(sim.Start());
    const std::string device = sim.GetDevicePath();
    sim.Stop();
    sim.Stop(); // twice is harmless
    struct stat st;
    EXPECT_NE(0, ::stat(device.c_str(), &st));
}
