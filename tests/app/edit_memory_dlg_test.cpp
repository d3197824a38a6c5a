// The Edit Memory dialog on the real engine: what it shows, the enabling while typing, the
// limits, the commands of OK in their order, the frequency check and Cancel.

#include "tests/app/gui_test.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "app/command_ids.h"
#include "app/edit_memory_dlg.h"
#include "app/list_view_ex.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/xrc_util.h"
#include "tests/app/recording_radio.h"

namespace {

struct Controls {
    wxTextCtrl* frequency;
    wxTextCtrl* name;
    wxCheckBox* txInhibit;
    wxCheckBox* lockout;
};

Controls Find(CEditMemoryDlg& dialog)
{
    return {XrcCtrl<wxTextCtrl>(dialog, "IDC_EDIT_FREQUENCY"),
            XrcCtrl<wxTextCtrl>(dialog, "IDC_EDIT_NAME"),
            XrcCtrl<wxCheckBox>(dialog, "IDC_CHECK_TX_INHIBIT"),
            XrcCtrl<wxCheckBox>(dialog, "IDC_CHECK_CH_LOCKOUT")};
}

bool NameAndFlagsEnabled(const Controls& c)
{
    EXPECT_EQ(c.name->IsEnabled(), c.txInhibit->IsEnabled());
    EXPECT_EQ(c.name->IsEnabled(), c.lockout->IsEnabled());
    return c.name->IsEnabled();
}

// Opens the dialog on channel ch, types `frequency` and `name`, presses OK; returns the
// changes sent by OK (the opening queries are dropped).
std::vector<std::string> OkWith(CRecordingRadio& radio, unsigned ch, const std::string& frequency,
                                const std::string& name, bool txInhibit = false,
                                bool lockout = false)
{
    CEditMemoryDlg dialog(nullptr, &radio, static_cast<int>(ch));
    int rc = wxID_NONE;
    wxTEST_DIALOG(rc = dialog.ShowModal(),
                  CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                      Controls c = Find(d);
                      radio.Clear();
                      c.frequency->SetValue(wxString::FromUTF8(frequency));
                      c.name->SetValue(wxString::FromUTF8(name));
                      c.txInhibit->SetValue(txInhibit);
                      c.lockout->SetValue(lockout);
                      return PressButton(d, wxID_OK);
                  }));
    EXPECT_EQ(rc, wxID_OK);
    return radio.Commands();
}

} // namespace

TEST(EditMemoryDlg, BlankChannelOpensEmptyAndTypingAFrequencyEnablesNameAndFlags)
{
    CRecordingRadio radio;
    CEditMemoryDlg dialog(nullptr, &radio, 5);
    wxTEST_DIALOG(dialog.ShowModal(), CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      Controls c = Find(d);
                      EXPECT_EQ(d.GetTitle().utf8_string(), "Edit Memory ch");
                      EXPECT_EQ(c.frequency->GetValue(), "");
                      EXPECT_EQ(c.name->GetValue(), "");
                      EXPECT_FALSE(c.txInhibit->GetValue());
                      EXPECT_FALSE(c.lockout->GetValue());
                      EXPECT_TRUE(c.frequency->IsEnabled());
                      EXPECT_FALSE(NameAndFlagsEnabled(c));
                      c.frequency->SetValue("1");
                      EXPECT_TRUE(NameAndFlagsEnabled(c));
                      c.frequency->SetValue("   ");
                      EXPECT_FALSE(NameAndFlagsEnabled(c));
                      c.frequency->SetValue(" 121.5 ");
                      EXPECT_TRUE(NameAndFlagsEnabled(c));
                      return PressButton(d, wxID_CANCEL);
                  }));
    // Opening a blank channel asks only whether it is in use, and the spacing for the note.
    EXPECT_EQ(radio.Commands(), std::vector<std::string>({"CH.MCH.5.APPEAR", "COMMON.CH_SPACING"}));
}

