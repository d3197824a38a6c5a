#include "tests/app/gui_test.h"

#include <algorithm>

namespace {

wxTextCtrl* Edit(CEditMemoryDlg& d, const char* name) { return XrcCtrl<wxTextCtrl>(d, name); }
wxCheckBox* Box(CEditMemoryDlg& d, const char* name) { return XrcCtrl<wxCheckBox>(d, name); }

// What the dialog shows: "frequency|name|", 1 or 0 for Tx Inhibit and CH Lockout, then "+"
// when the name and both boxes can be used, "-" when they cannot (they go together).
std::string Shown(CEditMemoryDlg& d)
{
    wxCheckBox* boxes[] = {Box(d, "IDC_CHECK_TX_INHIBIT"), Box(d, "IDC_CHECK_CH_LOCKOUT")};
    const bool enabled = Edit(d, "IDC_EDIT_NAME")->IsEnabled();
    EXPECT_TRUE(boxes[0]->IsEnabled() == enabled && boxes[1]->IsEnabled() == enabled);
    return Edit(d, "IDC_EDIT_FREQUENCY")->GetValue().utf8_string() + "|" +
           Edit(d, "IDC_EDIT_NAME")->GetValue().utf8_string() + "|" +
           (boxes[0]->GetValue() ? "1" : "0") + (boxes[1]->GetValue() ? "1" : "0") +
           (enabled ? "+" : "-");
}

// What the dialog sent after it opened, typed into and Tx Inhibit checked, closed by `button`.
std::vector<std::string> RunDialog(CNewRecordingRadio& radio, unsigned ch, const char* frequency,
                                   const char* name, int button = wxID_OK)
{
    CEditMemoryDlg dialog(nullptr, &radio, static_cast<int>(ch));
    int rc = wxID_NONE;
    wxTEST_DIALOG(rc = dialog.ShowModal(), CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                      radio.sent.clear();
                      Edit(d, "IDC_EDIT_FREQUENCY")->SetValue(frequency);
                      Edit(d, "IDC_EDIT_NAME")->SetValue(name);
                      Box(d, "IDC_CHECK_TX_INHIBIT")->SetValue(true);
                      return PressButton(d, button);
                  }));
    EXPECT_EQ(rc, button);
    return radio.sent;
}

} // namespace

TEST(EditMemoryDlg, ShowsTheChannelAndTakesWhatIsTyped)
{
    CNewRecordingRadio data;
    data.SetChSpacing("8.33kHz"); // for the carrier note under the frequency
    PutChannel(data, 7, "127.830", "TOWER", true, false);
    data.sent.clear();
    CEditMemoryDlg onBlank(nullptr, &data, 5), onUsed(nullptr, &data, 7);
    wxTEST_DIALOG((onBlank.ShowModal(), onUsed.ShowModal()),
                  CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                      EXPECT_EQ(d.GetTitle() + Shown(d), "Edit Memory ch 05||00-");
                      // Opening a blank channel asks only whether it is in use, and the
                      // spacing for the note under the frequency.
                      EXPECT_EQ(data.sent, std::vector<std::string>(
                                                {"CH.MCH.5.APPEAR", "COMMON.CH_SPACING"}));
                      for (const char* shown : {"1||00+", "   ||00-", " 121,5 ||00+"}) {
                          Edit(d, "IDC_EDIT_FREQUENCY")->SetValue(wxString(shown).BeforeFirst('|'));
                          EXPECT_EQ(Shown(d), shown);
                      }
                      auto* note = XrcCtrl<wxStaticText>(d, "IDC_STATIC_CARRIER");
                      EXPECT_EQ(note->GetLabel(),
                                "8.33 kHz channel, carrier 121.5000 MHz\nStored as 121.505.");
                      Edit(d, "IDC_EDIT_FREQUENCY")->SetValue("");
                      EXPECT_EQ(note->GetLabel(), "");
                      return PressButton(d, wxID_CANCEL);
                  }),
                  CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                      EXPECT_EQ(Shown(d), "127.830|TOWER|10+");
                      TypeInto(Edit(d, "IDC_EDIT_NAME"), "ABCDEFGHIJ");
                      TypeInto(Edit(d, "IDC_EDIT_FREQUENCY"), "121.500000000");
                      EXPECT_EQ(Shown(d), "121.500000|ABCDEFG|10+");
                      return PressButton(d, wxID_CANCEL);
                  }));
    EXPECT_TRUE(data.Changes().empty()); // Cancel changes nothing
}

TEST(EditMemoryDlg, OkSendsWhatWasTypedAndAnUnusableFrequencyBlanksTheChannel)
{
    // A frequency text that reads as no number above 0 and below 2000 goes as empty and makes
    // the channel blank, which switches priority scanning off even when another channel is the
    // priority one. A decimal comma goes as the engine's point. (The order of the commands is
    // the channel edits'.)
    const std::pair<const char*, const char*> cases[] = {
        {"  121.5  ", "121.5"}, {"\t118.0 ", "118.0"}, {"121.5abc", "121.5abc"},
        {" 121,5 ", "121.5"},   {"118,0083", "118.0083"},
        {"1999.99", "1999.99"}, {"+121.5", "+121.5"},  {"  0.001", "0.001"},
        {"1.2e2", "1.2e2"},     {"", ""},              {"0.000", ""},
        {"-121.5", ""},         {"MHz 121.5", ""},     {"2000", ""},
        {"1e4", ""},            {".", ""},             {"+-5", ""},
        {"nan", ""},            {"inf", ""},
    };
    for (const auto& [typed, value] : cases) {
        CNewRecordingRadio radio;
        PutChannel(radio, 2, "121.900", "ATIS");
        PutChannel(radio, 9, "118.700", "GND");
        radio.SetPriorityChannel("9");
        const bool blank = !*value;
        const std::vector<std::string> sent = RunDialog(radio, 2, typed, "TWR  ");
        EXPECT_EQ(sent.at(0) + sent.at(1) + sent.at(2),
                  "CH.MCH.2.NAME=TWRCH.MCH.2.TXINHIBIT=ONCH.MCH.2.CHLOCKOUT=OFF");
        EXPECT_EQ(std::count(sent.begin(), sent.end(), std::string("CH.MCH.2.FREQUENCY=") + value),
                  1)
            << typed;
        EXPECT_EQ(radio.GetChAppear(2) + radio.GetScanPrio(), blank ? "OFFOFF" : "ONON") << typed;
    }
    CNewRecordingRadio radio;
    EXPECT_EQ(RunDialog(radio, 3, " 121.5", "    ").at(0), "CH.MCH.3.NAME= ");
    // Without a radio data object or a channel nothing shows (no dialog is expected).
    CEditMemoryDlg noRadio(nullptr, nullptr, 1), noChannel(nullptr, &radio, 21);
    EXPECT_EQ(noRadio.ShowModal() + noChannel.ShowModal(), 2 * wxID_CANCEL);
}
