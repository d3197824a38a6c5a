// The clone link's runs against the simulated transceiver on the fake clock (what goes over the
// line, what reaches the transfer file, every wait), and its checks of frames fed without a port.

#include <regex>

#include "clone_test_util.h"

using namespace clonetest;

namespace {

using CloneLinkTest = CCloneFixture<>;
constexpr uint16_t kInfo = CCloneLink::kRunInfo;
constexpr uint16_t kRead = CCloneLink::kRunRead;
constexpr uint16_t kWrite = CCloneLink::kRunWrite;

const char kOneRecord[] = "22700101\r\n#COMMENT\r\n00100141\r\n";

// The link with its protocol engine opened up; its port stays closed, so what it sends goes
// nowhere and the test plays both the echo and the transceiver.
class CFrameLink : public CCloneLink {
public:
    using CCloneLink::CCloneLink;
    using CCloneLink::GetPercentage;
    using CCloneLink::PrepareRead;
    using CCloneLink::PrepareWrite;

    int Run(uint16_t type, const Bytes& bytes)
    {
        EXPECT_EQ(0, type == kRunInfo ? 0 : type == kRunRead ? PrepareRead() : PrepareWrite());
        BeginRun(type);
        SendRequest(type);
        return Feed(bytes);
    }
    int Feed(const Bytes& bytes)
    {
        for (size_t i = 0; i < bytes.size() && GetResult() == 0; ++i)
            if (ReceiveByte(bytes[i]))
                DispatchFrame();
        return GetResult();
    }
};

const Bytes kInfoEcho = Echo({0xE0, 0, 0, 0, 0});
const Bytes kReadEcho = Echo({0xE2, 0x22, 0x70, 0x01, 0x01});
const Bytes kAnswer = Radio({0xE1, 0x22, 0x70, 0x01, 0x02, 'A', 0xEF}); // 0xEF: the highest allowed
// The record 00100141 (address 0x0010, one byte 0x41) with its checksum 0xAE.
const Bytes kRecord = Radio({0xE4}, "00100141AE");
// A write of the one line 00100141, up to the echo of its end frame.
const Bytes kWriteEcho = Echo({0xE3, 0x22, 0x70, 0x01, 0x01});
const Bytes kWriteEchoes = kWriteEcho + Echo({0xE4}, "00100141AE") + Echo({0xE5}, "Vexa Inc.");

struct FrameCase {
    const char* name;
    uint16_t run;
    Bytes bytes;
    int result; // 0: the run goes on
};

// A failing case is reported by its name, not as a dump of its bytes.
void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.name; }

class CloneFramesTest : public CCloneFixture<CFrameLink>, public ::testing::WithParamInterface<FrameCase> {
protected:
    void SetUp() override { WriteFile(transfer.GetPath(), kOneRecord); }
};

} // namespace

TEST_F(CloneLinkTest, InformationRunTakesTheAnswerWithoutAProgressWindow)
{
    StartSim();
    EXPECT_EQ(0, link.CloneInfo()); // the identity and the comment: see the operations' tests
    EXPECT_EQ(16, link.GetInfo()->commentLength);
    EXPECT_EQ((Lines{"sleep 200", "sleep 200"}), host.events);
    EXPECT_EQ("E0 ", FrameCommands(sim));
}

TEST_F(CloneLinkTest, ReadRunWritesHeaderCommentAndAllRecords)
{
    StartSim();
    EXPECT_EQ(0, link.CloneIn());
    Lines lines = Records(sim.GetImage());
    lines.insert(lines.begin(), {"22700101", "#"});
    EXPECT_EQ(lines, ReadLines(transfer.GetPath()));
    Lines expected = {"status: Now reading <- TR", "progress-create: Cloning", "sleep 200",
                       "sleep 200"};
    for (int percent = 0; percent <= 100; percent += 10)
        expected.push_back("progress " + std::to_string(percent));
    expected.insert(expected.end(), {"sleep 500", "progress-destroy"});
    EXPECT_EQ(expected, host.events);
}

