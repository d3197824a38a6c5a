// Clone runs that go wrong on the way: no transfer file, a full disk under the transfer file,
// the cable pulled half-way, a transceiver that floods the line with junk, and the port that
// disappears during a run. The real serial code runs against the simulated transceiver on a
// pseudo-terminal, on the fake clock. Every case must end with the right result and texts, and
// lose nothing: the document keeps its data after a failed read, the transceiver its memory
// after a failed write.

#include <filesystem>
#include <memory>

#include "clone/clone_operations.h"
#include "fault_util.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "tests/clone/clone_test_util.h"

using namespace clonetest;
using Operation = CCloneOperations::Operation;

namespace {

const char kStatusReading[] = "status: Now reading <- TR";
const char kStatusWriting[] = "status: Now writing -> TR";
const char kBoxTransferFile[] =
    "box!: The temporary file for the cloning data cannot be created or opened.\n\n Check the "
    "free space and the permissions of the temporary folder.";

// The status and box lines the host records for a failed operation.
std::string Status(Operation op) { return "status:" + CCloneOperations::GetReport(op, 77).status; }
std::string Box(Operation op) { return "box!:" + CCloneOperations::GetReport(op, 77).box; }

class CloneFaultTest : public CCloneFixture<> {
protected:
    CloneFaultTest()
    {
        radio.ResetData();
        // The transceiver holds other data than the document, so a read or write that got
        // through would show.
        CSimTransceiver::Image image = sim.GetImage();
        for (size_t i = 0x0100; i < 0x0140; ++i)
            image[i] = static_cast<uint8_t>(image[i] ^ 0x11);
        sim.SetImage(image);
    }

    void Start(const CSimFaults& faults = CSimFaults(), std::unique_ptr<CTempFile> file = nullptr)
    {
        StartSim(faults);
        transferFile = file ? std::move(file) : std::make_unique<CTempFile>("cl");
        operations = std::make_unique<CCloneOperations>(radio, link, host, *transferFile);
        dataBefore = Data();
        memoryBefore = sim.GetImage();
    }

    // The document's data as a clone data file, taken without touching its edit state.
    std::string Data()
    {
        CScratchFile file;
        EXPECT_TRUE(radio.SaveToFile(file.Path()));
        return ReadFile(file.Path());
    }

    // Nothing was lost: the document has its data, the transceiver its memory.
    void ExpectNothingChanged()
    {
        EXPECT_EQ(dataBefore, Data());
        EXPECT_EQ(memoryBefore, sim.GetImage());
        EXPECT_EQ(0, sim.GetWriteCount());
    }

    CR455Radio radio;
    std::unique_ptr<CTempFile> transferFile;
    std::unique_ptr<CCloneOperations> operations;
    std::string dataBefore;
    CSimTransceiver::Image memoryBefore{};
};

} // namespace

// Without a transfer file nothing may go to the transceiver at all.
TEST_F(CloneFaultTest, TransferFileThatCannotBeCreated)
{
    std::unique_ptr<CTempFile> none;
    {
        faulttest::CEnvOverride tmp("TMPDIR", "/nonexistent-pwr-fault");
        none = std::make_unique<CTempFile>("cl");
    }
    ASSERT_FALSE(none->IsValid());
    Start(CSimFaults(), std::move(none));

    EXPECT_EQ(77, operations->Read());
    EXPECT_EQ(std::vector<std::string>{Status(Operation::Read)}, host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{kBoxTransferFile}, host.Find("box"));
    host.events.clear();
    EXPECT_EQ(77, operations->Write());
    EXPECT_EQ(std::vector<std::string>{Status(Operation::Write)}, host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{kBoxTransferFile}, host.Find("box"));
    EXPECT_EQ(4u, host.Find("beep 500 400").size());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    ExpectNothingChanged();
}