TEST(EditMemoryDlg, UsedChannelShowsItsFieldsAndTheEditsHaveTheirLimits)
{
    CRecordingRadio radio;
    radio.PutChannel(7, "127.825", "TOWER", true, false);
    radio.Clear();
    CEditMemoryDlg dialog(nullptr, &radio, 7);
    wxTEST_DIALOG(dialog.ShowModal(), CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      Controls c = Find(d);
                      EXPECT_EQ(c.frequency->GetValue(), "127.825");
                      EXPECT_EQ(c.name->GetValue(), "TOWER");
                      EXPECT_TRUE(c.txInhibit->GetValue());
                      EXPECT_FALSE(c.lockout->GetValue());
                      EXPECT_TRUE(NameAndFlagsEnabled(c));
                      TypeInto(c.name, "ABCDEFGHIJ");
                      EXPECT_EQ(c.name->GetValue(), "ABCDEFG");
                      TypeInto(c.frequency, "121.500000000");
                      EXPECT_EQ(c.frequency->GetValue(), "121.500000");
                      c.frequency->SetValue("");
                      EXPECT_FALSE(NameAndFlagsEnabled(c));
                      return PressButton(d, wxID_CANCEL);
                  }));
    EXPECT_EQ(radio.Commands(),
              std::vector<std::string>({"CH.MCH.7.APPEAR", "CH.MCH.7.FREQUENCY", "CH.MCH.7.NAME",
                                        "CH.MCH.7.TXINHIBIT", "CH.MCH.7.CHLOCKOUT",
                                        "COMMON.CH_SPACING"}));
}

TEST(EditMemoryDlg, OkSendsNameFlagsFrequencyAppearThenHealInThisOrder)
{
    CRecordingRadio radio;
    const auto sent = OkWith(radio, 3, "  121.5  ", "TWR", true, false);
    EXPECT_EQ(sent, std::vector<std::string>({"CH.MCH.3.NAME=TWR", "CH.MCH.3.TXINHIBIT=ON",
                                              "CH.MCH.3.CHLOCKOUT=OFF",
                                              "CH.MCH.3.FREQUENCY=121.5", "CH.MCH.3.APPEAR=ON",
                                              "CH.MCH.3.HEAL"}));
    EXPECT_EQ(radio.GetChAppear(3), "ON");
    EXPECT_EQ(radio.GetChFrequency(3), "121.500");
    EXPECT_EQ(radio.GetChName(3), "TWR");
    EXPECT_EQ(radio.GetChTxInhibit(3), "ON");
}

TEST(EditMemoryDlg, ANameOfBlanksOnlyIsSentAsOneBlank)
{
    CRecordingRadio radio;
    radio.PutChannel(4, "122.800", "OLD");
    const auto sent = OkWith(radio, 4, "122.800", "    ");
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "CH.MCH.4.NAME= ");
    EXPECT_EQ(radio.GetChName(4), "");
}

TEST(EditMemoryDlg, EmptyFrequencyMakesTheChannelBlankAndSwitchesPriorityScanningOff)
{
    CRecordingRadio radio;
    radio.PutChannel(6, "119.100", "APP");
    radio.PutChannel(9, "118.700", "GND");
    radio.SetPriorityChannel("9"); // another channel is the priority channel
    const auto sent = OkWith(radio, 6, "", "APP");
    EXPECT_EQ(sent, std::vector<std::string>({"CH.MCH.6.NAME=APP", "CH.MCH.6.TXINHIBIT=OFF",
                                              "CH.MCH.6.CHLOCKOUT=OFF", "CH.MCH.6.FREQUENCY=",
                                              "COMMON.SCAN_PRIO=OFF", "COMMON.PRIOCH=OFF",
                                              "CH.MCH.6.APPEAR=OFF", "CH.MCH.6.HEAL"}));
    EXPECT_EQ(radio.GetChAppear(6), "OFF");
    EXPECT_EQ(radio.GetScanPrio(), "OFF");
}

TEST(EditMemoryDlg, UnusableFrequencyTextsAreSentEmptyAndMakeTheChannelBlank)
{
    const char* const unusable[] = {"0", "0.000", "-121.5", "abc", "MHz 121.5", "2000",
                                    "2000.001", "2500", "1e4", "nan", "inf"};
    for (const char* text : unusable) {
        CRecordingRadio radio;
        radio.PutChannel(2, "121.900", "ATIS");
        const auto sent = OkWith(radio, 2, text, "ATIS");
        ASSERT_EQ(sent.size(), 8u) << text;
        EXPECT_EQ(sent[3], "CH.MCH.2.FREQUENCY=") << text;
        EXPECT_EQ(sent[6], "CH.MCH.2.APPEAR=OFF") << text;
        EXPECT_EQ(radio.GetChAppear(2), "OFF") << text;
    }
}

