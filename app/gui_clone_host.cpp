#include "app/gui_clone_host.h"

#include <chrono>
#include <memory>

#include <wx/app.h>
#include <wx/event.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/clone_info_dlg.h"
#include "app/clone_progress_dlg.h"
#include "app/main_window.h"
#include "clone/tone_player.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

// While the progress window is up, waits are cut into slices of this length so that the window
// keeps painting and answering.
constexpr unsigned kPumpSliceMs = 10;

wxWindow* MainWindow()
{
    return GetMainFrame();
}

} // namespace

CGuiCloneHost::CGuiCloneHost() = default;

CGuiCloneHost::~CGuiCloneHost()
{
    EndProgress();
    while (m_waitDepth > 0)
        EndWaitCursor();
}

wxString CGuiCloneHost::BoxText(const std::string& text)
{
    wxString box = wxString::FromUTF8(text);
    box.Replace("\r\n", "\n");
    box.Replace("\r", "\n");
    return box;
}

void CGuiCloneHost::SetStatusText(const std::string& text)
{
    if (CMainWindow* window = GetMainWindow()) {
        window->SetMessageText(wxString::FromUTF8(text));
        // The run that follows keeps the processor; show the text now.
        window->GetFrame()->Update();
    }
}

void CGuiCloneHost::CreateProgress(const std::string& caption)
{
    CloseEndedProgress();
    if (m_progress)
        return;
    auto dialog = std::make_unique<CCloneProgressDlg>(wxString::FromUTF8(caption));
    dialog->Create(MainWindow());
    m_progress = dialog.release();
    if (CMainWindow* window = GetMainWindow())
        window->HoldMessageText(true);
    // The window pumps events during the run: a close request for the main window (from the
    // window manager) must not take the document away under the run.
    if (wxWindow* frame = MainWindow()) {
        frame->Bind(wxEVT_CLOSE_WINDOW, &CGuiCloneHost::OnMainWindowClose, this);
        m_closeGuarded = frame;
    }
}

void CGuiCloneHost::OnMainWindowClose(wxCloseEvent& event)
{
    if (m_progress && event.CanVeto()) {
        event.Veto();
        return;
    }
    event.Skip();
}

void CGuiCloneHost::SetProgressPos(int percent)
{
    if (m_progress)
        m_progress->SetPos(percent);
}

bool CGuiCloneHost::CheckCancel()
{
    const bool cancelled = m_progress && m_progress->CheckCancel();
    // Said at once: closing the port and the window's last moment still take a while.
    if (cancelled)
        SetStatusText(LoadResString(IDS_CLONE_TERMINATED));
    return cancelled;
}

void CGuiCloneHost::DestroyProgress()
{
    m_progressEnded = m_progress != nullptr;
    // Nothing is left to cancel.
    if (wxWindow* cancel = m_progress ? m_progress->FindWindow(wxID_CANCEL) : nullptr)
        cancel->Disable();
}

void CGuiCloneHost::CloseEndedProgress()
{
    if (m_progressEnded)
        EndProgress();
}

void CGuiCloneHost::EndProgress()
{
    m_progressEnded = false;
    if (!m_progress)
        return;
    m_progress->DestroyWindow();
    m_progress = nullptr;
    if (CMainWindow* window = GetMainWindow())
        window->HoldMessageText(false);
    if (m_closeGuarded && m_closeGuarded == MainWindow())
        m_closeGuarded->Unbind(wxEVT_CLOSE_WINDOW, &CGuiCloneHost::OnMainWindowClose, this);
    m_closeGuarded = nullptr;
}

void CGuiCloneHost::ShowNotice(const std::string& text, EIcon icon)
{
    CloseEndedProgress();
    wxMessageBox(BoxText(text), ResString(IDS_APP_TITLE),
                 wxOK | (icon == EIcon::Exclamation ? wxICON_EXCLAMATION : wxICON_NONE),
                 MainWindow());
}

bool CGuiCloneHost::AskOkCancel(const std::string& text)
{
    CloseEndedProgress();
    return wxMessageBox(BoxText(text), ResString(IDS_APP_TITLE),
                        wxOK | wxCANCEL | wxICON_EXCLAMATION, MainWindow()) == wxOK;
}

void CGuiCloneHost::ShowInformation(const std::string& model, const std::string& comment)
{
    CloseEndedProgress();
    CCloneInfoDlg dialog(MainWindow());
    dialog.m_model = wxString::FromUTF8(model);
    dialog.m_comment = wxString::FromUTF8(comment);
    dialog.ShowModal();
}

void CGuiCloneHost::BeginWaitCursor()
{
    ++m_waitDepth;
    wxBeginBusyCursor();
}

void CGuiCloneHost::EndWaitCursor()
{
    if (m_waitDepth == 0)
        return;
    --m_waitDepth;
    wxEndBusyCursor();
}

void CGuiCloneHost::WarnBackupNotSaved(const std::string& reason)
{
    SetStatusText(FormatText(LoadResString(IDS_BACKUP_NOT_SAVED_STATUS), {reason}));
}

void CGuiCloneHost::Beep(unsigned frequency, unsigned milliseconds)
{
    KeepPainted();
    if (m_toneSink) {
        m_toneSink(frequency, milliseconds);
        return;
    }
    if (!m_tones) {
        m_tones = std::make_unique<CTonePlayer>();
        // The four failure tones last two seconds: the windows must not freeze meanwhile.
        m_tones->SetSliceHook(&CGuiCloneHost::KeepPainted);
    }
    m_tones->Play(frequency, milliseconds);
}

void CGuiCloneHost::KeepPainted()
{
    // Only paint, size and other window events: a click or key now would reach the program in
    // the middle of a run that must not be interrupted.
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop && !loop->IsYielding())
        loop->YieldFor(wxEVT_CATEGORY_UI);
}

bool CGuiCloneClock::WaitReadable(CByteLine& line, unsigned milliseconds)
{
    const bool readable = CRealCloneClock::WaitReadable(line, milliseconds);
    if (!m_host.GetProgressDialog())
        CGuiCloneHost::KeepPainted();
    return readable;
}

void CGuiCloneClock::Sleep(unsigned milliseconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        // With the progress window up the user may cancel; without it the run only repaints.
        if (m_host.GetProgressDialog())
            CCloneProgressDlg::PumpMessages();
        else
            CGuiCloneHost::KeepPainted();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            break;
        wxMilliSleep(static_cast<unsigned long>(left < kPumpSliceMs ? left : kPumpSliceMs));
    }
}
