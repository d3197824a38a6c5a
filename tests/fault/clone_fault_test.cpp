// Clone runs that go wrong on the way: no transfer file, a full disk under the transfer file,
// the cable pulled half-way, a transceiver that floods the line with junk, and the port that
// disappears during a run. The real serial code runs against the simulated transceiver on a
// pseudo-terminal. Every case must end with the right result and texts, and lose nothing: the
// document keeps its data after a failed read, the transceiver its memory after a failed write.

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <ostream>

#include <gtest/gtest.h>

#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "clone/recording_clone_host.h"
#include "fault_util.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "sim/sim_transceiver.h"

namespace fs = std::filesystem;
using namespace faulttest;

namespace {

const char kStatusReading[] = "status: Now reading <- TR";
const char kStatusWriting[] = "status: Now writing -> TR";
const char kStatusReadFailed[] = "status: Err: Cannot read cloning data.";
const char kStatusWriteFailed[] = "status: Err: Cannot write cloning data.";
const char kStatusIllegalInfo[] = "status: Err: Illegal information.";
const char kBoxCheckSoftware[] =
    "box!: Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable "
    "connections.\r\n - Appropriate cloning software for the transceiver is being used.\r\n - "
    "The revision number of the transceiver.\n";
const char kBoxTransferFile[] =
    "box!: The temporary file for the cloning data cannot be created or opened.\n\n Check the "
    "free space and the permissions of the temporary folder.";

// The same boxes as the command-line tool prints them.
const char kToolCheckSoftware[] =
    "Check the following:\n\n- The RS-232C port settings.\n- Cloning cable connections.\n"
    "- Appropriate cloning software for the transceiver is being used.\n"
    "- The revision number of the transceiver.\n";
const char kToolTransferFile[] =
    "The temporary file for the cloning data cannot be created or opened.\n\n"
    "Check the free space and the permissions of the temporary folder.\n";

const uint8_t kRequestInfo = 0xE0;

// A host that can take the port away once a run's progress reaches a given percentage.
class CFaultHost : public CRecordingCloneHost {
public:
    std::function<void()> atProgress;
    int atPercent = 30;

    void SetProgressPos(int percent) override
    {
        CRecordingCloneHost::SetProgressPos(percent);
        if (atProgress && percent >= atPercent) {
            auto action = std::move(atProgress);
            atProgress = nullptr;
            action();
        }
    }
};

class CloneFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        radio.ResetData();
        host.realSleep = false;
        host.clockScale = 5; // the 2.5 s silence limit passes in half a second
        // The transceiver holds other data than the document, so a read or write that got
        // through would show.
        CSimTransceiver::Image image = sim.GetImage();
        for (size_t i = 0x0100; i < 0x0140; ++i)
            image[i] = static_cast<uint8_t>(image[i] ^ 0x11);
        sim.SetImage(image);
    }

    void Start(const CSimFaults& faults, std::unique_ptr<CTempFile> file = nullptr)
    {
        sim.SetFaults(faults);
        ASSERT_TRUE(sim.Start());
        link.SetPortDevice(1, sim.GetDevicePath());
        link.SetPortNumber(1);
        transfer = file ? std::move(file) : std::make_unique<CTempFile>("cl");
        operations = std::make_unique<CCloneOperations>(radio, link, host, *transfer);
    }

    // The document's data as a clone data file, taken without touching its edit state.
    std::string Data()
    {
        std::string path = scratch.In("data.qrb");
        EXPECT_TRUE(radio.SaveToFile(path));
        return ReadFile(path);
    }

    // Runs a clone operation; a run that does not end by itself is a failure, and the
    // simulated transceiver is then switched off so that the test ends.
    int Guarded(std::function<int()> operation)
    {
        auto done = std::async(std::launch::async, std::move(operation));
        if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the clone run did not end";
            sim.Stop();
        }
        return done.get();
    }

    size_t FailureBeeps() const
    {
        size_t n = 0;
        for (const std::string& e : host.Find("beep "))
            n += e == "beep 500 400";
        return n;
    }

    CScratchDir scratch;
    CFaultHost host;
    CSimTransceiver sim;
    CR455Radio radio;
    CCloneLink link{host};
    std::unique_ptr<CTempFile> transfer;
    std::unique_ptr<CCloneOperations> operations;
};

