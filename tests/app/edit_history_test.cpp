// Undo and redo, moving and sorting channels, the notes on what the engine stored and rows
// pasted from a spreadsheet, in the running program.

#include "tests/app/channel_list_fixture.h"

#include <cstdlib>
#include <filesystem>

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/channel_import_export.h"
#include "app/edit_memory_dlg.h"
#include "app/fixed_font_property_sheet.h"
#include "app/gui_clone_host.h"
#include "app/xrc_util.h"
#include "radio/undo_history.h"

namespace {

struct CommandCase {
    unsigned channel; // selected before the command
    unsigned id;
    const char* undoLabel;
};

// Channel 2 has been copied; 9 is blank.
const CommandCase kCommands[] = {
    {9, ID_EDIT_PASTE, "&Undo Paste CH 09\tCtrl+Z"},
    {3, ID_EDIT_CLEAR, "&Undo Clear CH 03\tCtrl+Z"},
    {2, ID_EDIT_DELETE_CH, "&Undo Delete CH 02\tCtrl+Z"},
    {2, ID_EDIT_INSERT_CH, "&Undo Insert CH 02\tCtrl+Z"},
    {3, ID_EDIT_MOVE_UP, "&Undo Move CH 03 Up\tCtrl+Z"},
    {3, ID_EDIT_MOVE_DOWN, "&Undo Move CH 03 Down\tCtrl+Z"},
    {1, ID_EDIT_SORT_FREQUENCY, "&Undo Sort by Frequency\tCtrl+Z"},
    {1, ID_EDIT_SORT_NAME, "&Undo Sort by Name\tCtrl+Z"},
};

class EditHistoryTest : public ChannelListTest {
protected:
    void SetUp() override
    {
        ChannelListTest::SetUp();
        UseChannel(2, "121.500", "TOWER");
        UseChannel(3, "118.100", "ATIS");
        UseChannel(4, "119.250", "GROUND");
        Radio()->SetPriorityChannel("3");
        View()->RefreshAll();
        Doc()->DiscardChanges();
        Doc()->GetHistory().Clear();
    }

    static CPWR455Doc* Doc() { return GetPWR455App().GetDocument(); }
    static std::string Label(unsigned id)
    {
        UpdateUi();
        return FindMenuItem(id)->GetItemLabel().utf8_string();
    }
    static std::string Status()
    {
        return GetPWR455App().GetMainFrame()->GetMessageText().utf8_string();
    }
    static std::array<RowTexts, 20> AllRows()
    {
        std::array<RowTexts, 20> rows;
        for (unsigned ch = 1; ch <= 20; ++ch)
            rows[ch - 1] = Row(ch);
        return rows;
    }
    static void SetClipboard(const char* text)
    {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject(text));
    }
    static std::string Clipboard()
    {
        wxClipboardLocker locker;
        wxTextDataObject data;
        wxTheClipboard->GetData(data);
        return data.GetText().utf8_string();
    }
    static void EditChannel(unsigned ch, const char* frequency, const char* name)
    {
        View()->SelectChannel(ch);
        wxTEST_DIALOG(View()->OpenEditMemory(),
                      CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY")->SetValue(frequency);
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_NAME")->SetValue(name);
                          return PressButton(d, wxID_OK);
                      }));
    }
    // Undo takes the list back to `before` and leaves the document unmodified; Redo brings
    // `after` back.
    static void ExpectUndoAndRedo(const std::array<RowTexts, 20>& before)
    {
        const auto after = AllRows();
        EXPECT_NE(after, before);
        EXPECT_TRUE(Doc()->IsModified());
        SendCommand(ID_EDIT_UNDO);
        EXPECT_EQ(AllRows(), before);
        EXPECT_FALSE(Doc()->IsModified());
        EXPECT_TRUE(IsEnabled(ID_EDIT_REDO));
        SendCommand(ID_EDIT_REDO);
        EXPECT_EQ(AllRows(), after);
        SendCommand(ID_EDIT_UNDO);
    }
};

} // namespace

TEST_F(EditHistoryTest, EachListCommandIsOneStepThatUndoAndRedoTakeBack)
{
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo\tCtrl+Z");
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
    EXPECT_EQ(Label(ID_EDIT_REDO), "&Redo\tCtrl+Y");
    EXPECT_FALSE(IsEnabled(ID_EDIT_REDO));
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    EXPECT_EQ(Clipboard(), "2\t121.500\tTOWER\tOFF\tOFF\n");
    for (const CommandCase& c : kCommands) {
        SCOPED_TRACE(c.undoLabel);
        View()->SelectChannel(c.channel);
        const auto before = AllRows();
        SendCommand(c.id);
        EXPECT_EQ(Label(ID_EDIT_UNDO), c.undoLabel);
        ExpectUndoAndRedo(before);
        const std::string label = c.undoLabel;
        EXPECT_EQ(Status(), "Undone: " + label.substr(6, label.find('\t') - 6));
    }
    Doc()->NewData();
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
}

