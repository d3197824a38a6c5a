#include "app/main_frame.h"

#include <algorithm>

#include <wx/accel.h>
#include <wx/display.h>
#include <wx/docview.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/toolbar.h>

#include "app/accessibility.h"
#include "app/airport_import_command.h"
#include "app/app_resources.h"
#include "app/card_printing.h"
#include "app/channel_import_export.h"
#include "app/clone_menu.h"
#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/list_view_ex.h"
#include "app/main_status_bar.h"
#include "app/main_toolbar.h"
#include "app/menu_key_labels.h"
#include "app/pwr455_doc.h"
#include "app/recent_file_list.h"
#include "app/safe_cloning.h"
#include "app/splash_window.h"
#include "app/window_manager.h"
#include "app/xrc_util.h"
#include "language/program_language.h"
#include "profile/profile.h"
#include "text/text_util.h"
#include "res/string_table.h"

namespace {

// Show states as the profile stores them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimised = 2;
constexpr int kShowMaximised = 3;

const wxRect kDefaultRect(5, 5, 500, 300);
constexpr int kSplashMilliseconds = 5000;

// Keys without a menu item of their own. Cut and the pane keys have no handler: nothing happens.
wxAcceleratorTable MakeAccelerators()
{
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, WXK_INSERT, CmdId(ID_EDIT_COPY)},
        {wxACCEL_SHIFT, WXK_INSERT, CmdId(ID_EDIT_PASTE)},
        {wxACCEL_CTRL, 'X', CmdId(ID_EDIT_CUT)},
        {wxACCEL_SHIFT, WXK_DELETE, CmdId(ID_EDIT_CUT)},
        {wxACCEL_CTRL, 'Z', CmdId(ID_EDIT_UNDO)},
        {wxACCEL_ALT, WXK_BACK, CmdId(ID_EDIT_UNDO)},
        {wxACCEL_CTRL | wxACCEL_SHIFT, 'Z', CmdId(ID_EDIT_REDO)},
        {wxACCEL_NORMAL, WXK_F6, CmdId(ID_NEXT_PANE)},
        {wxACCEL_SHIFT, WXK_F6, CmdId(ID_PREV_PANE)},
        {wxACCEL_NORMAL, WXK_F1, CmdId(ID_HELP_INDEX)},
    };
    return wxAcceleratorTable(static_cast<int>(WXSIZEOF(entries)), entries);
}

// True when some part of the rectangle lies on one of the screens.
bool IsOnSomeScreen(const wxRect& rect)
{
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        if (wxDisplay(i).GetGeometry().Intersects(rect))
            return true;
    }
    return false;
}

} // namespace

const wxSize CMainFrame::kMinSize(400, 200);

wxBEGIN_EVENT_TABLE(CMainFrame, wxFrame)
    EVT_CLOSE(CMainFrame::OnClose)
    EVT_SIZE(CMainFrame::OnSize)
    EVT_MOVE(CMainFrame::OnMove)
    EVT_IDLE(CMainFrame::OnIdle)
    EVT_MENU(CmdId(ID_APP_EXIT), CMainFrame::OnAppExit)
    EVT_MENU(CmdId(ID_VIEW_TOOLBAR), CMainFrame::OnViewToolBar)
    EVT_UPDATE_UI(CmdId(ID_VIEW_TOOLBAR), CMainFrame::OnUpdateViewToolBar)
    EVT_MENU(CmdId(ID_VIEW_STATUS_BAR), CMainFrame::OnViewStatusBar)
    EVT_UPDATE_UI(CmdId(ID_VIEW_STATUS_BAR), CMainFrame::OnUpdateViewStatusBar)
    EVT_MENU_RANGE(CmdId(ID_VIEW_LANGUAGE_SYSTEM), CmdId(ID_VIEW_LANGUAGE_FI),
                   CMainFrame::OnViewLanguage)
    EVT_UPDATE_UI_RANGE(CmdId(ID_VIEW_LANGUAGE_SYSTEM), CmdId(ID_VIEW_LANGUAGE_FI),
                        CMainFrame::OnUpdateViewLanguage)
wxEND_EVENT_TABLE()

wxRect CMainFrame::GetStartRect(bool* maximised, bool* usable)
{
    const CWindowRect stored = CProfile::Session().GetWindowRect();
    wxRect rect(stored.x, stored.y, stored.width, stored.height);
    if (maximised)
        *maximised = CProfile::Session().GetWindowCmdShow() == kShowMaximised;
    // A placement stored on a screen that is no longer there would hide the window.
    const bool onScreen = rect.width > 0 && rect.height > 0 && IsOnSomeScreen(rect);
    if (usable)
        *usable = onScreen && CProfile::Session().HasWindowSize();
    return onScreen ? rect : kDefaultRect;
}

