// The clone link's three runs against the simulated transceiver, over the real serial code.

#include <chrono>
#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/wait.h>

#include "clone_test_util.h"

using namespace clonetest;
using Clock = std::chrono::steady_clock;

namespace {

class CloneLinkTest : public CSimFixture {};

// A transfer file as the engine writes it: header, comment line, then `records` records from
// 0x0010 taken from `image`.
std::string TransferText(const CSimTransceiver::Image& image, int records)
{
    std::string text = "22700101\r\n#COMMENT\r\n";
    for (int i = 0; i < records; ++i)
        text += RecordLine(image, 0x10 + 16 * i) + "\r\n";
    return text;
}

CSimTransceiver::Image PatternImage()
{
    CSimTransceiver::Image image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    return image;
}

int CountCommand(const std::vector<CSimTransceiver::ReceivedFrame>& frames, uint8_t command)
{
    int n = 0;
    for (const auto& f : frames)
        n += f.bytes.size() > 2 && f.bytes[2] == command;
    return n;
}

} // namespace

TEST_F(CloneLinkTest, InformationRunReportsIdentityAndComment)
{
    CSimTransceiver::Image image = sim.GetImage();
    const char comment[] = "AIRFIELD NORTH 1";
    std::copy(comment, comment + 16, image.begin() + 0x10);
    sim.SetImage(image);
    StartSim();

    EXPECT_EQ(0, link.CloneInfo());
    EXPECT_EQ(0x2270, link.GetInfo()->modelCode);
    EXPECT_EQ(0x0101, link.GetInfo()->revision);
    EXPECT_EQ(16, link.GetInfo()->commentLength);
    EXPECT_EQ("AIRFIELD NORTH 1", std::string(reinterpret_cast<char*>(link.GetInfo()->comment), 16));
    // The request is the fixed information frame; no progress window for this run.
    auto frames = sim.GetReceivedFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ((std::vector<uint8_t>{0xEE, 0xEF, 0xE0, 0, 0, 0, 0}), frames[0].bytes);
    EXPECT_TRUE(host.Find("progress").empty());
    EXPECT_FALSE(link.IsOpen());
}

TEST_F(CloneLinkTest, ReadRunWritesHeaderCommentAndAllRecords)
{
    sim.SetImage(PatternImage());
    StartSim();

    EXPECT_EQ(0, link.CloneIn());
    std::vector<std::string> lines = ReadLines(transfer.Path());
    ASSERT_EQ(33u, lines.size());
    EXPECT_EQ("22700101", lines[0]);
    EXPECT_EQ("#", lines[1]);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(RecordLine(PatternImage(), 0x10 + 16 * i), lines[2 + i]) << i;

    EXPECT_EQ((std::vector<uint8_t>{0xEE, 0xEF, 0xE2, 0x22, 0x70, 0x01, 0x01}),
              sim.GetReceivedFrames().at(0).bytes);
    EXPECT_EQ(" Now reading <- TR", host.events.front().substr(7));
    // The percentage moves in steps of 10 up to 100; the window goes after a 500 ms linger.
    std::vector<int> steps = host.ProgressSteps();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(100, steps.back());
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(0, steps[i] % 10);
        if (i > 0) {
            EXPECT_LT(steps[i - 1], steps[i]);
        }
    }
    EXPECT_EQ("progress-create: Cloning", host.Find("progress-create").at(0));
    ASSERT_GE(host.events.size(), 2u);
    EXPECT_EQ("sleep 500", host.events[host.events.size() - 2]);
    EXPECT_EQ("progress-destroy", host.events.back());
}

TEST_F(CloneLinkTest, WriteRunSendsEachDataLineThenTheEndAndIsAccepted)
{
    StartSim();
    CSimTransceiver::Image image = PatternImage();
    WriteText(transfer.Path(), TransferText(image, 31));

    EXPECT_EQ(0, link.CloneOut());
    auto frames = sim.GetReceivedFrames();
    ASSERT_EQ(33u, frames.size());
    EXPECT_EQ((std::vector<uint8_t>{0xEE, 0xEF, 0xE3, 0x22, 0x70, 0x01, 0x01}), frames[0].bytes);
    EXPECT_EQ(31, CountCommand(frames, 0xE4));
    // Each data frame carries the line's digits as they stand plus their checksum.
    std::string first(frames[1].bytes.begin() + 3, frames[1].bytes.end());
    std::string line = RecordLine(image, 0x10);
    unsigned sum = 0;
    for (size_t i = 0; i < line.size(); i += 2)
        sum += std::stoul(line.substr(i, 2), nullptr, 16);
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    EXPECT_EQ(line + checksum, first);
    std::string end(frames.back().bytes.begin() + 2, frames.back().bytes.end());
    EXPECT_EQ("\xE5Vexa Inc.", end);

    EXPECT_EQ(1, sim.GetWriteCount());
    CSimTransceiver::Image held = sim.GetImage();
    EXPECT_TRUE(std::equal(held.begin() + 0x10, held.end(), image.begin() + 0x10));
    EXPECT_EQ(" Now writing -> TR", host.events.front().substr(7));
    EXPECT_EQ(100, host.ProgressSteps().back());
}

