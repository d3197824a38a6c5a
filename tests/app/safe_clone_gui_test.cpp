// Safe cloning in the desktop program against the simulated transceiver: Compare with
// Transceiver, the backup every read leaves, File > Open Backup and Help > Check Connection.

#include "tests/app/gui_test.h"

#include <filesystem>

#include <wx/filedlg.h>
#include <wx/listctrl.h>
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
#include "tests/common/fake_clone_clock.h"
#include "tests/common/scratch_dir.h"

namespace {

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

std::string Status()
{
    return GetPWR455App().GetMainFrame()->GetMessageText().utf8_string();
}

std::string BackupFolder()
{
    return GetTestHome() + "/.local/share/PW-R455NORD/backups";
}

class SafeCloneGuiTest : public testing::Test {
protected:
    // COM1 leads to a transceiver with channel 2 on 121.500 and the clone comment "FIELD 7".
    void SetUp() override
    {
        StartProgram();
        Doc()->GetCloneHost().SetToneSink([](unsigned, unsigned) {});
        Doc()->GetCloneLink().SetClock(clock);
        CR455Radio data;
        data.ResetData();
        for (const char* command : {"CH.MCH.2.FREQUENCY=121.500", "CH.MCH.2.APPEAR=ON",
                                    "COMMON.CLONE_COMMENT=FIELD 7", "HEAL"})
            data.Command(command);
        const std::string path = GetTestHome() + "/sim.qrb";
        ASSERT_TRUE(data.SaveToFile(path) && sim.LoadImage(path) && clock.Drive(sim));
        Doc()->GetCloneLink().SetPortDevice(1, sim.GetDevicePath());
        Doc()->SetPortNumber(1);
    }
    void TearDown() override { StopProgram(); }

    CFakeCloneClock clock;
    CSimTransceiver sim;
};

} // namespace

// The compare reads into a data set of its own: the document, its data and its modified state
// stay as they were, whatever the dialog shows; the data read are kept as a backup copy.
TEST_F(SafeCloneGuiTest, CompareLeavesTheDocumentAloneAndTheBackupsOpenBackupOffers)
{
    for (bool edited : {false, true}) { // the second time with an edit of the document's own
        CR455Radio* radio = Doc()->GetRadioData();
        if (edited) {
            radio->Command("CH.MCH.2.FREQUENCY=121.500");
            radio->Command("CH.MCH.2.APPEAR=ON");
        }
        const std::string before = radio->Command("CH.MCH.2.ALL");
        wxTEST_DIALOG(SendCommand(ID_CLONE_COMPARE), CExpectAction<CCompareDlg>([&](CCompareDlg& d) {
                          EXPECT_EQ(d.GetSummary().utf8_string(),
                                    edited ? "1 setting or channel field differs between this "
                                             "document and the transceiver:"
                                           : "3 settings and channel fields differ between this "
                                             "document and the transceiver:");
                          EXPECT_EQ(d.GetList()->GetItemCount(), edited ? 1 : 3);
                          EXPECT_EQ(d.GetList()->GetItemText(0, 0), "COMMON.CLONE_COMMENT");
                          return wxID_OK;
                      }));
        EXPECT_EQ(radio->Command("CH.MCH.2.ALL"), before);
        EXPECT_EQ(Doc()->IsModified(), edited);
        EXPECT_EQ(Status(), " Cloning completed.");
    }
    ASSERT_EQ(ListFolder(BackupFolder()).size(), 2u);
    EXPECT_NE(ListFolder(BackupFolder())[0].find("_FIELD-7.qrb"), std::string::npos);

    // A compare that cannot read reports as a read does, and shows nothing else.
    CSimFaults silent;
    silent.silence = true;
    sim.SetFaults(silent);
    wxTEST_DIALOG(SendCommand(ID_CLONE_COMPARE), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(Status(), " Err: Cannot read cloning data.");
    EXPECT_EQ(ListFolder(BackupFolder()).size(), 2u);
    sim.SetFaults(CSimFaults());

    // File > Open Backup starts in their folder.
    const std::string path = BackupFolder() + "/" + ListFolder(BackupFolder())[0];
    Doc()->DiscardChanges();
    wxTEST_DIALOG(SendCommand(ID_FILE_OPEN_BACKUP), CExpectAction<wxFileDialog>([&](wxFileDialog& d) {
                      EXPECT_EQ(d.GetMessage() + "|" + d.GetDirectory(), "Open Backup|" + BackupFolder());
                      d.SetPath(wxString::FromUTF8(path));
                      WaitFor([&] { return d.GetPath().utf8_string() == path; });
                      return wxID_OK;
                  }));
    EXPECT_EQ(Doc()->GetFilename().utf8_string(), path);
    EXPECT_EQ(Doc()->GetRadioData()->GetCloneComment(), "FIELD 7");

    // A backup that cannot be saved leaves the read a success and says so in the status bar.
    std::filesystem::remove_all(BackupFolder());
    WriteFileText(BackupFolder(), "not a folder");
    SendCommand(ID_CLONE_READ);
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(Status(), " Cloning completed. The backup copy was not saved: cannot make the folder '" +
                            BackupFolder() + "'");
}

TEST_F(SafeCloneGuiTest, CheckConnectionShowsEveryFindingAndChecksAgain)
{
    wxTEST_DIALOG(SendCommand(ID_HELP_CHECK_CONNECTION),
                  CExpectAction<CConnectionCheckDlg>([&](CConnectionCheckDlg& d) {
                      const std::string report = d.GetReport().utf8_string();
                      EXPECT_NE(report.find("Port " + sim.GetDevicePath() + " exists"), std::string::npos);
                      EXPECT_NE(report.find("ok       The transceiver answered: VX-R455NORD, "
                                            "comment \"FIELD 7\".\n"),
                                std::string::npos) << report;
                      sim.Stop();
                      PressButton(d, XRCID("IDC_CHECK_AGAIN"));
                      EXPECT_NE(d.GetReport().Find("PROBLEM  Port "), wxNOT_FOUND);
                      return wxID_CLOSE;
                  }));
}
