// The three clone operations with their result table, on a real radio data object and the
// simulated transceiver.

#include "clone/clone_operations.h"
#include "clone_test_util.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"

using namespace clonetest;
using Operation = CCloneOperations::Operation;

namespace {

// Record lines (everything but the header and the comment line) of a saved data set.
std::vector<std::string> Records(CR455Radio& radio)
{
    CScratchFile file;
    EXPECT_TRUE(radio.SaveToFile(file.Path()));
    std::vector<std::string> lines = ReadLines(file.Path());
    return std::vector<std::string>(lines.begin() + std::min<size_t>(2, lines.size()), lines.end());
}

const char kFailureTone[] = "beep 500 400";
const char kSuccessTone[] = "beep 1000 50";
const char kCheckSoftware[] =
    " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n"
    " - Appropriate cloning software for the transceiver is being used.\r\n"
    " - The revision number of the transceiver.\n";

class CloneOperationsTest : public CCloneFixture<> {
protected:
    CloneOperationsTest()
    {
        radio.ResetData();
        operations.SetDataReplacedHandler([this] { ++replaced; });
    }

    // The transceiver holds a data set that differs from the document's.
    void GiveTransceiverOtherData()
    {
        CR455Radio other;
        other.ResetData();
        other.SetCloneComment("TOWER 2");
        other.Heal();
        CScratchFile file;
        ASSERT_TRUE(other.SaveToFile(file.Path()));
        ASSERT_TRUE(sim.LoadImage(file.Path()));
        transceiverRecords = Records(other);
    }

    CR455Radio radio;
    CTempFile transferFile{"cl"};
    CCloneOperations operations{radio, link, host, transferFile};
    int replaced = 0;
    std::vector<std::string> transceiverRecords;
};

} // namespace

TEST(CloneResultTable, EachResultGivesItsTextsAndIcon)
{
    const char* cannotProgram =
        " The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not been "
        "cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision number is "
        "not compatible\n    with the programming software.\n\n In cases 1 or 2, the transceiver "
        "requires factory\n maintenance. In case 3, the transceiver cannot be\n programmed using this "
        "program.\n\n";
    const char* checkPort = " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable "
                            "connections.\n - Transceiver power is ON.";
    const char* written = " Clone writing succeeded. \n\n Turn the transceiver power off and on to use "
                          "\n the transceiver under its new conditions.\n";
    const struct {
        Operation op;
        int result;
        const char* status;
        const char* box;
    } rows[] = {
        {Operation::Read, 0, " Cloning completed.", ""},
        {Operation::Write, 0, " Cloning completed.", written},
        {Operation::Information, 0, "", ""},
        {Operation::Read, 1, " Terminated cloning.  ", ""},
        {Operation::Write, 1, " Terminated cloning.  ", ""},
        {Operation::Read, 85, " Err: Illegal information.", cannotProgram},
        {Operation::Write, 85, " Err: Illegal information.", cannotProgram},
        {Operation::Information, 85, " Err: Illegal information.", cannotProgram},
        {Operation::Read, 91, " Err: Cannot access RS-232C port.", checkPort},
        {Operation::Write, 91, " Err: Cannot access RS-232C port.", checkPort},
        {Operation::Information, 91, " Err: Cannot access RS-232C port.", checkPort},
        {Operation::Read, 77, " Err: Cannot read cloning data.", kCheckSoftware},
        {Operation::Write, 77, " Err: Cannot write cloning data.", kCheckSoftware},
        {Operation::Write, 80, " Err: Cannot write cloning data.", kCheckSoftware},
        {Operation::Information, 77, " Err: Illegal information.", kCheckSoftware},
        {Operation::Read, 82, " Err: No answer from transceiver.", kCheckSoftware},
    };
    for (const auto& row : rows) {
        CCloneOperations::Report r = CCloneOperations::GetReport(row.op, row.result);
        SCOPED_TRACE(std::to_string(int(row.op)) + "/" + std::to_string(row.result));
        EXPECT_EQ(row.status, r.status);
        EXPECT_EQ(row.box, r.box);
        // Only the box of a successful write comes without the exclamation icon.
        if (*row.box) {
            EXPECT_EQ(row.box != written, r.icon == CCloneHost::Icon::Exclamation);
        }
    }
}

TEST_F(CloneOperationsTest, ReadReplacesTheDataAndReportsSuccess)
{
    GiveTransceiverOtherData();
    StartSim();
    ASSERT_NE(transceiverRecords, Records(radio));

    EXPECT_EQ(0, operations.Read());
    EXPECT_EQ(transceiverRecords, Records(radio));
    EXPECT_EQ(1, replaced);
    EXPECT_FALSE(radio.IsEdited());
    EXPECT_TRUE(host.Find("ask:").empty());
    EXPECT_TRUE(host.Find("box").empty());
    EXPECT_EQ("status: Cloning completed.", host.Find("status:").back());
    EXPECT_EQ(2u, host.Find(kSuccessTone).size());
    EXPECT_EQ(0, host.waitDepth);
    // Information run first, then the read request.
    EXPECT_EQ("E0 E2 ", FrameCommands(sim.GetReceivedFrames()));
}

