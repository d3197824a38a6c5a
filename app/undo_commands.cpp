#include "app/undo_commands.h"

#include <wx/docview.h>
#include <wx/event.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/engine_text.h"
#include "app/main_window.h"
#include "radio/channel_order.h"
#include "text/text_util.h"
#include "radio/undo_history.h"
#include "res/string_table.h"

namespace {

void UndoOrRedo(wxDocument& doc, CUndoHistory& history, bool redo)
{
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

void BindUndoCommands(wxDocument& doc, CUndoHistory& history)
{
    doc.Bind(
        wxEVT_MENU, [&doc, &history](wxCommandEvent&) { UndoOrRedo(doc, history, false); },
        CmdId(ID_EDIT_UNDO));
    doc.Bind(
        wxEVT_MENU, [&doc, &history](wxCommandEvent&) { UndoOrRedo(doc, history, true); },
        CmdId(ID_EDIT_REDO));
    doc.Bind(
        wxEVT_UPDATE_UI,
        [&history](wxUpdateUIEvent& event) {
            UpdateItem(event, history.CanUndo(), history.GetUndoName(), IDS_MENU_UNDO,
                       IDS_MENU_UNDO_NAMED);
        },
        CmdId(ID_EDIT_UNDO));
    doc.Bind(
        wxEVT_UPDATE_UI,
        [&history](wxUpdateUIEvent& event) {
            UpdateItem(event, history.CanRedo(), history.GetRedoName(), IDS_MENU_REDO,
                       IDS_MENU_REDO_NAMED);
        },
        CmdId(ID_EDIT_REDO));
}
