// The clone commands of the desktop program against the simulated transceiver: the real
// windows and the real serial code on a pseudo-terminal, on the fake clock, with the tones
// recorded instead of played.

#include "tests/app/gui_test.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
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
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "sim/sim_transceiver.h"
#include "tests/common/fake_clone_clock.h"

namespace {

using Tone = std::pair<unsigned, unsigned>;
using Operation = CCloneOperations::Operation;
const std::vector<Tone> kSuccessTones = {{1000, 50}, {1000, 50}};
const std::vector<Tone> kFailureTones = {{500, 400}, {500, 400}, {500, 400}, {500, 400}};

CPWR455Doc* Doc() { return GetPWR455App().GetDocument(); }
CR455Radio* Radio() { return Doc()->GetRadioData(); }
CMainFrame* Frame() { return GetPWR455App().GetMainFrame(); }
std::string Status() { return Frame()->GetMessageText().utf8_string(); }

// Screenshots go to $PWR_SCREENSHOT_DIR when it is set.
void Screenshot(const char* name)
{
    const char* dir = std::getenv("PWR_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    PumpEvents(100); // let the windows paint
    const std::string command = std::string("import -window root '") + dir + "/" + name + ".png'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

// A message box with its exact text, buttons and icon, answered with `answer`.
class CExpectBox : public wxExpectModalBase<wxMessageDialog, CExpectBox> {
public:
    CExpectBox(const std::string& text, long buttons, long icon, int answer = wxID_OK)
        : m_text(text), m_buttons(buttons), m_icon(icon), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        EXPECT_EQ(dialog->GetMessage().utf8_string(), m_text);
        EXPECT_EQ(dialog->GetTitle().utf8_string(), "PW-R455NORD");
        const long style = dialog->GetMessageDialogStyle();
        EXPECT_EQ(style & (wxOK | wxCANCEL | wxYES_NO), m_buttons) << m_text;
        EXPECT_EQ(style & wxICON_MASK, m_icon) << m_text;
        return m_answer;
    }
    wxString GetDefaultDescription() const override { return "box \"" + wxString::FromUTF8(m_text) + "\""; }

private:
    std::string m_text;
    long m_buttons;
    long m_icon;
    int m_answer;
};

// The box the result table gives `op` for `result`, as the window shows it.
CExpectBox Failure(Operation op, int result)
{
    return CExpectBox(CGuiCloneHost::BoxText(CCloneOperations::GetReport(op, result).box).utf8_string(),
                      wxOK, wxICON_EXCLAMATION);
}

CExpectBox Question(const std::string& text, int answer = wxID_OK)
{
    return CExpectBox(text, wxOK | wxCANCEL, wxICON_EXCLAMATION, answer);
}

// Looks at the progress window at every wait of a run for input: what the user sees, at
// points of the run that are the same on any machine.
struct CProgressWatcher {
    bool ownerDisabled = false;
    wxString title;
    std::vector<std::string> percents; // distinct texts in the order seen
    int cancelAtPercent = -1;          // presses Cancel once the bar reaches this
    bool closeMainWindow = false;      // asks the main window to close, as a window manager does

    void Look()
    {
        CCloneProgressDlg* dialog = Doc()->GetCloneHost().GetProgressDialog();
        if (!dialog || !dialog->IsShown())
            return;
        title = dialog->GetTitle();
        ownerDisabled = !Frame()->IsEnabled();
        const std::string text = dialog->GetPercentText().utf8_string();
        if (percents.empty() || percents.back() != text)
            percents.push_back(text);
        if (text == "30%")
            Screenshot("clone_progress");
        if (std::exchange(closeMainWindow, false))
            Frame()->Close();
        if (cancelAtPercent >= 0 && dialog->GetPos() >= cancelAtPercent) {
            cancelAtPercent = -1;
            PressButton(*dialog, wxID_CANCEL);
        }
    }
};

// Data that differ from a new data set: channel 1 "TOWER" on 121.500 and a clone comment.
void MakeDistinctData(CR455Radio& radio)
{
    radio.ResetData();
    std::string frequency = "121.500";
    radio.SetChFrequency(1, frequency);
    radio.SetChAppear(1, "ON");
    radio.SetChName(1, "TOWER");
    radio.SetCloneComment("FIELD 7");
    radio.Heal();
}

bool HasTower() { return Radio()->GetChName(1).find("TOWER") != std::string::npos; }

class CloneGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        Doc()->GetCloneHost().SetToneSink([this](unsigned f, unsigned ms) { tones.emplace_back(f, ms); });
        Doc()->GetCloneLink().SetClock(clock);
        clock.onWait = [this] { watcher.Look(); };
    }
    void TearDown() override { StopProgram(); }

