#include "app/property_page_c32.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "radio/r455_radio.h"
#include "res/resource_ids.h"

namespace {

const char kEnable[] = "ENABLE";
const char kDisable[] = "DISABLE";

// Channel spacing words of COMMON.CH_SPACING.
const char kSpacing833[] = "8.33kHz";
const char kSpacing25[] = "25kHz";
const char kSpacingBoth[] = "25k/8.33kHz";

const char* EnableWord(bool enable)
{
    return enable ? kEnable : kDisable;
}

} // namespace

CPropertyPageC32::CPropertyPageC32(CR455Radio* radioData) : m_radioData(radioData)
{
    LoadFromRadio();
}

void CPropertyPageC32::LoadFromRadio()
{
    if (!m_radioData)
        return;
    CR455Radio& radio = *m_radioData;
    m_adjEnable = radio.GetAdjEnable() == kEnable;
    m_vfoModeEnable = radio.GetVfoModeEnable() == kEnable;
    m_vfoTxEnable = radio.GetVfoTxInhibit() == kDisable;
    m_mrWriteEnable = radio.GetMrWriteEnable() == kEnable;
    const std::string spacing = radio.GetChSpacing();
    if (spacing == kSpacing833)
        m_chSpacing = ResString(IDS_SPACING_8_33K);
    else if (spacing == kSpacing25)
        m_chSpacing = ResString(IDS_SPACING_25K);
    else
        m_chSpacing = ResString(IDS_SPACING_BOTH);
    m_cloneComment = FromEngine(radio.GetCloneComment());
}

void CPropertyPageC32::CreatePage(wxWindow* parent)
{
    LoadPage(parent, "IDD_PROPPAGE_C32",
             {{"IDC_CHECK_ADJ_ENABLE", IDS_ADJUST_MODE_ENABLE},
              {"IDC_CHECK_VFOMODE_ENABLE", IDS_VFO_MODE_ENABLE},
              {"IDC_CHECK_VFOTX_ENABLE", IDS_VFO_TX_ENABLE},
              {"IDC_CHECK_MRWRITE_ENABLE", IDS_MEMORY_WRITE_ENABLE}});
    m_adjEnableBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_ADJ_ENABLE");
    m_vfoModeEnableBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_VFOMODE_ENABLE");
    m_vfoTxEnableBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_VFOTX_ENABLE");
    m_mrWriteEnableBox = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_MRWRITE_ENABLE");
    m_chSpacingList = XrcCtrl<wxChoice>(*this, "IDC_COMBO_CH_SPACING");
    m_cloneCommentEdit = XrcCtrl<wxTextCtrl>(*this, "IDC_EDIT_CLONE_COMMENT");
}

wxString CPropertyPageC32::GetCaption() const
{
    return ResString(IDS_PAGE_ADVANCED);
}

bool CPropertyPageC32::OnSetActive()
{
    m_cloneCommentEdit->SetMaxLength(kCloneCommentLimit);
    FillListEntries(m_chSpacingList, {IDS_SPACING_8_33K, IDS_SPACING_25K, IDS_SPACING_BOTH});
    return CSheetPage::OnSetActive();
}

bool CPropertyPageC32::TransferDataToWindow()
{
    m_adjEnableBox->SetValue(m_adjEnable);
    m_vfoModeEnableBox->SetValue(m_vfoModeEnable);
    m_vfoTxEnableBox->SetValue(m_vfoTxEnable);
    m_mrWriteEnableBox->SetValue(m_mrWriteEnable);
    SelectListEntry(m_chSpacingList, m_chSpacing);
    m_cloneCommentEdit->ChangeValue(m_cloneComment);
    return true;
}

bool CPropertyPageC32::TransferDataFromWindow()
{
    m_adjEnable = m_adjEnableBox->GetValue();
    m_vfoModeEnable = m_vfoModeEnableBox->GetValue();
    m_vfoTxEnable = m_vfoTxEnableBox->GetValue();
    m_mrWriteEnable = m_mrWriteEnableBox->GetValue();
    m_chSpacing = GetListText(m_chSpacingList);
    m_cloneComment = m_cloneCommentEdit->GetValue();
    return true;
}

void CPropertyPageC32::ApplyToRadio()
{
    if (!m_radioData)
        return;
    CR455Radio& radio = *m_radioData;
    radio.SetAdjEnable(EnableWord(m_adjEnable));
    radio.SetVfoModeEnable(EnableWord(m_vfoModeEnable));
    // The box shows "Tx enabled"; the setting stores the inhibit.
    radio.SetVfoTxInhibit(m_vfoTxEnable ? kDisable : kEnable);
    radio.SetMrWriteEnable(EnableWord(m_mrWriteEnable));
    if (m_chSpacing == ResString(IDS_SPACING_8_33K))
        radio.SetChSpacing(kSpacing833);
    else if (m_chSpacing == ResString(IDS_SPACING_25K))
        radio.SetChSpacing(kSpacing25);
    else
        radio.SetChSpacing(kSpacingBoth);
    radio.SetCloneComment(ToEngine(m_cloneComment));
}
