// The link's reception and dispatch of frames, fed byte by byte without a port: the checks that
// decide whether a frame is accepted.

#include <string>
#include <vector>

#include "clone_test_util.h"

using namespace clonetest;

namespace {

// The link with its protocol engine opened up; its port stays closed, so what it sends goes
// nowhere and the test plays both the echo and the transceiver.
class CFrameLink : public CCloneLink {
public:
    using CCloneLink::CCloneLink;
    using CCloneLink::BeginRun;
    using CCloneLink::GetPercentage;
    using CCloneLink::GetResult;
    using CCloneLink::MapResult;
    using CCloneLink::PrepareRead;
    using CCloneLink::PrepareWrite;
    using CCloneLink::CloseTransferFile;
    using CCloneLink::SendRequest;

    // Feeds raw bytes; stops at the first result.
    void Feed(const std::vector<uint8_t>& bytes)
    {
        for (uint8_t b : bytes) {
            if (ReceiveByte(b))
                DispatchFrame();
            if (GetResult() != 0)
                return;
        }
    }
};

std::vector<uint8_t> Frame(uint8_t a1, uint8_t a2, const std::vector<uint8_t>& body)
{
    std::vector<uint8_t> f = {0xFE, 0xFE, a1, a2};
    f.insert(f.end(), body.begin(), body.end());
    f.push_back(0xFD);
    return f;
}

std::vector<uint8_t> Echo(const std::vector<uint8_t>& body)
{
    return Frame(0xEE, 0xEF, body);
}

std::vector<uint8_t> Radio(const std::vector<uint8_t>& body)
{
    return Frame(0xEF, 0xEE, body);
}

std::vector<uint8_t> Radio(uint8_t command, const std::string& text)
{
    std::vector<uint8_t> body = {command};
    body.insert(body.end(), text.begin(), text.end());
    return Radio(body);
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<uint8_t> kInfoEcho = Echo({0xE0, 0, 0, 0, 0});
const std::vector<uint8_t> kReadEcho = Echo({0xE2, 0x22, 0x70, 0x01, 0x01});

class CloneFramesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.realSleep = false;
        link.SetModelCode(0x2270);
        link.SetRevision(0x0101);
        link.SetExpectedFrames(31);
        link.SetTransferFile(transfer.Path());
    }

    int RunRead(const std::vector<uint8_t>& bytes)
    {
        EXPECT_EQ(0, link.PrepareRead());
        link.BeginRun(CCloneLink::kRunRead);
        link.SendRequest(CCloneLink::kRunRead);
        link.Feed(bytes);
        return link.GetResult();
    }

    int RunInfo(const std::vector<uint8_t>& bytes)
    {
        link.BeginRun(CCloneLink::kRunInfo);
        link.SendRequest(CCloneLink::kRunInfo);
        link.Feed(bytes);
        return link.GetResult();
    }

    CRecordingCloneHost host;
    CScratchFile transfer{".cl"};
    CFrameLink link{host};
};

} // namespace

TEST_F(CloneFramesTest, InformationAnswerChecks)
{
    const std::vector<uint8_t> good = Radio({0xE1, 0x22, 0x70, 0x01, 0x02, 'A', 0xEF});
    EXPECT_EQ(2, RunInfo(kInfoEcho + good));
    EXPECT_EQ(0x0102, link.GetInfo()->revision);
    EXPECT_EQ(2, link.GetInfo()->commentLength);
    EXPECT_EQ(0xEF, link.GetInfo()->comment[1]);

    EXPECT_EQ(80, RunInfo(kInfoEcho + Radio({0xE1, 0x22, 0x70, 0x01})));           // too short
    EXPECT_EQ(80, RunInfo(kInfoEcho + Radio({0xE1, 0x22, 0x70, 0x01, 0x01, 0xF0}))); // comment byte
    EXPECT_EQ(80, RunInfo(Echo({0xE0, 0, 0, 0, 1})));                               // echo differs
    EXPECT_EQ(80, RunInfo(kInfoEcho + Radio(0xE4, "00101000")));                    // data in info run
    // Frames that are neither echo nor from the transceiver are ignored, and so are commands the
    // transceiver does not send.
    EXPECT_EQ(2, RunInfo(kInfoEcho + Frame(0x00, 0x00, {0xE5}) + Radio({0xE2}) + good));
    EXPECT_EQ(2, RunInfo(kInfoEcho + Frame(0x12, 0xEE, {0xE1, 0x22, 0x70, 0x01, 0x01})));
}

TEST_F(CloneFramesTest, ReceptionRestartsAtPreambleAndKeepsAtMost255Bytes)
{
    // A frame broken off by a new preamble is forgotten.
    std::vector<uint8_t> broken = {0xFE, 0xEF, 0xEE, 0xE1, 0x22};
    EXPECT_EQ(2, RunInfo(kInfoEcho + broken + Radio({0xE1, 0x22, 0x70, 0x01, 0x01})));
    // A frame longer than the receive buffer keeps its first 255 bytes: the comment has 248.
    std::vector<uint8_t> longAnswer = {0xE1, 0x22, 0x70, 0x01, 0x01};
    longAnswer.resize(400, 'C');
    EXPECT_EQ(2, RunInfo(kInfoEcho + Radio(longAnswer)));
    EXPECT_EQ(248, link.GetInfo()->commentLength);
}

