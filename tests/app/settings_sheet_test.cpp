// The settings sheet on the real engine: what both pages load and show, the changes OK sends
// in their order, Cancel, the priority list, page changes and the page the sheet reopens on.

#include "tests/app/gui_test.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/command_ids.h"
#include "app/common_setting.h"
#include "app/fixed_font_property_sheet.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/xrc_util.h"
#include "tests/app/recording_radio.h"

namespace {

using Sheet = CFixedFontPropertySheet;
constexpr size_t kCommon = 0;
constexpr size_t kAdvanced = 1;

template <class T>
T* Ctrl(Sheet& sheet, size_t page, const char* name)
{
    return XrcCtrl<T>(*sheet.GetPage(page), name);
}

wxCheckBox* Box(Sheet& s, size_t page, const char* name)
{
    return Ctrl<wxCheckBox>(s, page, name);
}

wxChoice* List(Sheet& s, size_t page, const char* name)
{
    return Ctrl<wxChoice>(s, page, name);
}

wxTextCtrl* Edit(Sheet& s, size_t page, const char* name)
{
    return Ctrl<wxTextCtrl>(s, page, name);
}

std::string Shown(wxChoice* list)
{
    return list->GetStringSelection().utf8_string();
}

std::vector<std::string> Entries(wxChoice* list)
{
    std::vector<std::string> entries;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        entries.push_back(list->GetString(i).utf8_string());
    return entries;
}

void Choose(wxChoice* list, const char* text)
{
    ASSERT_TRUE(list->SetStringSelection(text)) << text;
}

// Turns to a page as a click on its tab does.
void TurnTo(Sheet& sheet, size_t page)
{
    sheet.GetBookCtrl()->SetSelection(page);
}

// Runs the Common Setting command on `radio` alone (no document, no list); `action` answers
// the sheet. Returns the command's result; `refreshed` tells whether the list was redrawn.
int RunSheet(CRecordingRadio& radio, const CExpectAction<Sheet>::Action& action, int* page = nullptr,
             bool* refreshed = nullptr)
{
    int localPage = 0;
    int rc = wxID_NONE;
    wxTEST_DIALOG(rc = RunCommonSetting(nullptr, nullptr, &radio, page ? page : &localPage,
                                        [&] {
                                            if (refreshed)
                                                *refreshed = true;
                                        }),
                  CExpectAction<Sheet>([&](Sheet& sheet) {
                      radio.Clear();
                      return action(sheet);
                  }));
    return rc;
}

// The changes one page sends for its part of OK.
std::vector<std::string> Slice(const std::vector<std::string>& all, size_t from, size_t count)
{
    if (from + count > all.size())
        return all;
    return std::vector<std::string>(all.begin() + from, all.begin() + from + count);
}

} // namespace