    // Starts a simulated transceiver with `faults`, holding the data of a new data set or
    // MakeDistinctData's, and binds COM1 to it.
    void StartSim(const CSimFaults& faults = CSimFaults(), bool distinct = false)
    {
        sim.SetFaults(faults);
        if (distinct) {
            CR455Radio data;
            MakeDistinctData(data);
            const std::string path = GetTestHome() + "/sim.qrb";
            ASSERT_TRUE(data.SaveToFile(path));
            ASSERT_TRUE(sim.LoadImage(path));
        }
        ASSERT_TRUE(clock.Drive(sim));
        BindCom(1, sim.GetDevicePath());
    }

    void BindCom(int number, const std::string& device)
    {
        Doc()->GetCloneLink().SetPortDevice(number, device);
        Doc()->SetPortNumber(number);
    }

    std::vector<std::string> waits; // the fake clock's "sleep N"
    CFakeCloneClock clock{&waits};
    CSimTransceiver sim;
    CProgressWatcher watcher;
    std::vector<Tone> tones;
};

} // namespace

TEST_F(CloneGuiTest, ReadShowsTheProgressWindowAndReplacesTheData)
{
    CSimFaults faults;
    faults.realtime = true; // the records take their time on the line: the window is seen moving
    StartSim(faults, true);
    ASSERT_FALSE(Doc()->IsModified());
    ASSERT_FALSE(HasTower());
    watcher.closeMainWindow = true;

    SendCommand(ID_CLONE_READ); // unmodified data: no question

    // The close request during the run was refused: the program and its document are there.
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_TRUE(watcher.ownerDisabled);
    EXPECT_EQ(watcher.title.utf8_string(), "Cloning");
    EXPECT_EQ(watcher.percents, (std::vector<std::string>{"0%", "10%", "20%", "30%", "40%", "50%",
                                                          "60%", "70%", "80%", "90%", "100%"}));
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_FALSE(Radio()->IsEdited());
    EXPECT_EQ(Radio()->GetChFrequency(1), "121.500");
    EXPECT_TRUE(HasTower());
    auto* view = dynamic_cast<CPWR455View*>(Doc()->GetFirstView());
    ASSERT_TRUE(view && view->GetListCtrl());
    EXPECT_EQ(view->GetListCtrl()->GetItemText(0, 2).utf8_string(), "121.500"); // the list shows it
    EXPECT_NE(view->GetListCtrl()->GetItemText(0, 3).Find("TOWER"), wxNOT_FOUND);
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_TRUE(Frame()->IsEnabled());
    EXPECT_EQ(Doc()->GetCloneHost().GetProgressDialog(), nullptr);
}

TEST_F(CloneGuiTest, ReadOverEditedDataAsksFirstAndCancelLeavesEverything)
{
    StartSim();
    std::string frequency = "118.000";
    Radio()->SetChFrequency(2, frequency);
    ASSERT_TRUE(Doc()->IsModified());
    const std::string before = Status();

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ),
                  Question(" Read from transceiver, Data has been edited.", wxID_CANCEL));

    EXPECT_EQ(Doc()->GetLastCloneResult(), -1);
    EXPECT_TRUE(sim.GetReceivedFrames().empty());
    EXPECT_EQ(Radio()->GetChFrequency(2), "118.000");
    EXPECT_EQ(Status(), before);
    EXPECT_TRUE(tones.empty());
}

