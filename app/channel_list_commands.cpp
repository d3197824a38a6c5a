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
#include "exchange/channel_exchange.h"
#include "radio/channel_order.h"
#include "radio/entry_notes.h"
#include "radio/r455_radio.h"
#include "text/text_util.h"
#include "radio/undo_history.h"
#include "res/string_table.h"

namespace {

// The clipboard's text; false when it holds none.
bool ReadClipboardText(std::string& text)
{
    wxClipboardLocker locker;
    if (!locker || !wxTheClipboard->IsSupported(wxDF_UNICODETEXT))
        return false;
    wxTextDataObject data;
    if (!wxTheClipboard->GetData(data))
        return false;
    text = ToEngine(data.GetText());
    return true;
}

void PasteRows(CChannelRows& view)
{
    CR455Radio* radio = view.GetRadioData();
    if (!radio) {
        ShowStatusText(LoadResString(IDS_PASTE_ROWS_NONE));
        return;
    }
    std::string text;
    const bool held = ReadClipboardText(text);
    CExchangeOutcome outcome;
    {
        wxBusyCursor wait;
        outcome = PasteRowsStep(*radio, view.History(), view.GetSelectedChannel(),
                                held ? &text : nullptr);
    }
    if (!outcome.failure.empty()) {
        wxMessageBox(FromEngine(outcome.failure), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_EXCLAMATION, GetMainFrame());
        return;
    }
    if (outcome.changed)
        view.RefreshAll();
    ShowStatusText(outcome.status);
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