// The transfer file was made, but something took its place before the read: the identity
// check may run, the read itself must not start.
TEST_F(CloneFaultTest, TransferFileThatCannotBeOpened)
{
    Start();
    std::filesystem::remove(transferFile->GetPath());
    std::filesystem::create_directory(transferFile->GetPath());

    EXPECT_EQ(77, operations->Read());
    EXPECT_EQ((std::vector<std::string>{kStatusReading, Status(Operation::Read)}), host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{kBoxTransferFile}, host.Find("box"));
    EXPECT_EQ("E0 ", FrameCommands(sim.GetReceivedFrames()));
    ExpectNothingChanged();
}

// The disk fills while the transceiver's records are written to the transfer file: the part
// that arrived must not be taken for the transceiver's data. Before a write, the data cannot
// be prepared: the write request is never sent.
TEST_F(CloneFaultTest, DiskFullUnderTheTransferFile)
{
    Start();
    for (Operation op : {Operation::Read, Operation::Write}) {
        host.events.clear();
        sim.ClearReceivedFrames();
        int result;
        {
            CFileSizeLimit full(400);
            ASSERT_TRUE(full.IsActive());
            result = op == Operation::Read ? operations->Read() : operations->Write();
        }
        EXPECT_EQ(77, result);
        EXPECT_EQ(Status(op), host.Find("status:").back());
        EXPECT_EQ(std::vector<std::string>{kBoxTransferFile}, host.Find("box"));
        EXPECT_EQ(op == Operation::Read ? "E0 E2 " : "E0 ", FrameCommands(sim.GetReceivedFrames()));
    }
    ExpectNothingChanged();
}

struct BreakCase {
    const char* name;
    Operation op;
    const char* fault; // the cable is pulled: the transceiver falls silent
    bool portGoes;     // the port disappears at 30 %, as when a USB adapter is unplugged
};

class CloneBreakTest : public CloneFaultTest, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(CloneBreakTest, RunThatBreaksOffLosesNothing)
{
    const BreakCase& c = GetParam();
    CSimFaults faults;
    if (*c.fault) {
        ASSERT_TRUE(faults.Set(c.fault));
    }
    Start(faults);
    if (c.portGoes)
        host.onProgress = [this](int percent) {
            if (percent >= 30)
                sim.Stop();
        };
    const bool read = c.op == Operation::Read;

    EXPECT_EQ(77, read ? operations->Read() : operations->Write());
    EXPECT_EQ((std::vector<std::string>{read ? kStatusReading : kStatusWriting, Status(c.op)}),
              host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{Box(c.op)}, host.Find("box"));
    EXPECT_EQ(4u, host.Find("beep 500 400").size());
    if (c.portGoes) {
        EXPECT_FALSE(host.Find("progress 30").empty()); // the port went during the run
    }
    EXPECT_EQ(1u, host.Find("progress-destroy").size());
    ExpectNothingChanged();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneBreakTest,
    ::testing::Values(BreakCase{"CablePulledDuringRead", Operation::Read, "stall=5", false},
                      BreakCase{"CablePulledDuringWrite", Operation::Write, "stall=5", false},
                      BreakCase{"PortDisappearsDuringRead", Operation::Read, "", true},
                      BreakCase{"PortDisappearsDuringWrite", Operation::Write, "", true}),
    [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

// A transceiver that answers with an endless stream of frames meant for nobody: the line is
// busy but the run makes no progress, so the silence limit must still end it.
TEST_F(CloneFaultTest, TransceiverFloodingGarbage)
{
    CSimFaults faults;
    faults.garbage = true;
    Start(faults);

    EXPECT_EQ(77, operations->Information());
    EXPECT_EQ(std::vector<std::string>{Status(Operation::Information)}, host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{Box(Operation::Information)}, host.Find("box"));
    EXPECT_TRUE(host.Find("info:").empty());
    host.events.clear();
    EXPECT_EQ(77, operations->Read());
    EXPECT_EQ(std::vector<std::string>{Status(Operation::Read)}, host.Find("status:"));
    EXPECT_EQ(std::vector<std::string>{Box(Operation::Read)}, host.Find("box"));
    EXPECT_GT(sim.GetLineBytes(), 1000u); // the flood did reach the program
    ExpectNothingChanged();
}
