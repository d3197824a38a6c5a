// The clone commands of the desktop program against the simulated transceiver: the real
// windows, the real serial code on a pseudo-terminal, tones recorded instead of played.

#include "tests/app/gui_test.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/timer.h>

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
#include "radio/r455_radio.h"
#include "res/resource_ids.h"
#include "sim/sim_transceiver.h"

namespace {

using Tone = std::pair<unsigned, unsigned>;
const std::vector<Tone> kSuccessTones = {{1000, 50}, {1000, 50}};
const std::vector<Tone> kFailureTones = {{500, 400}, {500, 400}, {500, 400}, {500, 400}};

const char kPortError[] =
    " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n"
    " - Transceiver power is ON.";
// Shown with plain line feeds: the toolkit's labels do not take CR LF.
const char kCheckSoftware[] =
    " Check the following:\n\n - The RS-232C port settings.\n - Cloning cable connections.\n"
    " - Appropriate cloning software for the transceiver is being used.\n"
    " - The revision number of the transceiver.\n";
const char kCannotProgram[] =
    " The transceiver cannot be programmed. The cause may be:\n\n 1) The transceiver has not "
    "been cloned.\n 2) The transceiver's EEPROM is damaged.\n 3) The transceiver's revision "
    "number is not compatible\n    with the programming software.\n\n In cases 1 or 2, the "
    "transceiver requires factory\n maintenance. In case 3, the transceiver cannot be\n "
    "programmed using this program.\n\n";
const char kWriteSucceeded[] =
    " Clone writing succeeded. \n\n Turn the transceiver power off and on to use \n the "
    "transceiver under its new conditions.\n";

CPWR455Doc* Doc()
{
    return GetPWR455App().GetDocument();
}

CR455Radio* Radio()
{
    return Doc()->GetRadioData();
}

CMainFrame* Frame()
{
    return GetPWR455App().GetMainFrame();
}

CGuiCloneHost& Host()
{
    return static_cast<CGuiCloneHost&>(Doc()->GetCloneHost());
}

std::string Status()
{
    return Frame()->GetMessageText().utf8_string();
}

// Screenshots go to $PWR_SCREENSHOT_DIR when it is set.
void Screenshot(const char* name)
{
    const char* dir = std::getenv("PWR_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    PumpEvents(100);
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
    wxString GetDefaultDescription() const override
    {
        return "message box \"" + wxString::FromUTF8(m_text) + "\"";
    }

private:
    std::string m_text;
    long m_buttons;
    long m_icon;
    int m_answer;
};

CExpectBox Warning(const std::string& text)
{
    return CExpectBox(text, wxOK, wxICON_EXCLAMATION);
}

// The Information dialog as the user sees it: shown for real, its two texts read back.
class CExpectInfo : public wxExpectModalBase<CCloneInfoDlg, CExpectInfo> {
public:
    CExpectInfo(std::string* model, std::string* comment, const char* shot = nullptr)
        : m_model(model), m_comment(comment), m_shot(shot) {}

protected:
    int OnInvoked(CCloneInfoDlg* dialog) const override
    {
        dialog->InitDialog();
        dialog->Show();
        PumpEvents(50);
        EXPECT_EQ(dialog->GetTitle().utf8_string(), "Information");
        *m_model = XrcCtrl<wxStaticText>(*dialog, "IDC_INFO_MODEL")->GetLabel().utf8_string();
        *m_comment = XrcCtrl<wxStaticText>(*dialog, "IDC_INFO_COMMENT")->GetLabel().utf8_string();
        if (m_shot)
            Screenshot(m_shot);
        dialog->Hide();
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "the Information dialog"; }

private:
    std::string* m_model;
    std::string* m_comment;
    const char* m_shot;
};

// Looks at the progress window while a run keeps the processor: the window pumps events, so
// this timer fires in the middle of the run.
class CProgressWatcher : public wxTimer {
public:
    bool seen = false;
    bool ownerDisabled = false;
    bool cancelPressed = false;
    bool screenshotTaken = false;
    int cancelAtPercent = -1;  // presses Cancel once the bar reaches this
    bool closeMainWindow = false; // asks the main window to close once, as a window manager does
    bool closeAsked = false;
    const char* screenshot = nullptr;
    wxString title;
    std::vector<std::string> percents; // distinct texts in the order seen

    void Notify() override
    {
        CCloneProgressDlg* dialog = Host().GetProgressDialog();
        if (!dialog || !dialog->IsShown())
            return;
        seen = true;
        title = dialog->GetTitle();
        ownerDisabled = !Frame()->IsEnabled();
        const std::string text = dialog->GetPercentText().utf8_string();
        if (percents.empty() || percents.back() != text)
            percents.push_back(text);
        if (screenshot && !screenshotTaken && dialog->GetPos() >= 30) {
            screenshotTaken = true;
            Screenshot(screenshot);
        }
        if (closeMainWindow && !closeAsked) {
            closeAsked = true;
            Frame()->Close();
        }
        if (cancelAtPercent >= 0 && !cancelPressed && dialog->GetPos() >= cancelAtPercent) {
            cancelPressed = true;
            auto* cancel = wxDynamicCast(dialog->FindWindow(wxID_CANCEL), wxButton);
            ASSERT_NE(cancel, nullptr);
            wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
            click.SetEventObject(cancel);
            cancel->HandleWindowEvent(click);
        }
    }
};

// True when no progress window is left on the screen.
bool NoProgressWindowShown()
{
    for (wxWindow* window : wxTopLevelWindows) {
        if (wxDynamicCast(window, CCloneProgressDlg) && window->IsShown())
            return false;
    }
    return Host().GetProgressDialog() == nullptr;
}

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

class CloneGuiTest : public testing::Test {
protected:
    void SetUp() override
    {
        StartProgram();
        Host().SetToneSink([this](unsigned f, unsigned ms) { tones.emplace_back(f, ms); });
    }
    void TearDown() override
    {
        if (Doc())
            Host().SetToneSink(nullptr);
        StopProgram();
        sim.reset();
    }

    // Starts a simulated transceiver with `faults`, holding `data` when given, and binds COM1
    // to it.
    void StartSim(const CSimFaults& faults = CSimFaults(), CR455Radio* data = nullptr)
    {
        sim = std::make_unique<CSimTransceiver>();
        sim->SetFaults(faults);
        if (data) {
            const std::string path = GetTestHome() + "/sim.qrb";
            ASSERT_TRUE(data->SaveToFile(path));
            ASSERT_TRUE(sim->LoadImage(path));
        }
        ASSERT_TRUE(sim->Start());
        BindCom(1, sim->GetDevicePath());
    }

    void BindCom(int number, const std::string& device)
    {
        Doc()->GetCloneLink().SetPortDevice(number, device);
        Doc()->SetPortNumber(number);
    }

    // Commands the program sent (frame command bytes).
    std::vector<int> SentCommands() const
    {
        std::vector<int> commands;
        for (const CSimTransceiver::ReceivedFrame& f : sim->GetReceivedFrames()) {
            if (f.bytes.size() >= 3)
                commands.push_back(f.bytes[2]);
        }
        return commands;
    }

    bool Sent(int command) const
    {
        for (int c : SentCommands()) {
            if (c == command)
                return true;
        }
        return false;
    }

    std::unique_ptr<CSimTransceiver> sim;
    std::vector<Tone> tones;
};

// Every text of the channel list, row by row.
std::string ListText()
{
    std::string text;
    auto* view = dynamic_cast<CPWR455View*>(Doc()->GetFirstView());
    if (!view || !view->GetListCtrl())
        return text;
    wxListCtrl* list = view->GetListCtrl();
    for (long row = 0; row < list->GetItemCount(); ++row) {
        for (int column = 0; column < list->GetColumnCount(); ++column)
            text += list->GetItemText(row, column).utf8_string() + "|";
        text += "\n";
    }
    return text;
}

} // namespace

TEST_F(CloneGuiTest, ReadShowsTheProgressWindowAndReplacesTheData)
{
    CR455Radio data;
    MakeDistinctData(data);
    CSimFaults faults;
    faults.realtime = true; // a read at the line's own speed, so the window is seen moving
    StartSim(faults, &data);
    ASSERT_FALSE(Doc()->IsModified());
    ASSERT_EQ(Radio()->GetChName(1).find("TOWER"), std::string::npos);

    CProgressWatcher watcher;
    watcher.screenshot = "clone_progress";
    watcher.closeMainWindow = true;
    watcher.Start(20);
    SendCommand(ID_CLONE_READ); // unmodified data: no question
    watcher.Stop();

    // The close request during the run was refused: the program and its document are there.
    EXPECT_TRUE(watcher.closeAsked);
    ASSERT_NE(Frame(), nullptr);
    ASSERT_NE(Doc(), nullptr);
    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_TRUE(watcher.seen);
    EXPECT_TRUE(watcher.ownerDisabled);
    EXPECT_EQ(watcher.title.utf8_string(), "Cloning");
    // The percentage moves in steps of ten and ends at 100.
    ASSERT_FALSE(watcher.percents.empty());
    for (const std::string& text : watcher.percents) {
        const bool tens = text == " 0 %" ||
            (text.size() >= 2 && text.back() == '%' && std::stoi(text) % 10 == 0 &&
             std::stoi(text) <= 100);
        EXPECT_TRUE(tens) << text;
    }
    EXPECT_GT(watcher.percents.size(), 3u);
    EXPECT_EQ(watcher.percents.back(), "100%");

    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_FALSE(Radio()->IsEdited());
    EXPECT_EQ(Radio()->GetChFrequency(1), "121.500");
    EXPECT_NE(Radio()->GetChName(1).find("TOWER"), std::string::npos);
    EXPECT_NE(ListText().find("121.500"), std::string::npos) << ListText();
    EXPECT_NE(ListText().find("TOWER"), std::string::npos) << ListText();
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_TRUE(Frame()->IsEnabled());
    EXPECT_TRUE(NoProgressWindowShown());
}

TEST_F(CloneGuiTest, ReadOverEditedDataAsksFirstAndCancelLeavesEverything)
{
    StartSim();
    std::string frequency = "118.000";
    Radio()->SetChFrequency(2, frequency);
    ASSERT_TRUE(Doc()->IsModified());
    const std::string before = Status();

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ),
                  CExpectBox(" Read from transceiver, Data has been edited.", wxOK | wxCANCEL,
                             wxICON_EXCLAMATION, wxID_CANCEL));

    EXPECT_EQ(Doc()->GetLastCloneResult(), -1);
    EXPECT_TRUE(sim->GetReceivedFrames().empty());
    EXPECT_EQ(Radio()->GetChFrequency(2), "118.000");
    EXPECT_EQ(Status(), before);
    EXPECT_TRUE(tones.empty());
}

