#include "tests/app/gui_test.h"

#include <algorithm>
#include <cctype>

namespace {

using Sheet = CFixedFontPropertySheet;

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    for (const wxString& part : wxSplit(wxString::From8BitData(text.c_str()), '|', '\0'))
        parts.emplace_back(part.To8BitData());
    return parts;
}

// The control `key` (IDC_CHECK_, IDC_COMBO_ or IDC_EDIT_ then `key`) after turning to its page,
// as a user must to see or change it.
wxWindow* Control(Sheet& s, const std::string& key)
{
    for (const char* kind : {"IDC_CHECK_", "IDC_COMBO_", "IDC_EDIT_"}) {
        for (size_t page = 0; page < 2; ++page) {
            if (wxWindow* w = s.GetPage(page)->FindWindow(wxXmlResource::GetXRCID(kind + key)))
                return s.GetBookCtrl()->SetSelection(page), w;
        }
    }
    ADD_FAILURE() << "no control " << key;
    return nullptr;
}

// What the controls named in "KEY|KEY=...|..." show, as "KEY=value|...": 1 or 0 for a box,
// the chosen entry of a list (all its entries for "KEY*"), the text of an edit.
std::string Get(Sheet& s, const std::string& keys)
{
    std::string shown;
    for (const std::string& entry : Split(keys)) {
        const std::string key = entry.substr(0, entry.find('='));
        wxWindow* w = Control(s, key.substr(0, key.find('*')));
        wxString value;
        if (auto* box = dynamic_cast<wxCheckBox*>(w))
            value = box->GetValue() ? "1" : "0";
        else if (auto* list = dynamic_cast<wxChoice*>(w))
            value = key.back() == '*' ? wxJoin(list->GetStrings(), ',')
                                      : list->GetStringSelection();
        else if (w)
            value = static_cast<wxTextCtrl*>(w)->GetValue();
        shown += (shown.empty() ? "" : "|") + key + "=" + value.utf8_string();
    }
    return shown;
}

// Changes the controls as the user does, from "KEY=value|KEY=value...".
void Set(Sheet& s, const std::string& values)
{
    for (const std::string& entry : Split(values)) {
        wxWindow* w = Control(s, entry.substr(0, entry.find('=')));
        const wxString value = wxString::FromUTF8(entry.substr(entry.find('=') + 1));
        if (auto* box = dynamic_cast<wxCheckBox*>(w))
            box->SetValue(value == "1");
        else if (auto* list = dynamic_cast<wxChoice*>(w))
            EXPECT_TRUE(list->SetStringSelection(value)) << entry;
        else if (w)
            static_cast<wxTextCtrl*>(w)->SetValue(value);
    }
}

// Runs Common Setting on `radio` alone (no document, no list). `page` is the page it opens on,
// then the last one shown; `redrawn` tells whether the list was redrawn.
int RunSheet(CNewRecordingRadio& radio, const CExpectAction<Sheet>::Action& action,
             int* page = nullptr, bool* redrawn = nullptr)
{
    int firstPage = 0, rc = wxID_NONE;
    bool ignored = false;
    wxTEST_DIALOG(rc = RunCommonSetting(nullptr, nullptr, &radio, page ? page : &firstPage,
                                        [&] { *(redrawn ? redrawn : &ignored) = true; }),
                  CExpectAction<Sheet>([&](Sheet& sheet) {
                      radio.sent.clear();
                      return action(sheet);
                  }));
    return rc;
}

} // namespace

