// Undo and redo, moving and sorting channels, the notes on what the engine stored and rows
// pasted from a spreadsheet, in the running program.

#include "tests/app/channel_list_fixture.h"

#include <cstdlib>
#include <filesystem>

#include <wx/checkbox.h>
#include <wx/clipbrd.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/channel_import_export.h"
#include "app/edit_memory_dlg.h"
#include "app/fixed_font_property_sheet.h"
#include "app/gui_clone_host.h"
#include "app/xrc_util.h"
#include "radio/undo_history.h"

namespace {

// Channel 2 has been copied; 9 is blank. The step's name follows "&Undo ".
const std::pair<unsigned, unsigned> kCommands[] = {
    {9, ID_EDIT_PASTE},     {3, ID_EDIT_CLEAR},     {2, ID_EDIT_DELETE_CH},
    {2, ID_EDIT_INSERT_CH}, {3, ID_EDIT_MOVE_UP},   {3, ID_EDIT_MOVE_DOWN},
    {1, ID_EDIT_SORT_NAME}, {1, ID_EDIT_SORT_FREQUENCY},
};
const char* const kStepNames[] = {"Paste CH 09",  "Clear CH 03",      "Delete CH 02",
                                  "Insert CH 02", "Move CH 03 Up",    "Move CH 03 Down",
                                  "Sort by Name", "Sort by Frequency"};

class EditHistoryTest : public ChannelListTest {
protected:
    void SetUp() override
    {
        ChannelListTest::SetUp();
        UseExampleChannels();
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
    static std::string Status() { return GetPWR455App().GetMainFrame()->GetMessageText().utf8_string(); }
    static void EditChannel(unsigned ch, const char* frequency, const char* name)
    {
        View()->SelectChannel(ch);
        wxTEST_DIALOG(View()->OpenEditMemory(), CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY")->SetValue(frequency);
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_NAME")->SetValue(name);
                          return PressButton(d, wxID_OK);
                      }));
    }
    // Undo takes the list back to `before` and the document to unmodified; Redo comes back.
    static void ExpectUndoAndRedo(const std::array<RowTexts, 20>& before)
    {
        const auto after = AllRows();
        EXPECT_NE(after, before);
        EXPECT_TRUE(Doc()->IsModified());
        SendCommand(ID_EDIT_UNDO);
        EXPECT_EQ(AllRows(), before);
        EXPECT_FALSE(Doc()->IsModified());
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
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    {
        wxClipboardLocker locker;
        wxTextDataObject copied;
        EXPECT_TRUE(wxTheClipboard->GetData(copied));
        EXPECT_EQ(copied.GetText(), "2\t121.500\tTOWER\tOFF\tOFF\n");
    }
    for (size_t i = 0; i < WXSIZEOF(kCommands); ++i) {
        SCOPED_TRACE(kStepNames[i]);
        View()->SelectChannel(kCommands[i].first);
        const auto before = AllRows();
        SendCommand(kCommands[i].second);
        EXPECT_EQ(Label(ID_EDIT_UNDO), std::string("&Undo ") + kStepNames[i] + "\tCtrl+Z");
        ExpectUndoAndRedo(before);
        EXPECT_EQ(Status(), std::string("Undone: ") + kStepNames[i]);
        EXPECT_EQ(Label(ID_EDIT_REDO), std::string("&Redo ") + kStepNames[i] + "\tCtrl+Y");
    }
    Doc()->NewData();
    EXPECT_FALSE(IsEnabled(ID_EDIT_REDO));
}

TEST_F(EditHistoryTest, ThePriorityChannelFollowsAndRefusalsAreToldInTheStatusBar)
{
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_MOVE_UP);
    EXPECT_EQ(Status(), "CH 03 moved to CH 02");
    EXPECT_EQ(View()->GetSelectedChannel(), 2u);
    EXPECT_EQ(Row(2)[1] + Row(3)[1], "Prio");
    SendCommand(ID_EDIT_CLEAR);
    View()->SelectChannel(1);
    EXPECT_FALSE(IsEnabled(ID_EDIT_MOVE_DOWN));
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
}

