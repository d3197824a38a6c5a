#include "app/pwr455_doc.h"

#include <filesystem>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/file_dialogs.h"
#include "app/gui_clone_host.h"
#include "app/undo_commands.h"
#include "clone/clone_link.h"
#include "clone/clone_station.h"
#include "engine/engine_words.h"
#include "platform/file_io.h"
#include "profile/profile.h"
#include "radio/backup_store.h"
#include "radio/document_io.h"
#include "radio/r455_radio.h"
#include "radio/temp_file.h"
#include "radio/undo_history.h"
#include "sim/sim_transceiver.h"

namespace {

bool g_simulatedFromStart = false;

// True when `path` lies in the folder of the read backups, however it was named (the same
// folder by device and inode, not by its spelling).
bool IsBackupFile(const wxString& path)
{
    const std::string folder = CBackupStore::GetDefaultFolder();
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(path.utf8_string(), ec);
    return !folder.empty() && !ec && std::filesystem::equivalent(file.parent_path(), folder, ec);
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CPWR455Doc, wxDocument);

wxBEGIN_EVENT_TABLE(CPWR455Doc, wxDocument)
    EVT_MENU(CmdId(ID_FILE_SAVE), CPWR455Doc::OnFileSave)
    EVT_MENU(CmdId(ID_FILE_SAVE_AS), CPWR455Doc::OnFileSaveAs)
wxEND_EVENT_TABLE()

CPWR455Doc::CPWR455Doc()
    : m_radioData(std::make_unique<CR455Radio>()),
      m_history(std::make_unique<CUndoHistory>(*m_radioData)),
      m_cloneHost(std::make_unique<CGuiCloneHost>()),
      m_station(std::make_unique<CCloneStation>(*m_radioData, *m_cloneHost, m_cloneHost->GetClock()))
{
    CCloneOperations& operations = m_station->Operations();
    operations.SetModifiedTest([this] { return IsModified(); });
    operations.SetDataReplacedHandler([this] {
        // The engine's edit flag is off after the load; the document's own flag keeps the
        // data read from being closed without a question.
        Modify(true);
        UpdateAllViews(nullptr, nullptr);
    });
    BindUndoCommands(*this, GetHistory());
    CProfile::Session().FillPortTable(m_station->Link().Ports());
    if (IsSimulatedFromStart())
        StartSimulation();
}

void CPWR455Doc::SetSimulatedFromStart(bool simulated)
{
    g_simulatedFromStart = simulated;
}

bool CPWR455Doc::IsSimulatedFromStart()
{
    return g_simulatedFromStart;
}

CPWR455Doc::~CPWR455Doc()
{
    CProfile::Session().SetPortNumber(GetPortNumber());
    // The station before its host.
    m_station.reset();
}

CCloneLink& CPWR455Doc::GetCloneLink()
{
    return m_station->Link();
}

const CTempFile& CPWR455Doc::GetTransferFile() const
{
    return m_station->Transfer();
}

bool CPWR455Doc::IsSimulating() const
{
    return m_station->IsSimulating();
}

CSimTransceiver* CPWR455Doc::GetSimulator() const
{
    // The only transceiver the document simulates.
    return static_cast<CSimTransceiver*>(m_station->GetPeer());
}

int CPWR455Doc::GetPortNumber() const
{
    return m_station->Link().GetPortNumber();
}

void CPWR455Doc::SetPortNumber(int number)
{
    if (number >= 1 && number <= CProfile::kPortCount)
        m_station->Link().SetPortNumber(number);
}

void CPWR455Doc::DiscardChanges()
{
    Modify(false);
    m_radioData->SetEdited(false);
}

bool CPWR455Doc::IsModified() const
{
    return wxDocument::IsModified() || m_radioData->IsEdited();
}

bool CPWR455Doc::OnNewDocument()
{
    m_radioData->ResetData();
    m_history->Clear();
    Modify(false);
    SetDocumentSaved(false);
    SetTitle(wxString());
    SetFilename(GetDocumentManager()->MakeNewDocumentName(), true);
    InitialUpdateAllViews();
    return true;
}

bool CPWR455Doc::OnOpenDocument(const wxString& path)
{
    if (!DoOpenDocument(path))
        return false;
    m_history->Clear();
    Modify(false);
    if (IsBackupFile(path)) {
        // A backup keeps a transceiver's contents as they were read: it opens as an untitled
        // copy, so that Save asks for a name instead of replacing it.
        const wxString name = wxFileName(path).GetFullName();
        SetDocumentSaved(false);
        SetTitle(wxString::Format(ResString(IDS_BACKUP_COPY_TITLE), name));
        SetFilename(name, true);
    } else {
        SetDocumentSaved(true);
        SetTitle(wxString());
        SetFilename(path, true);
    }
    InitialUpdateAllViews();
    return true;
}

bool CPWR455Doc::NewData()
{
    if (!OnSaveModified())
        return false;
    return OnNewDocument();
}

bool CPWR455Doc::OpenData(const wxString& path)
{
    if (!OnSaveModified())
        return false;
    if (!OnOpenDocument(path))
        return false;
    GetDocumentManager()->AddFileToHistory(path);
    return true;
}

bool CPWR455Doc::OnSaveModified()
{
    if (!IsModified())
        return true;
    const int answer = wxMessageBox(
        wxString::Format(ResString(IDS_APP_ASK_TO_SAVE), GetUserReadableName()),
        ResString(IDS_APP_TITLE), wxYES_NO | wxCANCEL | wxICON_EXCLAMATION, GetDocumentWindow());
    if (answer == wxCANCEL)
        return false;
    if (answer == wxYES)
        return Save();
    return true;
}

bool CPWR455Doc::OnCloseDocument()
{
    const bool closed = wxDocument::OnCloseDocument();
    // The data are being discarded: nothing is left to ask about.
    DiscardChanges();
    return closed;
}

void CPWR455Doc::OnChangedViewList()
{
    // The last view goes only when the document closes, after the save question: the base
    // class would otherwise ask it once more before deleting the document.
    if (GetViewsVector().empty())
        DiscardChanges();
    wxDocument::OnChangedViewList();
}

void CPWR455Doc::OnChangeFilename(bool notifyViews)
{
    wxDocument::OnChangeFilename(notifyViews);
    UpdateFrameTitle();
}

void CPWR455Doc::Modify(bool modified)
{
    wxDocument::Modify(modified);
    // The base class has the view retitle the frame its own way; ours puts the "*" first.
    UpdateFrameTitle();
}

void CPWR455Doc::UpdateFrameTitle()
{
    wxWindow* frame = GetDocumentWindow();
    if (!frame || GetViewsVector().empty())
        return;
    const wxString title = GetDocumentManager()->MakeFrameTitle(this);
    if (frame->GetLabel() != title)
        frame->SetLabel(title);
}

bool CPWR455Doc::SaveAs()
{
    const wxString path = AskSavePath(GetDocumentWindow(), GetFilename());
    if (path.empty() || !OnSaveDocument(path))
        return false;
    SetTitle(wxString());
    SetFilename(path, true);
    GetDocumentManager()->AddFileToHistory(path);
    return true;
}

void CPWR455Doc::OnFileSave(wxCommandEvent&)
{
    Save();
}

void CPWR455Doc::OnFileSaveAs(wxCommandEvent&)
{
    SaveAs();
}

bool CPWR455Doc::WriteExport(const wxString& path,
                             const std::function<bool(std::string& error)>& write,
                             std::string& error) const
{
    if (GetDocumentSaved() && IsSameFile(path.utf8_string(), GetFilename().utf8_string())) {
        error = ResString(IDS_SAVE_IS_DOCUMENT).utf8_string();
        return false;
    }
    wxBusyCursor wait;
    return write(error);
}

bool CPWR455Doc::DoOpenDocument(const wxString& path)
{
    std::string answer;
    std::string detail;
    {
        wxBusyCursor wait;
        answer = OpenDocument(*m_radioData, path.utf8_string(), &detail);
    }
    if (answer == EngineWord::kOk)
        return true;
    const wxString reason = wxString::FromUTF8(DescribeOpenFailure(answer, detail));
    if (answer == "CANNOT_OPEN_FILE" || !IsResultWord(answer))
        ShowFileError(wxString::Format(ResString(IDS_APP_CANNOT_OPEN), path, reason));
    else
        ShowFileError(wxString::Format(ResString(IDS_APP_UNEXPECTED_FORMAT), path, reason));
    return false;
}

bool CPWR455Doc::DoSaveDocument(const wxString& path)
{
    std::string error;
    bool saved = false;
    {
        wxBusyCursor wait;
        saved = SaveDocumentWhenFree(*m_radioData, path.utf8_string(), error);
    }
    if (!saved)
        ShowFileError(
            wxString::Format(ResString(IDS_APP_CANNOT_SAVE), path, wxString::FromUTF8(error)));
    else
        m_history->MarkSaved();
    return saved;
}

void CPWR455Doc::ShowFileError(const wxString& text) const
{
    wxMessageBox(text, ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, GetDocumentWindow());
}

void CPWR455Doc::InitialUpdateAllViews()
{
    CViewHint newData(CViewHint::EWhat::kNewData);
    UpdateAllViews(nullptr, &newData);
}

void CPWR455Doc::UpdatePortMenu()
{
    auto* frame = dynamic_cast<wxFrame*>(GetDocumentWindow());
    wxMenuBar* bar = frame ? frame->GetMenuBar() : nullptr;
    for (int number = 1; bar && number <= CProfile::kPortCount; ++number) {
        wxMenuItem* item = bar->FindItem(CmdId(ID_COM1 + static_cast<unsigned>(number) - 1));
        if (!item)
            continue;
        // The menu says which device the entry stands for ("COM2 (/dev/ttyUSB1)", "COM2
        // (COM7)"), so that a port bound in Port Settings is found under its own name.
        const wxString name = wxString::Format("COM%d", number);
        wxString device = wxString::FromUTF8(m_station->Link().GetPortDevice(number));
        device.Replace("&", "&&");
        const wxString label = device.empty() || device.IsSameAs(name, false)
                                   ? name
                                   : wxString::Format(ResString(IDS_PORT_MENU_ITEM), name, device);
        if (item->GetItemLabel() != label)
            item->SetItemLabel(label);
    }
}
