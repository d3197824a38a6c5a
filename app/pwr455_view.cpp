#include "app/pwr455_view.h"

#include <algorithm>
#include <memory>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/channel_list_commands.h"
#include "app/command_ids.h"
#include "app/common_setting.h"
#include "app/edit_memory_dlg.h"
#include "app/engine_text.h"
#include "app/list_view_ex.h"
#include "app/main_window.h"
#include "app/menu_key_labels.h"
#include "app/pwr455_doc.h"
#include "app/splash_window.h"
#include "app/toolkit_style.h"
#include "app/undo_commands.h"
#include "app/xrc_util.h"
#include "profile/profile.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "radio/undo_history.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

namespace {

struct CColumnInfo {
    unsigned header; // string id
    int defaultWidth;
};

// The columns in the order they are inserted; all are right-justified. The spare column's
// default is wider than the clamp allows, so it opens at the widest width.
const CColumnInfo kColumns[CPWR455View::kColumnCount] = {
    {IDS_CLI_COLUMN_CH, 30},         {IDS_CLI_COLUMN_PRIO, 50},
    {IDS_CLI_COLUMN_FREQUENCY, 100}, {IDS_CLI_COLUMN_NAME, 100},
    {IDS_CLI_COLUMN_TX_INHIBIT, 90}, {IDS_CLI_COLUMN_LOCKOUT, 90},
    {IDS_LIST_COLUMN_SPARE, 30000},
};

constexpr int kMinColumnWidth = 20;
constexpr int kMaxColumnWidth = 400;

wxString Text(const std::string& text)
{
    return wxString::FromUTF8(text);
}

// The channel list's editing command of menu item `id`.
std::optional<EListCommand> ChannelCommandOf(int id)
{
    static const std::pair<unsigned, EListCommand> kCommands[] = {
        {ID_EDIT_COPY, EListCommand::kCopy},
        {ID_EDIT_PASTE, EListCommand::kPaste},
        {ID_EDIT_CLEAR, EListCommand::kClear},
        {ID_EDIT_DELETE_CH, EListCommand::kDelete},
        {ID_EDIT_INSERT_CH, EListCommand::kInsert},
        {ID_EDIT_MOVE_UP, EListCommand::kMoveUp},
        {ID_EDIT_MOVE_DOWN, EListCommand::kMoveDown},
        {ID_EDIT_SORT_FREQUENCY, EListCommand::kSortByFrequency},
        {ID_EDIT_SORT_NAME, EListCommand::kSortByName},
    };
    for (const auto& [item, command] : kCommands) {
        if (CmdId(item) == id)
            return command;
    }
    return std::nullopt;
}

int ShowMessage(unsigned id, long style)
{
    return wxMessageBox(ResString(id), ResString(IDS_APP_TITLE), style, GetMainFrame());
}

// True while a dialog of the program shows (the splash window aside): it has the keyboard.
bool IsDialogShown()
{
    for (const wxWindow* window : wxTopLevelWindows) {
        if (dynamic_cast<const wxDialog*>(window) && window->IsShown() &&
            window != CSplashWindow::GetSplashWindow())
            return true;
    }
    return false;
}

// Hands the keyboard back to the list when a modal dialog of any kind ends.
class CFocusAfterDialogs : public wxModalDialogHook {
public:
    explicit CFocusAfterDialogs(CPWR455View& view) : m_view(view) { Register(); }
    ~CFocusAfterDialogs() override { Unregister(); }

protected:
    // Asked before the dialog shows (it may not show at all); done once it has gone.
    int Enter(wxDialog*) override
    {
        m_view.FocusRowsLater();
        return wxID_NONE;
    }

private:
    CPWR455View& m_view;
};

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CPWR455View, wxView);

