// The clone commands: real windows and serial code against the simulated transceiver on the
// fake clock, with the tones recorded instead of played.

#include "tests/app/gui_test.h"

#include <filesystem>
#include <regex>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>

#include "app/clone_info_dlg.h"
#include "app/clone_progress_dlg.h"
#include "app/compare_dlg.h"
#include "app/connection_check_dlg.h"
#include "app/find_cable_dlg.h"
#include "app/gui_clone_host.h"
#include "app/port_settings_dlg.h"
#include "app/safe_cloning.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "tests/common/fake_clone_clock.h"
#include "tests/common/fake_port_list.h"
#include "tests/common/scratch_dir.h"

namespace {

using Tone = std::pair<unsigned, unsigned>;
using Operation = CCloneOperations::EOperation;
const std::vector<Tone> kSuccessTones = {{1000, 50}, {1000, 50}};
const std::vector<Tone> kFailureTones = {{500, 400}, {500, 400}, {500, 400}, {500, 400}};
const long kQuestion = wxOK | wxCANCEL | wxICON_EXCLAMATION;

std::string BackupFolder() { return GetTestHome() + "/.local/share/PW-R455NORD/backups"; }

CExpectAction<wxMessageDialog> Box(const std::string& text, long style, int answer = wxID_OK)
{
    return CExpectAction<wxMessageDialog>([=](wxMessageDialog& box) {
        EXPECT_EQ(box.GetMessage().utf8_string(), text);
        EXPECT_EQ(box.GetTitle().utf8_string(), "PW-R455NORD");
        EXPECT_EQ(box.GetMessageDialogStyle() & (wxOK | wxCANCEL | wxICON_MASK), style) << text;
        return answer;
    });
}

// The box the result table gives, as the window shows it: with line feeds only.
CExpectAction<wxMessageDialog> Failure(Operation op, int result)
{
    const std::string text = CCloneOperations::GetReport(op, result).box;
    return Box(std::regex_replace(text, std::regex("\r"), ""), wxOK | wxICON_EXCLAMATION);
}

// Looks at the progress window at every wait of a run: points that are the same on any machine.
struct CProgressWatcher {
    bool ownerDisabled = false;
    std::string status; // the status text at the last fixed wait (the window's last moment)
    std::vector<std::string> percents; // distinct texts in the order seen
    int cancelAtPercent = -1;          // presses Cancel once the bar reaches this
    bool closeMainWindow = false;      // asks the main window to close, as a window manager does

    void Look()
    {
        CCloneProgressDlg* dialog =
            GetPWR455App().GetDocument()->GetCloneHost().GetProgressDialog();
        if (!dialog || !dialog->IsShown())
            return;
        ownerDisabled = !GetPWR455App().GetMainFrame()->IsEnabled();
        const std::string text = dialog->GetPercentText().utf8_string();
        if (percents.empty() || percents.back() != text)
            percents.push_back(text);
        if (std::exchange(closeMainWindow, false))
            GetPWR455App().GetMainFrame()->Close();
        if (cancelAtPercent >= 0 && dialog->GetPos() >= cancelAtPercent) {
            cancelAtPercent = -1;
            PressButton(*dialog, wxID_CANCEL);
        }
    }
};

class CloneGuiTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        Doc()->GetCloneHost().SetToneSink([this](unsigned hz, unsigned ms) {
            tones.emplace_back(hz, ms);
            tonesWithProgress += Doc()->GetCloneHost().GetProgressDialog() != nullptr;
        });
        Doc()->GetCloneLink().SetClock(clock);
        clock.onWait = [this] { watcher.Look(); };
        clock.onSleep = [this](unsigned) { watcher.status = Status(); };
        const std::string path = GetTestHome() + "/sim.qrb";
        CNewRecordingRadio data; // a new data set
        PutChannel(data, 1, "121.500", "TOWER");
        data.SetCloneComment("FIELD 7");
        ASSERT_TRUE(data.SaveToFile(path) && sim.LoadImage(path) && clock.Drive(sim));
        Doc()->GetCloneLink().SetPortDevice(1, sim.GetDevicePath());
    }

    CFakeCloneClock clock;
    CSimTransceiver sim;
    CProgressWatcher watcher;
    std::vector<Tone> tones;
    size_t tonesWithProgress = 0; // the progress window stays up until the result is told
};

} // namespace

