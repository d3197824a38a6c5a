#include "app/pwr455_app.h"

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include <wx/cmdline.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>
#include <wx/sysopt.h>
#include <wx/uilocale.h>
#include <wx/utils.h>

#include "app/about_dialog.h"
#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/end_requests.h"
#include "app/file_dialogs.h"
#include "app/information_options.h"
#include "app/main_frame.h"
#include "app/message_box_look.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/recent_file_list.h"
#include "app/splash_window.h"
#include "app/toolkit_entry.h"
#include "app/toolkit_style.h"
#include "language/program_language.h"
#include "platform/file_handover.h"
#include "platform/instance_lock.h"
#include "profile/profile.h"
#include "text/text_util.h"
#include "res/string_table.h"

namespace {

// The name another running instance is recognised by.
const char kInstanceName[] = "PWR455NORD APP Exclusive Mutex";
const char kHelpBookName[] = "pwr455.hhp";

} // namespace

CPWR455App& GetPWR455App()
{
    return *static_cast<CPWR455App*>(wxApp::GetInstance());
}

wxBEGIN_EVENT_TABLE(CPWR455App, wxApp)
    EVT_MENU(CmdId(ID_FILE_NEW), CPWR455App::OnFileNew)
    EVT_MENU(CmdId(ID_FILE_OPEN), CPWR455App::OnFileOpen)
    EVT_MENU_RANGE(CmdId(ID_FILE_MRU_FILE1), CmdId(ID_FILE_MRU_FILE4), CPWR455App::OnRecentFile)
    EVT_UPDATE_UI_RANGE(CmdId(ID_FILE_MRU_FILE1), CmdId(ID_FILE_MRU_FILE4),
                        CPWR455App::OnUpdateRecentFile)
    EVT_MENU(CmdId(ID_APP_ABOUT), CPWR455App::OnAppAbout)
    EVT_MENU(CmdId(ID_HELP_INDEX), CPWR455App::OnHelpContents)
    EVT_MENU(CmdId(ID_HELP_FINDER), CPWR455App::OnHelpTopics)
    EVT_IDLE(CPWR455App::OnIdle)
wxEND_EVENT_TABLE()

CPWR455App::CPWR455App()
{
    // Before the first use of the profile or the standard paths.
    SetVendorName("Vexa");
    SetAppName("PW-R455NORD");
}

CPWR455App::~CPWR455App() = default;

void CPWR455App::UseChosenLanguage()
{
    wxUILocale::UseDefault();
    // Read only: the session opens the profile again later, and tells what is wrong with it.
    UseLanguage(CProfile().GetLanguage(), true);
}

