#include "app/clone_progress_dlg.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/app_resources.h"
#include "app/xrc_util.h"
#include "res/resource_ids.h"

namespace {

// One form from the first moment to the last ("0%", "30%", "100%").
wxString PercentText(int percent)
{
    return wxString::Format("%d%c", percent, '%');
}

} // namespace

CCloneProgressDlg::CCloneProgressDlg(const wxString& caption)
    : m_caption(caption.empty() ? ResString(IDS_CLONE_CAPTION) : caption)
{
}

CCloneProgressDlg::~CCloneProgressDlg()
{
    // Never leave the main window disabled, however the window goes.
    if (m_ownerDisabled && m_owner) {
        m_owner->Enable(true);
        m_ownerDisabled = false;
    }
}

void CCloneProgressDlg::Create(wxWindow* owner)
{
    m_owner = owner ? wxGetTopLevelParent(owner) : wxTheApp->GetTopWindow();
    LoadXrcDialog(*this, m_owner, "IDD_CLONE_PROGRESS");
    if (m_owner && m_owner->IsEnabled()) {
        m_owner->Enable(false);
        m_ownerDisabled = true;
    }
    m_gauge = XrcCtrl<wxGauge>(*this, "IDC_CLONE_PROGRESS");
    m_percent = XrcCtrl<wxStaticText>(*this, "IDC_CLONE_PERCENT");
    Bind(wxEVT_BUTTON, &CCloneProgressDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CCloneProgressDlg::OnClose, this);

    m_gauge->SetRange(m_upper - m_lower);
    m_gauge->SetValue(0);
    m_percent->SetLabel(PercentText(0));
    SetTitle(m_caption);
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
    Show(true);
    Update();
}

void CCloneProgressDlg::DestroyWindow()
{
    if (m_ownerDisabled && m_owner) {
        m_owner->Enable(true);
        m_ownerDisabled = false;
    }
    Hide();
    Destroy();
}

void CCloneProgressDlg::PumpMessages()
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (!loop || loop->IsYielding())
        return;
    // Yield handles the toolkit's waiting events and the program's queued ones, and returns
    // when none are left.
    loop->YieldFor(wxEVT_CATEGORY_ALL);
}

void CCloneProgressDlg::SetPos(int position)
{
    PumpMessages();
    if (!m_gauge)
        return;
    if (position < m_lower)
        position = m_lower;
    if (position > m_upper)
        position = m_upper;
    // The run calls this on every pass of its loop: redraw only what changed.
    if (m_gauge->GetValue() != position - m_lower)
        m_gauge->SetValue(position - m_lower);
    int percent = (position - m_lower) * 100 / (m_upper - m_lower);
    if (percent != 100)
        percent %= 100;
    const wxString text = PercentText(percent);
    if (m_percent->GetLabel() != text)
        m_percent->SetLabel(text);
}

bool CCloneProgressDlg::CheckCancel()
{
    PumpMessages();
    const bool cancel = m_cancel;
    m_cancel = false;
    return cancel;
}

int CCloneProgressDlg::GetPos() const
{
    return m_gauge ? m_gauge->GetValue() + m_lower : m_lower;
}

wxString CCloneProgressDlg::GetPercentText() const
{
    return m_percent ? m_percent->GetLabel() : wxString();
}

void CCloneProgressDlg::OnCancel(wxCommandEvent&)
{
    // The run sees the press at its next check and closes the window itself.
    m_cancel = true;
}

void CCloneProgressDlg::OnClose(wxCloseEvent& event)
{
    // The close box counts as Cancel; the window stays until the run ends.
    m_cancel = true;
    if (event.CanVeto())
        event.Veto();
}