TEST_F(CloneGuiTest, WriteSendsTheDataAndTellsToRestartTheTransceiver)
{
    StartSim();
    MakeDistinctData(*Radio());
    const bool modifiedBefore = Doc()->IsModified();

    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE),
                  CExpectBox(" Write to transceiver", wxOK | wxCANCEL, wxICON_EXCLAMATION),
                  CExpectBox(kWriteSucceeded, wxOK, wxICON_NONE));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(Status(), " Cloning completed.");
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(sim->GetWriteCount(), 1);
    // The transceiver now holds exactly the document's data.
    const std::string path = GetTestHome() + "/written.qrb";
    ASSERT_TRUE(Radio()->SaveToFile(path));
    CSimTransceiver expected;
    ASSERT_TRUE(expected.LoadImage(path));
    EXPECT_TRUE(sim->GetImage() == expected.GetImage());
    // A write changes neither the data nor their modified state.
    EXPECT_EQ(Doc()->IsModified(), modifiedBefore);
    EXPECT_NE(Radio()->GetChName(1).find("TOWER"), std::string::npos);
    EXPECT_TRUE(NoProgressWindowShown());
}

TEST_F(CloneGuiTest, WriteNeedsTheAnswerOk)
{
    StartSim();
    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE),
                  CExpectBox(" Write to transceiver", wxOK | wxCANCEL, wxICON_EXCLAMATION,
                             wxID_CANCEL));
    EXPECT_TRUE(sim->GetReceivedFrames().empty());
    EXPECT_EQ(sim->GetWriteCount(), 0);
}