// Each case: the data (settings "KEY=VALUE", channel commands, or the number of a channel to
// put in use), what the pages then show, what the user changes, and changes that OK must send
// one after another.
TEST(SettingsSheet, PagesShowTheDataAndOkWritesTheChoicesInTheirOrder)
{
    const struct {
        const char *data, *shown, *chosen, *written;
    } cases[] = {
        // A page never shown (Advanced) applies what it loaded.
        {"4", "",
         "BEEP=0|BEEP_UDKEY=1|SIDETONE=0|SCAN_FUNCTION=1|SCAN_HANGER=0|INDICATEMODE=Text|"
         "LCD_BACKLIGHT=High|SCAN_MODE=Prio|PRIOCH=4|OPENING_TEXT=HI  ",
         "COMMON.BEEP=OFF|COMMON.BEEP_UDKEY=ON|COMMON.SIDETONE=OFF|COMMON.SCAN_FUNCTION=ON|"
         "COMMON.SCAN_HANGER=OFF|COMMON.INDICATEMODE=TEXT|COMMON.LCD_BACKLIGHT=ON|"
         "COMMON.LCD_DIMMER=HIGH|COMMON.SCAN_MODE=PRIO|COMMON.SCAN_PRIO=ON|COMMON.PRIOCH=4|"
         "COMMON.OPENING_TEXT=HI|COMMON.ADJ_ENABLE=DISABLE|COMMON.VFOMODE_ENABLE=DISABLE|"
         "COMMON.VFOTX_INHIBIT=ENABLE|COMMON.MRWRITE_ENABLE=DISABLE|COMMON.CH_SPACING=25kHz|"
         "COMMON.CLONE_COMMENT= |HEAL"},
        {"BEEP=OFF|BEEP_UDKEY=ON|SIDETONE=OFF|INDICATEMODE=TEXT|SCAN_FUNCTION=ON|SCAN_HANGER=OFF|"
         "SCAN_MODE=PRIO|ADJ_ENABLE=ENABLE|VFOMODE_ENABLE=DISABLE|MRWRITE_ENABLE=ENABLE|"
         "CH_SPACING=8.33kHz",
         "BEEP=0|BEEP_UDKEY=1|SIDETONE=0|INDICATEMODE*=Freq,Text|INDICATEMODE=Text|"
         "SCAN_FUNCTION=1|SCAN_HANGER=0|SCAN_MODE*=Normal,Prio|SCAN_MODE=Prio|ADJ_ENABLE=1|"
         "VFOMODE_ENABLE=0|MRWRITE_ENABLE=1|CH_SPACING*=8.33kHz,25kHz,25k/8.33kHz|"
         "CH_SPACING=8.33kHz",
         "CH_SPACING=25kHz", "COMMON.MRWRITE_ENABLE=ENABLE|COMMON.CH_SPACING=25kHz"},
        // The backlight list shows "Off" whatever the dimmer says; "Off" writes the dimmer
        // low first, "Low" and "High" switch the backlight on first.
        {"LCD_BACKLIGHT=OFF|LCD_DIMMER=HIGH", "LCD_BACKLIGHT*=Off,Low,High|LCD_BACKLIGHT=Off", "",
         "COMMON.LCD_DIMMER=LOW|COMMON.LCD_BACKLIGHT=OFF"},
        {"LCD_BACKLIGHT=ON|LCD_DIMMER=LOW", "LCD_BACKLIGHT=Low", "LCD_BACKLIGHT=High",
         "COMMON.LCD_BACKLIGHT=ON|COMMON.LCD_DIMMER=HIGH"},
        {"LCD_BACKLIGHT=ON|LCD_DIMMER=HIGH", "LCD_BACKLIGHT=High", "LCD_BACKLIGHT=Low",
         "COMMON.LCD_BACKLIGHT=ON|COMMON.LCD_DIMMER=LOW"},
        // "Off", channel 1 (even blank) and every channel in use; with priority scanning off
        // the list shows "Off" whatever PRIOCH says.
        {"CH.MCH.1.APPEAR=OFF|3|12|20|PRIOCH=12|SCAN_PRIO=ON", "PRIOCH*=Off,1,3,12,20|PRIOCH=12",
         "PRIOCH=3", "COMMON.SCAN_PRIO=ON|COMMON.PRIOCH=3"},
        {"5|PRIOCH=5|SCAN_PRIO=OFF", "PRIOCH=Off", "", "COMMON.SCAN_PRIO=OFF|COMMON.PRIOCH=Off"},
        // An empty opening text is stored as the single character 0xFF and shown empty.
        {"OPENING_TEXT=WELCOME", "OPENING_TEXT=WELCOME", "OPENING_TEXT=   ",
         "COMMON.OPENING_TEXT=\xFF"},
        {"OPENING_TEXT=\xFF", "OPENING_TEXT=", "", "COMMON.OPENING_TEXT=\xFF"},
        // VFO Tx Enable shows the inverse of the inhibit; an empty comment goes as one blank.
        {"VFOTX_INHIBIT=DISABLE|CLONE_COMMENT=MY COMMENT",
         "VFOTX_ENABLE=1|CLONE_COMMENT=MY COMMENT",
         "VFOTX_ENABLE=0|CLONE_COMMENT=",
         "COMMON.VFOTX_INHIBIT=ENABLE|COMMON.MRWRITE_ENABLE=DISABLE|COMMON.CH_SPACING=25kHz|"
         "COMMON.CLONE_COMMENT= "},
        // A channel spacing other than the two words shows and writes as both.
        {"", "CH_SPACING=25k/8.33kHz", "", "COMMON.CH_SPACING=25k/8.33kHz"},
    };
    for (const auto& c : cases) {
        CNewRecordingRadio radio;
        for (const std::string& d : Split(c.data)) {
            if (isdigit(static_cast<unsigned char>(d[0])))
                PutChannel(radio, std::stoul(d), "125.000", "C" + d);
            else
                radio.Command(d.rfind("CH.", 0) == 0 ? d : "COMMON." + d);
        }
        if (!*c.data)
            radio.answers["COMMON.CH_SPACING"] = "12.5kHz";
        RunSheet(radio, [&](Sheet& s) {
            EXPECT_EQ(Get(s, c.shown), c.shown);
            Set(s, c.chosen);
            return PressButton(s, wxID_OK);
        });
        std::vector<std::string> sent = radio.Changes(), written = Split(c.written);
        sent.push_back(radio.sent.back());
        EXPECT_NE(std::search(sent.begin(), sent.end(), written.begin(), written.end()), sent.end())
            << c.data << testing::PrintToString(sent);
    }
}

