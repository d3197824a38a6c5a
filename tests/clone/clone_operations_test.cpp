// The three clone operations with their result table, on a real radio data object and the
// simulated transceiver.

#include "clone_test_util.h"

using namespace clonetest;
using Operation = CCloneOperations::EOperation;

namespace {

const char kCheckSoftware[] =
    " Check the following:\r\n\r\n - The RS-232C port settings.\r\n - Cloning cable connections.\r\n"
    " - Appropriate cloning software for the transceiver is being used.\r\n"
    " - The revision number of the transceiver.\n";

using CloneOperationsTest = CCloneFixture<>;

} // namespace

TEST(CloneTexts, EachResultGivesItsTextsAndIconAndTheCommentItsText)
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
    const char* illegal = " Err: Illegal information.";
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
        {Operation::Information, 85, illegal, cannotProgram},
        {Operation::Write, 91, " Err: Cannot access RS-232C port.", checkPort},
        {Operation::Read, 77, " Err: Cannot read cloning data.", kCheckSoftware},
        {Operation::Write, 77, " Err: Cannot write cloning data.", kCheckSoftware},
        {Operation::Write, 80, " Err: Cannot write cloning data.", kCheckSoftware},
        {Operation::Information, 77, illegal, kCheckSoftware},
        {Operation::Read, 82, " Err: No answer from transceiver.", kCheckSoftware},
    };
    for (const auto& row : rows) {
        CCloneOperations::CReport r = CCloneOperations::GetReport(row.op, row.result);
        SCOPED_TRACE(std::to_string(int(row.op)) + "/" + std::to_string(row.result));
        EXPECT_EQ(row.status, r.status);
        EXPECT_EQ(row.box, r.box);
        // Only the box of a successful write comes without the exclamation icon.
        EXPECT_EQ(row.box != written, r.icon == CCloneHost::EIcon::Exclamation);
    }
    // 16 comment bytes: control characters as blanks, others as Latin-1.
    const unsigned char comment[] = "AB\x7F\x01" "DEFGHIJKL\xB0\xE9NOPQ";
    EXPECT_EQ("AB  DEFGHIJKL\xC2\xB0\xC3\xA9N", CCloneOperations::CommentText(comment));
}

struct OperationCase {
    const char* name;
    Operation op;
    const char* fault;
    int result;
    size_t frames; // frames sent: the information request, then those of the read or write
};

// A failing case is reported by its name, not as a dump of its bytes.
void PrintTo(const OperationCase& c, std::ostream* out) { *out << c.name; }

class CloneOperationTableTest : public CloneOperationsTest,
                                public ::testing::WithParamInterface<OperationCase> {};

TEST_P(CloneOperationTableTest, ReportsItsResultAndChangesOnlyWhatItShould)
{
    const OperationCase& c = GetParam();
    CR455Radio other; // the transceiver holds other data than the document
    other.ResetData();
    other.SetCloneComment("TOWER 2");
    other.Heal();
    CTempFile file("qrb");
    ASSERT_TRUE(other.SaveToFile(file.GetPath()) && sim.LoadImage(file.GetPath()));
    CSimFaults faults;
    ASSERT_TRUE(!*c.fault || faults.Set(c.fault));
    Start(faults);
    const Lines data = Records(radio);

    EXPECT_EQ(c.result, c.op == Operation::Read    ? operations->Read()
                        : c.op == Operation::Write ? operations->Write()
                                                   : operations->Information());
    const CCloneOperations::CReport report = CCloneOperations::GetReport(c.op, c.result);
    const Lines statuses = host.Find("status:");
    EXPECT_EQ(report.status, statuses.empty() ? "" : statuses.back().substr(7));
    const std::string box = (c.result ? "box!:" : "box:") + report.box;
    EXPECT_EQ(report.box.empty() ? Lines{} : Lines{box}, host.Find("box"));
    // The tune: two short high tones for success, four long low ones for failure; then a pause.
    const Lines tune = c.result ? Lines{"beep 500 400", "sleep 100", "beep 500 400", "sleep 100",
                                        "beep 500 400", "sleep 100", "beep 500 400", "sleep 500"}
                                : Lines{"beep 1000 50", "sleep 50", "beep 1000 50", "sleep 500"};
    const auto first = std::find(host.events.begin(), host.events.end(), tune.front());
    EXPECT_EQ(tune, Lines(first, first + std::min<long>(tune.size(), host.events.end() - first)));
    EXPECT_EQ(0, host.waitDepth);
    EXPECT_EQ(c.frames, sim.GetReceivedFrames().size());
    const bool read = c.op == Operation::Read && c.result == 0;
    EXPECT_EQ(read ? Records(other) : data, Records(radio));
    EXPECT_EQ(read ? 1 : 0, replaced);
    EXPECT_EQ(read ? 1 : 0, backups);
    const bool written = c.op == Operation::Write && c.result == 0;
    EXPECT_EQ(written ? Records(radio) : Records(other), Records(sim.GetImage()));
    const bool informed = c.op == Operation::Information && c.result == 0;
    EXPECT_EQ(informed ? Lines{"info: VX-R455NORD|TOWER 2         "} : Lines{}, host.Find("info:"));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CloneOperationTableTest,
    ::testing::Values(OperationCase{"Read", Operation::Read, "", 0, 2},
                      OperationCase{"ReadOfIncompleteData", Operation::Read, "too-few=20", 77, 2},
                      OperationCase{"ReadOfForeignRevision", Operation::Read, "wrong-revision", 85, 1},
                      OperationCase{"Write", Operation::Write, "", 0, 34},
                      OperationCase{"WriteRefused", Operation::Write, "refuse-write", 77, 34},
                      OperationCase{"WriteOfForeignModel", Operation::Write, "wrong-model", 85, 1},
                      OperationCase{"Information", Operation::Information, "", 0, 1},
                      OperationCase{"InfoForeignRevision", Operation::Information, "wrong-revision", 85, 1}),
    [](const ::testing::TestParamInfo<OperationCase>& test) { return std::string(test.param.name); });

TEST_F(CloneOperationsTest, EditedDataAreReadAndAnyDataWrittenOnlyAfterOk)
{
    Start();
    operations->SetModifiedTest([] { return true; });
    host.answerOk = false;
    EXPECT_EQ(CCloneOperations::kDeclined, operations->Read());
    EXPECT_EQ(CCloneOperations::kDeclined, operations->Write());
    EXPECT_EQ((Lines{"ask: Read from transceiver, Data has been edited.", "ask: Write to transceiver"}),
              host.events);
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}
