// The simulated transceiver beyond its answers, which every clone test runs against.

#include <sys/stat.h>

#include "clone/comm_port.h"
#include "tests/clone/clone_test_util.h"

using namespace clonetest;

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

// A write with a bad record is refused: the result 0x01 ends the echoes.
TEST(SimTransceiver, RefusesAWriteWithABadRecord)
{
    CFakeCloneClock clock;
    CSimTransceiver sim;
    ASSERT_TRUE(clock.Drive(sim));
    CCommPort port;
    ASSERT_TRUE(port.Open(sim.GetDevicePath(), 9600));
    const CSimTransceiver::Image before = sim.GetImage();
    // Address 0x0100, one byte 0x55: the checksum is A9, not A8.
    const Bytes sent = Echo({0xE3, 0x22, 0x70, 0x01, 0x01}) + Echo({0xE4}, "01000155A8")
                       + Echo({0xE5}, "Vexa Inc.");
    ASSERT_TRUE(port.Write(sent.data(), sent.size()));
    Bytes got; // until a second of silence
    uint8_t buffer[256];
    for (size_t n = 0; clock.WaitReadable(port, 1000);)
        if (port.Read(buffer, sizeof buffer, &n))
            got.insert(got.end(), buffer, buffer + n);
    EXPECT_EQ(sent + Radio({0xE6, 0x01}), got);
    EXPECT_EQ(before, sim.GetImage());
}

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