// The sheet's look; coming back to the Common page recomputes the priority channel from the
// engine; Cancel writes nothing, yet heals and redraws the list; the last page shown counts.
TEST(SettingsSheet, CancelWritesNothingButStillHealsAndRefreshes)
{
    CNewRecordingRadio radio;
    PutChannel(radio, 5, "121.000", "FIVE");
    radio.SetScanPrio("OFF");
    int page = 0;
    bool refreshed = false;
    const int rc = RunSheet(radio, [](Sheet& s) {
        EXPECT_EQ(s.GetTitle() + s.GetBookCtrl()->GetPageText(0) +
                      s.GetBookCtrl()->GetPageText(1), "Setting Common  Advanced ");
        EXPECT_FALSE(s.FindWindow(wxID_APPLY) || s.FindWindow(wxID_HELP));
        EXPECT_FALSE(s.GetIcons().IsEmpty()); // the program's, not the system's default
        // Texts from the string table, not from the page's template, on the page not turned to
        // yet as well.
        EXPECT_EQ(Control(s, "BEEP_UDKEY")->GetLabel() + "|" +
                      s.GetPage(0)->FindWindow(XRCID("IDC_STATIC_LCD_BACKLIGHT"))->GetLabel() + "|" +
                      s.GetPage(1)->FindWindow(XRCID("IDC_CHECK_MRWRITE_ENABLE"))->GetLabel(),
                  "Up/Down Key Beep|LCD Backlight|Memory Write Enable");
        EXPECT_FALSE(Control(s, "LCD_DIMMER")->IsShown());
        TypeInto(static_cast<wxTextCtrl*>(Control(s, "OPENING_TEXT")), "ABCDEFGHIJ");
        Set(s, "PRIOCH=5|SCAN_MODE=Prio|BEEP=0");
        TypeInto(static_cast<wxTextCtrl*>(Control(s, "CLONE_COMMENT")), "12345678901234567890");
        EXPECT_EQ(Get(s, "LCD_DIMMER*|OPENING_TEXT|PRIOCH|SCAN_MODE|CLONE_COMMENT"),
                  "LCD_DIMMER*=|OPENING_TEXT=ABCDEFG|PRIOCH=Off|SCAN_MODE=Prio|"
                  "CLONE_COMMENT=1234567890123456");
        return PressButton(s, wxID_CANCEL);
    }, &page, &refreshed);
    EXPECT_EQ(rc, wxID_CANCEL);
    EXPECT_EQ(page, 1);
    EXPECT_TRUE(radio.Changes().empty());
    EXPECT_EQ(radio.sent.back(), "HEAL");
    EXPECT_TRUE(refreshed);
}

// Through the program: Cancel leaves the document unmodified and the sheet reopens on the page
// last shown. (That OK marks the document modified and redraws the list is an undo step's test.)
// An opening text with letters the display cannot show is spelled as ICAO writes them, and the
// status bar says so.
TEST_F(ProgramTest, CommonSettingCommandReopensOnTheLastPageAndNotesTheOpeningTextStored)
{
    wxTEST_DIALOG((SendCommand(ID_VIEW_COMMON_SETTING), SendCommand(ID_VIEW_COMMON_SETTING)),
                  CExpectAction<Sheet>([](Sheet& s) {
                      EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 0);
                      s.GetBookCtrl()->SetSelection(1);
                      return PressButton(s, wxID_CANCEL);
                  }),
                  CExpectAction<Sheet>([](Sheet& s) {
                      EXPECT_EQ(s.GetBookCtrl()->GetSelection(), 1);
                      return PressButton(s, wxID_CANCEL);
                  }));
    EXPECT_FALSE(Doc()->IsModified());
    wxTEST_DIALOG(SendCommand(ID_VIEW_COMMON_SETTING), CExpectAction<Sheet>([](Sheet& s) {
                      s.GetBookCtrl()->SetSelection(0);
                      Set(s, "OPENING_TEXT=\xC3\x98rsta");
                      return PressButton(s, wxID_OK);
                  }));
    EXPECT_EQ(Radio()->GetOpeningText(), "Orsta");
    EXPECT_EQ(Frame()->GetStatusBar()->GetStatusText(0).utf8_string(),
              "The opening text \"\xC3\x98rsta\" is stored as \"Orsta\" (letters spelled as ICAO "
              "writes them)");
}