wxBEGIN_EVENT_TABLE(CPWR455View, wxView)
    EVT_MENU(CmdId(ID_EDIT_MEMORY), CPWR455View::OnEditMemory)
    EVT_UPDATE_UI(CmdId(ID_EDIT_MEMORY), CPWR455View::OnUpdateEditMemory)
    EVT_MENU(CmdId(ID_VIEW_COMMON_SETTING), CPWR455View::OnViewCommonSetting)
    EVT_MENU(CmdId(ID_EDIT_COPY), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_COPY), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_PASTE), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_PASTE), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_CLEAR), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_CLEAR), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_DELETE_CH), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_DELETE_CH), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_INSERT_CH), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_INSERT_CH), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_MOVE_UP), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_MOVE_UP), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_MOVE_DOWN), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_MOVE_DOWN), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_SORT_FREQUENCY), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_SORT_FREQUENCY), CPWR455View::OnUpdateChannelCommand)
    EVT_MENU(CmdId(ID_EDIT_SORT_NAME), CPWR455View::OnChannelCommand)
    EVT_UPDATE_UI(CmdId(ID_EDIT_SORT_NAME), CPWR455View::OnUpdateChannelCommand)
wxEND_EVENT_TABLE()

CPWR455View::CPWR455View() = default;
CPWR455View::~CPWR455View() = default;

bool CPWR455View::OnCreate(wxDocument* doc, long flags)
{
    if (!wxView::OnCreate(doc, flags))
        return false;
    wxFrame* frame = GetMainFrame();
    if (!frame)
        return false;
    m_list = new CListViewEx(frame, wxID_ANY, wxLC_SINGLE_SEL | wxBORDER_THEME);
    m_list->SetAccessibleName(ResString(IDS_LIST_ACCESSIBLE_NAME));
    CreateColumns();
    for (unsigned i = 0; i < kChannelCount; ++i)
        m_list->InsertItem(0, wxString());

    // Keys and double-clicks arrive at the window that shows the rows.
    wxWindow* rows = m_list->GetRowsWindow() ? m_list->GetRowsWindow() : m_list;
    rows->Bind(wxEVT_KEY_DOWN, &CPWR455View::OnListKeyDown, this);
    rows->Bind(wxEVT_LEFT_DCLICK, &CPWR455View::OnListDoubleClick, this);
    m_list->Bind(wxEVT_CONTEXT_MENU, &CPWR455View::OnListContextMenu, this);
    m_list->Bind(wxEVT_IDLE, &CPWR455View::OnListIdle, this);

    m_radioData = static_cast<CPWR455Doc*>(doc)->GetRadioData();
    m_dialogHook = std::make_unique<CFocusAfterDialogs>(*this);
    frame->Bind(wxEVT_ACTIVATE, &CPWR455View::OnFrameActivate, this);
    BindChannelListCommands(*this, *this);
    SetFrame(frame);
    frame->SendSizeEvent();
    return true;
}

int CPWR455View::ColumnWidthFromProfile(unsigned column, int stored)
{
    if (column >= kColumnCount)
        return kMinColumnWidth;
    const int width = stored == 0 ? kColumns[column].defaultWidth : stored;
    return std::clamp(width, kMinColumnWidth, kMaxColumnWidth);
}

void CPWR455View::CreateColumns()
{
    const double scale = TextScale(*m_list);
    for (unsigned c = 0; c < kColumnCount; ++c) {
        const int stored = CProfile::Session().GetColumnWidth(c);
        int width = ColumnWidthFromProfile(c, stored);
        // The default widths are for text of the standard size: larger text widens them as much.
        if (stored == 0 && scale > 1)
            width = std::min(wxRound(width * scale), kMaxColumnWidth);
        const wxString header = ResString(kColumns[c].header);
        const wxString english = wxString::FromUTF8(LoadEnglishResString(kColumns[c].header));
        // Until the user chooses a width, a translated header widens its column by as much as it
        // is longer than the English one, and at least until it shows whole.
        if (stored == 0 && header != english) {
            const int longer = m_list->GetTextExtent(header).x - m_list->GetTextExtent(english).x;
            width = std::max({width, width + longer, m_list->GetHeaderFitWidth(header)});
            width = std::min(width, kMaxColumnWidth);
        }
        m_list->InsertColumn(static_cast<long>(c), header, wxLIST_FORMAT_RIGHT, width);
    }
    m_list->SetAccessibleHeaderName(kColumnCount - 1, ResString(IDS_LIST_SPARE_ACCESSIBLE_NAME));
}