TEST(EditMemoryDlg, UsableFrequencyTextsAreSentTrimmedAndTheEngineDecidesTheRest)
{
    struct Case {
        const char* typed;
        const char* sent;
    };
    const Case cases[] = {
        {" 121.5", "CH.MCH.2.FREQUENCY=121.5"},
        {"121.500  ", "CH.MCH.2.FREQUENCY=121.500"},
        {"\t118.0 ", "CH.MCH.2.FREQUENCY=118.0"},
        {"121.5abc", "CH.MCH.2.FREQUENCY=121.5abc"}, // the number ends where the text stops
        {"1999.99", "CH.MCH.2.FREQUENCY=1999.99"},
        {"+121.5", "CH.MCH.2.FREQUENCY=+121.5"},
    };
    for (const Case& c : cases) {
        CRecordingRadio radio;
        const auto sent = OkWith(radio, 2, c.typed, "X");
        ASSERT_EQ(sent.size(), 6u) << c.typed;
        EXPECT_EQ(sent[3], c.sent) << c.typed;
        EXPECT_EQ(sent[4], "CH.MCH.2.APPEAR=ON") << c.typed;
    }
}

TEST(EditMemoryDlg, CancelSendsNothing)
{
    CRecordingRadio radio;
    radio.PutChannel(8, "123.450", "OPS", false, true);
    CEditMemoryDlg dialog(nullptr, &radio, 8);
    int rc = wxID_NONE;
    wxTEST_DIALOG(rc = dialog.ShowModal(), CExpectAction<CEditMemoryDlg>([&](CEditMemoryDlg& d) {
                      Controls c = Find(d);
                      radio.Clear();
                      c.frequency->SetValue("");
                      c.name->SetValue("NEW");
                      return PressButton(d, wxID_CANCEL);
                  }));
    EXPECT_EQ(rc, wxID_CANCEL);
    EXPECT_TRUE(radio.Commands().empty());
    EXPECT_EQ(radio.GetChFrequency(8), "123.450");
    EXPECT_EQ(radio.GetChName(8), "OPS");
}

TEST(EditMemoryDlg, WithoutRadioDataOrChannelNothingIsShown)
{
    CEditMemoryDlg noRadio(nullptr, nullptr, 1);
    EXPECT_EQ(noRadio.ShowModal(), wxID_CANCEL); // no dialog expected: none may appear
    CRecordingRadio radio;
    CEditMemoryDlg noChannel(nullptr, &radio, 21);
    EXPECT_EQ(noChannel.ShowModal(), wxID_CANCEL);
    EXPECT_TRUE(radio.Changes().empty());
}

TEST(EditMemoryDlg, FrequencyCheckReadsTheLeadingNumber)
{
    EXPECT_TRUE(IsUsableFrequencyText("121.5"));
    EXPECT_TRUE(IsUsableFrequencyText("  0.001"));
    EXPECT_TRUE(IsUsableFrequencyText("1999.999xyz"));
    EXPECT_TRUE(IsUsableFrequencyText("1.2e2"));
    EXPECT_FALSE(IsUsableFrequencyText(""));
    EXPECT_FALSE(IsUsableFrequencyText("."));
    EXPECT_FALSE(IsUsableFrequencyText("-0.5"));
    EXPECT_FALSE(IsUsableFrequencyText("+-5"));
    EXPECT_FALSE(IsUsableFrequencyText("2e3"));
    EXPECT_FALSE(IsUsableFrequencyText("1e999"));
}

// Through the program: the list opens the dialog on the selected channel and shows the row
// as the engine holds it after OK.
TEST(EditMemoryDlg, TheChannelListOpensItOnTheSelectedChannelAndRebuildsTheRow)
{
    StartProgram();
    auto* view = dynamic_cast<CPWR455View*>(GetPWR455App().GetDocument()->GetFirstView());
    ASSERT_NE(view, nullptr);
    view->SelectChannel(4);
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      EXPECT_EQ(d.GetChannel(), 4);
                      Controls c = Find(d);
                      EXPECT_EQ(c.frequency->GetValue(), "");
                      c.frequency->SetValue("121.5");
                      c.name->SetValue("tower");
                      c.lockout->SetValue(true);
                      return PressButton(d, wxID_OK);
                  }));
    const auto& row = view->GetRowTexts(4);
    EXPECT_EQ(row[0], "04");
    EXPECT_EQ(row[2], "121.500");
    EXPECT_EQ(row[3], "TOWER");
    EXPECT_EQ(row[5], "Lockout");
    EXPECT_TRUE(GetPWR455App().GetDocument()->IsModified());

    // Cancel leaves the row as it was.
    wxTEST_DIALOG(SendCommand(ID_EDIT_MEMORY),
                  CExpectAction<CEditMemoryDlg>([](CEditMemoryDlg& d) {
                      Find(d).frequency->SetValue("");
                      return PressButton(d, wxID_CANCEL);
                  }));
    EXPECT_EQ(view->GetRowTexts(4)[2], "121.500");
    StopProgram();
}
