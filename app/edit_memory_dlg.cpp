#include "app/edit_memory_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/accessibility.h"
#include "app/app_resources.h"
#include "app/engine_text.h"
#include "app/xrc_util.h"
#include "engine/engine_words.h"
#include "radio/air_channel.h"
#include "radio/channel_edits.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"

namespace {

using EngineWord::kOff;

bool IsBlank(const wxString& text)
{
    return Trim(ToEngine(text)).empty();
}

} // namespace

bool IsUsableFrequencyText(const wxString& text)
{
    return IsUsableFrequencyText(ToEngine(text));
}

CEditMemoryDlg::CEditMemoryDlg(wxWindow* parent, CR455Radio* radioData, int channel)
    : m_radioData(radioData), m_channel(channel)
{
    CreateControls(parent);
}

void CEditMemoryDlg::CreateControls(wxWindow* parent)
{
    LoadXrcDialog(*this, parent, "IDD_EDIT_MEMORY");
    m_caption = GetTitle();
    SetClientSize(ConvertDialogToPixels(wxSize(169, 76)));
    WidenForTranslation(*this);
    m_freqEdit = XrcCtrl<wxTextCtrl>(*this, "IDC_EDIT_FREQUENCY");
    m_nameEdit = XrcCtrl<wxTextCtrl>(*this, "IDC_EDIT_NAME");
    m_carrierNote = XrcCtrl<wxStaticText>(*this, "IDC_STATIC_CARRIER");
    m_txInhibitButton = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_TX_INHIBIT");
    m_chLockoutButton = XrcCtrl<wxCheckBox>(*this, "IDC_CHECK_CH_LOCKOUT");
    // The labels sit above their fields, which screen readers cannot tell on their own.
    LinkAccessibleLabel(XrcCtrl<wxWindow>(*this, "IDC_STATIC_FREQUENCY"), m_freqEdit);
    LinkAccessibleLabel(XrcCtrl<wxWindow>(*this, "IDC_STATIC_NAME"), m_nameEdit);
    m_freqEdit->Bind(wxEVT_TEXT, &CEditMemoryDlg::OnFrequencyChange, this);
    Bind(wxEVT_BUTTON, &CEditMemoryDlg::OnOK, this, wxID_OK);
}

int CEditMemoryDlg::ShowModal()
{
    if (!m_radioData || m_channel < 1 || m_channel > static_cast<int>(CR455Radio::kChannelCount))
        return wxID_CANCEL;
    LoadChannel();
    return wxDialog::ShowModal();
}

void CEditMemoryDlg::LoadChannel()
{
    m_nameEdit->SetMaxLength(kNameLimit);
    m_freqEdit->SetMaxLength(kFrequencyLimit);
    const unsigned ch = static_cast<unsigned>(m_channel);
    // The caption names the channel, as the list's first column shows it.
    SetTitle(wxString::Format("%s %02u", m_caption, ch));
    if (m_radioData->GetChAppear(ch) == kOff) {
        m_freqText.clear();
        m_nameText.clear();
        m_txInhibit = false;
        m_chLockout = false;
    } else {
        m_freqText = FromEngine(m_radioData->GetChFrequency(ch));
        m_nameText = FromEngine(m_radioData->GetChName(ch));
        m_txInhibit = m_radioData->GetChTxInhibit(ch) != kOff;
        m_chLockout = m_radioData->GetChLockout(ch) != kOff;
    }
    // Asked once: the spacing cannot change while the dialog is open.
    m_grid = GetChannelGrid(*m_radioData);
    TransferDataToWindow();
    m_freqEmpty = IsBlank(m_freqText);
    UpdateEnabling();
    UpdateCarrierNote();
}

bool CEditMemoryDlg::TransferDataToWindow()
{
    // ChangeValue: filling the edit is not typing.
    m_freqEdit->ChangeValue(m_freqText);
    m_nameEdit->ChangeValue(m_nameText);
    m_txInhibitButton->SetValue(m_txInhibit);
    m_chLockoutButton->SetValue(m_chLockout);
    return true;
}

bool CEditMemoryDlg::TransferDataFromWindow()
{
    m_freqText = m_freqEdit->GetValue();
    m_nameText = m_nameEdit->GetValue();
    m_txInhibit = m_txInhibitButton->GetValue();
    m_chLockout = m_chLockoutButton->GetValue();
    return true;
}

void CEditMemoryDlg::UpdateEnabling()
{
    // Name and flags mean something only on a channel that has a frequency.
    const bool enable = !m_freqEmpty;
    m_nameEdit->Enable(enable);
    m_txInhibitButton->Enable(enable);
    m_chLockoutButton->Enable(enable);
}

void CEditMemoryDlg::UpdateCarrierNote()
{
    const wxString note =
        FromEngine(DescribeTypedFrequency(EngineFrequencyText(ToEngine(m_freqText)), m_grid));
    m_carrierNote->SetLabel(note);
    // Heard with the field, and as it changes while the user types.
    SetAccessibleDescription(m_freqEdit, note);
}

void CEditMemoryDlg::OnFrequencyChange(wxCommandEvent&)
{
    TransferDataFromWindow();
    m_freqEmpty = IsBlank(m_freqText);
    UpdateEnabling();
    UpdateCarrierNote();
}

void CEditMemoryDlg::SendChanges()
{
    if (!IsUsableFrequencyText(m_freqText))
        m_freqText.clear();
    CChannelFields fields;
    fields.name = ToEngine(m_nameText);
    fields.txInhibit = m_txInhibit;
    fields.lockout = m_chLockout;
    fields.frequency = ToEngine(m_freqText);
    const unsigned ch = static_cast<unsigned>(m_channel);
    m_freqText = FromEngine(CChannelEdits(*m_radioData).Write(ch, fields));
    m_freqEmpty = IsBlank(m_freqText);
}

void CEditMemoryDlg::OnOK(wxCommandEvent&)
{
    TransferDataFromWindow();
    m_freqText = FromEngine(EngineFrequencyText(ToEngine(m_freqText)));
    m_typedFrequency = m_freqText;
    SendChanges();
    EndDialog(wxID_OK);
}