// A read cancelled at 20 %, then one that goes through, then one over the data it made.
TEST_F(CloneGuiTest, ReadShowsTheProgressWindowAndReplacesTheData)
{
    CSimFaults faults;
    faults.realtime = true; // the records take their time on the line: the window is seen moving
    sim.SetFaults(faults);
    // Before the first step the window shows the percentage as every later step does.
    auto* progress = new CCloneProgressDlg(wxString());
    progress->Create(Frame());
    EXPECT_EQ(progress->GetTitle() + " " + progress->GetPercentText(), "Cloning 0%");
    progress->DestroyWindow();
    watcher.cancelAtPercent = 20;
    SendCommand(ID_CLONE_READ); // unmodified data: no question
    EXPECT_EQ(watcher.percents, (std::vector<std::string>{"0%", "10%", "20%"}));
    EXPECT_EQ(watcher.status + "|" + Status(), " Terminated cloning.  | Terminated cloning.  ");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_NE(Radio()->GetChName(1), "TOWER");

    watcher = CProgressWatcher();
    watcher.closeMainWindow = true;
    tones.clear();
    SendCommand(ID_CLONE_READ);
    ASSERT_NE(Doc(), nullptr); // the close request during the run was refused
    EXPECT_TRUE(watcher.ownerDisabled);
    EXPECT_EQ(watcher.percents, (std::vector<std::string>{"0%", "10%", "20%", "30%", "40%", "50%",
                                                          "60%", "70%", "80%", "90%", "100%"}));
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(tonesWithProgress, kFailureTones.size() + kSuccessTones.size());
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_FALSE(Doc()->GetRadioData()->IsEdited());
    EXPECT_EQ(Row(1)[3], "TOWER"); // the list shows the data read
    EXPECT_TRUE(Frame()->IsEnabled());
    EXPECT_EQ(Doc()->GetCloneHost().GetProgressDialog(), nullptr);

    sim.ClearReceivedFrames();
    wxTEST_DIALOG(SendCommand(ID_CLONE_READ),
                  Box(" Read from transceiver, Data has been edited.", kQuestion, wxID_CANCEL));
    EXPECT_EQ(Doc()->GetLastCloneResult(), -1);
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
}

TEST_F(CloneGuiTest, WriteAsksAndTellsToRestartTheTransceiverFailuresAreReported)
{
    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE), Box(" Write to transceiver", kQuestion),
                  Box(CCloneOperations::GetReport(Operation::Write, 0).box, wxOK | wxICON_NONE));
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(sim.GetWriteCount(), 1);
    EXPECT_FALSE(Doc()->IsModified());

    Doc()->GetCloneLink().SetPortDevice(2, GetTestHome() + "/no-such-tty");
    SendCommand(ID_COM2);
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), Failure(Operation::Information, 91));
    EXPECT_EQ(Status(), " Err: Cannot access RS-232C port.");
    EXPECT_TRUE(Frame()->IsEnabled());
}

