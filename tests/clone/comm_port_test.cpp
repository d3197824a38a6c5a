// The serial port layer, and the real clock's wait for input, on a bare pseudo-terminal.

#include <cstdlib>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "clone/clone_clock.h"
#include "clone/comm_port.h"

namespace {

// The master side of a pseudo-terminal; the port under test opens the slave.
class CommPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(m_master, 0);
        ASSERT_EQ(0, ::grantpt(m_master));
        ASSERT_EQ(0, ::unlockpt(m_master));
        m_slave = ::ptsname(m_master);
    }
    void TearDown() override
    {
        if (m_master >= 0)
            ::close(m_master);
    }

    // Sends `count` bytes towards the port. A poll of the port delivers them all, so that they
    // are then all waiting.
    void Feed(CCommPort& port, size_t count)
    {
        std::vector<uint8_t> bytes(count);
        for (size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<uint8_t>(i);
        ASSERT_EQ(static_cast<ssize_t>(count), ::write(m_master, bytes.data(), count));
        struct pollfd p = {port.GetHandle(), POLLIN, 0};
        ASSERT_EQ(1, ::poll(&p, 1, 0));
        ASSERT_EQ(count, port.GetWaitingCount());
    }

    int m_master = -1;
    std::string m_slave;
};

TEST_F(CommPortTest, OpenConfiguresARawLineAndASecondOpenKeepsTheFirst)
{
    CCommPort port;
    EXPECT_EQ("COM1:", port.GetPortName());
    EXPECT_EQ(0, port.GetHandle());
    ASSERT_TRUE(port.Open(m_slave, 9600));
    EXPECT_NE(0, port.GetHandle());

    struct termios tio;
    ASSERT_EQ(0, ::tcgetattr(port.GetHandle(), &tio));
    EXPECT_EQ(B9600, ::cfgetospeed(&tio));
    EXPECT_EQ(CS8, tio.c_cflag & CSIZE);
    EXPECT_EQ(0u, tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_EQ(0u, tio.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_EQ(0u, tio.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(0u, tio.c_oflag & OPOST);

    EXPECT_TRUE(port.Open("/dev/pwr-other", 4800));
    EXPECT_EQ(m_slave, port.GetPortName());
    EXPECT_EQ(9600u, port.GetBaudRate());
}

TEST_F(CommPortTest, FailedOpensReportTheirTextAndLeaveThePortClosed)
{
    const struct {
        std::string device;
        unsigned baud;
        const char* report; // "": the refused line settings query is not reported
    } cases[] = {{"/dev/pwr-no-such-port", 9600, " not Open "},
                 {"/dev/null", 9600, ""},
                 {m_slave, 12345, " invarid setting "}};
    for (const auto& c : cases) {
        CCommPort port;
        EXPECT_FALSE(port.Open(c.device, c.baud)) << c.device;
        EXPECT_EQ(0, port.GetHandle());
        EXPECT_EQ(c.report, port.GetLastErrorText());
    }
}

TEST_F(CommPortTest, SecondPortOnTheSameDeviceIsRefused)
{
    CCommPort first;
    ASSERT_TRUE(first.Open(m_slave, 9600));
    CCommPort second;
    EXPECT_FALSE(second.Open(m_slave, 9600));
    EXPECT_EQ(0, second.GetHandle());
    first.Close();
    EXPECT_TRUE(second.Open(m_slave, 9600));
}

TEST_F(CommPortTest, ReadTakesOnlyWaitingBytesInChunksOfAtMost256)
{
    CCommPort port;
    ASSERT_TRUE(port.Open(m_slave, 9600));
    uint8_t buffer[1000];
    size_t count = 12345;
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, &count));
    EXPECT_EQ(12345u, count);

    Feed(port, 300);
    ASSERT_TRUE(port.Read(buffer, 1, &count));
    EXPECT_EQ(1u, count);
    EXPECT_EQ(0, buffer[0]);
    ASSERT_TRUE(port.Read(buffer, sizeof buffer, &count));
    EXPECT_EQ(256u, count);
    EXPECT_EQ(1, buffer[0]);
    ASSERT_TRUE(port.Read(buffer, sizeof buffer, &count));
    EXPECT_EQ(43u, count);
    EXPECT_FALSE(port.Read(buffer, sizeof buffer, &count));
}

TEST_F(CommPortTest, CloseDiscardsWaitingInputAndClosedPortRefusesIo)
{
    CCommPort port;
    ASSERT_TRUE(port.Open(m_slave, 9600));
    Feed(port, 20);
    port.Close();
    EXPECT_EQ(0, port.GetHandle());
    uint8_t byte = 0x55;
    size_t count = 0;
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_FALSE(port.Read(&byte, 1, &count));
    ASSERT_TRUE(port.Open(m_slave, 9600));
    EXPECT_EQ(0u, port.GetWaitingCount());
}

TEST_F(CommPortTest, WriteSendsTheWholeBuffer)
{
    CCommPort port;
    ASSERT_TRUE(port.Open(m_slave, 9600));
    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i * 13);
    std::vector<uint8_t> got;
    std::thread reader([&] {
        uint8_t buffer[512];
        while (got.size() < data.size()) {
            ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.insert(got.end(), buffer, buffer + n);
        }
    });
    EXPECT_TRUE(port.Write(data.data(), data.size()));
    reader.join();
    EXPECT_EQ(data, got);
}

TEST_F(CommPortTest, RealClockWaitsForInputButNotOnAHungUpLine)
{
    // The real clock, but for the wait that the hang-up should be served with.
    struct CClock : CRealCloneClock {
        void Sleep(unsigned ms) override { slept += ms; }
        unsigned slept = 0;
    } clock;
    CCommPort port;
    ASSERT_TRUE(port.Open(m_slave, 9600));
    EXPECT_FALSE(clock.WaitReadable(port.GetHandle(), 1));
    uint8_t byte = 0xFE;
    ASSERT_EQ(1, ::write(m_master, &byte, 1));
    EXPECT_TRUE(clock.WaitReadable(port.GetHandle(), 60000));
    // The other end goes away: the line reports a hang-up, which is no input.
    ::close(m_master);
    m_master = -1;
    EXPECT_FALSE(clock.WaitReadable(port.GetHandle(), 2));
    EXPECT_EQ(2u, clock.slept); // served in full: a caller polling a dead line does not spin
}

} // namespace