TEST_F(CloneGuiTest, WriteAsksThenSendsTheDataAndTellsToRestartTheTransceiver)
{
    StartSim();
    MakeDistinctData(*Radio());
    const bool modifiedBefore = Doc()->IsModified();
    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE), Question(" Write to transceiver", wxID_CANCEL));
    EXPECT_TRUE(sim.GetReceivedFrames().empty());

    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE), Question(" Write to transceiver"),
                  CExpectBox(CCloneOperations::GetReport(Operation::Write, 0).box, wxOK, wxICON_NONE));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_EQ(tones, kSuccessTones);
    // The transceiver now holds exactly the document's data.
    const std::string path = GetTestHome() + "/written.qrb";
    ASSERT_TRUE(Radio()->SaveToFile(path));
    CSimTransceiver expected;
    ASSERT_TRUE(expected.LoadImage(path));
    EXPECT_TRUE(sim.GetImage() == expected.GetImage());
    // A write changes neither the data nor their modified state.
    EXPECT_EQ(Doc()->IsModified(), modifiedBefore);
    EXPECT_TRUE(HasTower());
}

TEST_F(CloneGuiTest, InformationShowsTheModelAndSixteenCommentCharacters)
{
    StartSim(CSimFaults(), true);
    const std::string before = Status();

    std::string model, comment;
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), CExpectAction<CCloneInfoDlg>([&](CCloneInfoDlg& dialog) {
                      dialog.Show(); // fills the texts
                      EXPECT_EQ(dialog.GetTitle().utf8_string(), "Information");
                      model = XrcCtrl<wxStaticText>(dialog, "IDC_INFO_MODEL")->GetLabel().utf8_string();
                      comment = XrcCtrl<wxStaticText>(dialog, "IDC_INFO_COMMENT")->GetLabel().utf8_string();
                      Screenshot("clone_info");
                      dialog.Hide();
                      return wxID_OK;
                  }));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(model, "VX-R455NORD");
    EXPECT_EQ(comment, "FIELD 7         ");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(Status(), before); // no status text, no box
    EXPECT_EQ(sim.GetReceivedFrames().size(), 1u);
}

// A transceiver of another revision: the command ends after the information run.
TEST_F(CloneGuiTest, WrongRevisionEndsTheReadWithIllegalInformation)
{
    CSimFaults faults;
    faults.wrongRevision = true;
    StartSim(faults);

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ), Failure(Operation::Read, 85));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 85);
    EXPECT_EQ(Status(), " Err: Illegal information.");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_EQ(sim.GetReceivedFrames().size(), 1u); // the information request only
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(CloneGuiTest, SilentTransceiverEndsTheReadAfterTwoToThreeSeconds)
{
    CSimFaults faults;
    faults.silence = true;
    StartSim(faults);

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ), Failure(Operation::Read, 77));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 77);
    EXPECT_EQ(Status(), " Err: Cannot read cloning data.");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    // Beyond the fixed waits (port settling, the pauses between the tones), the silence.
    uint64_t silence = clock.NowMs();
    for (const std::string& wait : waits)
        silence -= std::stoul(wait.substr(6));
    EXPECT_GT(silence, 2000u);
    EXPECT_LE(silence, 3000u);
}

TEST_F(CloneGuiTest, MissingPortIsReportedAndTheMainWindowStaysUsable)
{
    BindCom(2, GetTestHome() + "/no-such-tty");
    std::string frequency = "119.100";
    Radio()->SetChFrequency(3, frequency);

    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE), Question(" Write to transceiver"),
                  Failure(Operation::Write, 91));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 91);
    EXPECT_EQ(Status(), " Err: Cannot access RS-232C port.");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_TRUE(Frame()->IsEnabled());
    EXPECT_EQ(Doc()->GetCloneHost().GetProgressDialog(), nullptr);
    EXPECT_EQ(Radio()->GetChFrequency(3), "119.100");
    // The window still takes commands.
    SendCommand(ID_COM3);
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
}

