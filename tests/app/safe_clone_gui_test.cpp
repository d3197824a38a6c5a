// Safe cloning in the desktop program against the simulated transceiver: Compare with
// Transceiver, the backup every read leaves, File > Open Backup and Help > Check Connection.

#include "tests/app/gui_test.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "app/compare_dlg.h"
#include "app/connection_check_dlg.h"
#include "app/gui_clone_host.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "clone/clone_link.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "sim/sim_transceiver.h"
#include "tests/common/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

std::string BackupFolder()
{
    return GetTestHome() + "/.local/share/PW-R455NORD/backups";
}

// With $PWR_SCREENSHOT_DIR set, shows `dialog` and leaves a picture of the screen there.
void Shoot(wxDialog& dialog, const char* name)
{
    const char* dir = std::getenv("PWR_SCREENSHOT_DIR");
    if (!dir)
        return;
    dialog.Show();
    WaitFor([&] { return dialog.IsShownOnScreen(); });
    const wxRect r = dialog.GetScreenRect().Inflate(8);
    EXPECT_EQ(wxExecute(wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png",
                                         r.width, r.height, r.x, r.y, dir, name),
                        wxEXEC_SYNC),
              0);
    dialog.Hide();
}

class SafeCloneGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        static_cast<CGuiCloneHost&>(Doc()->GetCloneHost()).SetToneSink([](unsigned, unsigned) {});
    }
    void TearDown() override
    {
        StopProgram();
        sim.reset();
    }

    // A simulated transceiver on COM1 holding a new data set with channel 2 on 121.500 and
    // the clone comment "FIELD 7", unless faults keep it from answering.
    void StartSim(const char* fault = "")
    {
        CR455Radio data;
        data.ResetData();
        std::string frequency = "121.500";
        data.SetChFrequency(2, frequency);
        data.SetChAppear(2, "ON");
        data.SetCloneComment("FIELD 7");
        data.Heal();
        const std::string path = GetTestHome() + "/sim.qrb";
        ASSERT_TRUE(data.SaveToFile(path));
        sim = std::make_unique<CSimTransceiver>();
        ASSERT_TRUE(sim->LoadImage(path));
        CSimFaults faults;
        ASSERT_TRUE(!*fault || faults.Set(fault));
        sim->SetFaults(faults);
        ASSERT_TRUE(sim->Start());
        Doc()->GetCloneLink().SetPortDevice(1, sim->GetDevicePath());
        Doc()->SetPortNumber(1);
    }

    std::unique_ptr<CSimTransceiver> sim;
};

} // namespace

// The compare reads into a data set of its own: the document, its data and its modified state
// stay as they were, whatever the dialog shows; the data read are kept as a backup copy.
TEST_F(SafeCloneGuiTest, CompareShowsWhatDiffersAndLeavesTheDocumentAlone)
{
    const struct {
        bool edited;     // the document holds an edit of its own
        const char* summary;
        int rows;
    } cases[] = {
        {false, "3 settings and channel fields differ between this document and the transceiver:", 3},
        {true, "1 setting or channel field differs between this document and the transceiver:", 1},
    };
    StartSim();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edited);
        CR455Radio* radio = Doc()->GetRadioData();
        if (c.edited) {
            std::string frequency = "121.500";
            radio->SetChFrequency(2, frequency);
            radio->SetChAppear(2, "ON");
        }
        const std::string before = radio->Command("CH.MCH.2.ALL");
        wxTEST_DIALOG(SendCommand(ID_CLONE_COMPARE), CExpectAction<CCompareDlg>([&](CCompareDlg& d) {
                          EXPECT_EQ(d.GetSummary().utf8_string(), c.summary);
                          EXPECT_EQ(d.GetList()->GetItemCount(), c.rows);
                          EXPECT_EQ(d.GetList()->GetItemText(0, 0), "COMMON.CLONE_COMMENT");
                          Shoot(d, c.edited ? "compare_one" : "compare");
                          return wxID_OK;
                      }));
        EXPECT_EQ(radio->Command("CH.MCH.2.ALL"), before);
        EXPECT_EQ(Doc()->IsModified(), c.edited);
        EXPECT_EQ(GetPWR455App().GetMainFrame()->GetMessageText(), " Cloning completed.");
    }
    ASSERT_EQ(ListFolder(BackupFolder()).size(), 2u);
    EXPECT_NE(ListFolder(BackupFolder())[0].find("_FIELD-7.qrb"), std::string::npos);

    // A backup that cannot be saved leaves the read a success and says so in the status bar.
    fs::remove_all(BackupFolder());
    WriteFileText(BackupFolder(), "not a folder");
    wxTEST_DIALOG(SendCommand(ID_CLONE_READ),
                  CExpectMessage(" Read from transceiver, Data has been edited.", wxID_OK));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(GetPWR455App().GetMainFrame()->GetMessageText().utf8_string(),
              " Cloning completed. The backup copy was not saved: cannot make the folder '" +
                  BackupFolder() + "'");
}