// Without a transfer file nothing may go to the transceiver at all.
TEST_F(CloneFaultTest, TransferFileThatCannotBeCreated)
{
    std::unique_ptr<CTempFile> none;
    {
        CEnvOverride tmp("TMPDIR", scratch.In("no-such-folder"));
        none = std::make_unique<CTempFile>("cl");
    }
    ASSERT_FALSE(none->IsValid());
    Start(CSimFaults(), std::move(none));
    const std::string before = Data();
    const CSimTransceiver::Image memory = sim.GetImage();

    EXPECT_EQ(operations->Read(), 77);
    EXPECT_EQ(host.Find("status:"), std::vector<std::string>{kStatusReadFailed});
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxTransferFile});
    host.events.clear();
    EXPECT_EQ(operations->Write(), 77);
    EXPECT_EQ(host.Find("status:"), std::vector<std::string>{kStatusWriteFailed});
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxTransferFile});
    EXPECT_EQ(FailureBeeps(), 4u);

    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    EXPECT_EQ(Data(), before);
    EXPECT_EQ(sim.GetImage(), memory);
}

// The transfer file was made, but something took its place before the read: the identity
// check may run, the read itself must not start.
TEST_F(CloneFaultTest, TransferFileThatCannotBeOpened)
{
    Start(CSimFaults());
    const std::string before = Data();
    fs::remove(transfer->GetPath());
    fs::create_directory(transfer->GetPath());

    EXPECT_EQ(operations->Read(), 77);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusReading, kStatusReadFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxTransferFile});
    std::vector<CSimTransceiver::ReceivedFrame> frames = sim.GetReceivedFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].bytes.at(2), kRequestInfo);
    EXPECT_EQ(Data(), before);
}

// The disk fills while the transceiver's records are written to the transfer file: the part
// that arrived must not be taken for the transceiver's data.
TEST_F(CloneFaultTest, DiskFullUnderTheTransferFile)
{
    Start(CSimFaults());
    const std::string before = Data();
    int result;
    {
        CFileSizeLimit full(400);
        result = operations->Read();
    }
    EXPECT_EQ(result, 77);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusReading, kStatusReadFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxTransferFile});
    EXPECT_EQ(Data(), before);

    // A full disk before a write: the data cannot be prepared, so the write request is never
    // sent and the transceiver keeps its memory.
    host.events.clear();
    sim.ClearReceivedFrames();
    const CSimTransceiver::Image memory = sim.GetImage();
    {
        CFileSizeLimit full(400);
        result = operations->Write();
    }
    EXPECT_EQ(result, 77);
    EXPECT_EQ(host.Find("status:"), std::vector<std::string>{kStatusWriteFailed});
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxTransferFile});
    for (const auto& frame : sim.GetReceivedFrames())
        EXPECT_EQ(frame.bytes.at(2), kRequestInfo);
    EXPECT_EQ(sim.GetImage(), memory);
    EXPECT_EQ(sim.GetWriteCount(), 0);
}

// The control case of the read faults: without a fault the read does replace the data.
TEST_F(CloneFaultTest, ReadWithoutFaultReplacesTheData)
{
    Start(CSimFaults());
    const std::string before = Data();
    EXPECT_EQ(operations->Read(), 0);
    EXPECT_NE(Data(), before);
}

TEST_F(CloneFaultTest, CablePulledDuringRead)
{
    CSimFaults faults;
    faults.stallAfter = 5;
    Start(faults);
    const std::string before = Data();

    EXPECT_EQ(operations->Read(), 77);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusReading, kStatusReadFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_EQ(FailureBeeps(), 4u);
    EXPECT_EQ(Data(), before);
    EXPECT_TRUE(host.Find("progress 100").empty());
}

TEST_F(CloneFaultTest, CablePulledDuringWrite)
{
    CSimFaults faults;
    faults.stallAfter = 5;
    Start(faults);
    const CSimTransceiver::Image memory = sim.GetImage();

    EXPECT_EQ(operations->Write(), 77);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusWriting, kStatusWriteFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_EQ(FailureBeeps(), 4u);
    EXPECT_EQ(sim.GetImage(), memory);
    EXPECT_EQ(sim.GetWriteCount(), 0);
}