void CPWR455View::SaveColumnWidths()
{
    for (unsigned c = 0; c < kColumnCount; ++c)
        CProfile::Session().SetColumnWidth(c, m_list->GetColumnWidth(static_cast<int>(c)));
}

// The document manager has already asked whether to save and closed the document when views
// close, so unlike wxView::OnClose this does not close the document a second time.
bool CPWR455View::OnClose(bool deleteWindow)
{
    m_dialogHook.reset();
    if (wxWindow* frame = GetFrame())
        frame->Unbind(wxEVT_ACTIVATE, &CPWR455View::OnFrameActivate, this);
    if (m_list) {
        SaveColumnWidths();
        if (deleteWindow) {
            m_list->Destroy();
            m_list = nullptr;
        }
    }
    SetFrame(nullptr);
    return true;
}

void CPWR455View::OnDraw(wxDC*)
{
    // The list control paints itself.
}

void CPWR455View::OnUpdate(wxView*, wxObject* hint)
{
    if (const auto* told = dynamic_cast<const CViewHint*>(hint)) {
        if (told->What() == CViewHint::EWhat::kNewData)
            OnInitialUpdate();
        else
            FocusRowsLater();
        return;
    }
    RefreshAll();
}

void CPWR455View::OnInitialUpdate()
{
    // New data: no note of the data before is true of them.
    ClearStatusText();
    SelectChannel(1);
    OnUpdate(nullptr, nullptr);
    FocusRowsLater();
}

void CPWR455View::FocusRows()
{
    const wxWindow* frame = GetFrame();
    if (!m_list || !frame || !frame->IsEnabled() || IsDialogShown() ||
        wxEventLoopBase::GetActive() != wxTheApp->GetMainLoop())
        return;
    m_focusPending = false;
    SelectChannel(GetSelectedChannel());
    (m_list->GetRowsWindow() ? m_list->GetRowsWindow() : m_list)->SetFocus();
}

void CPWR455View::FocusRowsLater()
{
    m_focusPending = true;
}

// The window comes back to the front after a dialog, a clone run or another program: the
// keyboard belongs to the list, which is the only thing in the window that takes it.
void CPWR455View::OnFrameActivate(wxActivateEvent& event)
{
    if (event.GetActive())
        FocusRowsLater();
    event.Skip();
}

void CPWR455View::OnListIdle(wxIdleEvent& event)
{
    if (m_focusPending)
        FocusRows();
    event.Skip();
}

unsigned CPWR455View::GetSelectedChannel() const
{
    const long item = m_list ? m_list->GetFirstSelected() : -1;
    return item < 0 ? 1 : static_cast<unsigned>(item) + 1;
}

unsigned CPWR455View::GetSelectedChannel(wxDocument& doc)
{
    auto* view = dynamic_cast<CPWR455View*>(doc.GetFirstView());
    return view ? view->GetSelectedChannel() : 1;
}

