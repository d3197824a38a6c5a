#include "app/undo_commands.h"

#include <wx/event.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/engine_text.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "radio/channel_order.h"
#include "radio/text_util.h"
#include "radio/undo_history.h"
#include "res/string_table.h"

namespace {

void UndoOrRedo(CPWR455Doc& doc, bool redo)
{
    CUndoHistory& history = doc.GetHistory();
    const std::string name = redo ? history.GetRedoName() : history.GetUndoName();
    if (!(redo ? history.Redo() : history.Undo()))
        return;
    // The engine's edit flag now tells alone whether the data differ from the saved ones.
    doc.Modify(false);
    doc.UpdateAllViews();
    ShowStatusText(FormatText(LoadResString(redo ? IDS_REDONE : IDS_UNDONE), {name}));
}

void UpdateItem(wxUpdateUIEvent& event, bool enabled, const std::string& name, unsigned plainId,
                unsigned namedId)
{
    event.Enable(enabled);
    event.SetText(enabled ? FromEngine(FormatText(LoadResString(namedId), {name}))
                          : ResString(plainId));
}

} // namespace

std::string UndoStepName(unsigned id, unsigned ch)
{
    return FormatText(LoadResString(id), {ch ? ChannelLabel(ch) : std::string()});
}

void ShowStatusText(const std::string& text)
{
    if (CMainFrame* frame = GetPWR455App().GetMainFrame())
        frame->SetMessageText(FromEngine(text));
}

void ClearStatusText()
{
    ShowStatusText(LoadResString(IDS_IDLE_MESSAGE));
}

void BindUndoCommands(CPWR455Doc& doc)
{
    doc.Bind(
        wxEVT_MENU, [&doc](wxCommandEvent&) { UndoOrRedo(doc, false); }, CmdId(ID_EDIT_UNDO));
    doc.Bind(
        wxEVT_MENU, [&doc](wxCommandEvent&) { UndoOrRedo(doc, true); }, CmdId(ID_EDIT_REDO));
    doc.Bind(
        wxEVT_UPDATE_UI,
        [&doc](wxUpdateUIEvent& event) {
            const CUndoHistory& history = doc.GetHistory();
            UpdateItem(event, history.CanUndo(), history.GetUndoName(), IDS_MENU_UNDO,
                       IDS_MENU_UNDO_NAMED);
        },
        CmdId(ID_EDIT_UNDO));
    doc.Bind(
        wxEVT_UPDATE_UI,
        [&doc](wxUpdateUIEvent& event) {
            const CUndoHistory& history = doc.GetHistory();
            UpdateItem(event, history.CanRedo(), history.GetRedoName(), IDS_MENU_REDO,
                       IDS_MENU_REDO_NAMED);
        },
        CmdId(ID_EDIT_REDO));
}