// The profile's port binding is the command-line tool's too.
TEST_F(CloneGuiTest, PortSettingsBindAComPortInformationAndCheckConnectionReachIt)
{
    auto portSettings = [&](CPortSettingsDlg& dialog) {
        dialog.Show(); // fills the fields
        auto* com2 = XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE2");
        // Every binding is offered, also one the system does not list.
        EXPECT_NE(com2->FindString(XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE3")->GetValue()),
                  wxNOT_FOUND);
        EXPECT_EQ(com2->GetValue().utf8_string(), "/dev/ttyUSB1");
        com2->SetValue(wxString::FromUTF8(sim.GetDevicePath()));
        XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE4")->SetValue("  ");
        EXPECT_TRUE(dialog.TransferDataFromWindow());
        return wxID_OK;
    };
    wxTEST_DIALOG(SendCommand(ID_PORT_SETTINGS), CExpectAction<CPortSettingsDlg>(portSettings));
    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(4), "/dev/ttyUSB3"); // blank: the default
    const std::string profile = ReadFile(GetProfilePath());
    EXPECT_NE(profile.find("Device2=" + sim.GetDevicePath() + "\n"), std::string::npos);

    SendCommand(ID_COM2);
    EXPECT_TRUE(WaitFor([&] {
        return FindMenuItem(ID_COM2)->GetItemLabelText() == "COM2 (" + sim.GetDevicePath() + ")";
    }));
    wxString model, comment;
    auto information = [&](CCloneInfoDlg& dialog) {
        dialog.Show(); // fills the texts
        model = XrcCtrl<wxStaticText>(dialog, "IDC_INFO_MODEL")->GetLabel();
        comment = XrcCtrl<wxStaticText>(dialog, "IDC_INFO_COMMENT")->GetLabel();
        return wxID_OK;
    };
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), CExpectAction<CCloneInfoDlg>(information));
    EXPECT_EQ(model, "VX-R455NORD");
    EXPECT_EQ(comment, "FIELD 7         ");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(Status(), "Ready"); // no status text, no box
    wxTEST_DIALOG(SendCommand(ID_HELP_CHECK_CONNECTION),
                  CExpectAction<CConnectionCheckDlg>([&](CConnectionCheckDlg& d) {
                      const std::string report = d.GetReport().utf8_string();
                      EXPECT_NE(report.find("Port " + sim.GetDevicePath() + " exists"), std::string::npos);
                      EXPECT_NE(report.find("ok       The transceiver answered: VX-R455NORD, "
                                            "comment \"FIELD 7\".\n"), std::string::npos) << report;
                      sim.Stop();
                      PressButton(d, XRCID("IDC_CHECK_AGAIN"));
                      // The port has gone: this program's way to choose another, no run on it.
                      const std::string again = d.GetReport().utf8_string();
                      EXPECT_NE(again.find("Port " + sim.GetDevicePath() + " does not exist."), std::string::npos);
                      EXPECT_NE(again.find("Fix: Choose the cable's device in COM Port > Port Settings;"), std::string::npos);
                      for (const char* gone : {"--port", "information run"})
                          EXPECT_EQ(again.find(gone), std::string::npos) << again;
                      return wxID_CLOSE;
                  }));
}

// Find Cable names the port that came, binds it and chooses it, and the checks run on it.
TEST_F(CloneGuiTest, FindCableBindsThePortThatCameAndChecksIt)
{
    const std::string cable = sim.GetDevicePath();
    CScriptedPortList ports({{"/dev/ttyS0", cable}, {"/dev/ttyS0"}, {"/dev/ttyS0", cable}});
    std::string prompt;
    auto find = [&](CFindCableDlg& d) {
        auto* bind = XrcCtrl<wxButton>(d, "IDC_FIND_BIND");
        EXPECT_FALSE(bind->IsEnabled());
        EXPECT_TRUE(WaitFor([&] { return bind->IsEnabled(); })); // as the list changes
        prompt = XrcCtrl<wxStaticText>(d, "IDC_FIND_PROMPT")->GetLabelText().utf8_string();
        EXPECT_EQ(XrcCtrl<wxChoice>(d, "IDC_FIND_COM")->GetSelection(), 0); // the port chosen
        XrcCtrl<wxChoice>(d, "IDC_FIND_COM")->SetSelection(2);
        return PressButton(d, XRCID("IDC_FIND_BIND"));
    };
    wxTEST_DIALOG(CheckConnection(*Doc(), ports),
                  CExpectAction<CConnectionCheckDlg>([&](CConnectionCheckDlg& d) {
                      PressButton(d, XRCID("IDC_CHECK_FIND"));
                      EXPECT_NE(d.GetReport().utf8_string().find("The transceiver answered: VX-R455NORD"), std::string::npos);
                      return wxID_CLOSE;
                  }),
                  CExpectAction<CFindCableDlg>(find));
    EXPECT_EQ(prompt, "The cable is on " + cable + ".");
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
    EXPECT_NE(ReadFile(GetProfilePath()).find("Device3=" + cable + "\n"), std::string::npos);
}

