// The clone link's three runs against the simulated transceiver, over the real serial code, on
// the fake clock: what goes over the line, what reaches the transfer file, and the order and
// length of every wait.

#include <cstdio>

#include "clone_test_util.h"

using namespace clonetest;

namespace {

using CloneLinkTest = CCloneFixture<>;

CSimTransceiver::Image PatternImage()
{
    CSimTransceiver::Image image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    return image;
}

// A transfer file as the engine writes it: header, comment line, then `records` records from
// 0x0010 taken from `image`.
std::string TransferText(const CSimTransceiver::Image& image, int records)
{
    std::string text = "22700101\r\n#COMMENT\r\n";
    for (int i = 0; i < records; ++i)
        text += RecordLine(image, 0x10 + 16 * i) + "\r\n";
    return text;
}

std::vector<std::string> ProgressEvents(std::initializer_list<int> percents)
{
    std::vector<std::string> events;
    for (int p : percents)
        events.push_back("progress " + std::to_string(p));
    return events;
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
    auto frames = sim.GetReceivedFrames();
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ((Bytes{0xEE, 0xEF, 0xE0, 0, 0, 0, 0}), frames[0].bytes);
    // 200 ms after opening and after the request; no progress window.
    EXPECT_EQ((std::vector<std::string>{"sleep 200", "sleep 200"}), host.events);
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
    EXPECT_EQ((Bytes{0xEE, 0xEF, 0xE2, 0x22, 0x70, 0x01, 0x01}), sim.GetReceivedFrames().at(0).bytes);

    // The percentage moves in steps of 10 up to 100; the window goes after a 500 ms linger.
    std::vector<std::string> expected = {"status: Now reading <- TR", "progress-create: Cloning",
                                         "sleep 200", "sleep 200"};
    for (const std::string& p : ProgressEvents({0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}))
        expected.push_back(p);
    expected.push_back("sleep 500");
    expected.push_back("progress-destroy");
    EXPECT_EQ(expected, host.events);
}

// The transfer file has comment lines between records and a blank line after the 30th record:
// the data end there.
TEST_F(CloneLinkTest, WriteRunSendsEachDataLinePacedByItsEcho)
{
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults);
    const CSimTransceiver::Image before = sim.GetImage();
    const CSimTransceiver::Image image = PatternImage();
    std::string text = "22700101\n#\n";
    for (int i = 0; i < 30; ++i)
        text += RecordLine(image, 0x10 + 16 * i) + (i == 10 ? "\n# a note\n" : "\n");
    WriteFile(transfer.Path(), text + "   \n" + RecordLine(image, 0x1F0) + "\n");