void CPWR455App::OnInitCmdLine(wxCmdLineParser& parser)
{
    // The usage text comes from the string table, so the parser's own help is not used.
    parser.SetLogo(ResString(IDS_APP_USAGE));
    parser.AddSwitch("h", "help");
    parser.AddSwitch("", "version");
    parser.AddSwitch("", "simulate");
    parser.AddParam("FILE.qrb", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

namespace {

// The exit status of a command line that cannot be used, as the tool's.
constexpr int kExitUsage = 2;

int TellWrongArguments(const wxString& message)
{
    std::fprintf(stderr, "%s\n", message.utf8_str().data());
    return kExitUsage;
}

} // namespace

int CPWR455App::AnswerInformationOptions(int argc, char** argv)
{
    // The whole command line is judged here, before the toolkit starts: a fault is told on
    // standard error (a GUI program's parser would tell it nowhere a person looks).
    std::string text;
    std::string fault;
    if (!GetInformationText(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc),
                            &text, &fault)) {
        if (!fault.empty())
            return TellWrongArguments(wxString::FromUTF8(fault));
        return -1;
    }
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

bool CPWR455App::OnCmdLineParsed(wxCmdLineParser& parser)
{
    SetSimulate(parser.Found("simulate"));
    if (parser.GetParamCount() > 0)
        m_commandLineFile = wxFileName(parser.GetParam(0)).GetAbsolutePath();
    return true;
}

bool CPWR455App::OnInit()
{
    ToolkitStarted();
    if (!wxApp::OnInit())
        return false;
    // The toolkit has set the user's locale; numbers in files, fields and the channel list keep
    // their point in every language.
    std::setlocale(LC_NUMERIC, "C");
    CSplashWindow::EnableSplashScreen(true);
    // A lock that cannot be had anywhere does not keep the program from starting.
    m_instanceLock = std::make_unique<CInstanceLock>(kInstanceName);
    if (m_instanceLock->GetState() == CInstanceLock::EState::Taken) {
        // Another instance runs: it opens the file given here, and this one ends at once
        // without a window or a message.
        if (!m_commandLineFile.empty())
            CFileHandover::Send(*m_instanceLock, m_commandLineFile.utf8_string());
        m_instanceLock.reset();
        m_earlyExitCode = 0;
        return true;
    }
    // From before the session makes any temporary file.
    CatchEndRequests(*this, &CPWR455App::OnTerminateSignal);
    if (!StartSession(m_commandLineFile)) {
        m_earlyExitCode = 1;
        return true;
    }
    m_handover = std::make_unique<CFileHandover>(*m_instanceLock, [this](const std::string& path) {
        CallAfter([this, path] { ReceiveHandedFile(wxString::FromUTF8(path)); });
    });
    return true;
}

void CPWR455App::OnTerminateSignal(int)
{
    CPWR455App& app = GetPWR455App();
    // Nobody is there to answer the save question.
    if (CPWR455Doc* doc = app.GetDocument())
        doc->DiscardChanges();
    if (app.m_frame)
        app.m_frame->Close(true);
}

int CPWR455App::OnRun()
{
    if (m_earlyExitCode >= 0)
        return m_earlyExitCode;
    return wxApp::OnRun();
}

int CPWR455App::OnExit()
{
    m_handover.reset();
    EndSession();
    m_instanceLock.reset();
    return wxApp::OnExit();
}

bool CPWR455App::StartSession(const wxString& file)
{
    InitAppResources();
    ApplyCompactToolbarStyle();
    InstallMessageBoxLook();
    CProfile::Open();
    wxBusyCursor wait;
    m_docManager = std::make_unique<CPWR455DocManager>();
    m_docManager->GetRecentFiles()->LoadFromProfile();
    const wxString ext = GetDocField(EDocField::kFilterExt);
    new wxDocTemplate(m_docManager.get(), GetDocField(EDocField::kFilterName), "*" + ext,
                      wxString(), ext.Mid(1), GetDocField(EDocField::kFileTypeId),
                      "PW-R455NORD View", CLASSINFO(CPWR455Doc), CLASSINFO(CPWR455View),
                      wxTEMPLATE_VISIBLE);

    m_frame = new CMainFrame(m_docManager.get());
    SetMainWindow(m_frame);
    m_frame->Bind(wxEVT_DESTROY, &CPWR455App::OnFrameDestroyed, this);
    SetTopWindow(m_frame);
    m_frame->HoldRaise(!file.empty());
    wxDocument* doc = m_docManager->CreateDocument(wxString(), wxDOC_NEW);
    if (!doc) {
        m_frame->Destroy();
        return false;
    }
    if (!file.empty() && !static_cast<CPWR455Doc*>(doc)->OnOpenDocument(file)) {
        // A file named on the command line that does not open ends the start-up; the reason
        // has been shown. The document and its view go before the frame they live in.
        static_cast<CPWR455Doc*>(doc)->DiscardChanges();
        m_docManager->CloseDocuments(true);
        m_frame->Destroy();
        return false;
    }
    if (!file.empty())
        m_docManager->AddFileToHistory(file);
    m_frame->HoldRaise(false);
    m_frame->ShowPlacement();
    ShowProfileWarning();
    return true;
}

void CPWR455App::OnFrameDestroyed(wxWindowDestroyEvent& event)
{
    if (event.GetEventObject() == m_frame) {
        m_frame = nullptr;
        SetMainWindow(nullptr);
    }
    event.Skip();
}

void CPWR455App::EndSession()
{
    // Windows whose deletion is still pending (the frame of a start-up that failed, which never
    // ran the event loop) go while the document manager they use is still there.
    DeletePendingObjects();
    m_help.reset();
    if (m_docManager) {
        m_docManager->GetRecentFiles()->AttachMenu(nullptr);
        m_docManager->GetRecentFiles()->SaveToProfile();
        // The frame has asked about unsaved changes when it closed; what is left goes.
        m_docManager->Clear(true);
        m_docManager.reset();
    }
    CProfile::Close();
}

bool CPWR455App::IsSimulate() const
{
    return CPWR455Doc::IsSimulatedFromStart();
}

void CPWR455App::SetSimulate(bool simulate)
{
    CPWR455Doc::SetSimulatedFromStart(simulate);
}

CPWR455Doc* CPWR455App::GetDocument() const
{
    return m_docManager ? GetOpenDocument() : nullptr;
}

bool CPWR455App::OpenDocumentFile(const wxString& path)
{
    CPWR455Doc* doc = GetDocument();
    return doc && doc->OpenData(path);
}

void CPWR455App::ReceiveHandedFile(const wxString& path)
{
    m_handedFile = path;
    OpenHandedFile();
}

void CPWR455App::OnIdle(wxIdleEvent& event)
{
    if (!m_handedFile.empty())
        OpenHandedFile();
    event.Skip();
}

void CPWR455App::OpenHandedFile()
{
    // Not under a dialog or a clone run: the file waits until they have ended.
    if (!m_frame || !m_frame->IsEnabled() || wxEventLoopBase::GetActive() != GetMainLoop())
        return;
    const wxString path = m_handedFile;
    m_handedFile.clear();
    if (m_frame->IsIconized())
        m_frame->Iconize(false);
    m_frame->Raise();
    OpenDocumentFile(path);
}

void CPWR455App::OnFileNew(wxCommandEvent&)
{
    if (CPWR455Doc* doc = GetDocument())
        doc->NewData();
}

void CPWR455App::OnFileOpen(wxCommandEvent&)
{
    const wxString path = AskOpenPath(m_frame);
    if (!path.empty())
        OpenDocumentFile(path);
}

void CPWR455App::OnRecentFile(wxCommandEvent& event)
{
    CRecentFileList* recent = m_docManager->GetRecentFiles();
    const size_t i = static_cast<size_t>(event.GetId() - CmdId(ID_FILE_MRU_FILE1));
    if (i >= recent->GetCount())
        return;
    const wxString path = recent->GetHistoryFile(i);
    if (!OpenDocumentFile(path) && !wxFileName::FileExists(path))
        recent->RemoveFileFromHistory(i);
}

void CPWR455App::OnUpdateRecentFile(wxUpdateUIEvent& event)
{
    const size_t i = static_cast<size_t>(event.GetId() - CmdId(ID_FILE_MRU_FILE1));
    event.Enable(m_docManager && i < m_docManager->GetRecentFiles()->GetCount());
}

void CPWR455App::OnAppAbout(wxCommandEvent&)
{
    CAboutDialog dialog(m_frame);
    dialog.ShowModal();
}

wxString CPWR455App::FindHelpBook()
{
    wxString dirs[4];
    wxString env;
    if (wxGetEnv("PWR455_HELP_DIR", &env))
        dirs[0] = env;
    // Installed: <prefix>/bin/pwr455 and <prefix>/share/pwr455/help; on Windows the help
    // folder lies beside the program.
    const wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    dirs[1] = exe.GetPath() + "/../share/pwr455/help";
    dirs[2] = exe.GetPath() + "/help";
#ifdef PWR_SOURCE_HELP_DIR
    dirs[3] = PWR_SOURCE_HELP_DIR;
#endif
    // The book of the language in use lies in a folder named by its code; English is the
    // book of any language that has none.
    const wxString language = wxString::FromUTF8(LanguageInUse());
    for (const wxString& dir : dirs) {
        if (dir.empty())
            continue;
        for (const wxString& folder : {dir + "/" + language, dir}) {
            wxFileName book(folder, kHelpBookName);
            book.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
            if (book.FileExists())
                return book.GetFullPath();
        }
    }
    return wxString();
}

void CPWR455App::OnHelpContents(wxCommandEvent&)
{
    ShowHelp(true);
}

void CPWR455App::OnHelpTopics(wxCommandEvent&)
{
    ShowHelp(false);
}

void CPWR455App::ShowHelp(bool contents)
{
    if (!m_help) {
        const wxString book = FindHelpBook();
        if (book.empty()) {
            wxMessageBox(wxString::Format(ResString(IDS_APP_NO_HELP), kHelpBookName),
                         ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, m_frame);
            return;
        }
        // The desktop's MIME database may know ".htm" as something other than HTML, which
        // would show the pages as plain text; the built-in table knows them.
        wxSystemOptions::SetOption("filesys.no-mimetypesmanager", 1);
        m_help = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, m_frame);
        m_help->AddBook(wxFileName(book));
    }
    if (contents)
        m_help->DisplayContents();
    else
        m_help->DisplayIndex();
}
