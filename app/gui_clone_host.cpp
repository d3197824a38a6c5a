#include "app/gui_clone_host.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "clone/tone_player.h"
#include "res/resource_ids.h"

CGuiCloneHost::CGuiCloneHost() = default;

CGuiCloneHost::~CGuiCloneHost()
{
    if (m_progress)
        DestroyProgress();
}

void CGuiCloneHost::SetStatusText(const std::string& text)
{
    if (CMainFrame* frame = GetPWR455App().GetMainFrame())
        frame->SetMessageText(wxString::FromUTF8(text));
}

void CGuiCloneHost::CreateProgress(const std::string& caption)
{
    if (m_progress)
        return;
    m_progress = new wxProgressDialog(wxString::FromUTF8(caption), wxString(), 100,
                                      GetPWR455App().GetMainFrame(),
                                      wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE);
}

void CGuiCloneHost::SetProgressPos(int percent)
{
    if (m_progress)
        m_progress->Update(percent < 0 ? 0 : percent > 100 ? 100 : percent);
}

bool CGuiCloneHost::CheckCancel()
{
    if (!m_progress)
        return false;
    wxTheApp->Yield(true);
    if (!m_progress->WasCancelled())
        return false;
    m_progress->Resume();
    return true;
}

void CGuiCloneHost::DestroyProgress()
{
    delete m_progress;
    m_progress = nullptr;
}

void CGuiCloneHost::MessageBox(const std::string& text, Icon icon)
{
    wxMessageBox(wxString::FromUTF8(text), ResString(IDS_APP_TITLE),
                 wxOK | (icon == Icon::Exclamation ? wxICON_EXCLAMATION : 0),
                 GetPWR455App().GetMainFrame());
}

bool CGuiCloneHost::AskOkCancel(const std::string& text)
{
    return wxMessageBox(wxString::FromUTF8(text), ResString(IDS_APP_TITLE),
                        wxOK | wxCANCEL | wxICON_EXCLAMATION,
                        GetPWR455App().GetMainFrame()) == wxOK;
}

void CGuiCloneHost::ShowInformation(const std::string& model, const std::string& comment)
{
    wxMessageBox(wxString::FromUTF8(model + "\n" + comment), ResString(IDS_APP_TITLE), wxOK,
                 GetPWR455App().GetMainFrame());
}

void CGuiCloneHost::BeginWaitCursor()
{
    wxBeginBusyCursor();
}

void CGuiCloneHost::EndWaitCursor()
{
    if (wxIsBusy())
        wxEndBusyCursor();
}

void CGuiCloneHost::Beep(unsigned frequency, unsigned milliseconds)
{
    if (!m_tones)
        m_tones = std::make_unique<CTonePlayer>();
    m_tones->Play(frequency, milliseconds);
}

void CGuiCloneHost::Sleep(unsigned milliseconds)
{
    wxMilliSleep(milliseconds);
}