TEST_F(CloneOperationsTest, ReadOfEditedDataAsksAndCancelLeavesEverything)
{
    StartSim();
    operations.SetModifiedTest([] { return true; });
    host.answerOk = false;
    std::vector<std::string> before = Records(radio);

    EXPECT_EQ(CCloneOperations::kDeclined, operations.Read());
    EXPECT_EQ((std::vector<std::string>{"ask: Read from transceiver, Data has been edited."}),
              host.events);
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    EXPECT_EQ(before, Records(radio));
}

TEST_F(CloneOperationsTest, ReadWhoseDataDoNotLoadFailsAndKeepsTheData)
{
    GiveTransceiverOtherData();
    CSimFaults faults;
    faults.recordLimit = 20; // the end frame is proper, but the data are incomplete
    StartSim(faults);
    std::vector<std::string> before = Records(radio);

    EXPECT_EQ(77, operations.Read());
    EXPECT_EQ(before, Records(radio));
    EXPECT_EQ(0, replaced);
    EXPECT_EQ("status: Err: Cannot read cloning data.", host.Find("status:").back());
    EXPECT_EQ(std::vector<std::string>{std::string("box!:") + kCheckSoftware}, host.Find("box"));
    EXPECT_EQ(4u, host.Find(kFailureTone).size());
}

TEST_F(CloneOperationsTest, ForeignRevisionStopsEveryOperationAfterTheInformationRun)
{
    CSimFaults faults;
    faults.wrongRevision = true;
    StartSim(faults);
    for (int (CCloneOperations::*op)() :
         {&CCloneOperations::Read, &CCloneOperations::Write, &CCloneOperations::Information}) {
        host.events.clear();
        sim.ClearReceivedFrames();
        EXPECT_EQ(85, (operations.*op)());
        EXPECT_EQ("status: Err: Illegal information.", host.Find("status:").back());
        ASSERT_EQ(1u, host.Find("box!:").size());
        EXPECT_EQ(0u, host.Find("box!:")[0].find("box!: The transceiver cannot be programmed."));
        EXPECT_EQ(4u, host.Find(kFailureTone).size());
        EXPECT_EQ("E0 ", FrameCommands(sim.GetReceivedFrames()));
    }
    EXPECT_EQ(0, replaced);
}

TEST_F(CloneOperationsTest, CancelledReadReportsTerminationOnly)
{
    StartSim();
    host.cancelAtPercent = 30;
    std::vector<std::string> before = Records(radio);

    EXPECT_EQ(1, operations.Read());
    EXPECT_EQ("status: Terminated cloning.  ", host.Find("status:").back());
    EXPECT_TRUE(host.Find("box").empty());
    EXPECT_EQ(4u, host.Find(kFailureTone).size());
    EXPECT_EQ(before, Records(radio));
    EXPECT_EQ(0, replaced);
}

TEST_F(CloneOperationsTest, WriteAlwaysAsksThenSendsTheDataSet)
{
    StartSim();
    radio.SetCloneComment("WRITTEN");
    radio.Heal();

    EXPECT_EQ(0, operations.Write());
    EXPECT_EQ("ask: Write to transceiver", host.events.at(0));
    EXPECT_EQ(1, sim.GetWriteCount());
    // What the transceiver now holds is what the data set saves.
    std::vector<std::string> records = Records(radio);
    CSimTransceiver::Image held = sim.GetImage();
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i], RecordLine(held, 0x10 + 16 * unsigned(i)));
    EXPECT_EQ("status: Cloning completed.", host.Find("status:").back());
    EXPECT_EQ(0u, host.Find("box:").at(0).find("box: Clone writing succeeded. \n\n Turn the"));
    EXPECT_EQ(2u, host.Find(kSuccessTone).size());
    EXPECT_EQ(0, replaced);
}

TEST_F(CloneOperationsTest, RefusedWriteAndDeclinedWrite)
{
    CSimFaults faults;
    faults.refuseWrite = true;
    StartSim(faults);
    EXPECT_EQ(77, operations.Write());
    EXPECT_EQ("status: Err: Cannot write cloning data.", host.Find("status:").back());
    EXPECT_EQ(std::vector<std::string>{std::string("box!:") + kCheckSoftware}, host.Find("box"));
    EXPECT_EQ(0, sim.GetWriteCount());

    host.events.clear();
    sim.ClearReceivedFrames();
    host.answerOk = false;
    EXPECT_EQ(CCloneOperations::kDeclined, operations.Write());
    EXPECT_EQ(1u, host.events.size());
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}

TEST_F(CloneOperationsTest, InformationShowsModelAndSixteenCommentCharacters)
{
    CSimTransceiver::Image image = sim.GetImage();
    const char comment[] = "ABC\x01" "DEFGHIJKLM\xE9N";
    std::copy(comment, comment + 16, image.begin() + 0x10);
    sim.SetImage(image);
    StartSim();

    EXPECT_EQ(0, operations.Information());
    EXPECT_EQ((std::vector<std::string>{"info: VX-R455NORD|ABC DEFGHIJKLM\xC3\xA9N"}), host.Find("info:"));
    EXPECT_TRUE(host.Find("status:").empty());
    EXPECT_TRUE(host.Find("box").empty());
    EXPECT_EQ(2u, host.Find(kSuccessTone).size());
}