TEST_F(CloneLinkTest, WriteRunStopsAtABlankLineAndSkipsCommentLines)
{
    StartSim();
    CSimTransceiver::Image image = PatternImage();
    std::string text = "22700101\n#\n";
    for (int i = 0; i < 30; ++i) {
        text += RecordLine(image, 0x10 + 16 * i) + "\n";
        if (i == 10)
            text += "# a note between records\n";
    }
    text += "   \n" + RecordLine(image, 0x1F0) + "\n";
    WriteText(transfer.Path(), text);

    EXPECT_EQ(0, link.CloneOut());
    auto frames = sim.GetReceivedFrames();
    EXPECT_EQ(30, CountCommand(frames, 0xE4));
    EXPECT_EQ(1, CountCommand(frames, 0xE5));
    EXPECT_EQ("E3 " + [] { std::string s; for (int i = 0; i < 30; ++i) s += "E4 "; return s; }() + "E5 ",
              FrameCommands(frames));
}

TEST_F(CloneLinkTest, WriteRunPacesByEchoAndWaitsAfterTheRequest)
{
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults);
    host.realSleep = true;
    WriteText(transfer.Path(), TransferText(PatternImage(), 8));

    EXPECT_EQ(0, link.CloneOut());
    auto frames = sim.GetReceivedFrames();
    ASSERT_EQ(10u, frames.size());
    // After the echo of the write request the link waits 200 ms before the first record.
    EXPECT_GE(frames[1].time - frames[0].time, std::chrono::milliseconds(200));
    // At 960 bytes per second a 45-byte record frame takes about 47 ms to echo; the next frame
    // may only follow its echo.
    for (size_t i = 2; i < frames.size(); ++i)
        EXPECT_GE(frames[i].time - frames[i - 1].time, std::chrono::milliseconds(40)) << i;
    // The link's own waits: 200 ms after opening, 200 ms after the request, 200 ms after the
    // request's echo.
    EXPECT_EQ(3u, host.Find("sleep 200").size());
}

TEST_F(CloneLinkTest, DataRecordWithBadChecksumEndsTheReadKeepingEarlierLines)
{
    CSimFaults faults;
    faults.badChecksumAt = 5;
    StartSim(faults);

    EXPECT_EQ(77, link.CloneIn());
    std::vector<std::string> lines = ReadLines(transfer.Path());
    ASSERT_EQ(6u, lines.size());
    EXPECT_EQ("22700101", lines[0]);
    EXPECT_EQ("#", lines[1]);
    EXPECT_EQ(RecordLine(sim.GetImage(), 0x40), lines[5]);
    EXPECT_FALSE(link.IsOpen());
}

struct FaultCase {
    const char* name;
    const char* fault;
    int run; // CCloneLink run type
    int expected;
};

