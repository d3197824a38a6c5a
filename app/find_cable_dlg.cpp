#include "app/find_cable_dlg.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "app/xrc_util.h"
#include "clone/com_port_table.h"

CFindCableDlg::CFindCableDlg(wxWindow* parent, CPortList& ports, CCloneClock& clock, int number)
    : m_finder(ports, clock), m_timer(this)
{
    LoadXrcDialog(*this, parent, "IDD_FIND_CABLE");
    XrcCtrl<wxChoice>(*this, "IDC_FIND_COM")
        ->SetSelection(CComPortTable::IsNumber(number) ? number - 1 : 0);
    Bind(wxEVT_TIMER, &CFindCableDlg::OnTimer, this);
    XrcCtrl<wxButton>(*this, "IDC_FIND_AGAIN")->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        Start();
    });
    for (const char* end : {"IDC_FIND_BIND", "IDC_FIND_CHECK"})
        XrcCtrl<wxButton>(*this, end)->Bind(wxEVT_BUTTON, &CFindCableDlg::OnEnd, this);
    SetEscapeId(wxID_CANCEL);
    Start();
    GetSizer()->SetSizeHints(this);
    CentreOnParent();
}

int CFindCableDlg::GetNumber() const
{
    return XrcCtrl<wxChoice>(*this, "IDC_FIND_COM")->GetSelection() + 1;
}

void CFindCableDlg::Start()
{
    m_finder.Start();
    ShowStage();
    m_timer.Start(CCableFinder::kPollMs);
}

void CFindCableDlg::OnTimer(wxTimerEvent&)
{
    const CCableFinder::EStage before = m_finder.GetStage();
    if (m_finder.Poll() != before)
        ShowStage();
    if (CCableFinder::IsEnd(m_finder.GetStage()))
        m_timer.Stop();
    else
        XrcCtrl<wxGauge>(*this, "IDC_FIND_WAIT")->Pulse();
}

void CFindCableDlg::ShowStage()
{
    const CCableFinder::EStage stage = m_finder.GetStage();
    auto* prompt = XrcCtrl<wxStaticText>(*this, "IDC_FIND_PROMPT");
    prompt->SetLabelText(wxString::FromUTF8(CCableFinder::Prompt(stage, m_finder.GetCame())));
    prompt->Wrap(prompt->GetMinSize().x);
    Layout();
    const bool found = stage == CCableFinder::EStage::Found;
    for (const char* control :
         {"IDC_FIND_COM_LABEL", "IDC_FIND_COM", "IDC_FIND_BIND", "IDC_FIND_CHECK"})
        FindWindow(XRCID(control))->Enable(found);
    XrcCtrl<wxButton>(*this, "IDC_FIND_AGAIN")->Enable(CCableFinder::IsEnd(stage) && !found);
    if (CCableFinder::IsEnd(stage))
        XrcCtrl<wxGauge>(*this, "IDC_FIND_WAIT")->SetValue(found ? 100 : 0);
    m_port = found ? m_finder.GetCame().front().path : std::string();
    if (found)
        XrcCtrl<wxButton>(*this, "IDC_FIND_BIND")->SetFocus();
}

void CFindCableDlg::OnEnd(wxCommandEvent& event)
{
    m_timer.Stop();
    EndDialog(event.GetId());
}