CMainFrame::CMainFrame(wxDocManager* manager) : m_docManager(manager)
{
    m_normalRect = GetStartRect(&m_maximised, &m_placementStored);
    Create(nullptr, wxID_ANY, ResString(IDS_APP_TITLE), m_normalRect.GetPosition(),
           m_normalRect.GetSize());
    // The toolkit reads a frame size as including the decorations it knows of; the stored size
    // leaves them out.
    const wxSize decorations = GetDecorationSize(*this);
    if (decorations != wxSize())
        SetSize(wxRect(m_normalRect.GetPosition(), m_normalRect.GetSize() + decorations));
    // Where the toolkit cannot tell, the frame counts as mapped from the start (its moves count
    // once it is shown).
    m_mapped = !NotifyWhenMapped(*this, &m_mapped);
    SetMinSize(kMinSize);
    SetIcons(GetProgramIcons());

    wxMenuBar* menuBar = LoadXrcMenuBar("IDR_MAINFRAME");
    ApplyMenuPrompts(menuBar);
    for (size_t i = 0; i < menuBar->GetMenuCount(); ++i)
        ShowMenuKeyNames(menuBar->GetMenu(i));
    SetMenuBar(menuBar);
    if (auto* recent = static_cast<CPWR455DocManager*>(m_docManager)->GetRecentFiles())
        recent->AttachMenu(menuBar->GetMenu(0));
    SetAcceleratorTable(MakeAccelerators());
    CreateBars();
    BindChannelImportExport(this);
    BindCloneMenu(this);
    BindSafeCloning(this);
    BindAirportImport(this);
    BindCardPrinting(this);

    CSplashWindow::SetSplashTime(kSplashMilliseconds);
    CSplashWindow::ShowSplashScreen(this);
}

CMainFrame::~CMainFrame()
{
    if (auto* recent = static_cast<CPWR455DocManager*>(m_docManager)->GetRecentFiles())
        recent->AttachMenu(nullptr);
}

void CMainFrame::CreateBars()
{
    SetToolBar(CreateMainToolBar(this));
    m_statusBar = new CMainStatusBar(this);
    SetStatusBar(m_statusBar);
    SetStatusBarPane(0);
    SetMessageText(IDS_IDLE_MESSAGE);
}

void CMainFrame::SetMessageText(unsigned id)
{
    SetMessageText(ResString(id));
}

void CMainFrame::SetMessageText(const wxString& text)
{
    if (!m_statusBar)
        return;
    m_statusBar->SetStatusText(text, 0);
    // A note after an action reaches those who cannot see the status bar too; the idle text
    // is no news.
    if (!text.empty() && text != ResString(IDS_IDLE_MESSAGE))
        AnnounceAccessibleStatusNote(m_statusBar, text);
}

wxString CMainFrame::GetMessageText() const
{
    return m_statusBar ? m_statusBar->GetStatusText(0) : wxString();
}

void CMainFrame::Raise()
{
    // GTK shows a hidden frame that is raised, behind the toolkit's back.
    if (m_raiseHeld && !IsShown()) {
        m_raisePending = true;
        return;
    }
    wxFrame::Raise();
}

void CMainFrame::HoldRaise(bool hold)
{
    m_raiseHeld = hold;
    if (!hold && m_raisePending) {
        m_raisePending = false;
        wxFrame::Raise();
    }
}

void CMainFrame::FitWholeList()
{
    CListViewEx* list = nullptr;
    for (wxWindow* child : GetChildren())
        if (!list)
            list = dynamic_cast<CListViewEx*>(child);
    wxRect first;
    wxRect second;
    if (!list || list->GetItemCount() < 2 || !list->GetItemRect(0, first) ||
        !list->GetItemRect(1, second))
        return;
    // What the rows' window lacks today for every row and column, measured on the laid-out
    // list: fonts, themes and scroll bars differ from one desktop to the next.
    int columnsWidth = 0;
    for (int c = 0; c < list->GetColumnCount(); ++c)
        columnsWidth += list->GetColumnWidth(c);
    const wxWindow* rows = list->GetRowsWindow() ? list->GetRowsWindow() : list;
    const wxSize shown = rows->GetClientSize();
    const int rowsHeight = (second.y - first.y) * list->GetItemCount();
    const wxSize lacking(std::max(0, columnsWidth - shown.x) +
                             wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, list),
                         std::max(0, rowsHeight - shown.y));
    const wxSize decorations = GetDecorationSize(*this);
    const int display = wxDisplay::GetFromWindow(this);
    const wxRect area = wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
    const wxSize size(std::min(m_normalRect.width + lacking.x, area.width - decorations.x),
                      std::min(m_normalRect.height + lacking.y, area.height - decorations.y));
    const wxPoint position(
        std::max(area.x, std::min(m_normalRect.x, area.GetRight() + 1 - size.x - decorations.x)),
        std::max(area.y, std::min(m_normalRect.y, area.GetBottom() + 1 - size.y - decorations.y)));
    SetSize(wxRect(position, size + decorations));
    m_normalRect = wxRect(position, size);
}

void CMainFrame::ShowPlacement()
{
    if (!m_placementStored)
        FitWholeList();
    if (m_maximised) {
        m_awaitingMaximise = true;
        Maximize(true);
    }
    Show(true);
    Update();
    if (CSplashWindow* splash = CSplashWindow::GetSplashWindow())
        splash->ShowAboveParent();
}