// Comment lines come between the records, and a blank line after the 30th ends the data.
TEST_F(CloneLinkTest, WriteRunSendsEachDataLinePacedByItsEcho)
{
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults);
    const CSimTransceiver::Image before = sim.GetImage();
    CSimTransceiver::Image image;
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    std::string text = "22700101\n#\n";
    for (unsigned i = 0; i < 30; ++i)
        text += RecordLine(image, 0x10 + 16 * i) + (i == 10 ? "\n# a note\n" : "\n");
    WriteFile(transfer.GetPath(), text + "   \n" + RecordLine(image, 0x1F0) + "\n");

    EXPECT_EQ(0, link.CloneOut());
    const auto frames = sim.GetReceivedFrames();
    EXPECT_TRUE(std::regex_match(FrameCommands(sim), std::regex("E3 (E4 ){30}E5 "))) << FrameCommands(sim);
    // The simulator takes records with the right checksum only, and the end frame "Vexa Inc.".
    EXPECT_EQ(1, sim.GetWriteCount());
    const CSimTransceiver::Image held = sim.GetImage();
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
    int result;
    int lines;   // lines of the transfer file after a read (header, "#", records); 0: not read
    bool silent; // the transceiver never answers: the run ends on the silence limit
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class CloneLinkFaultTest : public CloneLinkTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CloneLinkFaultTest, EndsWithTheExpectedResult)
{
    const FaultCase& c = GetParam();
    CSimFaults faults;
    ASSERT_TRUE(faults.Set(c.fault));
    StartSim(faults);
    WriteFile(transfer.GetPath(), kOneRecord);
    clock.onWait = [this] {
        if (clock.NowMs() > 10000)
            sim.Stop(); // a run kept alive so long is the fault itself: end it
    };
    const uint64_t start = clock.NowMs();
    EXPECT_EQ(c.result,
              c.run == kInfo ? link.CloneInfo() : c.run == kRead ? link.CloneIn() : link.CloneOut());
    EXPECT_FALSE(link.IsOpen());
    if (c.lines > 0) {
        const Lines lines = ReadLines(transfer.GetPath());
        ASSERT_EQ(size_t(c.lines), lines.size());
        const unsigned last = 0x10 + 16 * (c.lines - 3); // the last record kept
        EXPECT_EQ(c.lines > 2 ? RecordLine(sim.GetImage(), last) : "#", lines.back());
    }
    if (c.silent) {
        EXPECT_GT(clock.NowMs() - start - Slept(), 2000u);
        EXPECT_LE(clock.NowMs() - start - Slept(), 3000u);
    }
    EXPECT_TRUE(!faults.garbage || sim.GetLineBytes() > 2000u); // the line never fell silent
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneLinkFaultTest,
    ::testing::Values(FaultCase{"InfoSilence", "silence", kInfo, 77, 0, true},
                      FaultCase{"InfoNoCable", "no-cable", kInfo, 77, 0, true},
                      // Frames for another station and commands nobody answers keep no run alive.
                      FaultCase{"InfoGarbage", "garbage", kInfo, 77, 0, true},
                      FaultCase{"InfoBadComment", "bad-comment", kInfo, 77, 0, false},
                      FaultCase{"InfoWrongModelIsAnAnswer", "wrong-model", kInfo, 0, 0, false},
                      FaultCase{"ReadSilence", "silence", kRead, 77, 2, true},
                      FaultCase{"ReadBadChecksum", "bad-checksum=5", kRead, 77, 6, false},
                      FaultCase{"ReadBadEnd", "bad-end", kRead, 77, 33, false},
                      FaultCase{"ReadTooFewEndsProperly", "too-few=20", kRead, 0, 22, false},
                      FaultCase{"WriteNoCable", "no-cable", kWrite, 77, 0, true}),
    [](const ::testing::TestParamInfo<FaultCase>& test) { return std::string(test.param.name); });