TEST_F(EditHistoryTest, ThePriorityChannelFollowsAndRefusalsAreToldInTheStatusBar)
{
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_MOVE_UP);
    EXPECT_EQ(Status(), "CH 03 moved to CH 02");
    EXPECT_EQ(View()->GetSelectedChannel(), 2u);
    EXPECT_EQ(Row(2)[1], "Prio");
    EXPECT_EQ(Row(3)[1], "");
    SendCommand(ID_EDIT_SORT_FREQUENCY); // 118.000, 118.100 (the priority channel), ...
    EXPECT_EQ(Row(2)[3], "ATIS");
    EXPECT_EQ(Row(2)[1], "Prio");

    View()->SelectChannel(2);
    SendCommand(ID_EDIT_CLEAR);
    View()->SelectChannel(1);
    EXPECT_FALSE(IsEnabled(ID_EDIT_MOVE_DOWN));
    EXPECT_FALSE(IsEnabled(ID_EDIT_MOVE_UP));
    SendCommand(ID_EDIT_MOVE_DOWN);
    EXPECT_EQ(Status(), "CH 01 cannot be blank: the blank CH 02 stays where it is");
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Clear CH 02\tCtrl+Z");
}

TEST_F(EditHistoryTest, EditMemoryOkNotesWhatTheEngineStoredAndIsUndoable)
{
    View()->SelectChannel(3);
    wxTEST_DIALOG(View()->OpenEditMemory(), wxExpectDismissableModal<CEditMemoryDlg>(wxID_CANCEL));
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));

    const auto before = AllRows();
    EditChannel(3, "150", "tower");
    EXPECT_EQ(Status(), "CH 03: 150.000 MHz is outside the air band; stored as 136.975  "
                        "CH 03: the name \"tower\" is stored as \"TOWER\" (upper case)");
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Edit CH 03\tCtrl+Z");
    ExpectUndoAndRedo(before);

    EditChannel(4, "abc", "");
    EXPECT_EQ(Status(), "CH 04: \"abc\" is not a frequency; the channel is now blank. Undo with Ctrl+Z.");
    EditChannel(4, "", "");
    EXPECT_EQ(Status(), "Ready") << "nothing to say: the channel was already blank";
}

TEST_F(EditHistoryTest, SettingsAndImportAreUndoneToTheSavedDataSet)
{
    const std::string saved = GetTestHome() + "/saved.qrb";
    ASSERT_TRUE(Doc()->OnSaveDocument(saved));
    const auto before = AllRows();
    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING),
                  CExpectAction<CFixedFontPropertySheet>([](CFixedFontPropertySheet& s) {
                      XrcCtrl<wxCheckBox>(*s.GetPage(0), "IDC_CHECK_BEEP")->SetValue(false);
                      return PressButton(s, wxID_OK);
                  }));
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Common Setting\tCtrl+Z");
    EXPECT_TRUE(Doc()->IsModified());
    SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Radio()->GetBeep(), "ON");
    EXPECT_FALSE(Doc()->IsModified()) << "the document's own flag goes with the change";

    const std::string csv = GetTestHome() + "/channels.csv";
    WriteFileText(csv, "Channel,Frequency,Name,Tx Inhibit,Lockout\n3,127.1,NEW,ON,ON\n");
    ASSERT_TRUE(ImportChannelsFromFile(*Doc(), csv, nullptr));
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Import Channels\tCtrl+Z");
    ExpectUndoAndRedo(before);
    std::filesystem::remove(csv);
    std::filesystem::remove(saved);
}

TEST(EditHistoryRead, AReadFromTheTransceiverIsUndone)
{
    GetPWR455App().SetSimulate(true);
    StartProgram();
    GetPWR455App().SetSimulate(false);
    CPWR455Doc* doc = GetPWR455App().GetDocument();
    static_cast<CGuiCloneHost&>(doc->GetCloneHost()).SetToneSink([](unsigned, unsigned) {});
    std::string frequency = "130.000";
    doc->GetRadioData()->SetChFrequency(5, frequency);
    doc->GetRadioData()->SetChAppear(5, "ON");
    doc->DiscardChanges();
    doc->GetHistory().Clear();
    SendCommand(ID_CLONE_READ);
    ASSERT_EQ(doc->GetLastCloneResult(), 0);
    EXPECT_EQ(doc->GetHistory().GetUndoName(), "Read From Transceiver");
    EXPECT_NE(doc->GetRadioData()->GetChFrequency(5), "130.000");
    SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc->GetRadioData()->GetChFrequency(5), "130.000");
    EXPECT_FALSE(doc->IsModified());
    StopProgram();
}