TEST(SettingsSheet, CommonPageShowsTheStringTableTextsAndTheEngineSettings)
{
    CRecordingRadio radio;
    radio.SetSetting("BEEP", "OFF");
    radio.SetSetting("BEEP_UDKEY", "ON");
    radio.SetSetting("SIDETONE", "OFF");
    radio.SetSetting("INDICATEMODE", "TEXT");
    radio.SetSetting("SCAN_FUNCTION", "ON");
    radio.SetSetting("SCAN_HANGER", "OFF");
    radio.SetSetting("SCAN_MODE", "PRIO");
    radio.SetOpeningText("HELLO");
    RunSheet(radio, [](Sheet& s) {
        EXPECT_EQ(s.GetTitle().utf8_string(), "Setting");
        EXPECT_EQ(s.GetBookCtrl()->GetPageText(kCommon).utf8_string(), " Common ");
        EXPECT_EQ(s.GetBookCtrl()->GetPageText(kAdvanced).utf8_string(), " Advanced ");
        EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 0);
        // No Apply and no Help button.
        EXPECT_EQ(s.FindWindow(wxID_APPLY), nullptr);
        EXPECT_EQ(s.FindWindow(wxID_HELP), nullptr);
        EXPECT_NE(s.FindWindow(wxID_OK), nullptr);
        EXPECT_NE(s.FindWindow(wxID_CANCEL), nullptr);

        EXPECT_EQ(Box(s, kCommon, "IDC_CHECK_BEEP_UDKEY")->GetLabel().utf8_string(),
                  "Up/Down Key Beep");
        EXPECT_EQ(Ctrl<wxStaticText>(s, kCommon, "IDC_STATIC_LCD_BACKLIGHT")->GetLabel().utf8_string(),
                  "LCD Backlight");
        EXPECT_FALSE(List(s, kCommon, "IDC_COMBO_LCD_DIMMER")->IsShown());
        EXPECT_EQ(List(s, kCommon, "IDC_COMBO_LCD_DIMMER")->GetCount(), 0u);

        EXPECT_FALSE(Box(s, kCommon, "IDC_CHECK_BEEP")->GetValue());
        EXPECT_TRUE(Box(s, kCommon, "IDC_CHECK_BEEP_UDKEY")->GetValue());
        EXPECT_FALSE(Box(s, kCommon, "IDC_CHECK_SIDETONE")->GetValue());
        EXPECT_TRUE(Box(s, kCommon, "IDC_CHECK_SCAN_FUNCTION")->GetValue());
        EXPECT_FALSE(Box(s, kCommon, "IDC_CHECK_SCAN_HANGER")->GetValue());
        EXPECT_EQ(Entries(List(s, kCommon, "IDC_COMBO_INDICATEMODE")),
                  std::vector<std::string>({"Freq", "Text"}));
        EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_INDICATEMODE")), "Text");
        EXPECT_EQ(Entries(List(s, kCommon, "IDC_COMBO_LCD_BACKLIGHT")),
                  std::vector<std::string>({"Off", "Low", "High"}));
        EXPECT_EQ(Entries(List(s, kCommon, "IDC_COMBO_SCAN_MODE")),
                  std::vector<std::string>({"Normal", "Prio"}));
        EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_SCAN_MODE")), "Prio");
        EXPECT_EQ(Edit(s, kCommon, "IDC_EDIT_OPENING_TEXT")->GetValue(), "HELLO");
        return PressButton(s, wxID_CANCEL);
    });
}

TEST(SettingsSheet, BacklightListShowsOffWhateverTheDimmerSays)
{
    struct Case {
        const char* backlight;
        const char* dimmer;
        const char* shown;
    };
    const Case cases[] = {{"OFF", "HIGH", "Off"}, {"OFF", "LOW", "Off"}, {"ON", "LOW", "Low"},
                          {"ON", "HIGH", "High"}};
    for (const Case& c : cases) {
        CRecordingRadio radio;
        radio.SetLcdBacklight(c.backlight);
        radio.SetLcdDimmer(c.dimmer);
        RunSheet(radio, [&](Sheet& s) {
            EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_LCD_BACKLIGHT")), c.shown)
                << c.backlight << " " << c.dimmer;
            return PressButton(s, wxID_CANCEL);
        });
    }
}

