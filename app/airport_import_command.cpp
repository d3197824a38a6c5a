#include "app/airport_import_command.h"

#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "app/airport_import_dlg.h"
#include "app/app_resources.h"
#include "app/command_ids.h"
#include "app/doc_manager.h"
#include "app/engine_text.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "app/undo_commands.h"
#include "exchange/airport_import.h"
#include "exchange/channel_exchange.h"
#include "text/text_util.h"
#include "radio/undo_history.h"

namespace {

void OnImportAirports(wxFrame* frame)
{
    if (CPWR455Doc* doc = GetOpenDocument())
        RunAirportImport(*doc, CPWR455View::GetSelectedChannel(*doc), frame);
}

} // namespace

bool RunAirportImport(CPWR455Doc& doc, unsigned from, wxWindow* parent)
{
    CAirportImportDlg dialog(parent, doc.GetRadioData(), from);
    if (dialog.ShowModal() != wxID_OK || dialog.GetPlan().placed.empty())
        return false;
    ApplyAirportPlan(doc, dialog.GetPlan(), parent);
    return true;
}

void ApplyAirportPlan(CPWR455Doc& doc, const CAirportImportPlan& plan, wxWindow* parent)
{
    CExchangeOutcome outcome;
    {
        wxBusyCursor wait;
        outcome = ImportAirportsStep(*doc.GetRadioData(), doc.GetHistory(), plan);
    }
    if (!outcome.changed)
        return;
    doc.Modify(true);
    doc.UpdateAllViews();
    if (!outcome.summary.empty())
        wxMessageBox(FromEngine(outcome.summary), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_INFORMATION, parent);
}

void BindAirportImport(wxFrame* frame)
{
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnImportAirports(frame); },
        CmdId(ID_FILE_IMPORT_AIRPORTS));
}
