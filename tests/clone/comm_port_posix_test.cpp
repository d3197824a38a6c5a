// The serial port layer, and the real clock's sleep and wait for input, on a bare pseudo-terminal.

#include <chrono>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "clone/clone_clock.h"
#include "clone/comm_port.h"

namespace {

class CommPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_TRUE(m_master >= 0 && ::grantpt(m_master) == 0 && ::unlockpt(m_master) == 0);
        m_slave = ::ptsname(m_master);
        ASSERT_TRUE(port.Open(m_slave, 9600));
    }
    void TearDown() override
    {
        if (m_master >= 0)
            ::close(m_master);
    }

    // Sends the bytes 0, 1, 2 ... towards the port; a poll of the port delivers them at once.
    void Feed(size_t count)
    {
        std::vector<uint8_t> bytes(count);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<uint8_t>(i);
        ASSERT_EQ(static_cast<ssize_t>(count), ::write(m_master, bytes.data(), count));
        struct pollfd p = {port.GetHandle(), POLLIN, 0};
        ASSERT_TRUE(::poll(&p, 1, 0) == 1 && port.GetWaitingCount() == count);
    }

    int m_master = -1;
    std::string m_slave;
    CCommPort port;
};

TEST_F(CommPortTest, OpenConfiguresARawLineHoldsTheDeviceAndReportsFailures)
{
    struct termios tio;
    ASSERT_EQ(0, ::tcgetattr(port.GetHandle(), &tio));
    EXPECT_EQ(B9600, ::cfgetospeed(&tio));
    EXPECT_EQ(CS8, tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS)); // 8N1, no flow control
    EXPECT_EQ(0u, (tio.c_iflag & (IXON | IXOFF | ICRNL)) | (tio.c_lflag & (ICANON | ECHO)));
    EXPECT_EQ(0u, tio.c_oflag & OPOST);
    // A second open of the same object keeps the first device and rate.
    EXPECT_TRUE(port.Open("/dev/pwr-other", 4800));
    EXPECT_EQ(m_slave, port.GetPortName());
    EXPECT_EQ(9600u, port.GetBaudRate());
    // Another port on the same device is refused until this one lets go.
    CCommPort second;
    EXPECT_FALSE(second.Open(m_slave, 9600));
    port.Close();
    EXPECT_TRUE(second.Open(m_slave, 9600));
    second.Close();
    for (unsigned baud : {1200u, 2400u, 4800u, 19200u, 38400u, 57600u, 115200u}) {
        CCommPort other;
        EXPECT_TRUE(other.Open(m_slave, baud)) << baud;
    }
    // A name whose first 255 bytes lead to the free device is still refused.
    std::string tooLong = m_slave;
    tooLong.insert(0, CCommPort::kMaxPortName - tooLong.size(), '/');
    const struct {
        std::string device;
        unsigned baud;
        const char* report; // "": a refused line settings query is not reported
    } cases[] = {{"/dev/pwr-no-such-port", 9600, " not Open "},
                 {tooLong + "9", 9600, " not Open "},
                 {"/dev/null", 9600, ""},
                 {m_slave, 12345, " invarid setting "}};
    for (const auto& c : cases) {
        CCommPort failed;
        EXPECT_FALSE(failed.Open(c.device, c.baud)) << c.device;
        EXPECT_EQ(0, failed.GetHandle());
        EXPECT_EQ(c.report, failed.GetLastErrorText());
    }
}

TEST_F(CommPortTest, ReadTakesWaitingBytesInChunksOfAtMost256AndCloseRestoresTheLine)
{
    uint8_t buffer[1000];
    size_t count = 12345;
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, &count));
    EXPECT_EQ(12345u, count); // nothing waiting: the count is left alone
    auto read = [&](size_t maximum) { return port.Read(buffer, maximum, &count) ? count : 0; };
    Feed(300);
    EXPECT_EQ((std::vector<size_t>{1, 256, 43, 0}),
              (std::vector<size_t>{read(1), read(1000), read(1000), read(1000)}));
    EXPECT_EQ(299 & 0xFF, buffer[42]); // the bytes in the order sent
    // Closing discards what is waiting; a closed port refuses both directions.
    Feed(20);
    port.Close();
    EXPECT_EQ(0, port.GetHandle());
    EXPECT_FALSE(port.Write(buffer, 1));
    EXPECT_FALSE(port.Read(buffer, 1, &count));
    ASSERT_TRUE(port.Open(m_slave, 9600));
    EXPECT_EQ(0u, port.GetWaitingCount());

    // The device gets back the line settings it had before the port took it.
    port.Close();
    const int other = ::open(m_slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    struct termios before;
    ASSERT_EQ(0, ::tcgetattr(other, &before));
    ::cfsetspeed(&before, B4800);
    before.c_lflag |= ICANON | ECHO;
    ASSERT_EQ(0, ::tcsetattr(other, TCSANOW, &before));
    ASSERT_TRUE(port.Open(m_slave, 9600));
    port.Close();
    struct termios after;
    ASSERT_EQ(0, ::tcgetattr(other, &after));
    EXPECT_EQ(B4800, ::cfgetospeed(&after));
    EXPECT_EQ(before.c_lflag, after.c_lflag);
    ::close(other);
}

TEST_F(CommPortTest, RealClockSleepsAndWaitsForInputButNotOnAHungUpLine)
{
    // However fast the machine, a sleep lets at least the time asked for pass.
    const auto start = std::chrono::steady_clock::now();
    CRealCloneClock::Instance().Sleep(20);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
    struct CClock : CRealCloneClock { // but for the wait a hung-up line is served with
        void Sleep(unsigned ms) override { slept += ms; }
        unsigned slept = 0;
    } clock;
    EXPECT_FALSE(clock.WaitReadable(port, 1));
    Feed(1);
    EXPECT_TRUE(clock.WaitReadable(port, 60000));
    ::close(m_master); // the other end goes: the line reports a hang-up, which is no input
    m_master = -1;
    EXPECT_FALSE(clock.WaitReadable(port, 2));
    EXPECT_EQ(2u, clock.slept); // served in full: a caller polling a dead line does not spin
}

} // namespace