TEST(SettingsSheet, OkSendsTheCommonChangesThenTheAdvancedOnesInTheirOrder)
{
    CRecordingRadio radio;
    radio.PutChannel(4, "122.100", "FOUR");
    const int rc = RunSheet(radio, [](Sheet& s) {
        Box(s, kCommon, "IDC_CHECK_BEEP")->SetValue(false);
        Box(s, kCommon, "IDC_CHECK_BEEP_UDKEY")->SetValue(true);
        Box(s, kCommon, "IDC_CHECK_SIDETONE")->SetValue(false);
        Box(s, kCommon, "IDC_CHECK_SCAN_FUNCTION")->SetValue(true);
        Box(s, kCommon, "IDC_CHECK_SCAN_HANGER")->SetValue(false);
        Choose(List(s, kCommon, "IDC_COMBO_INDICATEMODE"), "Text");
        Choose(List(s, kCommon, "IDC_COMBO_LCD_BACKLIGHT"), "High");
        Choose(List(s, kCommon, "IDC_COMBO_SCAN_MODE"), "Prio");
        Choose(List(s, kCommon, "IDC_COMBO_PRIOCH"), "4");
        Edit(s, kCommon, "IDC_EDIT_OPENING_TEXT")->SetValue("HI  ");
        return PressButton(s, wxID_OK);
    });
    EXPECT_EQ(rc, wxID_OK);
    const auto changes = radio.Changes();
    ASSERT_EQ(changes.size(), 18u);
    EXPECT_EQ(Slice(changes, 0, 12),
              std::vector<std::string>(
                  {"COMMON.BEEP=OFF", "COMMON.BEEP_UDKEY=ON", "COMMON.SIDETONE=OFF",
                   "COMMON.SCAN_FUNCTION=ON", "COMMON.SCAN_HANGER=OFF", "COMMON.INDICATEMODE=TEXT",
                   "COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=HIGH", "COMMON.SCAN_MODE=PRIO",
                   "COMMON.SCAN_PRIO=ON", "COMMON.PRIOCH=4", "COMMON.OPENING_TEXT=HI"}));
    // The Advanced page was never shown: it applies what it loaded from a new data set.
    EXPECT_EQ(Slice(changes, 12, 6),
              std::vector<std::string>({"COMMON.ADJ_ENABLE=DISABLE", "COMMON.VFOMODE_ENABLE=DISABLE",
                                        "COMMON.VFOTX_INHIBIT=ENABLE",
                                        "COMMON.MRWRITE_ENABLE=DISABLE", "COMMON.CH_SPACING=25kHz",
                                        "COMMON.CLONE_COMMENT= "}));
    EXPECT_EQ(radio.Commands().back(), "HEAL");
    EXPECT_EQ(radio.GetPrioCh(), "4");
    EXPECT_EQ(radio.GetScanPrio(), "ON");
}

TEST(SettingsSheet, BacklightChoiceWritesTheDimmerAndBacklightPairInItsOrder)
{
    struct Case {
        const char* chosen;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {"Off", "COMMON.LCD_DIMMER=LOW", "COMMON.LCD_BACKLIGHT=OFF"},
        {"Low", "COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=LOW"},
        {"High", "COMMON.LCD_BACKLIGHT=ON", "COMMON.LCD_DIMMER=HIGH"},
    };
    for (const Case& c : cases) {
        CRecordingRadio radio;
        radio.SetLcdDimmer("HIGH");
        RunSheet(radio, [&](Sheet& s) {
            Choose(List(s, kCommon, "IDC_COMBO_LCD_BACKLIGHT"), c.chosen);
            return PressButton(s, wxID_OK);
        });
        const auto changes = radio.Changes();
        ASSERT_GE(changes.size(), 8u);
        EXPECT_EQ(changes[6], c.first) << c.chosen;
        EXPECT_EQ(changes[7], c.second) << c.chosen;
    }
}

TEST(SettingsSheet, PriorityListOffersOffChannelOneAndEveryChannelInUse)
{
    CRecordingRadio radio;
    radio.SetChAppear(1, "OFF"); // channel 1 is offered even when blank
    radio.PutChannel(3, "120.000", "C");
    radio.PutChannel(12, "125.000", "L");
    radio.PutChannel(20, "130.000", "T");
    radio.SetPriorityChannel("12");
    RunSheet(radio, [](Sheet& s) {
        wxChoice* list = List(s, kCommon, "IDC_COMBO_PRIOCH");
        EXPECT_EQ(Entries(list), std::vector<std::string>({"Off", "1", "3", "12", "20"}));
        EXPECT_EQ(Shown(list), "12");
        return PressButton(s, wxID_CANCEL);
    });
}

TEST(SettingsSheet, WithPriorityScanningOffThePriorityListShowsOff)
{
    CRecordingRadio radio;
    radio.PutChannel(5, "121.000", "FIVE");
    radio.SetPrioCh("5");
    radio.SetScanPrio("OFF");
    RunSheet(radio, [](Sheet& s) {
        EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_PRIOCH")), "Off");
        return PressButton(s, wxID_OK);
    });
    const auto changes = radio.Changes();
    ASSERT_GE(changes.size(), 11u);
    EXPECT_EQ(changes[9], "COMMON.SCAN_PRIO=OFF");
    EXPECT_EQ(changes[10], "COMMON.PRIOCH=Off");
}