TEST(ConnectionCheckDlg, LongLinesGoOnUnderTheirText)
{
    const std::tuple<const char*, size_t, const char*> cases[] = {
        {"ok  one two three", 12, "ok  one two\n    three"},
        {"    Fix: abcdefghijklmn", 12, "    Fix:\n    abcdefgh\n    ijklmn"}, // a long word is cut
        {"ok  end   ", 7, "ok  end"},
        {"    \xC3\xA9\xC3\xA9\xC3\xA9", 9, "    \xC3\xA9\xC3\xA9\n    \xC3\xA9"}, // not in a character
    };
    for (const auto& [line, columns, wrapped] : cases)
        EXPECT_EQ(WrapReportLine(line, 4, columns), wrapped) << line;
}

// The compare reads into a data set of its own: the document, its data and its modified state
// stay as they were, whatever the dialog shows; the data read are kept as a backup copy.
TEST_F(CloneGuiTest, CompareLeavesTheDocumentAloneAndTheBackupsOpenBackupOffers)
{
    for (bool edited : {false, true}) { // the second time with an edit of the document's own
        if (edited)
            PutChannel(*Radio(), 1, "121.500", "TOWER");
        const std::string before = Radio()->Command("CH.MCH.1.ALL");
        wxTEST_DIALOG(SendCommand(ID_CLONE_COMPARE), CExpectAction<CCompareDlg>([&](CCompareDlg& d) {
                          EXPECT_EQ(d.GetSummary().utf8_string(),
                                    edited ? "1 setting or channel field differs between this "
                                             "document and the transceiver:"
                                           : "3 settings and channel fields differ between this "
                                             "document and the transceiver:");
                          EXPECT_EQ(d.GetList()->GetItemCount(), edited ? 1 : 3);
                          EXPECT_EQ(d.GetList()->GetItemText(0, 0), "Clone Comment");
                          return wxID_OK;
                      }));
        EXPECT_EQ(Radio()->Command("CH.MCH.1.ALL"), before);
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

    const std::string path = BackupFolder() + "/" + ListFolder(BackupFolder())[0];
    Doc()->DiscardChanges();
    wxTEST_DIALOG(SendCommand(ID_FILE_OPEN_BACKUP),
                  ExpectFile(path, "Open Backup|" + BackupFolder()));
    EXPECT_EQ(Radio()->GetCloneComment(), "FIELD 7");
    // It opened as an untitled copy: Save asks for a name and the backup stays as it was read.
    EXPECT_EQ(Title(), "Copy of backup " + ListFolder(BackupFolder())[0] + " - PW-R455NORD");
    const std::string backup = ReadFile(path), copy = GetTestHome() + "/copy.qrb";
    UseChannel(2, "121.500", "TOWER");
    wxTEST_DIALOG(SendCommand(ID_FILE_SAVE), ExpectFile(copy));
    EXPECT_EQ(ReadFile(path) + Doc()->GetFilename().utf8_string(), backup + copy);

    // A backup that cannot be saved leaves the read a success and says so in the status bar.
    std::filesystem::remove_all(BackupFolder());
    WriteFileText(BackupFolder(), "not a folder");
    SendCommand(ID_CLONE_READ);
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(Status(), " Cloning completed. The backup copy was not saved: cannot make the folder '" +
                            BackupFolder() + "'");
}

TEST_F(ProgramTest, SimulateLeadsEveryPortToTheBuiltInTransceiver)
{
    StopProgram();
    GetPWR455App().SetSimulate(true);
    StartProgram();
    GetPWR455App().SetSimulate(false);
    ASSERT_TRUE(Doc()->IsSimulating());
    EXPECT_EQ(Title(), "Untitled - PW-R455NORD [simulated transceiver]");
    for (int port = 1; port <= 4; ++port)
        EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(port), Doc()->GetSimulator()->GetDevicePath());
}
