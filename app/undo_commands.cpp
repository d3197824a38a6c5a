#include "app/undo_commands.h"

#include <wx/docview.h>
#include <wx/event.h>

#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/engine_text.h"
#include "app/main_window.h"
#include "radio/channel_commands.h"
#include "text/text_util.h"
#include "radio/undo_history.h"
#include "res/string_table.h"

namespace {

void UndoOrRedo(wxDocument& doc, CUndoHistory& history, bool redo)
{
    const std::optional<std::string> status = UndoOrRedoStep(history, redo);
    if (!status)
        return;
    // The engine's edit flag now tells alone whether the data differ from the saved ones.
    doc.Modify(false);
    doc.UpdateAllViews();
    ShowStatusText(*status);
}

void UpdateItem(wxUpdateUIEvent& event, const CUndoHistory& history, bool redo)
{
    event.Enable(redo ? history.CanRedo() : history.CanUndo());
    event.SetText(FromEngine(UndoMenuLabel(history, redo)));
}

} // namespace

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
            UpdateItem(event, history, false);
        },
        CmdId(ID_EDIT_UNDO));
    doc.Bind(
        wxEVT_UPDATE_UI,
        [&history](wxUpdateUIEvent& event) {
            UpdateItem(event, history, true);
        },
        CmdId(ID_EDIT_REDO));
}
