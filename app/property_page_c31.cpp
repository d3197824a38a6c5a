#include "app/property_page_c31.h"

#include <algorithm>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "engine/engine_words.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "radio/radio_settings.h"
#include "text/text_util.h"
#include "res/resource_ids.h"

namespace {

using EngineWord::kOn;

// The lists' entries, in the orders of the settings' values.
const unsigned kIndicateModeTexts[] = {IDS_INDICATE_FREQ, IDS_INDICATE_TEXT};
const unsigned kBacklightTexts[] = {IDS_LEVEL_OFF, IDS_LEVEL_LOW, IDS_LEVEL_HIGH};
const unsigned kScanModeTexts[] = {IDS_SCAN_MODE_NORMAL, IDS_SCAN_MODE_PRIO};

// The position of the entry shown as `text` (the first when none is).
template <size_t N>
int EntryIndex(const unsigned (&entries)[N], const wxString& text)
{
    for (size_t i = 0; i < N; ++i) {
        if (text == ResString(entries[i]))
            return static_cast<int>(i);
    }
    return 0;
}

// The first entry of the priority list; also the member's text when no channel is chosen.
wxString PriorityOffText()
{
    return ResString(IDS_LEVEL_OFF);
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
    const CRadioSettings s = CRadioSettings::Load(*m_radioData);
    m_beep = s.beep;
    m_beepUdKey = s.beepUpDownKey;
    m_sideTone = s.sideTone;
    m_indicateMode = ResString(kIndicateModeTexts[static_cast<int>(s.indicateMode)]);
    m_lcdBacklight = ResString(kBacklightTexts[static_cast<int>(s.backlight)]);
    m_scanFunction = s.scanFunction;
    m_scanHanger = s.scanHanger;
    m_scanMode = ResString(kScanModeTexts[static_cast<int>(s.scanMode)]);
    m_prioCh = s.priorityChannel == 0
                   ? PriorityOffText()
                   : wxString::Format("%d", static_cast<int>(s.priorityChannel));
    m_openingText = FromEngine(s.openingText);
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
    FillListEntries(m_indicateModeList, {kIndicateModeTexts[0], kIndicateModeTexts[1]});
    FillListEntries(m_lcdBacklightList, {kBacklightTexts[0], kBacklightTexts[1], kBacklightTexts[2]});
    FillListEntries(m_scanModeList, {kScanModeTexts[0], kScanModeTexts[1]});
}

void CPropertyPageC31::FillPriorityList()
{
    // "Off", channel 1 (always offered) and every channel in use; each entry's data is its
    // channel number.
    m_prioChList->Clear();
    m_prioChList->Append(PriorityOffText());
    for (unsigned n : m_radioData ? PriorityChannelChoices(*m_radioData) : std::vector<unsigned>{1})
        m_prioChList->Append(wxString::Format("%d", static_cast<int>(n)),
                             reinterpret_cast<void*>(static_cast<uintptr_t>(n)));

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
    m_openingTextEdit->SetMaxLength(CRadioSettings::kOpeningTextLimit);
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
    CRadioSettings s = CRadioSettings::Load(*m_radioData);
    s.beep = m_beep;
    s.beepUpDownKey = m_beepUdKey;
    s.sideTone = m_sideTone;
    s.indicateMode = static_cast<EIndicateMode>(EntryIndex(kIndicateModeTexts, m_indicateMode));
    s.backlight = static_cast<EBacklight>(EntryIndex(kBacklightTexts, m_lcdBacklight));
    s.scanFunction = m_scanFunction;
    s.scanHanger = m_scanHanger;
    s.scanMode = static_cast<EScanMode>(EntryIndex(kScanModeTexts, m_scanMode));
    s.priorityChannel = m_prioCh == PriorityOffText()
                            ? 0
                            : static_cast<unsigned>(std::max(0, DecimalValue(ToEngine(m_prioCh))));
    s.openingText = ToEngine(m_openingText);
    return s.ApplyCommon(*m_radioData);
}