TEST_F(CloneGuiTest, InformationShowsTheModelAndSixteenCommentCharacters)
{
    CR455Radio data;
    MakeDistinctData(data);
    StartSim(CSimFaults(), &data);
    const std::string before = Status();

    std::string model, comment;
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), CExpectInfo(&model, &comment, "clone_info"));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 0);
    EXPECT_EQ(model, "VX-R455NORD");
    EXPECT_EQ(comment.size(), 16u) << '"' << comment << '"';
    EXPECT_EQ(comment.substr(0, 7), "FIELD 7");
    EXPECT_EQ(comment.substr(7).find_first_not_of(' '), std::string::npos) << comment;
    EXPECT_EQ(tones, kSuccessTones);
    EXPECT_EQ(Status(), before); // no status text, no box
    EXPECT_FALSE(Sent(0xE2));
}

// A transceiver of another revision: every command ends after the information run, with no
// read or write request sent.
TEST_F(CloneGuiTest, WrongRevisionEndsEveryCommandWithIllegalInformation)
{
    CSimFaults faults;
    faults.wrongRevision = true;
    StartSim(faults);

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ), Warning(kCannotProgram));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 85);
    EXPECT_EQ(Status(), " Err: Illegal information.");
    EXPECT_EQ(tones, kFailureTones);

    tones.clear();
    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE),
                  CExpectBox(" Write to transceiver", wxOK | wxCANCEL, wxICON_EXCLAMATION),
                  Warning(kCannotProgram));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 85);
    EXPECT_EQ(Status(), " Err: Illegal information.");
    EXPECT_EQ(tones, kFailureTones);

    Frame()->SetMessageText(wxString("Ready"));
    tones.clear();
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), Warning(kCannotProgram));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 85);
    EXPECT_EQ(Status(), " Err: Illegal information.");
    EXPECT_EQ(tones, kFailureTones);

    EXPECT_FALSE(Sent(0xE2));
    EXPECT_FALSE(Sent(0xE3));
    EXPECT_EQ(sim->GetWriteCount(), 0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(CloneGuiTest, SilentTransceiverEndsTheReadAfterTwoToThreeSeconds)
{
    CSimFaults faults;
    faults.silence = true;
    StartSim(faults);

    const auto start = std::chrono::steady_clock::now();
    wxTEST_DIALOG(SendCommand(ID_CLONE_READ), Warning(kCheckSoftware));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    EXPECT_EQ(Doc()->GetLastCloneResult(), 77);
    EXPECT_EQ(Status(), " Err: Cannot read cloning data.");
    EXPECT_EQ(tones, kFailureTones);
    // Port settle times, the silence and the failure tones' pauses (the tones themselves are
    // recorded, not played).
    EXPECT_GE(seconds, 2.0);
    EXPECT_LT(seconds, 5.0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(CloneGuiTest, MissingPortIsReportedAndTheMainWindowStaysUsable)
{
    BindCom(2, GetTestHome() + "/no-such-tty");
    std::string frequency = "119.100";
    Radio()->SetChFrequency(3, frequency);

    wxTEST_DIALOG(SendCommand(ID_CLONE_WRITE),
                  CExpectBox(" Write to transceiver", wxOK | wxCANCEL, wxICON_EXCLAMATION),
                  Warning(kPortError));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 91);
    EXPECT_EQ(Status(), " Err: Cannot access RS-232C port.");

    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), Warning(kPortError));
    EXPECT_EQ(Doc()->GetLastCloneResult(), 91);
    EXPECT_EQ(Status(), " Err: Cannot access RS-232C port.");
    EXPECT_EQ(tones.size(), 8u);

    EXPECT_TRUE(Frame()->IsEnabled());
    EXPECT_TRUE(NoProgressWindowShown());
    EXPECT_EQ(Radio()->GetChFrequency(3), "119.100");
    // The window still takes commands.
    SendCommand(ID_COM3);
    EXPECT_EQ(Doc()->GetPortNumber(), 3);
}