TEST_F(EditHistoryTest, PasteRowsSetsSpreadsheetRowsFromTheSelectedChannelOn)
{
    SetClipboard("x\t127.1\tSpread\tON\tOFF\r\n\t128.2\tSheet\t\t\r\n");
    View()->SelectChannel(6);
    const auto before = AllRows();
    SendCommand(ID_EDIT_PASTE_ROWS);
    EXPECT_EQ(Row(6), (RowTexts{"06", "", "127.100", "SPREAD", "Inhibit", "", ""}));
    EXPECT_EQ(Row(7), (RowTexts{"07", "", "128.200", "SHEET", "", "", ""}));
    EXPECT_EQ(Status(), "2 rows pasted into CH 06 to CH 07");
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Paste Rows at CH 06\tCtrl+Z");
    ExpectUndoAndRedo(before);

    SetClipboard("6,abc,X,OFF,OFF\n");
    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE_ROWS),
                  CExpectMessage("No rows were pasted:\nLine 1, field Frequency: \"abc\" is "
                                 "not a frequency in MHz.",
                                 wxID_OK));
    EXPECT_EQ(AllRows(), before);
    EXPECT_EQ(Label(ID_EDIT_REDO), "&Redo Paste Rows at CH 06\tCtrl+Y") << "no step was added";
}

TEST_F(EditHistoryTest, KeysOfTheNewCommands)
{
    const struct {
        unsigned id;
        int flags;
        int key;
    } keys[] = {{ID_EDIT_UNDO, wxACCEL_CTRL, 'Z'},
                {ID_EDIT_REDO, wxACCEL_CTRL, 'Y'},
                {ID_EDIT_PASTE_ROWS, wxACCEL_CTRL | wxACCEL_SHIFT, 'V'},
                {ID_EDIT_MOVE_UP, wxACCEL_CTRL, WXK_UP},
                {ID_EDIT_MOVE_DOWN, wxACCEL_CTRL, WXK_DOWN}};
    for (const auto& k : keys) {
        std::unique_ptr<wxAcceleratorEntry> accel(FindMenuItem(k.id)->GetAccel());
        ASSERT_TRUE(accel) << k.id;
        EXPECT_EQ(accel->GetFlags(), k.flags) << k.id;
        EXPECT_EQ(accel->GetKeyCode(), k.key) << k.id;
    }
    // Pressed for real on the list: Ctrl+Down moves the channel, Alt+Backspace undoes that and
    // Ctrl+Shift+Z does it again. Keyboard focus under a bare X server follows the pointer.
    wxUIActionSimulator sim;
    sim.MouseMove(List()->GetScreenRect().GetPosition() + wxPoint(60, 40));
    sim.MouseClick();
    PumpEvents(200);
    View()->SelectChannel(3);
    List()->SetFocus();
    PumpEvents(100);
    sim.Char(WXK_DOWN, wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([] { return Row(4)[3] == "ATIS"; }));
    sim.Char(WXK_BACK, wxMOD_ALT);
    EXPECT_TRUE(WaitFor([] { return Row(3)[3] == "ATIS"; }));
    sim.Char('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([] { return Row(4)[3] == "ATIS"; }));
}

// Pictures for a person to look at: a note in the status bar and the Edit menu naming the step
// it would undo. Runs only when PWR_SCREENSHOT_DIR names a folder to put them in.
TEST_F(EditHistoryTest, Screenshots)
{
    const char* dir = std::getenv("PWR_SCREENSHOT_DIR");
    if (!dir)
        GTEST_SKIP() << "PWR_SCREENSHOT_DIR not set";
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    frame->SetSize(640, 480);
    EditChannel(3, "121.51", "TOWER");
    auto shoot = [&](const char* name) {
        PumpEvents(400);
        const wxRect r = frame->GetScreenRect();
        const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png",
                                                  r.width, r.height, r.x, r.y, dir, name);
        EXPECT_EQ(wxExecute(command, wxEXEC_SYNC), 0) << command.utf8_string();
    };
    shoot("status_note");
    wxUIActionSimulator sim;
    sim.MouseMove(List()->GetScreenRect().GetPosition() + wxPoint(60, 40));
    sim.MouseClick();
    PumpEvents(200);
    sim.Char('E', wxMOD_ALT);
    shoot("edit_menu");
    sim.Char(WXK_ESCAPE);
    PumpEvents(200);
}