TEST_F(CloneFramesTest, DataRecordChecks)
{
    // Address 0x0010, one byte 0x41: 00+10+01+41 = 0x52, checksum 0xAE.
    EXPECT_EQ(0, RunRead(kReadEcho + Radio(0xE4, "00100141AE")));
    link.CloseTransferFile();
    EXPECT_EQ((std::vector<std::string>{"22700101", "#", "00100141"}), ReadLines(transfer.Path()));
    EXPECT_EQ(80, RunRead(kReadEcho + Radio(0xE4, "00100141AF")));   // checksum
    EXPECT_EQ(80, RunRead(kReadEcho + Radio(0xE4, "00100241AD")));   // count says two bytes
    EXPECT_EQ(80, RunRead(kReadEcho + Radio(0xE4, "")));             // nothing
    EXPECT_EQ(80, RunRead(kReadEcho + Radio(0xE4, "00100141ae")));   // lower case decodes as 0
    EXPECT_EQ(80, RunInfo(kInfoEcho + Radio(0xE4, "00100141AE")));   // not in an information run
}

TEST_F(CloneFramesTest, EndFrameMustReadExactly)
{
    EXPECT_EQ(2, RunRead(kReadEcho + Radio(0xE5, "Vexa Inc.")));
    EXPECT_EQ(100, link.GetPercentage());
    for (const char* text : {"Vexa Inc,", "Vexa Inc", "Vexa Inc.."})
        EXPECT_EQ(80, RunRead(kReadEcho + Radio(0xE5, text))) << text;
}

TEST_F(CloneFramesTest, ReadProgressMovesInTensTowardsTheExpectedRecords)
{
    RunRead(kReadEcho);
    std::vector<int> seen;
    for (int i = 0; i < 31; ++i) {
        link.Feed(Radio(0xE4, "00100141AE"));
        seen.push_back(link.GetPercentage());
    }
    EXPECT_EQ(0, seen[1]);   // 2 of 31: 6 %
    EXPECT_EQ(10, seen[3]);  // 4 of 31: 12 %
    EXPECT_EQ(90, seen[29]); // 30 of 31: 96 %
    EXPECT_EQ(100, seen[30]);
}

TEST_F(CloneFramesTest, WriteResultIsValidOnlyAfterTheEndEcho)
{
    WriteText(transfer.Path(), "22700101\n#\n00100141\n");
    const std::vector<uint8_t> writeEcho = Echo({0xE3, 0x22, 0x70, 0x01, 0x01});
    const std::vector<uint8_t> dataEcho = Echo({0xE4, '0', '0', '1', '0', '0', '1', '4', '1', 'A', 'E'});
    std::vector<uint8_t> endEcho = {0xE5};
    endEcho.insert(endEcho.end(), {'V', 'e', 'x', 'a', ' ', 'I', 'n', 'c', '.'});

    auto run = [&](const std::vector<uint8_t>& bytes) {
        EXPECT_EQ(0, link.PrepareWrite());
        link.BeginRun(CCloneLink::kRunWrite);
        link.SendRequest(CCloneLink::kRunWrite);
        link.Feed(bytes);
        return link.GetResult();
    };
    EXPECT_EQ(2, run(writeEcho + dataEcho + Echo(endEcho) + Radio({0xE6, 0x00})));
    EXPECT_EQ(80, run(writeEcho + dataEcho + Echo(endEcho) + Radio({0xE6, 0x01})));
    EXPECT_EQ(80, run(writeEcho + dataEcho + Echo(endEcho) + Radio({0xE6})));
    EXPECT_EQ(80, run(writeEcho + dataEcho + Radio({0xE6, 0x00})));  // before the end
    // The echo of the data frame must match what was sent (its checksum included).
    EXPECT_EQ(80, run(writeEcho + Echo({0xE4, '0', '0', '1', '0', '0', '1', '4', '1', 'A', 'F'})));
    // 200 ms pass between the request's echo and the first record.
    EXPECT_EQ(5u, host.Find("sleep 200").size());
}

TEST(CloneLinkResults, InternalResultsMapToWhatCallersSee)
{
    struct CFrameLinkMap : CCloneLink {
        using CCloneLink::MapResult;
    };
    const std::pair<int, int> table[] = {{0, 0}, {1, 1}, {2, 0}, {80, 77}, {81, 77}, {82, 77},
                                         {3, 77}, {-1, 77}};
    for (auto [in, out] : table)
        EXPECT_EQ(out, CFrameLinkMap::MapResult(in)) << in;
}

namespace {

// A line that never falls silent: frames for another station and commands nobody answers,
// without end. The port is replaced; the clock is the host's, running 20 times faster.
class CBabblingLink : public CCloneLink {
public:
    using CCloneLink::CCloneLink;
    static constexpr size_t kGiveUp = 4000000; // bytes; far more than a time-out lets through

    bool Open(const std::string&, unsigned) override { return true; }
    void Close() override {}
    bool Write(const uint8_t*, size_t) override { return true; }
    bool Read(uint8_t* buffer, size_t, size_t* count) override
    {
        static const uint8_t kBabble[] = {0xFE, 0xFE, 0x12, 0x34, 0xE1, 0x22, 0xFD,  // another station
                                          0xFE, 0xFE, 0xEF, 0xEE, 0xE0, 0xFD,        // nobody answers E0
                                          0xFE, 0xFE, 0xEE, 0xEF, 0xE6, 0xFD};       // echo of nothing
        if (served >= kGiveUp)
            return false;
        buffer[0] = kBabble[served++ % sizeof kBabble];
        *count = 1;
        return true;
    }
    size_t served = 0;
};

} // namespace

TEST(CloneLinkSilence, FramesTheRunIgnoresDoNotKeepItAlive)
{
    CRecordingCloneHost host;
    host.realSleep = false;
    host.clockScale = 20;
    CBabblingLink link(host);
    EXPECT_EQ(77, link.CloneInfo());
    EXPECT_LT(link.served, CBabblingLink::kGiveUp);
}