// A transceiver that answers with an endless stream of frames meant for nobody: the line is
// busy but the run makes no progress, so the silence limit must still end it.
TEST_F(CloneFaultTest, TransceiverFloodingGarbage)
{
    CSimFaults faults;
    faults.garbage = true;
    Start(faults);
    const std::string before = Data();

    EXPECT_EQ(Guarded([&] { return operations->Information(); }), 77);
    EXPECT_EQ(host.Find("status:"), std::vector<std::string>{kStatusIllegalInfo});
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_TRUE(host.Find("info:").empty());

    host.events.clear();
    EXPECT_EQ(Guarded([&] { return operations->Read(); }), 77);
    EXPECT_EQ(host.Find("status:"), std::vector<std::string>{kStatusReadFailed});
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_EQ(Data(), before);
    EXPECT_GT(sim.GetLineBytes(), 1000u); // the flood did reach the program
}

// The pseudo-terminal is closed under the link half-way through a run, as when a USB cable
// adapter is unplugged.
TEST_F(CloneFaultTest, PortDisappearsDuringRead)
{
    Start(CSimFaults());
    const std::string before = Data();
    host.atProgress = [&] { sim.Stop(); };

    EXPECT_EQ(Guarded([&] { return operations->Read(); }), 77);
    EXPECT_FALSE(host.atProgress);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusReading, kStatusReadFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_EQ(host.Find("progress-destroy").size(), 1u);
    EXPECT_EQ(Data(), before);
}

TEST_F(CloneFaultTest, PortDisappearsDuringWrite)
{
    Start(CSimFaults());
    const CSimTransceiver::Image memory = sim.GetImage();
    host.atProgress = [&] { sim.Stop(); };

    EXPECT_EQ(Guarded([&] { return operations->Write(); }), 77);
    EXPECT_FALSE(host.atProgress);
    EXPECT_EQ(host.Find("status:"), (std::vector<std::string>{kStatusWriting, kStatusWriteFailed}));
    EXPECT_EQ(host.Find("box"), std::vector<std::string>{kBoxCheckSoftware});
    EXPECT_EQ(sim.GetImage(), memory);
    EXPECT_EQ(sim.GetWriteCount(), 0);
}

// The same faults through the command-line tool, with the real clock: exit status, printed
// texts, and the document named on the command line left as it was.
struct ToolCase {
    const char* what;
    std::vector<std::string> args; // "%T" stands for the document
    std::map<std::string, std::string> env;
    std::string out;
};

void PrintTo(const ToolCase& c, std::ostream* os)
{
    *os << c.what;
}

class CloneFaultToolTest : public ::testing::TestWithParam<ToolCase> {};

TEST_P(CloneFaultToolTest, FailedRunKeepsTheOldDocument)
{
    if (!HaveTool())
        GTEST_SKIP() << "pwr455-cli not built";
    const ToolCase& c = GetParam();
    CScratchDir dir;
    const std::string target = dir.In("doc.qrb");
    // The write case sends a valid document; the read cases must leave theirs alone.
    std::string content = "22700101\r\n#an older data set\r\n";
    if (c.args[0] == "write") {
        ToolResult made = RunTool({"new", target});
        ASSERT_EQ(made.status, 0) << made.err;
        content = ReadFile(target);
    } else {
        WriteFile(target, content);
    }
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
        if (a == "%T")
            a = target;
    ToolOptions options;
    options.env = c.env;
    options.env["XDG_CONFIG_HOME"] = dir.In("config");
    ToolResult r = RunTool(args, options);
    EXPECT_EQ(r.status, 77) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(ReadFile(target), content);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"doc.qrb"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneFaultToolTest,
    ::testing::Values(
        ToolCase{"CablePulledDuringRead",
                 {"read", "%T", "--simulate", "--fault", "stall=5", "--quiet"},
                 {},
                 std::string("Now reading <- TR\nErr: Cannot read cloning data.\n")
                     + kToolCheckSoftware},
        ToolCase{"CablePulledDuringWrite",
                 {"write", "%T", "--simulate", "--fault", "stall=5", "--quiet"},
                 {},
                 std::string("Now writing -> TR\nErr: Cannot write cloning data.\n")
                     + kToolCheckSoftware},
        ToolCase{"NoTemporaryFolder",
                 {"read", "%T", "--simulate", "--quiet"},
                 {{"TMPDIR", "/nonexistent/pwr-fault"}},
                 std::string("Err: Cannot read cloning data.\n") + kToolTransferFile},
        ToolCase{"GarbageFromTheTransceiver",
                 {"info", "--simulate", "--fault", "garbage", "--quiet"},
                 {},
                 std::string("Err: Illegal information.\n") + kToolCheckSoftware}),
    [](const ::testing::TestParamInfo<ToolCase>& info) { return std::string(info.param.what); });

} // namespace