TEST(SettingsSheet, ComingBackToTheCommonPageRecomputesThePriorityChannel)
{
    CRecordingRadio radio;
    radio.PutChannel(5, "121.000", "FIVE");
    radio.SetScanPrio("OFF");
    int page = 0;
    RunSheet(
        radio,
        [](Sheet& s) {
            Choose(List(s, kCommon, "IDC_COMBO_PRIOCH"), "5");
            Choose(List(s, kCommon, "IDC_COMBO_SCAN_MODE"), "Prio");
            TurnTo(s, kAdvanced);
            TurnTo(s, kCommon);
            // Priority scanning is still off in the engine: the choice is gone; other choices
            // stay.
            EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_PRIOCH")), "Off");
            EXPECT_EQ(Shown(List(s, kCommon, "IDC_COMBO_SCAN_MODE")), "Prio");
            return PressButton(s, wxID_CANCEL);
        },
        &page);
    EXPECT_EQ(page, 0); // the last page turned to
    EXPECT_TRUE(radio.Changes().empty());
}

TEST(SettingsSheet, AnEmptyOpeningTextIsStoredUnsetAndShownEmpty)
{
    CRecordingRadio radio;
    radio.SetOpeningText("WELCOME");
    RunSheet(radio, [](Sheet& s) {
        wxTextCtrl* edit = Edit(s, kCommon, "IDC_EDIT_OPENING_TEXT");
        TypeInto(edit, "ABCDEFGHIJ");
        EXPECT_EQ(edit->GetValue(), "ABCDEFG"); // at most 7 characters
        edit->SetValue("   ");
        return PressButton(s, wxID_OK);
    });
    const auto changes = radio.Changes();
    ASSERT_GE(changes.size(), 12u);
    EXPECT_EQ(changes[11], "COMMON.OPENING_TEXT=\xFF");
    EXPECT_EQ(radio.Command("COMMON.OPENING_TEXT").substr(0, 1), "\xFF");
    EXPECT_EQ(radio.GetOpeningText(), "");
    RunSheet(radio, [](Sheet& s) {
        EXPECT_EQ(Edit(s, kCommon, "IDC_EDIT_OPENING_TEXT")->GetValue(), "");
        return PressButton(s, wxID_CANCEL);
    });
}

TEST(SettingsSheet, AdvancedPageShowsVfoTxEnableAsTheInverseOfTheInhibit)
{
    CRecordingRadio radio;
    radio.SetAdjEnable("ENABLE");
    radio.SetVfoModeEnable("DISABLE");
    radio.SetVfoTxInhibit("DISABLE");
    radio.SetMrWriteEnable("ENABLE");
    radio.SetChSpacing("8.33kHz");
    radio.SetCloneComment("MY COMMENT");
    int page = 0;
    RunSheet(
        radio,
        [](Sheet& s) {
            TurnTo(s, kAdvanced);
            EXPECT_EQ(Box(s, kAdvanced, "IDC_CHECK_VFOTX_ENABLE")->GetLabel().utf8_string(),
                      "VFO Tx Enable");
            EXPECT_TRUE(Box(s, kAdvanced, "IDC_CHECK_ADJ_ENABLE")->GetValue());
            EXPECT_FALSE(Box(s, kAdvanced, "IDC_CHECK_VFOMODE_ENABLE")->GetValue());
            EXPECT_TRUE(Box(s, kAdvanced, "IDC_CHECK_VFOTX_ENABLE")->GetValue());
            EXPECT_TRUE(Box(s, kAdvanced, "IDC_CHECK_MRWRITE_ENABLE")->GetValue());
            wxChoice* spacing = List(s, kAdvanced, "IDC_COMBO_CH_SPACING");
            EXPECT_EQ(Entries(spacing), std::vector<std::string>({"8.33kHz", "25kHz", "25k/8.33kHz"}));
            EXPECT_EQ(Shown(spacing), "8.33kHz");
            wxTextCtrl* comment = Edit(s, kAdvanced, "IDC_EDIT_CLONE_COMMENT");
            EXPECT_EQ(comment->GetValue(), "MY COMMENT");
            TypeInto(comment, "12345678901234567890");
            EXPECT_EQ(comment->GetValue(), "1234567890123456"); // at most 16 characters
            comment->SetValue("");
            Box(s, kAdvanced, "IDC_CHECK_VFOTX_ENABLE")->SetValue(false);
            Choose(spacing, "25kHz");
            return PressButton(s, wxID_OK);
        },
        &page);
    EXPECT_EQ(page, 1);
    const auto changes = radio.Changes();
    ASSERT_EQ(changes.size(), 18u);
    EXPECT_EQ(Slice(changes, 12, 6),
              std::vector<std::string>({"COMMON.ADJ_ENABLE=ENABLE", "COMMON.VFOMODE_ENABLE=DISABLE",
                                        "COMMON.VFOTX_INHIBIT=ENABLE",
                                        "COMMON.MRWRITE_ENABLE=ENABLE", "COMMON.CH_SPACING=25kHz",
                                        "COMMON.CLONE_COMMENT= "}));
    EXPECT_EQ(radio.GetVfoTxInhibit(), "ENABLE");
}

