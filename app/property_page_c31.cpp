#include "app/property_page_c31.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "engine/engine_words.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "res/resource_ids.h"

namespace {

// The setting values as the engine reads and writes them.
using EngineWord::kOff;
using EngineWord::kOn;

// The engine's priority channel while priority scanning is off.
const char kEnginePriorityOff[] = "Off";

// The first entry of the priority list; also the member's text when no channel is chosen.
wxString PriorityOffText()
{
    return ResString(IDS_LEVEL_OFF);
}

const char* OnOff(bool on)
{
    return on ? kOn : kOff;
}

} // namespace

CPropertyPageC31::CPropertyPageC31(CR455Radio* radioData) : m_radioData(radioData)
{
    LoadFromRadio();
}

void CPropertyPageC31::LoadFromRadio()
{
    if (!m_radioData)
        return;
    CR455Radio& radio = *m_radioData;
    m_beep = radio.GetBeep() == kOn;
    m_beepUdKey = radio.GetBeepUdKey() == kOn;
    m_sideTone = radio.GetSideTone() == kOn;
    m_indicateMode = ResString(radio.GetIndicateMode() == "FREQ" ? IDS_INDICATE_FREQ
                                                                 : IDS_INDICATE_TEXT);
    // The backlight list stands for two settings: switched off, or on at a dimmer level.
    if (radio.GetLcdBacklight() == kOff)
        m_lcdBacklight = ResString(IDS_LEVEL_OFF);
    else
        m_lcdBacklight = ResString(radio.GetLcdDimmer() == "LOW" ? IDS_LEVEL_LOW : IDS_LEVEL_HIGH);
    m_scanFunction = radio.GetScanFunction() == kOn;
    m_scanHanger = radio.GetScanHanger() == kOn;
    m_scanMode = ResString(radio.GetScanMode() == "NORMAL" ? IDS_SCAN_MODE_NORMAL
                                                           : IDS_SCAN_MODE_PRIO);
    m_prioCh = radio.GetScanPrio() == kOff ? PriorityOffText() : FromEngine(radio.GetPrioCh());
    m_openingText = FromEngine(radio.GetOpeningText());
}

void CPropertyPageC31::CreatePage(wxWindow* parent)
{
    LoadPage(parent, "IDD_PROPPAGE_C31",
             {{"IDC_CHECK_BEEP", IDS_OPERATION_BEEP},
              {"IDC_CHECK_BEEP_UDKEY", IDS_UPDN_KEY_BEEP},
              {"IDC_CHECK_SIDETONE", IDS_SIDE_TONE},
              {"IDC_STATIC_INDICATEMODE", IDS_INDICATION_MODE},
              {"IDC_STATIC_LCD_BACKLIGHT", IDS_LCD_BACKLIGHT},
              {"IDC_STATIC_LCD_DIMMER", IDS_LCD_DIMMER},
              {"IDC_CHECK_SCAN_FUNCTION", IDS_SCAN_FUNCTION},
              {"IDC_CHECK_SCAN_HANGER", IDS_HANGER_SCAN},
              {"IDC_STATIC_SCAN_MODE", IDS_SCAN_MODE},
              {"IDC_STATIC_PRIOCH", IDS_PRIORITY_CH},
              {"IDC_STATIC_OPENING_TEXT", IDS_OPENING_TEXT}});
    m_beepBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_BEEP");
    m_beepUdKeyBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_BEEP_UDKEY");
    m_sideToneBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_SIDETONE");
    m_scanFunctionBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_SCAN_FUNCTION");
    m_scanHangerBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_SCAN_HANGER");
    m_indicateModeList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_INDICATEMODE");
    m_lcdBacklightList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_LCD_BACKLIGHT");
    m_lcdDimmerList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_LCD_DIMMER");
    m_scanModeList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_SCAN_MODE");
    m_prioChList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_PRIOCH");
    m_openingTextEdit = XrcCtrl<wxTextCtrl>(*this, "IDC_EDIT_OPENING_TEXT");
}

wxString CPropertyPageC31::GetCaption() const
{
    return ResString(IDS_PAGE_COMMON);
}

void CPropertyPageC31::FillLists()
{
    // Drop-down list entries: string resources, in list order.
    FillListEntries(m_indicateModeList, {IDS_INDICATE_FREQ, IDS_INDICATE_TEXT});
    FillListEntries(m_lcdBacklightList, {IDS_LEVEL_OFF, IDS_LEVEL_LOW, IDS_LEVEL_HIGH});
    FillListEntries(m_scanModeList, {IDS_SCAN_MODE_NORMAL, IDS_SCAN_MODE_PRIO});
}

