#include "tests/app/gui_test.h"

#include "radio/undo_history.h"

namespace {

class EditHistoryTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        PutChannel(*Radio(), 2, "121.500", "TOWER");
        PutChannel(*Radio(), 4, "119.250", "GROUND");
        Radio()->SetPriorityChannel("3");
        UseChannel(3, "118.100", "ATIS");
        Doc()->DiscardChanges();
        Doc()->GetHistory().Clear();
    }
    static std::array<RowTexts, 20> AllRows()
    {
        std::array<RowTexts, 20> rows;
        for (unsigned ch = 1; ch <= 20; ++ch)
            rows[ch - 1] = Row(ch);
        return rows;
    }
    static std::string Label(unsigned id) { return UpdateUi(), FindMenuItem(id)->GetItemLabel().utf8_string(); }
    // The last command was the step `name`: Undo takes the list back to `before` and the
    // document to unmodified, Redo comes back, and Undo again.
    static void ExpectUndoAndRedo(const std::string& name, const std::array<RowTexts, 20>& before)
    {
        EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo " + name + "\tCtrl+Z");
        const auto after = AllRows();
        EXPECT_TRUE(after != before && Doc()->IsModified());
        SendCommand(ID_EDIT_UNDO);
        EXPECT_TRUE(AllRows() == before && !Doc()->IsModified());
        EXPECT_EQ(Status() + "|" + Label(ID_EDIT_REDO), "Undone: " + name + "|&Redo " + name + "\tCtrl+Y");
        SendCommand(ID_EDIT_REDO);
        EXPECT_EQ(AllRows(), after);
        SendCommand(ID_EDIT_UNDO);
    }
};

} // namespace

TEST_F(EditHistoryTest, EditMemoryAndEachListCommandAreOneStepThatUndoAndRedoTakeBack)
{
    EXPECT_EQ(Label(ID_EDIT_UNDO), "&Undo\tCtrl+Z");
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
    // Enter opens Edit Memory on the selected channel (those out of range are not selected); a
    // Cancel of the command afterwards leaves the row as OK made it.
    for (unsigned ch : {3u, 0u, 21u})
        View()->SelectChannel(ch);
    EXPECT_EQ(List()->GetSelectedItemCount(), 1);
    EXPECT_EQ(List()->GetFocusedItem(), 2);
    const auto beforeEdit = AllRows();
    wxTEST_DIALOG((PressKey(WXK_RETURN), SendCommand(ID_EDIT_MEMORY)),
                  CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      EXPECT_EQ(d.GetChannel(), 3);
                      XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY")->SetValue("150");
                      XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_NAME")->SetValue(wxString::FromUTF8("t\xC3\xA5rn"));
                      XrcCtrl<wxCheckBox>(d, "IDC_CHECK_CH_LOCKOUT")->SetValue(true);
                      return PressButton(d, wxID_OK);
                  }),
                  CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY")->SetValue("");
                      return PressButton(d, wxID_CANCEL);
                  }));
    EXPECT_EQ(Row(3), (RowTexts{"03", "Prio", "136.975", "TARN", "", "Lockout", ""}));
    EXPECT_EQ(Status(), "CH 03: 150.000 MHz is outside the air band; stored as 136.975  "
                        "CH 03: the name \"t\xC3\xA5rn\" is stored as \"TARN\" (letters spelled "
                        "as ICAO writes them, upper case)");
    ExpectUndoAndRedo("Edit CH 03", beforeEdit);
    View()->SelectChannel(2);
    SendCommand(ID_EDIT_COPY);
    const std::tuple<unsigned, unsigned, const char*> kCommands[] = { // channel 9 is blank
        {9, ID_EDIT_PASTE, "Paste CH 09"}, {3, ID_EDIT_CLEAR, "Clear CH 03"}, {2, ID_EDIT_DELETE_CH, "Delete CH 02"},
        {2, ID_EDIT_INSERT_CH, "Insert CH 02"}, {3, ID_EDIT_MOVE_UP, "Move CH 03 Up"},
        {3, ID_EDIT_MOVE_DOWN, "Move CH 03 Down"}, {1, ID_EDIT_SORT_NAME, "Sort by Name"},
        {1, ID_EDIT_SORT_FREQUENCY, "Sort by Frequency"},
        {2, ID_VIEW_COMMON_SETTING, "Common Setting"}, {9, ID_EDIT_PASTE_ROWS, "Paste Rows at CH 09"}};
    for (const auto& [channel, id, name] : kCommands) {
        View()->SelectChannel(channel);
        const auto before = AllRows();
        wxTEST_DIALOG(SendCommand(id), CExpectAction<CFixedFontPropertySheet>([](CFixedFontPropertySheet& s) {
                          XrcCtrl<wxChoice>(*s.GetPage(0), "IDC_COMBO_PRIOCH")->SetStringSelection("2");
                          return PressButton(s, wxID_OK); // the document's own flag is set too
                      }).Optional());
        EXPECT_NE(Status().rfind("Undone: ", 0), 0u) << name; // the note of the undo before went
        ExpectUndoAndRedo(name, before);
    }
    SendCommand(ID_EDIT_REDO); // Copy's row on the system clipboard went to channel 9
    EXPECT_EQ(Row(9), (RowTexts{"09", "", "121.500", "TOWER", "", "", ""}));
    // The priority channel and the selection follow a move; a refusal is told in the status bar.
    View()->SelectChannel(3);
    SendCommand(ID_EDIT_MOVE_UP);
    EXPECT_EQ(Status() + "|" + Row(2)[1] + Row(3)[1] + std::to_string(View()->GetSelectedChannel()),
              "CH 03 moved to CH 02|Prio2");
    SendCommand(ID_EDIT_CLEAR);
    SendCommand(ID_EDIT_MOVE_UP);
    EXPECT_EQ(Status(), "CH 01 cannot be blank: the blank CH 02 stays where it is");
    Doc()->DiscardChanges();
    Doc()->NewData();
    EXPECT_EQ(Status(), "Ready");
    EXPECT_FALSE(IsEnabled(ID_EDIT_UNDO));
}

// Channel 1 cannot be blank: emptied in Edit Memory it keeps its frequency, the list shows what
// the data hold and the status bar says so, in one step. The undo hint comes only with a step.
TEST_F(EditHistoryTest, EmptiedChannel1KeepsItsFrequencyAndTheUndoHintNeedsAStep)
{
    const auto edit = [](unsigned ch, const char* frequency, const char* name) {
        View()->SelectChannel(ch);
        wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY), CExpectAction<CEditMemoryDlg>([=](CEditMemoryDlg& d) {
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_FREQUENCY")->SetValue(frequency);
                          XrcCtrl<wxTextCtrl>(d, "IDC_EDIT_NAME")->SetValue(name);
                          return PressButton(d, wxID_OK);
                      }));
    };
    const auto before = AllRows();
    edit(1, "", "GUARD");
    EXPECT_EQ(Row(1), (RowTexts{"01", "", "118.000", "GUARD", "", "", ""}));
    EXPECT_EQ(Status(), "CH 01 cannot be blank: it keeps 118.000");
    ExpectUndoAndRedo("Edit CH 01", before);
    edit(3, "abc", "");
    EXPECT_EQ(Status(), "CH 03: \"abc\" is not a frequency; the channel is now blank. Undo with Ctrl+Z.");
    edit(5, "abc", ""); // blank already: no step to undo
    EXPECT_EQ(Status() + "|" + Label(ID_EDIT_UNDO),
              "CH 05: \"abc\" is not a frequency; the channel is now blank.|&Undo Edit CH 03\tCtrl+Z");
}