void CPWR455View::SelectChannel(unsigned n)
{
    if (!m_list || n < 1 || n > kChannelCount)
        return;
    const long target = static_cast<long>(n) - 1;
    for (long item = 0; item < m_list->GetItemCount(); ++item) {
        if (item == target)
            m_list->SetItemState(item, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        else
            m_list->SetItemState(item, 0,
                                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED | wxLIST_STATE_CUT |
                                     wxLIST_STATE_DROPHILITED);
    }
    m_list->EnsureVisible(target);
}

void CPWR455View::BuildRow(unsigned n)
{
    if (n < 1 || n > kChannelCount || !m_radioData)
        return;
    m_rows[n] = BuildChannelRow(*m_radioData, n);
}

void CPWR455View::ShowRow(unsigned n)
{
    if (n < 1 || n > kChannelCount || !m_list)
        return;
    const long item = static_cast<long>(n) - 1;
    for (unsigned c = 0; c < kColumnCount; ++c)
        m_list->SetItem(item, static_cast<int>(c), Text(m_rows[n][c]));
    m_list->NotifyTextsChanged();
}

void CPWR455View::RebuildRow(unsigned n)
{
    BuildRow(n);
    ShowRow(n);
}

void CPWR455View::RefreshAll()
{
    {
        // All texts are built first and shown afterwards.
        wxBusyCursor wait;
        for (unsigned n = 1; n <= kChannelCount; ++n)
            BuildRow(n);
    }
    for (unsigned n = 1; n <= kChannelCount; ++n)
        ShowRow(n);
}

// Edit Memory -------------------------------------------------------------------------------

void CPWR455View::OpenEditMemory()
{
    const long item = m_list ? m_list->GetFirstSelected() : -1;
    if (item < 0) {
        ShowMessage(IDS_LIST_NO_SELECTION, wxOK | wxICON_NONE);
        return;
    }
    const unsigned n = static_cast<unsigned>(item) + 1;
    m_editChannel = n;
    CChannelEntry typed;
    CUndoStep step(History(), UndoStepName(IDS_STEP_EDIT, n));
    // The edited row stays highlighted while the dialog covers the list's focus.
    m_list->SetEditDialogOpen(true);
    const bool confirmed = RunEditMemoryDialog(typed);
    if (m_list)
        m_list->SetEditDialogOpen(false);
    // Only an OK that changed the data made a step that Ctrl+Z takes back.
    const bool stepped = step.Finish();
    if (!confirmed)
        return;
    RebuildRow(n);
    // Said once, in the status bar: where the engine stored something else than was typed.
    const std::string notes = JoinNotes(ExplainChannelEntry(*m_radioData, typed, stepped));
    ShowStatusText(notes.empty() ? LoadResString(IDS_IDLE_MESSAGE) : notes);
}

bool CPWR455View::RunEditMemoryDialog(CChannelEntry& typed)
{
    CEditMemoryDlg dialog(nullptr, m_radioData, static_cast<int>(m_editChannel));
    if (dialog.ShowModal() != wxID_OK)
        return false;
    typed = {m_editChannel, true, ToEngine(dialog.GetTypedFrequency()), true,
             ToEngine(dialog.GetTypedName())};
    return true;
}

CUndoHistory& CPWR455View::History()
{
    return static_cast<CPWR455Doc*>(GetDocument())->GetHistory();
}

void CPWR455View::RunSettingsSheet()
{
    CUndoStep step(History(), UndoStepName(IDS_STEP_SETTINGS));
    std::string note;
    if (RunCommonSetting(m_list, GetDocument(), m_radioData, &m_settingsPage,
                         [this] { RefreshAll(); }, &note) != wxID_OK)
        return;
    if (note.empty())
        ClearStatusText();
    else
        ShowStatusText(note);
}

void CPWR455View::OnEditMemory(wxCommandEvent&)
{
    OpenEditMemory();
}

void CPWR455View::OnUpdateEditMemory(wxUpdateUIEvent& event)
{
    event.Enable(true);
}

void CPWR455View::OnViewCommonSetting(wxCommandEvent&)
{
    RunSettingsSheet();
}

// List input --------------------------------------------------------------------------------

void CPWR455View::OnListKeyDown(wxKeyEvent& event)
{
    switch (event.GetKeyCode()) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        if (event.GetModifiers() == wxMOD_NONE) {
            OpenEditMemory();
            return;
        }
        break;
    case WXK_DELETE:
    case WXK_NUMPAD_DELETE:
        if (event.GetModifiers() == wxMOD_NONE) {
            // The list itself does nothing with Delete; passing the key on would only let
            // the menu's "Del" key label run Clear a second time.
            ClearSelectedChannel();
            return;
        }
        break;
    case WXK_UP:
    case WXK_DOWN:
        // The list would take Ctrl+arrow to move its focus alone; here the keys of Move Up and
        // Move Down reach their commands.
        if (event.GetModifiers() == wxMOD_CONTROL) {
            wxCommandEvent move(wxEVT_MENU,
                                CmdId(event.GetKeyCode() == WXK_UP ? ID_EDIT_MOVE_UP
                                                                   : ID_EDIT_MOVE_DOWN));
            ProcessEvent(move);
            return;
        }
        break;
    default:
        break;
    }
    event.Skip();
}

