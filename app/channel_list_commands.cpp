#include "app/channel_list_commands.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/engine_text.h"
#include "app/main_window.h"
#include "app/undo_commands.h"
#include "exchange/channel_csv.h"
#include "radio/channel_order.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "radio/undo_history.h"
#include "res/string_table.h"

namespace {

// Twenty rows take a few hundred bytes; a clipboard far larger holds no channel list.
constexpr size_t kMaxClipboardText = 1 << 20;

// The clipboard's text; false when it holds none (or far too much to be channel rows).
bool ReadClipboardText(std::string& text)
{
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return false;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return false;
    text = ToEngine(data.GetText());
    return !text.empty() && text.size() <= kMaxClipboardText;
}

void PasteRows(CChannelRows& view)
{
    CR455Radio* radio = view.GetRadioData();
    std::string text;
    if (!radio || !ReadClipboardText(text)) {
        ShowStatusText(LoadResString(IDS_PASTE_ROWS_NONE));
        return;
    }
    const unsigned n = view.GetSelectedChannel();
    unsigned count = 0;
    std::string error;
    std::vector<std::string> notes;
    bool pasted = false;
    {
        wxBusyCursor wait;
        view.History().Record(UndoStepName(IDS_STEP_PASTE_ROWS, n), [&] {
            pasted = PasteChannelRows(*radio, n, text, &count, &error, &notes);
        });
    }
    if (!pasted) {
        wxMessageBox(wxString::Format(ResString(IDS_PASTE_ROWS_FAILED), FromEngine(error)),
                     ResString(IDS_APP_TITLE), wxOK | wxICON_EXCLAMATION, GetMainFrame());
        return;
    }
    if (count == 0) {
        ShowStatusText(LoadResString(IDS_PASTE_ROWS_NONE));
        return;
    }
    view.RefreshAll();
    std::string status =
        count == 1
            ? FormatText(LoadResString(IDS_PASTE_ROW_DONE), {ChannelLabel(n)})
            : FormatText(LoadResString(IDS_PASTE_ROWS_DONE),
                         {std::to_string(count), ChannelLabel(n), ChannelLabel(n + count - 1)});
    if (!notes.empty())
        status += "  " + JoinNotes(notes);
    ShowStatusText(status);
}

} // namespace

void CopyChannelRowToClipboard(const CR455Radio& radio, unsigned ch)
{
    wxClipboardLocker locker;
    if (!locker)
        return;
    wxTheClipboard->SetData(new wxTextDataObject(FromEngine(ChannelRowTsv(radio, ch))));
}

void BindChannelListCommands(wxEvtHandler& handler, CChannelRows& rows)
{
    CChannelRows* v = &rows;
    auto command = [&handler, v](unsigned id, auto run) {
        handler.Bind(
            wxEVT_MENU, [v, run](wxCommandEvent&) { run(*v); }, CmdId(id));
    };
    command(ID_EDIT_PASTE_ROWS, PasteRows);
}
