// The link's reception and dispatch of frames, fed byte by byte without a port: the checks that
// decide whether a frame is accepted.

#include "clone_test_util.h"

using namespace clonetest;

namespace {

// The link with its protocol engine opened up; its port stays closed, so what it sends goes
// nowhere and the test plays both the echo and the transceiver.
class CFrameLink : public CCloneLink {
public:
    using CCloneLink::CCloneLink;
    using CCloneLink::BeginRun;
    using CCloneLink::CloseTransferFile;
    using CCloneLink::GetPercentage;
    using CCloneLink::GetResult;
    using CCloneLink::PrepareRead;
    using CCloneLink::PrepareWrite;
    using CCloneLink::SendRequest;

    // Feeds raw bytes; stops at the first result.
    void Feed(const Bytes& bytes)
    {
        for (uint8_t b : bytes) {
            if (ReceiveByte(b))
                DispatchFrame();
            if (GetResult() != 0)
                return;
        }
    }
};

Bytes Frame(uint8_t a1, uint8_t a2, const Bytes& body)
{
    Bytes f = {0xFE, 0xFE, a1, a2};
    f.insert(f.end(), body.begin(), body.end());
    f.push_back(0xFD);
    return f;
}

Bytes Echo(const Bytes& body) { return Frame(0xEE, 0xEF, body); }
Bytes Radio(const Bytes& body) { return Frame(0xEF, 0xEE, body); }
Bytes Text(uint8_t command, const std::string& text)
{
    Bytes body = {command};
    for (char c : text)
        body.push_back(static_cast<uint8_t>(c));
    return body;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr uint16_t kInfo = CCloneLink::kRunInfo;
constexpr uint16_t kRead = CCloneLink::kRunRead;
constexpr uint16_t kWrite = CCloneLink::kRunWrite;

const Bytes kInfoEcho = Echo({0xE0, 0, 0, 0, 0});
const Bytes kReadEcho = Echo({0xE2, 0x22, 0x70, 0x01, 0x01});
const Bytes kAnswer = Radio({0xE1, 0x22, 0x70, 0x01, 0x02, 'A', 0xEF});
// A write of the one line 00100141 (address 0x0010, one byte 0x41; checksum 0xAE) up to the
// echo of its end frame.
const Bytes kWriteRequestEcho = Echo({0xE3, 0x22, 0x70, 0x01, 0x01});
const Bytes kWriteEchoes =
    kWriteRequestEcho + Echo(Text(0xE4, "00100141AE")) + Echo(Text(0xE5, "Vexa Inc."));

struct FrameCase {
    const char* name;
    uint16_t run;
    Bytes bytes;
    int result; // 0: the run goes on
};

class CloneFramesTest : public CCloneFixture<CFrameLink>,
                        public ::testing::WithParamInterface<FrameCase> {
protected:
    int Run(uint16_t run, const Bytes& bytes)
    {
        WriteFile(transfer.Path(), "22700101\n#\n00100141\n");
        EXPECT_EQ(0, run == kRead ? link.PrepareRead() : run == kWrite ? link.PrepareWrite() : 0);
        link.BeginRun(run);
        link.SendRequest(run);
        link.Feed(bytes);
        return link.GetResult();
    }
};

} // namespace

TEST_P(CloneFramesTest, EndsWithTheExpectedResult)
{
    EXPECT_EQ(GetParam().result, Run(GetParam().run, GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Frames, CloneFramesTest,
    ::testing::Values(
        FrameCase{"InfoAnswer", kInfo, kInfoEcho + kAnswer, 2},
        FrameCase{"InfoTooShort", kInfo, kInfoEcho + Radio({0xE1, 0x22, 0x70, 0x01}), 80},
        FrameCase{"InfoCommentF0", kInfo, kInfoEcho + Radio({0xE1, 0x22, 0x70, 1, 1, 0xF0}), 80},
        FrameCase{"InfoEchoDiffers", kInfo, Echo({0xE0, 0, 0, 0, 1}), 80},
        FrameCase{"RecordInInfoRun", kInfo, kInfoEcho + Radio(Text(0xE4, "00100141AE")), 80},
        FrameCase{"EndInInfoRun", kInfo, kInfoEcho + Radio(Text(0xE5, "Vexa Inc.")), 80},
        // Frames for others, and commands nobody answers, are passed over.
        FrameCase{"IgnoredFrames", kInfo,
                  kInfoEcho + Frame(0, 0, {0xE5}) + Radio({0xE2}) + Echo({0xE6}) + kAnswer, 2},
        FrameCase{"SecondAddressMarksTheTransceiver", kInfo,
                  kInfoEcho + Frame(0x12, 0xEE, {0xE1, 0x22, 0x70, 0x01, 0x01}), 2},
        FrameCase{"PreambleRestartsTheFrame", kInfo,
                  kInfoEcho + Bytes{0xFE, 0xEF, 0xEE, 0xE1, 0x22} + kAnswer, 2},
        FrameCase{"Record", kRead, kReadEcho + Radio(Text(0xE4, "00100141AE")), 0},
        FrameCase{"RecordChecksum", kRead, kReadEcho + Radio(Text(0xE4, "00100141AF")), 80},
        FrameCase{"RecordCount", kRead, kReadEcho + Radio(Text(0xE4, "00100241AD")), 80},
        FrameCase{"RecordEmpty", kRead, kReadEcho + Radio({0xE4}), 80},
        FrameCase{"RecordLowerCase", kRead, kReadEcho + Radio(Text(0xE4, "00100141ae")), 80},
        FrameCase{"End", kRead, kReadEcho + Radio(Text(0xE5, "Vexa Inc.")), 2},
        FrameCase{"EndComma", kRead, kReadEcho + Radio(Text(0xE5, "Vexa Inc,")), 80},
        FrameCase{"EndShort", kRead, kReadEcho + Radio(Text(0xE5, "Vexa Inc")), 80},
        FrameCase{"EndLong", kRead, kReadEcho + Radio(Text(0xE5, "Vexa Inc..")), 80},
        FrameCase{"WriteResultInReadRun", kRead, kReadEcho + Radio({0xE6, 0x00}), 80},
        FrameCase{"WriteAccepted", kWrite, kWriteEchoes + Radio({0xE6, 0x00}), 2},
        FrameCase{"WriteRefused", kWrite, kWriteEchoes + Radio({0xE6, 0x01}), 80},
        FrameCase{"WriteResultEmpty", kWrite, kWriteEchoes + Radio({0xE6}), 80},
        FrameCase{"WriteResultBeforeTheEnd", kWrite,
                  kWriteRequestEcho + Echo(Text(0xE4, "00100141AE")) + Radio({0xE6, 0x00}), 80},
        // The echo of a data frame must match what was sent, its checksum included.
        FrameCase{"DataEchoDiffers", kWrite,
                  kWriteRequestEcho + Echo(Text(0xE4, "00100141AF")), 80}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

using CloneFramesDetailTest = CloneFramesTest;

TEST_F(CloneFramesDetailTest, InformationAnswerFillsTheTransceiverInformation)
{
    ASSERT_EQ(2, Run(kInfo, kInfoEcho + kAnswer));
    EXPECT_EQ(0x2270, link.GetInfo()->modelCode);
    EXPECT_EQ(0x0102, link.GetInfo()->revision);
    EXPECT_EQ(2, link.GetInfo()->commentLength);
    EXPECT_EQ(0xEF, link.GetInfo()->comment[1]);
    // A frame longer than the receive buffer keeps its first 255 bytes: the comment has 248.
    Bytes longAnswer = {0xE1, 0x22, 0x70, 0x01, 0x01};
    longAnswer.resize(400, 'C');
    ASSERT_EQ(2, Run(kInfo, kInfoEcho + Radio(longAnswer)));
    EXPECT_EQ(248, link.GetInfo()->commentLength);
}

TEST_F(CloneFramesDetailTest, RecordsBecomeLinesAndMoveTheProgressInTens)
{
    ASSERT_EQ(0, Run(kRead, kReadEcho));
    std::vector<int> seen;
    for (int i = 0; i < 31; ++i) {
        link.Feed(Radio(Text(0xE4, "00100141AE")));
        seen.push_back(link.GetPercentage());
    }
    EXPECT_EQ(0, seen[1]);   // 2 of 31: 6 %
    EXPECT_EQ(10, seen[3]);  // 4 of 31: 12 %
    EXPECT_EQ(90, seen[29]); // 30 of 31: 96 %
    EXPECT_EQ(100, seen[30]);
    link.CloseTransferFile();
    std::vector<std::string> lines = ReadLines(transfer.Path());
    ASSERT_EQ(33u, lines.size());
    EXPECT_EQ((std::vector<std::string>{"22700101", "#", "00100141"}),
              std::vector<std::string>(lines.begin(), lines.begin() + 3));
}

namespace {

// A line that never falls silent: frames for another station and commands nobody answers,
// without end, at one byte per millisecond.
class CBabblingLink : public CCloneLink {
public:
    CBabblingLink(CCloneHost& host, CFakeCloneClock& clock) : CCloneLink(host, clock), m_clock(clock) {}
    static constexpr size_t kGiveUp = 10000; // bytes; far more than a time-out lets through

    bool Open(const std::string&, unsigned) override { return true; }
    void Close() override {}
    bool Write(const uint8_t*, size_t) override { return true; }
    bool Read(uint8_t* buffer, size_t, size_t* count) override
    {
        static const uint8_t kBabble[] = {0xFE, 0xFE, 0x12, 0x34, 0xE1, 0x22, 0xFD, // another station
                                          0xFE, 0xFE, 0xEF, 0xEE, 0xE0, 0xFD,       // nobody answers E0
                                          0xFE, 0xFE, 0xEE, 0xEF, 0xE6, 0xFD};      // echo of nothing
        if (served >= kGiveUp)
            return false;
        buffer[0] = kBabble[served++ % sizeof kBabble];
        *count = 1;
        m_clock.Advance(1);
        return true;
    }
    size_t served = 0;

private:
    CFakeCloneClock& m_clock;
};

} // namespace

TEST(CloneLinkSilence, FramesTheRunIgnoresDoNotKeepItAlive)
{
    CRecordingCloneHost host;
    CFakeCloneClock clock;
    CBabblingLink link(host, clock);
    EXPECT_EQ(77, link.CloneInfo());
    EXPECT_GT(link.served, 2500u);
    EXPECT_LE(link.served, 3000u);
}