TEST_F(SafeCloneGuiTest, CompareThatCannotReadReportsAsReadAndShowsNoDialog)
{
    StartSim("silence");
    wxTEST_DIALOG(SendCommand(ID_CLONE_COMPARE),
                  CExpectMessage(" Check the following:\n\n - The RS-232C port settings.\n"
                                 " - Cloning cable connections.\n - Appropriate cloning software "
                                 "for the transceiver is being used.\n - The revision number of "
                                 "the transceiver.\n",
                                 wxID_OK));
    EXPECT_EQ(GetPWR455App().GetMainFrame()->GetMessageText(), " Err: Cannot read cloning data.");
    EXPECT_FALSE(fs::exists(BackupFolder()));
}

TEST_F(SafeCloneGuiTest, OpenBackupStartsInTheBackupFolder)
{
    StartSim();
    SendCommand(ID_CLONE_READ);
    const std::vector<std::string> backups = ListFolder(BackupFolder());
    ASSERT_EQ(backups.size(), 1u);
    Doc()->DiscardChanges();
    Doc()->NewData();
    const std::string path = BackupFolder() + "/" + backups[0];
    wxTEST_DIALOG(SendCommand(ID_FILE_OPEN_BACKUP),
                  CExpectAction<wxFileDialog>([&](wxFileDialog& d) {
                      EXPECT_EQ(d.GetMessage(), "Open Backup");
                      EXPECT_EQ(d.GetDirectory().utf8_string(), BackupFolder());
                      d.SetPath(wxString::FromUTF8(path));
                      WaitFor([&] { return d.GetPath().utf8_string() == path; });
                      return wxID_OK;
                  }));
    EXPECT_EQ(Doc()->GetFilename().utf8_string(), path);
    EXPECT_EQ(Doc()->GetRadioData()->GetCloneComment(), "FIELD 7");
}

TEST_F(SafeCloneGuiTest, CheckConnectionShowsEveryFindingAndChecksAgain)
{
    StartSim();
    wxTEST_DIALOG(SendCommand(ID_HELP_CHECK_CONNECTION),
                  CExpectAction<CConnectionCheckDlg>([&](CConnectionCheckDlg& d) {
                      const std::string report = d.GetReport().utf8_string();
                      EXPECT_NE(report.find("Port " + sim->GetDevicePath() + " exists"), std::string::npos);
                      EXPECT_NE(report.find("ok       The transceiver answered: VX-R455NORD, "
                                            "comment \"FIELD 7\".\n"),
                                std::string::npos) << report;
                      Shoot(d, "check_connection");
                      sim->Stop();
                      PressButton(d, XRCID("IDC_CHECK_AGAIN"));
                      EXPECT_NE(d.GetReport().Find("PROBLEM  Port "), wxNOT_FOUND);
                      Shoot(d, "check_connection_problem");
                      return wxID_CLOSE;
                  }));
}
