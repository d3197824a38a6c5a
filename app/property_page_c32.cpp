#include "app/property_page_c32.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/textctrl.h>

#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "radio/r455_radio.h"
#include "radio/radio_settings.h"
#include "res/resource_ids.h"

namespace {

// The spacing list's entries, in the order of the setting's values.
const unsigned kSpacingTexts[] = {IDS_SPACING_8_33K, IDS_SPACING_25K, IDS_SPACING_BOTH};

} // namespace

CPropertyPageC32::CPropertyPageC32(CR455Radio* radioData) : m_radioData(radioData)
{
    LoadFromRadio();
}

void CPropertyPageC32::LoadFromRadio()
{
    if (!m_radioData)
        return;
    const CRadioSettings s = CRadioSettings::Load(*m_radioData);
    m_adjEnable = s.adjustModeEnable;
    m_vfoModeEnable = s.vfoModeEnable;
    m_vfoTxEnable = s.vfoTxEnable;
    m_mrWriteEnable = s.memoryWriteEnable;
    m_chSpacing = ResString(kSpacingTexts[static_cast<int>(s.spacing)]);
    m_cloneComment = FromEngine(s.cloneComment);
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
    m_cloneCommentEdit->SetMaxLength(CRadioSettings::kCloneCommentLimit);
    FillListEntries(m_chSpacingList, {kSpacingTexts[0], kSpacingTexts[1], kSpacingTexts[2]});
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
    CRadioSettings s = CRadioSettings::Load(*m_radioData);
    s.adjustModeEnable = m_adjEnable;
    s.vfoModeEnable = m_vfoModeEnable;
    s.vfoTxEnable = m_vfoTxEnable;
    s.memoryWriteEnable = m_mrWriteEnable;
    s.spacing = EChannelSpacing::kBoth;
    if (m_chSpacing == ResString(IDS_SPACING_8_33K))
        s.spacing = EChannelSpacing::k8_33kHz;
    else if (m_chSpacing == ResString(IDS_SPACING_25K))
        s.spacing = EChannelSpacing::k25kHz;
    s.cloneComment = ToEngine(m_cloneComment);
    s.ApplyAdvanced(*m_radioData);
}