class CloneLinkFaultTest : public CSimFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CloneLinkFaultTest, EndsWithTheExpectedResult)
{
    const FaultCase& c = GetParam();
    CSimFaults faults;
    if (*c.fault) {
        ASSERT_TRUE(faults.Set(c.fault));
    }
    StartSim(faults);
    // Time-outs are proved in real time below; where one is the expected ending, the clock
    // runs 20 times faster here.
    const std::string fault = c.fault;
    if (fault == "silence" || fault == "no-cable" || fault.rfind("stall", 0) == 0)
        host.clockScale = 20;
    WriteText(transfer.Path(), TransferText(sim.GetImage(), 31));
    int result = c.run == CCloneLink::kRunInfo ? link.CloneInfo()
        : c.run == CCloneLink::kRunRead         ? link.CloneIn()
                                                : link.CloneOut();
    EXPECT_EQ(c.expected, result);
    EXPECT_FALSE(link.IsOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneLinkFaultTest,
    ::testing::Values(FaultCase{"InfoSilence", "silence", CCloneLink::kRunInfo, 77},
                      FaultCase{"InfoNoCable", "no-cable", CCloneLink::kRunInfo, 77},
                      FaultCase{"InfoBadComment", "bad-comment", CCloneLink::kRunInfo, 77},
                      FaultCase{"InfoWrongModelIsStillAnAnswer", "wrong-model", CCloneLink::kRunInfo, 0},
                      FaultCase{"ReadBadEnd", "bad-end", CCloneLink::kRunRead, 77},
                      FaultCase{"ReadStall", "stall=10", CCloneLink::kRunRead, 77},
                      FaultCase{"ReadSilence", "silence", CCloneLink::kRunRead, 77},
                      FaultCase{"ReadTooFewStillEndsProperly", "too-few=20", CCloneLink::kRunRead, 0},
                      FaultCase{"WriteRefused", "refuse-write", CCloneLink::kRunWrite, 77},
                      FaultCase{"WriteStall", "stall=3", CCloneLink::kRunWrite, 77},
                      FaultCase{"WriteNoCable", "no-cable", CCloneLink::kRunWrite, 77},
                      FaultCase{"WriteNoFault", "", CCloneLink::kRunWrite, 0}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(CloneLinkTest, SilentTransceiverTimesOutAfterTwoToThreeSeconds)
{
    CSimFaults faults;
    faults.silence = true;
    StartSim(faults);
    host.realSleep = false;
    auto start = Clock::now();
    EXPECT_EQ(77, link.CloneInfo());
    auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(2000));
    EXPECT_LE(elapsed, std::chrono::milliseconds(3000));
}

TEST_F(CloneLinkTest, CancelEndsTheReadAndFreesThePort)
{
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults);
    host.cancelOnCheck = 50;

    EXPECT_EQ(1, link.CloneIn());
    EXPECT_FALSE(link.IsOpen());
    // The window lingers 500 ms, then goes.
    ASSERT_GE(host.events.size(), 3u);
    EXPECT_EQ("cancel", host.events[host.events.size() - 3]);
    EXPECT_EQ("sleep 500", host.events[host.events.size() - 2]);
    EXPECT_EQ("progress-destroy", host.events.back());
    CCommPort other;
    EXPECT_TRUE(other.Open(sim.GetDevicePath(), 9600));
}

TEST_F(CloneLinkTest, PortHeldByAnotherProcessGives91WithoutSending)
{
    StartSim();
    int ready[2];
    ASSERT_EQ(0, ::pipe(ready));
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CCommPort holder;
        char c = holder.Open(sim.GetDevicePath(), 9600) ? 'y' : 'n';
        (void)!::write(ready[1], &c, 1);
        ::pause();
        ::_exit(0);
    }
    char c = 0;
    ASSERT_EQ(1, ::read(ready[0], &c, 1));
    ASSERT_EQ('y', c);

    EXPECT_EQ(91, link.CloneIn());
    EXPECT_EQ(91, link.CloneInfo());
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    // The progress window of the read was made and taken away again.
    EXPECT_EQ(1u, host.Find("progress-create").size());
    EXPECT_EQ(1u, host.Find("progress-destroy").size());
    // Once the other program is gone the port is usable again.
    EXPECT_EQ(0, link.CloneInfo());
}

TEST_F(CloneLinkTest, MissingDeviceGives91)
{
    StartSim();
    link.SetPortDevice(2, "/dev/pwr-no-such-port");
    link.SetPortNumber(2);
    WriteText(transfer.Path(), TransferText(sim.GetImage(), 31));
    EXPECT_EQ(91, link.CloneInfo());
    EXPECT_EQ(91, link.CloneIn());
    WriteText(transfer.Path(), TransferText(sim.GetImage(), 31));
    EXPECT_EQ(91, link.CloneOut());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}

TEST_F(CloneLinkTest, WriteWithoutUsableFirstLineGives80WithoutOpeningThePort)
{
    StartSim();
    for (const char* text : {"", "2270010\n#\n", "\n22700101\n"}) {
        WriteText(transfer.Path(), text);
        EXPECT_EQ(80, link.CloneOut()) << text;
    }
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}

TEST_F(CloneLinkTest, TransferFileThatCannotBeMadeSendsNothing)
{
    StartSim();
    link.SetTransferFile("/nonexistent-dir/transfer.cl");
    EXPECT_EQ(77, link.CloneIn());
    EXPECT_TRUE(link.HasTransferFileFailed());
    EXPECT_EQ(77, link.CloneOut());
    EXPECT_TRUE(link.HasTransferFileFailed());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    link.SetTransferFile(transfer.Path());
    EXPECT_EQ(0, link.CloneIn());
    EXPECT_FALSE(link.HasTransferFileFailed());
}

TEST_F(CloneLinkTest, SignalResultPlaysTheTwoTunes)
{
    host.realSleep = false;
    link.SignalResult(true);
    EXPECT_EQ((std::vector<std::string>{"beep 1000 50", "sleep 50", "beep 1000 50", "sleep 500"}),
              host.events);
    host.events.clear();
    link.SignalResult(false);
    EXPECT_EQ((std::vector<std::string>{"beep 500 400", "sleep 100", "beep 500 400", "sleep 100",
                                        "beep 500 400", "sleep 100", "beep 500 400", "sleep 500"}),
              host.events);
}
