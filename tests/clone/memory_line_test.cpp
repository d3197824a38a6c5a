// The line in memory to a simulated transceiver, and the table of COM port numbers.

#include <future>
#include <vector>

#include <gtest/gtest.h>

#include "clone/com_port_table.h"
#include "clone/comm_port.h"
#include "clone/memory_line.h"

namespace {

using Bytes = std::vector<uint8_t>;

// What the program reads in one call with `maximum`, or "none".
std::string ReadOnce(CByteLine& line, size_t maximum)
{
    Bytes buffer(1000);
    size_t count = 12345;
    if (!line.Read(buffer.data(), maximum, &count))
        return count == 12345 ? "none" : "none, count written";
    return std::to_string(count);
}

TEST(MemoryLine, ReadsWritesAndPurgesAsASerialPort)
{
    const struct {
        const char* name;
        bool open;
        size_t sent;    // by the transceiver after the open
        size_t maximum; // of the program's read
        const char* read;
        ELineInput input;
    } cases[] = {
        {"nothing waiting", true, 0, 1000, "none", ELineInput::None},
        {"at most 256 a read", true, 300, 1000, "256", ELineInput::Waiting},
        {"at most the maximum", true, 300, 1, "1", ELineInput::Waiting},
        {"the input queue is full", true, 9000, 1000, "256", ELineInput::Waiting},
        {"closed", false, 300, 1000, "none", ELineInput::HungUp},
    };
    for (const auto& c : cases) {
        CMemoryLinePair pair;
        CByteLine& program = pair.ProgramEnd();
        const Bytes early(10, 0x55);
        pair.Send(early.data(), early.size()); // before the open: lost
        if (c.open) {
            ASSERT_TRUE(program.Open("any", 9600)) << c.name;
        }
        const Bytes bytes(c.sent, 0xAA);
        const size_t taken = pair.Send(bytes.data(), bytes.size());
        EXPECT_EQ(taken, c.open ? std::min<size_t>(c.sent, CMemoryLinePair::kInputQueueSize) : c.sent)
            << c.name;
        EXPECT_EQ(program.WaitInput(0), c.input) << c.name;
        EXPECT_EQ(ReadOnce(program, c.maximum), c.read) << c.name;
        EXPECT_EQ(program.IsOpen(), c.open) << c.name;
        EXPECT_EQ(program.Write(early.data(), 3), c.open) << c.name;
        EXPECT_EQ(program.Flush(), c.open) << c.name;
    }
}

TEST(MemoryLine, TheTransceiverLearnsOfEachPurgeAndGetsOnlyWhatFollowsIt)
{
    CMemoryLinePair pair;
    CByteLine& program = pair.ProgramEnd();
    Bytes got;
    EXPECT_FALSE(pair.Receive(got));
    ASSERT_TRUE(program.Open("", 9600));
    const Bytes frame = {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0xFD};
    program.Write(frame.data(), 2);
    EXPECT_TRUE(program.Open("", 9600)); // already open: no purge
    program.Write(frame.data() + 2, frame.size() - 2);
    EXPECT_TRUE(pair.Receive(got)); // the purge of the open
    EXPECT_EQ(got, frame);
    EXPECT_FALSE(pair.Receive(got));
    EXPECT_TRUE(got.empty());
    program.Write(frame.data(), frame.size());
    pair.Send(frame.data(), frame.size());
    program.Close(); // drops both directions
    EXPECT_TRUE(pair.Receive(got));
    EXPECT_TRUE(got.empty());
    ASSERT_TRUE(program.Open("", 9600));
    EXPECT_EQ(ReadOnce(program, 1000), "none");
}

// Each side sleeps until the other acts; the waits are long enough never to end on their own.
TEST(MemoryLine, EachSideWaitsForTheOtherWithoutPolling)
{
    CMemoryLinePair pair;
    CByteLine& program = pair.ProgramEnd();
    ASSERT_TRUE(program.Open("", 9600));
    auto input = std::async(std::launch::async, [&] { return program.WaitInput(600000); });
    const uint8_t byte = 0x41;
    pair.Send(&byte, 1);
    EXPECT_EQ(input.get(), ELineInput::Waiting);

    Bytes got;
    pair.Receive(got); // the purge of the open
    auto written = std::async(std::launch::async, [&] { pair.WaitForProgram(600000, false); });
    program.Write(&byte, 1);
    written.get();
    EXPECT_FALSE(pair.Receive(got));
    EXPECT_EQ(got, Bytes{byte});

    auto woken = std::async(std::launch::async, [&] { pair.WaitForProgram(600000, false); });
    pair.Wake();
    woken.get();

    EXPECT_EQ(ReadOnce(program, 1000), "1");
    auto closed = std::async(std::launch::async, [&] { return program.WaitInput(600000); });
    program.Close();
    EXPECT_EQ(closed.get(), ELineInput::HungUp);
}

TEST(ComPortTable, BindsFourNumbersAndIgnoresOthers)
{
    CComPortTable ports;
    EXPECT_EQ(ports.GetNumber(), 1);
    for (int n = 1; n <= CComPortTable::kCount; ++n)
        EXPECT_EQ(ports.GetDevice(n), CCommPort::GetDefaultDevice(n));
    const struct {
        int number;
        int chosen; // after SetNumber(number)
        const char* device;
    } cases[] = {{3, 3, "dev3"}, {0, 3, ""}, {5, 3, ""}, {-1, 3, ""}, {4, 4, "dev4"}};
    for (const auto& c : cases) {
        ports.SetDevice(c.number, "dev" + std::to_string(c.number));
        ports.SetNumber(c.number);
        EXPECT_EQ(ports.GetNumber(), c.chosen) << c.number;
        EXPECT_EQ(ports.GetDevice(c.number), c.device) << c.number;
    }
    EXPECT_EQ(ports.GetChosenDevice(), "dev4");
    ports.SetAllDevices("sim");
    for (int n = 1; n <= CComPortTable::kCount; ++n)
        EXPECT_EQ(ports.GetDevice(n), "sim");
}

} // namespace