TEST(SettingsSheet, AnUnknownChannelSpacingIsShownAndWrittenAsBoth)
{
    CRecordingRadio radio;
    radio.Answer("COMMON.CH_SPACING", "12.5kHz");
    RunSheet(radio, [](Sheet& s) {
        TurnTo(s, kAdvanced);
        EXPECT_EQ(Shown(List(s, kAdvanced, "IDC_COMBO_CH_SPACING")), "25k/8.33kHz");
        return PressButton(s, wxID_OK);
    });
    const auto changes = radio.Changes();
    ASSERT_EQ(changes.size(), 18u);
    EXPECT_EQ(changes[16], "COMMON.CH_SPACING=25k/8.33kHz");
}

TEST(SettingsSheet, CancelWritesNothingButStillHealsAndRefreshes)
{
    CRecordingRadio radio;
    bool refreshed = false;
    const int rc = RunSheet(
        radio,
        [](Sheet& s) {
            Box(s, kCommon, "IDC_CHECK_BEEP")->SetValue(false);
            return PressButton(s, wxID_CANCEL);
        },
        nullptr, &refreshed);
    EXPECT_EQ(rc, wxID_CANCEL);
    EXPECT_EQ(radio.Commands(), std::vector<std::string>({"HEAL"}));
    EXPECT_TRUE(refreshed);
    EXPECT_EQ(radio.GetBeep(), "ON");
}

// Through the program: the View command, the modified document, the list re-snapped to the new
// channel spacing, and the sheet reopening on the page last shown.
TEST(SettingsSheet, CommonSettingCommandAppliesMarksModifiedAndReopensOnTheLastPage)
{
    StartProgram();
    CPWR455Doc* doc = GetPWR455App().GetDocument();
    CR455Radio* radio = doc->GetRadioData();
    auto* view = dynamic_cast<CPWR455View*>(doc->GetFirstView());
    ASSERT_NE(view, nullptr);
    radio->SetChSpacing("8.33kHz");
    std::string frequency = "121.510";
    radio->SetChFrequency(2, frequency);
    radio->SetChAppear(2, "ON");
    radio->HealCh(2);
    view->RefreshAll();
    doc->Modify(false);
    radio->SetEdited(false);
    ASSERT_EQ(view->GetRowTexts(2)[2], "121.510");

    // Cancel on the Advanced page: nothing changes, but the page is remembered.
    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING), CExpectAction<Sheet>([](Sheet& s) {
                      EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 0);
                      TurnTo(s, kAdvanced);
                      return PressButton(s, wxID_CANCEL);
                  }));
    EXPECT_FALSE(doc->IsModified());

    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING), CExpectAction<Sheet>([](Sheet& s) {
                      EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 1);
                      Choose(List(s, kAdvanced, "IDC_COMBO_CH_SPACING"), "25kHz");
                      return PressButton(s, wxID_OK);
                  }));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(radio->GetChSpacing(), "25kHz");
    EXPECT_EQ(view->GetRowTexts(2)[2], "121.500");

    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING), CExpectAction<Sheet>([](Sheet& s) {
                      EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 1);
                      return PressButton(s, wxID_CANCEL);
                  }));
    StopProgram();
}