TEST_F(CloneGuiTest, CancelDuringAReadStopsItAndKeepsTheData)
{
    CR455Radio data;
    MakeDistinctData(data);
    CSimFaults faults;
    faults.realtime = true;
    StartSim(faults, &data);

    CProgressWatcher watcher;
    watcher.cancelAtPercent = 20;
    watcher.Start(20);
    SendCommand(ID_CLONE_READ);
    watcher.Stop();

    EXPECT_TRUE(watcher.cancelPressed);
    EXPECT_EQ(Doc()->GetLastCloneResult(), 1);
    EXPECT_EQ(Status(), " Terminated cloning.  ");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Radio()->GetChName(1).find("TOWER"), std::string::npos);
    EXPECT_TRUE(NoProgressWindowShown());
    EXPECT_TRUE(Frame()->IsEnabled());
}

// Records that arrive whole but do not make a complete data set: the read fails and the data
// stay as they were.
TEST_F(CloneGuiTest, ReceivedDataThatDoNotLoadLeaveTheDataUntouched)
{
    CR455Radio data;
    MakeDistinctData(data);
    CSimFaults faults;
    faults.recordLimit = 10;
    StartSim(faults, &data);

    wxTEST_DIALOG(SendCommand(ID_CLONE_READ), Warning(kCheckSoftware));

    EXPECT_EQ(Doc()->GetLastCloneResult(), 77);
    EXPECT_EQ(Status(), " Err: Cannot read cloning data.");
    EXPECT_EQ(tones, kFailureTones);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(Radio()->GetChName(1).find("TOWER"), std::string::npos);
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

    struct CExpectPorts : wxExpectModalBase<CPortSettingsDlg, CExpectPorts> {
        explicit CExpectPorts(const std::string& device) : m_device(device) {}
        int OnInvoked(CPortSettingsDlg* dialog) const override
        {
            dialog->Show(); // fills the fields
            PumpEvents(50);
            auto* com2 = XrcCtrl<wxComboBox>(*dialog, "IDC_PORT_DEVICE2");
            EXPECT_EQ(com2->GetValue().utf8_string(), "/dev/ttyUSB1");
            com2->SetValue(wxString::FromUTF8(m_device));
            XrcCtrl<wxComboBox>(*dialog, "IDC_PORT_DEVICE4")->SetValue("  ");
            Screenshot("port_settings");
            dialog->Hide();
            EXPECT_TRUE(dialog->TransferDataFromWindow());
            return wxID_OK;
        }
        std::string m_device;
    };
    wxTEST_DIALOG(SendCommand(ID_PORT_SETTINGS), CExpectPorts(sim->GetDevicePath()));

    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(2), sim->GetDevicePath());
    EXPECT_EQ(Doc()->GetCloneLink().GetPortDevice(4), "/dev/ttyUSB3");
    // Written at once where pwr455-cli --com 2 looks for it.
    const std::string profile = ReadFileText(GetProfilePath());
    EXPECT_NE(profile.find("[CommPort]"), std::string::npos) << profile;
    EXPECT_NE(profile.find("Device2=" + sim->GetDevicePath() + "\n"), std::string::npos)
        << profile;

    // COM2 now reaches the transceiver.
    SendCommand(ID_COM2);
    std::string model, comment;
    wxTEST_DIALOG(SendCommand(ID_CLONE_INFO), CExpectInfo(&model, &comment));
    EXPECT_EQ(model, "VX-R455NORD");
}

