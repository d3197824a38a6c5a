#include "app/clone_menu.h"

#include <wx/frame.h>

#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/pwr455_doc.h"
#include "res/resource_ids.h"

namespace {

// Binds `resourceId` to `action` on the open document.
void BindToDocument(wxFrame* frame, unsigned resourceId, void (*action)(CPWR455Doc&))
{
    frame->Bind(
        wxEVT_MENU,
        [action](wxCommandEvent&) {
            if (CPWR455Doc* doc = GetOpenDocument())
                action(*doc);
        },
        CmdId(resourceId));
}

int PortNumberOf(const wxEvent& event)
{
    return static_cast<int>(ResIdFromCmd(event.GetId()) - ID_COM1) + 1;
}

} // namespace

void BindCloneMenu(wxFrame* frame)
{
    BindToDocument(frame, ID_CLONE_READ, [](CPWR455Doc& doc) { doc.CloneRead(); });
    BindToDocument(frame, ID_CLONE_WRITE, [](CPWR455Doc& doc) { doc.CloneWrite(); });
    BindToDocument(frame, ID_CLONE_INFO, [](CPWR455Doc& doc) { doc.CloneInformation(); });
    BindToDocument(frame, ID_PORT_SETTINGS, [](CPWR455Doc& doc) { doc.EditPortSettings(); });
    frame->Bind(
        wxEVT_MENU,
        [](wxCommandEvent& event) {
            if (CPWR455Doc* doc = GetOpenDocument())
                doc->SetPortNumber(PortNumberOf(event));
        },
        CmdId(ID_COM1), CmdId(ID_COM4));
    frame->Bind(
        wxEVT_UPDATE_UI,
        [](wxUpdateUIEvent& event) {
            if (CPWR455Doc* doc = GetOpenDocument())
                event.Check(PortNumberOf(event) == doc->GetPortNumber());
        },
        CmdId(ID_COM1), CmdId(ID_COM4));
}
