// The clone commands of the desktop program: the real windows and serial code against the
// simulated transceiver on the fake clock, with the tones recorded instead of played.

#include "tests/app/gui_test.h"

#include <regex>

#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

#include "app/clone_info_dlg.h"
#include "app/clone_progress_dlg.h"
#include "app/gui_clone_host.h"
#include "app/main_frame.h"
#include "app/port_settings_dlg.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/xrc_util.h"
#include "clone/clone_link.h"
#include "clone/clone_operations.h"
#include "engine/radio_engine.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "tests/common/fake_clone_clock.h"

namespace {

using Tone = std::pair<unsigned, unsigned>;
using Operation = CCloneOperations::Operation;
const std::vector<Tone> kSuccessTones = {{1000, 50}, {1000, 50}};
const std::vector<Tone> kFailureTones = {{500, 400}, {500, 400}, {500, 400}, {500, 400}};
const long kQuestion = wxOK | wxCANCEL | wxICON_EXCLAMATION;

CPWR455Doc* Doc() { return GetPWR455App().GetDocument(); }
CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }
std::string Status() { return Frame()->GetMessageText().utf8_string(); }
bool HasTower() { return Doc()->GetRadioData()->GetChName(1).find("TOWER") != std::string::npos; }

// A message box with exactly this text, buttons and icon, answered with `answer`.
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
    std::vector<std::string> percents; // distinct texts in the order seen
    int cancelAtPercent = -1;          // presses Cancel once the bar reaches this
    bool closeMainWindow = false;      // asks the main window to close, as a window manager does

    void Look()
    {
        CCloneProgressDlg* dialog = Doc()->GetCloneHost().GetProgressDialog();
        if (!dialog || !dialog->IsShown())
            return;
        ownerDisabled = !Frame()->IsEnabled();
        const std::string text = dialog->GetPercentText().utf8_string();
        if (percents.empty() || percents.back() != text)
            percents.push_back(text);
        if (std::exchange(closeMainWindow, false))
            Frame()->Close();
        if (cancelAtPercent >= 0 && dialog->GetPos() >= cancelAtPercent) {
            cancelAtPercent = -1;
            PressButton(*dialog, wxID_CANCEL);
        }
    }
};

class CloneGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        Doc()->GetCloneHost().SetToneSink([this](unsigned hz, unsigned ms) { tones.emplace_back(hz, ms); });
        Doc()->GetCloneLink().SetClock(clock);
        clock.onWait = [this] { watcher.Look(); };
    }
    void TearDown() override { StopProgram(); }

    // A simulated transceiver on COM1, with channel 1 "TOWER" on 121.500 and comment "FIELD 7".
    void StartSim(const CSimFaults& faults = CSimFaults())
    {
        const std::string path = GetTestHome() + "/sim.qrb";
        CRadioEngine engine;
        for (const char* command : {"INITIALIZE", "CH.MCH.1.FREQUENCY=121.500", "CH.MCH.1.APPEAR=ON",
                                           "CH.MCH.1.NAME=TOWER", "COMMON.CLONE_COMMENT=FIELD 7", "HEAL"})
            engine.Execute(command);
        ASSERT_TRUE(engine.Execute("FILE.SAVE.\"" + path + "\"") == "OK" && sim.LoadImage(path));
        sim.SetFaults(faults);
        ASSERT_TRUE(clock.Drive(sim));
        Doc()->GetCloneLink().SetPortDevice(1, sim.GetDevicePath());
    }

    CFakeCloneClock clock;
    CSimTransceiver sim;
    CProgressWatcher watcher;
    std::vector<Tone> tones;
};

} // namespace

// A read cancelled at 20 %, then one that goes through, then one over the data it made.
TEST_F(CloneGuiTest, ReadShowsTheProgressWindowAndReplacesTheData)
{
    CSimFaults faults;
    faults.realtime = true; // the records take their time on the line: the window is seen moving
    StartSim(faults);
    watcher.cancelAtPercent = 20;
    SendCommand(ID_CLONE_READ); // unmodified data: no question
    EXPECT_EQ(watcher.percents, (std::vector<std::string>{"0%", "10%", "20%"}));
    EXPECT_EQ(Status(), " Terminated cloning.  ");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(HasTower());

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
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_FALSE(Doc()->GetRadioData()->IsEdited());
    EXPECT_TRUE(HasTower());
    wxListCtrl* list = dynamic_cast<CPWR455View*>(Doc()->GetFirstView())->GetListCtrl();
    EXPECT_EQ(list->GetItemText(0, 2).utf8_string(), "121.500"); // the list shows the data
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
    StartSim();
    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE), Box(" Write to transceiver", kQuestion),
                  Box(CCloneOperations::GetReport(Operation::Write, 0).box, wxOK | wxICON_NONE));
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(sim.GetWriteCount(), 1);
    EXPECT_FALSE(Doc()->IsModified());

    // A transceiver gone silent, then a port that is not there; the window stays usable.
    CSimFaults faults;
    faults.silence = true;
    sim.SetFaults(faults);
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), Failure(Operation::Information, 77));
    EXPECT_EQ(Status(), " Err: Illegal information.");
    Doc()->GetCloneLink().SetPortDevice(2, GetTestHome() + "/no-such-tty");
    SendCommand(ID_COM2);
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), Failure(Operation::Information, 91));
    EXPECT_EQ(Status(), " Err: Cannot access RS-232C port.");
    EXPECT_TRUE(Frame()->IsEnabled());
    SendCommand(ID_COM3);
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
}

// Port Settings binds COM2 (for the command-line tool too); Information then shows the transceiver.
TEST_F(CloneGuiTest, PortSettingsBindAComPortAndInformationShowsTheTransceiver)
{
    StartSim();
    auto portSettings = [&](CPortSettingsDlg& dialog) {
        dialog.Show(); // fills the fields
        auto* com2 = XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE2");
        EXPECT_EQ(com2->GetValue().utf8_string(), "/dev/ttyUSB1");
        com2->SetValue(wxString::FromUTF8(sim.GetDevicePath()));
        XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE4")->SetValue("  ");
        EXPECT_TRUE(dialog.TransferDataFromWindow());
        return wxID_OK;
    };
    wxTEST_DIALOG(SendCommand(ID_PORT_SETTINGS), CExpectAction<CPortSettingsDlg>(portSettings));
    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(4), "/dev/ttyUSB3"); // blank: the default
    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("Device2=" + sim.GetDevicePath() + "\n"), std::string::npos);

    SendCommand(ID_COM2);
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
}

// pwr455 --simulate: every port leads to the built-in simulated transceiver; the title says so.
TEST(CloneGuiSimulate, EveryPortLeadsToTheBuiltInTransceiver)
{
    GetPWR455App().SetSimulate(true);
    StartProgram();
    GetPWR455App().SetSimulate(false);
    ASSERT_TRUE(Doc()->IsSimulating());
    EXPECT_EQ(Frame()->GetTitle().utf8_string(), "Untitled - PW-R455NORD [simulated transceiver]");
    for (int port = 1; port <= 4; ++port)
        EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(port), Doc()->GetSimulator()->GetDevicePath());
    StopProgram();
}