TEST_F(CloneGuiTest, CancelDuringAReadStopsItAndKeepsTheData)
{
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults, true);
    watcher.cancelAtPercent = 20;

    SendCommand(ID_CLONE_READ);

    EXPECT_EQ(watcher.percents.back(), "20%");
    EXPECT_EQ(Doc()->GetLastCloneResult(), 1);
    EXPECT_EQ(Status(), " Terminated cloning.  ");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_FALSE(HasTower());
    EXPECT_EQ(Doc()->GetCloneHost().GetProgressDialog(), nullptr);
    EXPECT_TRUE(Frame()->IsEnabled());
}

TEST_F(CloneGuiTest, PortSettingsBindAComPortToATypedDevice)
{
    StartSim();
    // The command stands at the end of the COM Port menu.
    wxMenuItem* item = FindMenuItem(ID_PORT_SETTINGS);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabel().utf8_string(), "Port &Settings...");
    wxMenu* menu = item->GetMenu();
    EXPECT_EQ(menu->FindItemByPosition(menu->GetMenuItemCount() - 1), item);

    wxTEST_DIALOG(SendCommand(ID_PORT_SETTINGS), CExpectAction<CPortSettingsDlg>([&](CPortSettingsDlg& dialog) {
                      dialog.Show(); // fills the fields
                      auto* com2 = XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE2");
                      EXPECT_EQ(com2->GetValue().utf8_string(), "/dev/ttyUSB1");
                      com2->SetValue(wxString::FromUTF8(sim.GetDevicePath()));
                      XrcCtrl<wxComboBox>(dialog, "IDC_PORT_DEVICE4")->SetValue("  ");
                      Screenshot("port_settings");
                      dialog.Hide();
                      EXPECT_TRUE(dialog.TransferDataFromWindow());
                      return wxID_OK;
                  }));

    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(2), sim.GetDevicePath());
    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(4), "/dev/ttyUSB3");
    // Written at once where pwr455-cli --com 2 looks for it.
    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("Device2=" + sim.GetDevicePath() + "\n"), std::string::npos) << profile;
    // COM2 now reaches the transceiver.
    SendCommand(ID_COM2);
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), CExpectAction<CCloneInfoDlg>([](CCloneInfoDlg&) { return wxID_OK; }));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
}

// pwr455 --simulate: every COM port leads to the built-in simulated transceiver, and the title
// bar says so.
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

// The progress window on its own: what Cancel and the close box do, the percentage text, and
// the main window given back only when the window took it.
TEST(CloneProgressDlg, CancelIsReportedOnceAndTheOwnerComesBack)
{
    StartProgram();
    auto* dialog = new CCloneProgressDlg;
    ASSERT_TRUE(dialog->Create(Frame()));
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->GetTitle().utf8_string(), "Cloning");
    EXPECT_EQ(dialog->GetPercentText().utf8_string(), " 0 %");
    EXPECT_FALSE(Frame()->IsEnabled());
    dialog->SetPos(40);
    EXPECT_EQ(dialog->GetPos(), 40);
    EXPECT_EQ(dialog->GetPercentText().utf8_string(), "40%");
    dialog->SetPos(100);
    EXPECT_EQ(dialog->GetPercentText().utf8_string(), "100%");

    EXPECT_FALSE(dialog->CheckCancel());
    PressButton(*dialog, wxID_CANCEL);
    EXPECT_TRUE(dialog->IsShown()); // the run closes it, not the button
    EXPECT_TRUE(dialog->CheckCancel());
    EXPECT_FALSE(dialog->CheckCancel());
    // The close box counts as Cancel and leaves the window up as well.
    dialog->Close();
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_TRUE(dialog->CheckCancel());
    dialog->DestroyWindow();
    EXPECT_TRUE(Frame()->IsEnabled());

    // A main window that was disabled already stays so.
    Frame()->Enable(false);
    dialog = new CCloneProgressDlg("Other");
    ASSERT_TRUE(dialog->Create(Frame()));
    EXPECT_EQ(dialog->GetTitle().utf8_string(), "Other");
    dialog->DestroyWindow();
    EXPECT_FALSE(Frame()->IsEnabled());
    Frame()->Enable(true);
    StopProgram();
}