int CMainFrame::GetShowCommand() const
{
    if (IsIconized())
        return kShowMinimised;
    // Closed before the window manager has maximised it, the frame keeps the stored request.
    return IsMaximized() || m_awaitingMaximise ? kShowMaximised : kShowNormal;
}

bool CMainFrame::TryBefore(wxEvent& event)
{
    if (m_docManager && m_docManager->ProcessEventLocally(event))
        return true;
    return wxFrame::TryBefore(event);
}

void CMainFrame::DoGiveHelp(const wxString& text, bool show)
{
    if (!m_messageHeld)
        wxFrame::DoGiveHelp(text, show);
}

void CMainFrame::TrackNormalRect()
{
    // While the window manager maps the frame it reports passing positions (the one asked for
    // read as if already decorated, or the screen's corner), and while it maximises a frame that
    // starts maximised, the maximised one: none is a placement of the user's, the stored
    // rectangle stays.
    if (m_awaitingMaximise && IsMaximized())
        m_awaitingMaximise = false;
    if (m_mapped && !m_awaitingMaximise)
        KeepNormalRect();
}

void CMainFrame::KeepNormalRect()
{
    if (IsShown() && !IsMaximized() && !IsIconized() && !IsFullScreen())
        m_normalRect = wxRect(GetPosition(), GetSize() - GetDecorationSize(*this));
}

// A placement the program asks for counts at once, mapped or not.
void CMainFrame::DoSetSize(int x, int y, int width, int height, int sizeFlags)
{
    wxFrame::DoSetSize(x, y, width, height, sizeFlags);
    KeepNormalRect();
}

void CMainFrame::OnSize(wxSizeEvent& event)
{
    TrackNormalRect();
    event.Skip();
}

void CMainFrame::OnMove(wxMoveEvent& event)
{
    TrackNormalRect();
    event.Skip();
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    if (m_statusBar)
        m_statusBar->UpdateIndicators();
    // Edits reach the engine by many ways (the list, dialogs, undo, a clone read); the title's
    // unsaved-changes mark follows them all from here.
    if (auto* doc = dynamic_cast<CPWR455Doc*>(m_docManager->GetCurrentDocument())) {
        doc->UpdateFrameTitle();
        // Before the menu opens: an open menu keeps the width it opened with.
        doc->UpdatePortMenu();
    }
    event.Skip();
}

void CMainFrame::SavePlacement()
{
    // A failed write ends the saving; closing goes on regardless.
    const wxRect& r = m_normalRect;
    CProfile::Session().SetWindowPlacement({r.x, r.y, r.width, r.height}, GetShowCommand());
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (CSplashWindow* splash = CSplashWindow::GetSplashWindow())
        splash->HideSplashScreen();
    SavePlacement();
    CProfile::Session().SetBarState(GetToolBar() && GetToolBar()->IsShown(),
                                    m_statusBar && m_statusBar->IsShown());
    if (m_docManager && !m_docManager->CloseDocuments(!event.CanVeto())) {
        event.Veto();
        return;
    }
    Destroy();
}

void CMainFrame::OnAppExit(wxCommandEvent&)
{
    Close();
}

void CMainFrame::OnViewToolBar(wxCommandEvent&)
{
    if (wxToolBar* toolBar = GetToolBar()) {
        toolBar->Show(!toolBar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnUpdateViewToolBar(wxUpdateUIEvent& event)
{
    event.Check(GetToolBar() && GetToolBar()->IsShown());
}

void CMainFrame::OnViewStatusBar(wxCommandEvent&)
{
    if (m_statusBar) {
        m_statusBar->Show(!m_statusBar->IsShown());
        SendSizeEvent();
    }
}

void CMainFrame::OnUpdateViewStatusBar(wxUpdateUIEvent& event)
{
    event.Check(m_statusBar && m_statusBar->IsShown());
}

namespace {

// The language of a View > Language item, in the order of ProgramLanguages().
const CProgramLanguage* LanguageOfCommand(int commandId)
{
    const size_t index = static_cast<size_t>(commandId - CmdId(ID_VIEW_LANGUAGE_SYSTEM));
    const auto& languages = ProgramLanguages();
    return index < languages.size() ? &languages[index] : nullptr;
}

} // namespace

void CMainFrame::OnViewLanguage(wxCommandEvent& event)
{
    const CProgramLanguage* language = LanguageOfCommand(event.GetId());
    const wxMenuItem* item = GetMenuBar() ? GetMenuBar()->FindItem(event.GetId()) : nullptr;
    if (!language || !item)
        return;
    // The windows keep their texts until the next start: they are built with them.
    CProfile::Session().SetLanguage(language->code);
    SetMessageText(wxString::FromUTF8(FormatText(LoadResString(IDS_LANGUAGE_NEXT_START),
                                                 {item->GetItemLabelText().utf8_string()})));
}

void CMainFrame::OnUpdateViewLanguage(wxUpdateUIEvent& event)
{
    const CProgramLanguage* language = LanguageOfCommand(event.GetId());
    event.Check(language && CProfile::Session().GetLanguage() == language->code);
}