TEST_F(EditHistoryTest, SettingsAndImportAreUndoneToTheSavedDataSet)
{
    const std::string saved = GetTestHome() + "/saved.qrb", csv = GetTestHome() + "/in.csv";
    ASSERT_TRUE(Doc()->OnSaveDocument(saved));
    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING),
                  CExpectAction<CFixedFontPropertySheet>([](CFixedFontPropertySheet& s) {
                      XrcCtrl<wxCheckBox>(*s.GetPage(0), "IDC_CHECK_BEEP")->SetValue(false);
                      return PressButton(s, wxID_OK);
                  }));
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Common Setting\tCtrl+Z");
    SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(Radio()->GetBeep(), "ON");
    EXPECT_FALSE(Doc()->IsModified()) << "the document's own flag goes with the change";
    WriteFileText(csv, "Channel,Frequency,Name,Tx Inhibit,Lockout\n3,127.1,NEW,ON,ON\n");
    const auto before = AllRows();
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
    doc->GetRadioData()->Command("CH.MCH.5.ALL=APPEAR=ON\tFREQUENCY=130");
    doc->DiscardChanges();
    doc->GetHistory().Clear();
    SendCommand(ID_CLONE_READ);
    ASSERT_EQ(doc->GetLastCloneResult(), 0);
    EXPECT_EQ(doc->GetHistory().GetUndoName(), "Read From Transceiver");
    SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc->GetRadioData()->GetChFrequency(5), "130.000");
    EXPECT_FALSE(doc->IsModified());
    StopProgram();
}

TEST_F(EditHistoryTest, PasteRowsSetsSpreadsheetRowsFromTheSelectedChannelOn)
{
    auto copy = [](const char* text) {
        wxClipboardLocker locker;
        wxTheClipboard->SetData(new wxTextDataObject(text));
    };
    copy("x\t127.1\tSpread\tON\tOFF\r\n\t128.2\tSheet\t\t\r\n");
    View()->SelectChannel(6);
    const auto before = AllRows();
    SendCommand(ID_EDIT_PASTE_ROWS);
    EXPECT_EQ(Row(6), (RowTexts{"06", "", "127.100", "SPREAD", "Inhibit", "", ""}));
    EXPECT_EQ(Row(7)[3], "SHEET");
    EXPECT_EQ(Status(), "2 rows pasted into CH 06 to CH 07");
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo Paste Rows at CH 06\tCtrl+Z");
    ExpectUndoAndRedo(before);
    copy("6,abc,X,OFF,OFF\n");
    wxTEST_DIALOG(SendCommand(ID_EDIT_PASTE_ROWS),
                  CExpectMessage("No rows were pasted:\nLine 1, field Frequency: \"abc\" is not a frequency in MHz.",
                                 wxID_OK));
    EXPECT_EQ(Label(ID_EDIT_REDO), "&Redo Paste Rows at CH 06\tCtrl+Y") << "no step was added";
}

// Pressed for real on the list: Ctrl+Down moves the channel, Alt+Backspace undoes that and
// Ctrl+Shift+Z does it again. With PWR_SCREENSHOT_DIR set, pictures of a note in the status
// bar and of the Edit menu naming the step it would undo are taken too.
TEST_F(EditHistoryTest, KeysAndScreenshots)
{
    wxUIActionSimulator sim;
    // Keyboard focus under a bare X server follows the pointer.
    sim.MouseMove(List()->GetScreenRect().GetPosition() + wxPoint(60, 40));
    sim.MouseClick();
    PumpEvents(200);
    View()->SelectChannel(3);
    List()->SetFocus();
    PumpEvents(100);
    using Key = std::tuple<int, int, unsigned>; // key, modifiers, the row ATIS is in then
    for (const auto& [key, modifiers, ch] : {Key{WXK_DOWN, wxMOD_CONTROL, 4}, Key{WXK_BACK, wxMOD_ALT, 3},
                                              Key{'Z', wxMOD_CONTROL | wxMOD_SHIFT, 4}}) {
        sim.Char(key, modifiers);
        EXPECT_TRUE(WaitFor([ch = ch] { return Row(ch)[3] == "ATIS"; })) << key;
    }
    const char* dir = std::getenv("PWR_SCREENSHOT_DIR");
    if (!dir)
        return;
    CMainFrame* frame = GetPWR455App().GetMainFrame();
    frame->SetSize(640, 480);
    EditChannel(3, "121.51", "TOWER");
    auto shoot = [&](const char* name) {
        PumpEvents(400);
        const wxRect r = frame->GetScreenRect();
        EXPECT_EQ(wxExecute(wxString::Format("import -window root -crop %dx%d+%d+%d %s/%s.png", r.width,
                                             r.height, r.x, r.y, dir, name), wxEXEC_SYNC), 0);
    };
    shoot("status_note");
    sim.Char('E', wxMOD_ALT);
    shoot("edit_menu");
    sim.Char(WXK_ESCAPE);
    PumpEvents(200);
}
