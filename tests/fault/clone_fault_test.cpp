// Clone runs that go wrong on the way: no transfer file, a full disk, the cable pulled, the port
// gone. Each must end with the right texts and lose nothing: the document keeps its data after a
// failed read, the transceiver its memory after a failed write.

#include <cstdlib>
#include <filesystem>

#include "tests/clone/clone_test_util.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/test_system.h"

using namespace clonetest;
using Operation = CCloneOperations::EOperation;

namespace {

const char kBoxTransferFile[] =
    "box!: The temporary file for the cloning data cannot be created or opened.\n\n Check the "
    "free space and the permissions of the temporary folder.";

enum class Fault {
    NoTransferFile,     // the temporary folder is missing: there is no transfer file
    TransferFileGone,   // a folder took the transfer file's place
    DiskFull,           // no file may grow beyond 400 bytes
    CablePulled,        // the transceiver falls silent after 5 records
    PortGone,           // the port disappears at 30 %, as when a USB adapter is unplugged
};

struct FaultCase {
    const char* name;
    Operation op;
    Fault fault;
    const char* frames; // the first frames (up to two) that reach the transceiver
};

// A failing case is reported by its name, not as a dump of its bytes.
void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class CloneFaultTest : public CCloneFixture<>, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(CloneFaultTest, FailedRunIsReportedAndLosesNothing)
{
    const FaultCase& c = GetParam();
    if (c.fault == Fault::NoTransferFile) {
        const char* tmp = std::getenv(SystemVariableName("TMPDIR").c_str());
        const std::optional<std::string> before = tmp ? std::optional<std::string>(tmp) : std::nullopt;
        SetEnv("TMPDIR", "/nonexistent-pwr-fault");
        transferFile = std::make_unique<CTempFile>("cl");
        SetEnv("TMPDIR", before);
    }
    CSimFaults faults;
    ASSERT_TRUE(c.fault != Fault::CablePulled || faults.Set("stall=5"));
    faults.realtime = c.fault == Fault::PortGone; // the run waits on the line while it goes
    // The transceiver holds other data than the document: a read or write that got through shows.
    CSimTransceiver::Image memory = sim.GetImage();
    for (size_t i = 0x0100; i < 0x0140; ++i)
        memory[i] ^= 0x11;
    sim.SetImage(memory);
    Start(faults);
    const Lines data = Records(radio);
    if (c.fault == Fault::TransferFileGone) {
        std::filesystem::remove(transferFile->GetPath());
        std::filesystem::create_directory(transferFile->GetPath());
    }
    if (c.fault == Fault::PortGone)
        clock.onWait = [this] {
            if (!host.Find("progress 30").empty())
                sim.Stop();
        };
    CFileSizeLimit full(c.fault == Fault::DiskFull ? 400 : 1 << 30);
    ASSERT_TRUE(full.IsActive());

    EXPECT_EQ(77, c.op == Operation::Read ? operations->Read() : operations->Write());
    full.Lift();
    const bool transferFileFault = c.fault < Fault::CablePulled;
    const CCloneOperations::CReport report = CCloneOperations::GetReport(c.op, 77);
    EXPECT_EQ("status:" + report.status, host.Find("status:").back());
    EXPECT_EQ(Lines{transferFileFault ? kBoxTransferFile : "box!:" + report.box}, host.Find("box"));
    EXPECT_EQ(4u, host.Find("beep 500 400").size());
    EXPECT_EQ(c.frames, FrameCommands(sim).substr(0, 6));
    EXPECT_TRUE(c.fault != Fault::PortGone || !host.Find("progress 30").empty()); // it went
    EXPECT_EQ(data, Records(radio));
    EXPECT_EQ(memory, sim.GetImage());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CloneFaultTest,
    ::testing::Values(FaultCase{"NoTransferFileForARead", Operation::Read, Fault::NoTransferFile, ""},
                      FaultCase{"NoTransferFileForAWrite", Operation::Write, Fault::NoTransferFile, ""},
                      // The identity check may run, the read itself must not start.
                      FaultCase{"TransferFileGone", Operation::Read, Fault::TransferFileGone, "E0 "},
                      // The part of the data that reached the disk is not taken for the whole.
                      FaultCase{"DiskFullDuringARead", Operation::Read, Fault::DiskFull, "E0 E2 "},
                      // The data cannot be prepared: the write request is never sent.
                      FaultCase{"DiskFullBeforeAWrite", Operation::Write, Fault::DiskFull, "E0 "},
                      FaultCase{"CablePulledDuringARead", Operation::Read, Fault::CablePulled, "E0 E2 "},
                      FaultCase{"CablePulledDuringAWrite", Operation::Write, Fault::CablePulled, "E0 E3 "},
                      FaultCase{"PortGoneDuringARead", Operation::Read, Fault::PortGone, "E0 E2 "},
                      FaultCase{"PortGoneDuringAWrite", Operation::Write, Fault::PortGone, "E0 E3 "}),
    [](const ::testing::TestParamInfo<FaultCase>& test) { return std::string(test.param.name); });

} // namespace