void CPropertyPageC31::FillPriorityList()
{
    // "Off", channel 1 (always offered) and every channel in use; each entry's data is its
    // channel number.
    m_prioChList->Clear();
    m_prioChList->Append(PriorityOffText());
    for (unsigned n = 1; n <= CR455Radio::kChannelCount; ++n) {
        if (n == 1 || (m_radioData && m_radioData->GetChAppear(n) != kOff))
            m_prioChList->Append(wxString::Format("%d", static_cast<int>(n)),
                                 reinterpret_cast<void*>(static_cast<uintptr_t>(n)));
    }

    // The shown channel follows the stored priority scanning: while it is off, "Off".
    uintptr_t wanted = 0;
    if (m_radioData && m_radioData->GetScanPrio() == kOn) {
        const int value = DecimalValue(ToEngine(m_prioCh));
        if (value >= 1 && value <= static_cast<int>(CR455Radio::kChannelCount))
            wanted = static_cast<uintptr_t>(value);
    }
    m_prioChList->SetSelection(0);
    m_prioCh = PriorityOffText();
    for (unsigned i = 1; i < m_prioChList->GetCount(); ++i) {
        if (reinterpret_cast<uintptr_t>(m_prioChList->GetClientData(i)) == wanted) {
            m_prioCh = m_prioChList->GetString(i);
            break;
        }
    }
}

bool CPropertyPageC31::OnSetActive()
{
    m_openingTextEdit->SetMaxLength(kOpeningTextLimit);
    FillLists();
    FillPriorityList();
    return CSheetPage::OnSetActive();
}

bool CPropertyPageC31::TransferDataToWindow()
{
    m_beepBox->SetValue(m_beep);
    m_beepUdKeyBox->SetValue(m_beepUdKey);
    m_sideToneBox->SetValue(m_sideTone);
    SelectListEntry(m_indicateModeList, m_indicateMode);
    SelectListEntry(m_lcdBacklightList, m_lcdBacklight);
    SelectListEntry(m_lcdDimmerList, m_lcdDimmer);
    m_scanFunctionBox->SetValue(m_scanFunction);
    m_scanHangerBox->SetValue(m_scanHanger);
    SelectListEntry(m_scanModeList, m_scanMode);
    SelectListEntry(m_prioChList, m_prioCh);
    m_openingTextEdit->ChangeValue(m_openingText);
    return true;
}

bool CPropertyPageC31::TransferDataFromWindow()
{
    m_beep = m_beepBox->GetValue();
    m_beepUdKey = m_beepUdKeyBox->GetValue();
    m_sideTone = m_sideToneBox->GetValue();
    m_indicateMode = GetListText(m_indicateModeList);
    m_lcdBacklight = GetListText(m_lcdBacklightList);
    m_lcdDimmer = GetListText(m_lcdDimmerList);
    m_scanFunction = m_scanFunctionBox->GetValue();
    m_scanHanger = m_scanHangerBox->GetValue();
    m_scanMode = GetListText(m_scanModeList);
    m_prioCh = GetListText(m_prioChList);
    m_openingText = m_openingTextEdit->GetValue();
    return true;
}

std::string CPropertyPageC31::ApplyToRadio()
{
    if (!m_radioData)
        return std::string();
    CR455Radio& radio = *m_radioData;
    radio.SetBeep(OnOff(m_beep));
    radio.SetBeepUdKey(OnOff(m_beepUdKey));
    radio.SetSideTone(OnOff(m_sideTone));
    radio.SetScanFunction(OnOff(m_scanFunction));
    radio.SetScanHanger(OnOff(m_scanHanger));
    radio.SetIndicateMode(m_indicateMode == ResString(IDS_INDICATE_FREQ) ? "FREQ" : "TEXT");
    // The dimmer is set before the backlight goes off, and after it comes on.
    if (m_lcdBacklight == ResString(IDS_LEVEL_OFF)) {
        radio.SetLcdDimmer("LOW");
        radio.SetLcdBacklight(kOff);
    } else {
        radio.SetLcdBacklight(kOn);
        radio.SetLcdDimmer(m_lcdBacklight == ResString(IDS_LEVEL_HIGH) ? "HIGH" : "LOW");
    }
    radio.SetScanMode(m_scanMode == ResString(IDS_SCAN_MODE_NORMAL) ? "NORMAL" : "PRIO");
    radio.SetPriorityChannel(m_prioCh == PriorityOffText() ? std::string(kEnginePriorityOff)
                                                          : TrimLeft(ToEngine(m_prioCh)));
    const std::string openingText = ToEngine(m_openingText);
    radio.SetOpeningText(openingText);
    return OpeningTextNote(openingText, radio.GetOpeningText());
}