void CPWR455View::OnListDoubleClick(wxMouseEvent&)
{
    OpenEditMemory();
}

void CPWR455View::OnListContextMenu(wxContextMenuEvent& event)
{
    wxFrame* frame = GetMainFrame();
    if (!frame)
        return;
    frame->Raise();
    std::unique_ptr<wxMenuBar> bar(LoadXrcMenuBar("IDR_CHANNEL_POPUP"));
    std::unique_ptr<wxMenu> popup(bar->Remove(0));
    ShowMenuKeyNames(popup.get());
    // Tracked by the main window, so that the chosen command and the enabled states are
    // routed like those of the main menu.
    const wxPoint point = GetContextMenuPoint(event.GetPosition());
    m_list->SetContextMenuOpen(true);
    frame->PopupMenu(popup.get(), frame->ScreenToClient(point));
    if (m_list)
        m_list->SetContextMenuOpen(false);
}

wxPoint CPWR455View::GetContextMenuPoint(const wxPoint& reported) const
{
    if (reported != wxDefaultPosition || !m_list)
        return reported;
    // From the keyboard: on the selected row, which the commands act on.
    const long item = m_list->GetFirstSelected();
    const wxRect band = m_list->GetRowBand(item < 0 ? 0 : item);
    const wxWindow* rows = m_list->GetRowsWindow() ? m_list->GetRowsWindow() : m_list;
    return rows->ClientToScreen(wxPoint(band.x + band.height, band.y + band.height / 2));
}

// Editing commands --------------------------------------------------------------------------

void CPWR455View::RunChannelCommand(EListCommand command, bool checked)
{
    if (!m_radioData)
        return;
    const unsigned n = GetSelectedChannel();
    bool asked = false;
    if (checked) {
        const CListCommandPlan plan = PlanListCommand(*m_radioData, command, n);
        if (plan.refusal) {
            ShowMessage(plan.refusal, wxOK | wxICON_NONE);
            return;
        }
        asked = plan.question != 0;
        if (asked && ShowMessage(plan.question, wxYES_NO | wxICON_EXCLAMATION) != wxYES)
            return;
    }
    CListCommandOutcome outcome;
    {
        wxBusyCursor wait;
        outcome = RunListCommand(*m_radioData, History(), command, n);
    }
    if (command == EListCommand::kCopy)
        CopyChannelRowToClipboard(*m_radioData, n);
    if (outcome.status)
        ShowStatusText(*outcome.status);
    if (outcome.changedRows.size() == kChannelCount)
        RefreshAll();
    else
        for (unsigned row : outcome.changedRows)
            RebuildRow(row);
    if (outcome.selected != n)
        SelectChannel(outcome.selected);
    // The question box lay over the rows; some window managers leave its last frame behind.
    if (asked && m_list)
        m_list->Refresh();
}

void CPWR455View::ClearSelectedChannel()
{
    RunChannelCommand(EListCommand::kClear, false);
}

void CPWR455View::OnChannelCommand(wxCommandEvent& event)
{
    if (const std::optional<EListCommand> command = ChannelCommandOf(event.GetId()))
        RunChannelCommand(*command, true);
}

void CPWR455View::OnUpdateChannelCommand(wxUpdateUIEvent& event)
{
    const std::optional<EListCommand> command = ChannelCommandOf(event.GetId());
    event.Enable(m_radioData && command &&
                 PlanListCommand(*m_radioData, *command, GetSelectedChannel()).enabled);
}