TEST_P(CloneFramesTest, EndsWithTheExpectedResult)
{
    EXPECT_EQ(GetParam().result, link.Run(GetParam().run, GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CloneFramesTest,
    ::testing::Values(
        FrameCase{"InfoAnswer", kInfo, kInfoEcho + kAnswer, 2},
        FrameCase{"InfoTooShort", kInfo, kInfoEcho + Radio({0xE1, 0x22, 0x70, 0x01}), 80},
        FrameCase{"InfoEchoDiffers", kInfo, Echo({0xE0, 0, 0, 0, 1}), 80},
        FrameCase{"RecordInInfoRun", kInfo, kInfoEcho + kRecord, 80},
        FrameCase{"EndInInfoRun", kInfo, kInfoEcho + Radio({0xE5}, "Vexa Inc."), 80},
        // Frames for others, and commands nobody answers, are passed over.
        FrameCase{"IgnoredFrames", kInfo,
                  kInfoEcho + Frame(0, 0, {0xE5}) + Radio({0xE2}) + Echo({0xE6}) + kAnswer, 2},
        FrameCase{"SecondAddressMarksTheTransceiver", kInfo,
                  kInfoEcho + Frame(0x12, 0xEE, {0xE1, 0x22, 0x70, 1, 1}), 2},
        FrameCase{"PreambleRestartsTheFrame", kInfo,
                  kInfoEcho + Bytes{0xFE, 0xEF, 0xEE, 0xE1, 0x22} + kAnswer, 2},
        FrameCase{"RecordCount", kRead, kReadEcho + Radio({0xE4}, "00100241AD"), 80},
        FrameCase{"RecordEmpty", kRead, kReadEcho + Radio({0xE4}), 80},
        FrameCase{"RecordLowerCase", kRead, kReadEcho + Radio({0xE4}, "00100141ae"), 80},
        FrameCase{"EndShort", kRead, kReadEcho + Radio({0xE5}, "Vexa Inc"), 80},
        FrameCase{"EndLong", kRead, kReadEcho + Radio({0xE5}, "Vexa Inc.."), 80},
        FrameCase{"WriteResultInReadRun", kRead, kReadEcho + Radio({0xE6, 0x00}), 80},
        FrameCase{"WriteAccepted", kWrite, kWriteEchoes + Radio({0xE6, 0x00}), 2},
        FrameCase{"WriteResultEmpty", kWrite, kWriteEchoes + Radio({0xE6}), 80},
        FrameCase{"WriteResultBeforeTheEnd", kWrite,
                  kWriteEcho + Echo({0xE4}, "00100141AE") + Radio({0xE6, 0}), 80},
        // The echo of a data frame must match what was sent, its checksum included.
        FrameCase{"DataEchoDiffers", kWrite, kWriteEcho + Echo({0xE4}, "00100141AF"), 80}),
    [](const ::testing::TestParamInfo<FrameCase>& test) { return std::string(test.param.name); });

using CloneFramesDetailTest = CloneFramesTest;

TEST_F(CloneFramesDetailTest, LongFramesTransferFilesAndProgress)
{
    // A frame longer than the receive buffer keeps its first 255 bytes: the comment has 248.
    Bytes longAnswer = {0xE1, 0x22, 0x70, 0x01, 0x01};
    longAnswer.resize(400, 'C');
    ASSERT_EQ(2, link.Run(kInfo, kInfoEcho + Radio(longAnswer)));
    EXPECT_EQ(248, link.GetInfo()->commentLength);

    // A write needs a transfer file whose first line has 8 characters or more.
    for (const char* text : {"", "2270010\n#\n", "\n22700101\n"}) {
        WriteFile(transfer.GetPath(), text);
        EXPECT_EQ(80, link.CloneOut()) << text;
    }
    EXPECT_FALSE(link.HasTransferFileFailed());
    link.SetTransferFile("/nonexistent-dir/transfer.cl");
    EXPECT_TRUE(link.PrepareRead() == 77 && link.HasTransferFileFailed());
    EXPECT_TRUE(link.PrepareWrite() == 77 && link.HasTransferFileFailed());
    link.SetTransferFile(transfer.GetPath());

    // The progress of a read counts records towards 31, rounded down to tens.
    ASSERT_EQ(0, link.Run(kRead, kReadEcho));
    std::vector<int> seen;
    for (int i = 0; i < 31; ++i) {
        link.Feed(kRecord);
        seen.push_back(link.GetPercentage());
    }
    EXPECT_EQ((std::vector<int>{0, 10, 90, 100}),
              (std::vector<int>{seen[1], seen[3], seen[29], seen[30]}));
}