// pwr455 --simulate: every COM port leads to the built-in simulated transceiver, and the title
// bar says so.
TEST(CloneGuiSimulate, SimulateModeReadsFromTheBuiltInTransceiver)
{
    GetPWR455App().SetSimulate(true);
    StartProgram();
    GetPWR455App().SetSimulate(false);
    CPWR455Doc* doc = Doc();
    ASSERT_TRUE(doc->IsSimulating());
    EXPECT_EQ(Frame()->GetTitle().utf8_string(), "Untitled - PW-R455NORD [simulated transceiver]");
    std::vector<Tone> tones;
    Host().SetToneSink([&](unsigned f, unsigned ms) { tones.emplace_back(f, ms); });

    SendCommand(ID_COM4);
    std::string frequency = "130.000";
    Radio()->SetChFrequency(5, frequency);
    wxTEST_DIALOG(SendCommand(ID_CLONE_READ),
                  CExpectBox(" Read from transceiver, Data has been edited.", wxOK | wxCANCEL,
                             wxICON_EXCLAMATION));
    EXPECT_EQ(doc->GetLastCloneResult(), 0);
    EXPECT_EQ(Status(), " Cloning completed.");
    CR455Radio fresh;
    fresh.ResetData();
    EXPECT_EQ(Radio()->GetChFrequency(5), fresh.GetChFrequency(5));
    EXPECT_NE(Radio()->GetChFrequency(5), "130.000");
    EXPECT_EQ(tones, kSuccessTones);
    Host().SetToneSink(nullptr);
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
    wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
    click.SetEventObject(dialog->FindWindow(wxID_CANCEL));
    dialog->FindWindow(wxID_CANCEL)->HandleWindowEvent(click);
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
    PumpEvents(20);
    StopProgram();
}
