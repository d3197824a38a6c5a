#include "app/card_printing.h"

#include <memory>

#include <wx/datetime.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/msgdlg.h>
#include <wx/print.h>

#include "app/app_resources.h"
#include "app/card_printout.h"
#include "app/command_ids.h"
#include "app/engine_text.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "res/resource_ids.h"

namespace {

// The paper and printer chosen last, kept for the session. Never destroyed: it holds toolkit
// print settings, which must not be released after the toolkit has shut down at exit.
wxPrintDialogData& PrintSetup()
{
    static wxPrintDialogData* setup = [] {
        wxPrintData data;
        data.SetPaperId(wxPAPER_A5);
        return new wxPrintDialogData(data);
    }();
    return *setup;
}

void OnPrint(wxFrame* frame)
{
    CPWR455Doc* doc = GetPWR455App().GetDocument();
    if (!doc)
        return;
    wxPrinter printer(&PrintSetup());
    CCardPrintout printout(BuildDocumentCard(*doc));
    if (printer.Print(frame, &printout, true)) {
        PrintSetup() = printer.GetPrintDialogData();
    } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        wxMessageBox(ResString(IDS_CARD_PRINT_FAILED), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_EXCLAMATION, frame);
    }
}

void OnPrintPreview(wxFrame* frame)
{
    CPWR455Doc* doc = GetPWR455App().GetDocument();
    if (!doc)
        return;
    const CCardData card = BuildDocumentCard(*doc);
    auto* preview = new wxPrintPreview(new CCardPrintout(card), new CCardPrintout(card),
                                       &PrintSetup());
    if (!preview->IsOk()) {
        delete preview;
        wxMessageBox(ResString(IDS_CARD_PRINT_FAILED), ResString(IDS_APP_TITLE),
                     wxOK | wxICON_EXCLAMATION, frame);
        return;
    }
    auto* previewFrame = new wxPreviewFrame(preview, frame,
                                            GetCommandTooltip(ID_FILE_PRINT_PREVIEW));
    previewFrame->Initialize();
    previewFrame->Show();
}

} // namespace

CCardData BuildDocumentCard(CPWR455Doc& doc)
{
    wxString name = wxFileName(doc.GetFilename()).GetFullName();
    if (name.empty())
        name = doc.GetUserReadableName();
    return BuildCardData(*doc.GetRadioData(), ToEngine(name),
                         ToEngine(wxDateTime::Now().FormatISODate()));
}

void BindCardPrinting(wxFrame* frame)
{
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnPrint(frame); }, CmdId(ID_FILE_PRINT));
    frame->Bind(
        wxEVT_MENU, [frame](wxCommandEvent&) { OnPrintPreview(frame); },
        CmdId(ID_FILE_PRINT_PREVIEW));
}