    EXPECT_EQ(0, link.CloneOut());
    auto frames = sim.GetReceivedFrames();
    std::string commands = "E3 ";
    for (int i = 0; i < 30; ++i)
        commands += "E4 ";
    EXPECT_EQ(commands + "E5 ", FrameCommands(frames));
    // Each data frame carries the line's digits as they stand plus their checksum.
    std::string line = RecordLine(image, 0x10);
    unsigned sum = 0;
    for (size_t i = 0; i < line.size(); i += 2)
        sum += std::stoul(line.substr(i, 2), nullptr, 16);
    char checksum[3];
    std::snprintf(checksum, sizeof checksum, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    EXPECT_EQ(line + checksum, std::string(frames[1].bytes.begin() + 3, frames[1].bytes.end()));
    EXPECT_EQ("\xE5Vexa Inc.", std::string(frames.back().bytes.begin() + 2, frames.back().bytes.end()));

    EXPECT_EQ(1, sim.GetWriteCount());
    CSimTransceiver::Image held = sim.GetImage();
    EXPECT_TRUE(std::equal(held.begin() + 0x10, held.begin() + 0x1F0, image.begin() + 0x10));
    EXPECT_TRUE(std::equal(held.begin() + 0x1F0, held.end(), before.begin() + 0x1F0));

    // 200 ms pass between the echo of the request and the first record; each later frame
    // waits for the echo of the one before (45 bytes at 960 bytes per second: 47 ms).
    EXPECT_GE(frames[1].timeMs - frames[0].timeMs, 200u);
    for (size_t i = 2; i + 1 < frames.size(); ++i)
        EXPECT_GE(frames[i].timeMs - frames[i - 1].timeMs, 46u) << i;
    EXPECT_EQ(3u, host.Find("sleep 200").size());
    EXPECT_EQ("status: Now writing -> TR", host.events.front());
    EXPECT_EQ("progress 100", host.Find("progress ").back());
}

struct FaultCase {
    const char* name;
    const char* fault;
    uint16_t run;
    int expected;
    int lines;   // lines of the transfer file after a read; -1: not looked at
    bool silent; // the transceiver never answers: the run ends on the silence limit
};

class CloneLinkFaultTest : public CloneLinkTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CloneLinkFaultTest, EndsWithTheExpectedResult)
{
    const FaultCase& c = GetParam();
    CSimFaults faults;
    ASSERT_TRUE(faults.Set(c.fault));
    StartSim(faults);
    WriteFile(transfer.Path(), TransferText(sim.GetImage(), 31));
    const uint64_t start = clock.NowMs();
    int result = c.run == CCloneLink::kRunInfo ? link.CloneInfo()
        : c.run == CCloneLink::kRunRead         ? link.CloneIn()
                                                : link.CloneOut();
    EXPECT_EQ(c.expected, result);
    EXPECT_FALSE(link.IsOpen());
    if (c.lines >= 0) {
        std::vector<std::string> lines = ReadLines(transfer.Path());
        ASSERT_EQ(size_t(c.lines), lines.size());
        EXPECT_EQ("22700101", lines[0]);
        if (c.lines > 2) {
            EXPECT_EQ(RecordLine(sim.GetImage(), 0x10 + 16 * (c.lines - 3)), lines.back());
        }
    }
    // Beyond the fixed waits, a silent line is waited on for 2 to 3 seconds.
    if (c.silent) {
        const uint64_t waited = clock.NowMs() - start - Slept();
        EXPECT_GT(waited, 2000u);
        EXPECT_LE(waited, 3000u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneLinkFaultTest,
    ::testing::Values(FaultCase{"InfoSilence", "silence", CCloneLink::kRunInfo, 77, -1, true},
                      FaultCase{"InfoNoCable", "no-cable", CCloneLink::kRunInfo, 77, -1, true},
                      FaultCase{"InfoBadComment", "bad-comment", CCloneLink::kRunInfo, 77, -1, false},
                      FaultCase{"InfoWrongModelIsAnAnswer", "wrong-model", CCloneLink::kRunInfo, 0, -1, false},
                      FaultCase{"ReadSilence", "silence", CCloneLink::kRunRead, 77, 2, true},
                      FaultCase{"ReadBadChecksum", "bad-checksum=5", CCloneLink::kRunRead, 77, 6, false},
                      FaultCase{"ReadBadEnd", "bad-end", CCloneLink::kRunRead, 77, 33, false},
                      FaultCase{"ReadStall", "stall=10", CCloneLink::kRunRead, 77, 12, false},
                      FaultCase{"ReadTooFewEndsProperly", "too-few=20", CCloneLink::kRunRead, 0, 22, false},
                      FaultCase{"WriteRefused", "refuse-write", CCloneLink::kRunWrite, 77, -1, false},
                      FaultCase{"WriteStall", "stall=3", CCloneLink::kRunWrite, 77, -1, false},
                      FaultCase{"WriteNoCable", "no-cable", CCloneLink::kRunWrite, 77, -1, true}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(CloneLinkTest, CancelEndsTheReadAndFreesThePort)
{
    StartSim();
    host.cancelAtPercent = 20;

    EXPECT_EQ(1, link.CloneIn());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ((std::vector<std::string>{"progress 20", "cancel", "sleep 500", "progress-destroy"}),
              std::vector<std::string>(host.events.end() - 4, host.events.end()));
    CCommPort other;
    EXPECT_TRUE(other.Open(sim.GetDevicePath(), 9600));
}

TEST_F(CloneLinkTest, PortThatCannotBeOpenedGives91WithoutSending)
{
    StartSim();
    WriteFile(transfer.Path(), TransferText(sim.GetImage(), 31));
    {
        CCommPort holder; // another program has the port
        ASSERT_TRUE(holder.Open(sim.GetDevicePath(), 9600));
        EXPECT_EQ(91, link.CloneIn());
        EXPECT_EQ(91, link.CloneInfo());
    }
    link.SetPortDevice(2, "/dev/pwr-no-such-port");
    link.SetPortNumber(2);
    EXPECT_EQ(91, link.CloneOut());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    // The progress windows were made and taken away again, without waits.
    EXPECT_EQ((std::vector<std::string>{"status: Now reading <- TR", "progress-create: Cloning",
                                        "progress-destroy", "status: Now writing -> TR",
                                        "progress-create: Cloning", "progress-destroy"}),
              host.events);
    // Once the other program is gone the port is usable again.
    link.SetPortNumber(1);
    EXPECT_EQ(0, link.CloneInfo());
}

TEST_F(CloneLinkTest, TransferFileProblemsSendNothing)
{
    StartSim();
    for (const char* text : {"", "2270010\n#\n", "\n22700101\n"}) {
        WriteFile(transfer.Path(), text);
        EXPECT_EQ(80, link.CloneOut()) << text;
        EXPECT_FALSE(link.HasTransferFileFailed());
    }
    link.SetTransferFile("/nonexistent-dir/transfer.cl");
    EXPECT_EQ(77, link.CloneIn());
    EXPECT_TRUE(link.HasTransferFileFailed());
    EXPECT_EQ(77, link.CloneOut());
    EXPECT_TRUE(link.HasTransferFileFailed());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}

TEST_F(CloneLinkTest, SignalResultPlaysTheTwoTunes)
{
    link.SignalResult(true);
    EXPECT_EQ((std::vector<std::string>{"beep 1000 50", "sleep 50", "beep 1000 50", "sleep 500"}),
              host.events);
    host.events.clear();
    link.SignalResult(false);
    EXPECT_EQ((std::vector<std::string>{"beep 500 400", "sleep 100", "beep 500 400", "sleep 100",
                                        "beep 500 400", "sleep 100", "beep 500 400", "sleep 500"}),
              host.events);
}
